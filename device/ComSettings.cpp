#include "device/ComSettings.h"

#include "device/IniFile.h"
#include "device/NumberText.h"
#include "device/PathUtils.h"

int LoadComSettings(const QString& fileName, QString& timeout)
{
    const QString path = GetAppDirectory() + fileName;
    const int port = ParseIntLikeWtoi(IniReadString(path, QStringLiteral("COM"), QStringLiteral("port")));
    timeout = IniReadString(path, QStringLiteral("COM"), QStringLiteral("timeout"));
    return port;
}

void SaveComSettings(const QString& fileName, int port, const QString& timeout)
{
    const QString path = GetAppDirectory() + fileName;
    IniWriteString(path, QStringLiteral("COM"), QStringLiteral("port"), IntToString(port));
    IniWriteString(path, QStringLiteral("COM"), QStringLiteral("timeout"), timeout);
}

QString ReadIniString(const QString& path, const QString& section, const QString& key)
{
    return IniReadString(path, section, key);
}
