#include "device/IniLineRoutines.h"

#include "device/PathUtils.h"
#include "device/StdioFileEx.h"

void WriteIniSection(CStdioFileEx* file, const QString& section)
{
    if (!file) return;
    file->WriteString(QLatin1Char('[') + section + QLatin1String("]\r\n"));
}

void WriteIniKeyValue(CStdioFileEx* file, const QString& key, const QString& value)
{
    if (!file) return;
    file->WriteString(key + QLatin1Char('=') + value + QLatin1String("\r\n"));
}

bool FindIniValue(QString& value, IniLineSource* file, const QString& section, const QString& key)
{
    if (!file) return false;
    QString line;
    QString lineKey;
    QString lineValue;
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) file->SeekToBegin();
        while (file->ReadString(line)) {
            if (line.startsWith(QLatin1Char('['))) {
                ParseSectionName(line);
                continue;
            }
            SplitKeyValue(line, lineKey, lineValue);
            if (g_IniSection == section && lineKey == key) {
                value = lineValue;
                return true;
            }
        }
    }
    return false;
}
