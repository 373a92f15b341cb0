#pragma once
// Single values of the program's INI files: the serial settings of the connection page and a
// plain string read. Failures are silent: absent values read as empty (port 0).

#include <QString>

// Section "COM" of GetAppDirectory() + fileName: returns "port" as a number (0 when absent) and
// sets timeout to the "timeout" text (empty when absent).
int LoadComSettings(const QString& fileName, QString& timeout);
// Writes "port" (decimal) and "timeout" into section "COM" of GetAppDirectory() + fileName,
// creating file and section when missing.
void SaveComSettings(const QString& fileName, int port, const QString& timeout);
// The value of key in section of the file at path (a whole path); empty when absent.
QString ReadIniString(const QString& path, const QString& section, const QString& key);
