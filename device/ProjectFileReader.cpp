#include "device/ProjectFileReader.h"

#include "device/CDeviceData.h"
#include "device/IniKeyIndex.h"
#include "device/MainWindowLink.h"
#include "device/NumberText.h"
#include "device/PathUtils.h"
#include "device/ProjectFileTable.h"
#include "device/StdioFileEx.h"

int ReadProjectBlock(const QByteArray& fileBytes, DeviceParamBlock& block)
{
    CStdioFileEx file;
    file.codePage = kCodePageSystem;
    if (!file.OpenBuffer(fileBytes, CStdioFileEx::modeRead | CStdioFileEx::shareDenyWrite | CStdioFileEx::typeText))
        return 0;
    IniKeyIndex index(file);
    file.Close();
    // Each file is searched from a clean state: a section left over from an earlier file must
    // not claim the lines before this file's first section line.
    g_IniSection.clear();
    int found = 0;
    QString value;
    for (const ProjectFileKey& e : ProjectFileLayout()) {
        if (!index.Find(value, e.section, e.key)) continue;
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
