#include "device/ProjectFileReader.h"

#include "device/CDeviceData.h"
#include "device/IniLineRoutines.h"
#include "device/MainWindowLink.h"
#include "device/NumberText.h"
#include "device/PathUtils.h"
#include "device/ProjectFileTable.h"
#include "device/StdioFileEx.h"

#include <QSet>

namespace {

// The key search over the file's lines held in memory. A key that stands on no line at all ends
// the search exactly where a full search would (at the end, in the last section of the file)
// without reading the lines again, so junk files cost no more than one pass.
class ProjectKeySearch {
public:
    explicit ProjectKeySearch(QStringList lines) : m_source(std::move(lines))
    {
        QString key;
        QString value;
        for (const QString& line : m_source.Lines()) {
            if (line.startsWith(QLatin1Char('['))) {
                m_lastSection = line;
                m_hasSection = true;
                continue;
            }
            SplitKeyValue(line, key, value);
            m_keys.insert(key);
        }
    }

    bool Find(QString& value, const QString& section, const QString& key)
    {
        if (!m_keys.contains(key)) {
            if (m_hasSection) ParseSectionName(m_lastSection);
            m_source.SeekToEnd();
            return false;
        }
        return FindIniValue(value, &m_source, section, key);
    }

private:
    MemoryLineSource m_source;
    QSet<QString> m_keys;
    QString m_lastSection;
    bool m_hasSection = false;
};

QStringList ReadAllLines(const QByteArray& bytes)
{
    QStringList lines;
    CStdioFileEx file;
    file.codePage = kCodePageSystem;
    if (!file.OpenBuffer(bytes, CStdioFileEx::modeRead | CStdioFileEx::shareDenyWrite | CStdioFileEx::typeText))
        return lines;
    QString line;
    while (file.ReadString(line)) lines.append(line);
    file.Close();
    return lines;
}

}  // namespace

int ReadProjectBlock(const QByteArray& fileBytes, DeviceParamBlock& block)
{
    ProjectKeySearch search(ReadAllLines(fileBytes));
    // Each file is searched from a clean state: a section left over from an earlier file must
    // not claim the lines before this file's first section line.
    g_IniSection.clear();
    int found = 0;
    QString value;
    for (const ProjectFileKey& e : ProjectFileLayout()) {
        if (!search.Find(value, e.section, e.key)) continue;
        ++found;
        if (e.type == ProjectFieldType::F32)
            WriteProjectFloat(block, e, NarrowToFloat(ParseDoubleLikeWtof(value)));
        else
            WriteProjectField(block, e, ParseIntLikeWtoi(value));
    }
    return found;
}

ProjectLoad LoadProjectFile(CDeviceData& device, const QString& path, MainWindowLink* link)
{
    QByteArray bytes;
    switch (ReadRegularFile(path, kMaxProjectFileBytes, bytes)) {
    case FileRead::Read: break;
    case FileRead::Missing: return ProjectLoad::Empty;
    case FileRead::NotRegular:
    case FileRead::CannotOpen:
    case FileRead::TooLarge: return ProjectLoad::Refused;
    }
    if (bytes.isEmpty() || bytes == QByteArray("\xFF\xFE", 2)) return ProjectLoad::Empty;

    // Keys absent from the file, and the bytes no key covers, keep what the device state holds.
    DeviceParamBlock block = device.Block();
    if (ReadProjectBlock(bytes, block) == 0) return ProjectLoad::Refused;
    device.fromFile = 1;
    device.ParseParamBlock(block);
    if (link) link->PostRefresh(2, 0);
    return ProjectLoad::Applied;
}

ProjectLoad LoadProjectFile(const QString& path)
{
    return LoadProjectFile(GetDeviceData(), path, GetMainWindowLink());
}
