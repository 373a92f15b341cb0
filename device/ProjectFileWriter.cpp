#include "device/ProjectFileWriter.h"

#include "device/CDeviceData.h"
#include "device/IniLineRoutines.h"
#include "device/PathUtils.h"
#include "device/ProjectFileTable.h"
#include "device/StdioFileEx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void WriteProjectLines(DeviceParamBlock& block, CStdioFileEx* file)
{
    const QString* section = nullptr;
    for (const ProjectFileKey& e : ProjectFileLayout()) {
        if (!section || *section != e.section) {
            section = &e.section;
            WriteIniSection(file, e.section);
        }
        ApplyProjectClamp(block, e);
        WriteIniKeyValue(file, e.key, FormatProjectField(block, e));
    }
}

bool SaveProjectFile(DeviceParamBlock& block, const QString& path)
{
    if (path.isEmpty()) return false;
    CStdioFileEx file;
    file.codePage = kCodePageSystem;
    if (file.Open(path, CStdioFileEx::modeWrite | CStdioFileEx::modeCreate)) {
        WriteProjectLines(block, &file);
        if (file.Close()) return true;
    }
    qWarning("%s", qUtf8Printable(QStringLiteral("%1: the project was not saved: %2").arg(path, file.ErrorString())));
    return false;
}

bool SaveProjectFile(const QString& path) { return SaveProjectFile(GetDeviceData().Block(), path); }

namespace {

void CreateEmptyUnicodeFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return;
    const bool written = f.write("\xFF\xFE", 2) == 2 && f.flush();
    f.close();
    // A file cut by a full disk is not left behind: the first save creates it.
    if (!written || f.error() != QFile::NoError) f.remove();
}

}  // namespace

void EnsureProjectFile(QString& path, const QDate& today)
{
    if (path.isEmpty()) {
        const QString date = today.toString(QStringLiteral("yyyy-MM-dd"));
        const QString folder = GetAppDirectory() + QStringLiteral("Project/") + date + QLatin1Char('/');
        QDir().mkpath(folder);
        path = folder + date + QStringLiteral(".pro");
        return;
    }
    if (QFileInfo(path).isFile()) return;

    QString folder = GetPathDirectory(path);
    QString title = GetPathFileTitle(path);
    // A file name without "." gives the whole path back: the title is then the file name itself.
    if (title == path) title = path.mid(folder.size());
    const bool folderExists = !folder.isEmpty() && QFileInfo(folder).isDir();
    if (!folderExists) {
        folder += title + QLatin1Char('/');
        QDir().mkpath(folder);
    }
    path = folder + title + QStringLiteral(".pro");
    CreateEmptyUnicodeFile(path);
}

void EnsureProjectFile(QString& path) { EnsureProjectFile(path, QDate::currentDate()); }
