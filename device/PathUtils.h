#pragma once
// Small shared routines: where the program's files live, IPv4 texts and device addresses,
// INI-style line splitting, and the 1-bit BMP writer used for caption bitmaps. Paths use '/'.

#include <QString>
#include <QStringList>

class QImage;

// Folder of the running executable, ending in '/'. The environment variable SVP_APP_DIR points it
// elsewhere (tests, portable set-ups).
QString GetAppDirectory();
// The path up to and including its last '/'; empty when it has none.
QString GetPathDirectory(const QString& path);
// The file name without its extension (text before the file name's first '.'); a file name without
// a '.' gives the whole path back, and a path without '/' gives the text before its first '.'.
QString GetPathFileTitle(const QString& path);

void SplitIpOctets(const QString& text, QStringList& pieces);
bool IsValidIpAddress(const QString& text);
int GetIpLastOctet(const QString& text);

void SplitKeyValue(const QString& line, QString& key, QString& value);
// Sets g_IniSection to the text between the line's first '[' and first ']' (empty otherwise).
void ParseSectionName(const QString& line);
extern QString g_IniSection;

// Writes the image as a 1-bit-per-pixel BMP (62-byte header, rows bottom-up, bit 1 = white).
// False when the file cannot be created or written.
bool SaveBitmapToFile(const QImage& bitmap, const QString& path);
