#pragma once
// Line routines of the project file: the section and key lines it is written with, and the key
// search it is read with.

#include "device/IniLineSource.h"
#include "device/NumberText.h"

#include <QString>

class CStdioFileEx;

// Writes "[name]\r\n"; nothing when the file is null.
void WriteIniSection(CStdioFileEx* file, const QString& section);
// Writes "key=value\r\n"; nothing when the file is null.
void WriteIniKeyValue(CStdioFileEx* file, const QString& key, const QString& value);

// Looks for a line "key=value" of the section, from the file's current position to its end and
// then once more from the start. Section and key compare exactly (case-sensitive); nothing is
// trimmed; the key is the text before the first "=". On a match the value is set, the file stays
// positioned after the matching line and the result is true; otherwise the value is left as it
// was. The current section (g_IniSection) is the one of the last line read, kept between calls,
// so searches in two files must not be interleaved.
bool FindIniValue(QString& value, IniLineSource* file, const QString& section, const QString& key);
