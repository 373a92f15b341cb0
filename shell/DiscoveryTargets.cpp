#include "shell/DiscoveryTargets.h"

#include "device/IniFile.h"
#include "comm/PosixIo.h"

#include <QRegularExpression>
#include <QStringList>

std::vector<comm::DeviceLinkOptions::Endpoint> ParseDiscoveryTargets(const QString& text)
{
    std::vector<comm::DeviceLinkOptions::Endpoint> out;
    const QStringList entries = text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        // Dotted decimal only, as the link will read it: four numbers 0..255, nothing else.
        in_addr address{};
        if (parts.size() > 2 || !comm::ParseIpv4(parts[0].toStdString(), address)) continue;
        int port = comm::kDevicePort;
        if (parts.size() == 2) {
            bool ok = false;
            port = parts[1].toInt(&ok);
            if (!ok || port < 1 || port > 65535) continue;
        }
        out.push_back({parts[0].toStdString(), port});
    }
    return out;
}

comm::DeviceLinkOptions DeviceLinkOptionsFromIni(const QString& infoIniPath)
{
    comm::DeviceLinkOptions options;
    options.discoveryTargets = ParseDiscoveryTargets(IniReadString(
        infoIniPath, QString::fromLatin1(kSearchSection), QString::fromLatin1(kSearchDestinationsKey)));
    return options;
}
