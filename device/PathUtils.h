#pragma once
// Small shared routines: where the program's files live, bounded reads of the files it is
// given, IPv4 texts and device addresses, INI-style line splitting, and the 1-bit BMP writer used
// for caption bitmaps. Paths use '/'.

#include <QByteArray>
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

enum class FileRead {
    Read,        // the whole file is in the buffer
    Missing,     // no file there (an empty path, a dangling link)
    NotRegular,  // a folder, device, FIFO or socket: refused without being opened
    CannotOpen,  // a regular file that cannot be opened or read
    TooLarge,    // more than the bound
};
// Reads a whole regular file of at most maxBytes bytes into out (empty unless Read). Links are
// followed. Nothing but a regular file is opened: a FIFO without a writer would block the open and
// a device never ends. At most maxBytes + 1 bytes are read whatever the file claims.
FileRead ReadRegularFile(const QString& path, qint64 maxBytes, QByteArray& out);

void SplitIpOctets(const QString& text, QStringList& pieces);
bool IsValidIpAddress(const QString& text);
// The IPv4 address in text in its one form ("127.000.000.171" is "127.0.0.171"), read as the
// communication library reads it (comm::ReadAddressText); empty when the text is no address.
QString CanonicalIp(const QString& text);
int GetIpLastOctet(const QString& text);

void SplitKeyValue(const QString& line, QString& key, QString& value);
// Sets g_IniSection to the text between the line's first '[' and first ']' (empty otherwise).
void ParseSectionName(const QString& line);
extern QString g_IniSection;

// Writes the image as a 1-bit-per-pixel BMP (62-byte header, rows bottom-up, bit 1 = white).
// False, with the earlier file unchanged and the reason logged, when it cannot be written whole.
bool SaveBitmapToFile(const QImage& bitmap, const QString& path);
