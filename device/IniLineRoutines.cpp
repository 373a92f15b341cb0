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
    // Lines already in memory are looked at in place: a project file is searched once per key.
    auto* memory = dynamic_cast<MemoryLineSource*>(file);
    QString buffer;
    const QString* next = nullptr;
    auto read = [&] {
        if (memory) return (next = memory->Next()) != nullptr;
        next = &buffer;
        return file->ReadString(buffer);
    };
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) file->SeekToBegin();
        while (read()) {
            const QString& line = *next;
            if (line.startsWith(QLatin1Char('['))) {
                ParseSectionName(line);
                continue;
            }
            // A line of another section cannot match: it is not split (no copies per line).
            if (g_IniSection != section) continue;
            // SplitKeyValue's split, read in place: a line without "=" has an empty key and value.
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            const QStringView lineKey = eq < 0 ? QStringView() : QStringView(line).left(eq);
            if (lineKey == key) {
                value = eq < 0 ? QString() : line.mid(eq + 1);
                return true;
            }
        }
    }
    return false;
}
