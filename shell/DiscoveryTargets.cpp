#include "shell/DiscoveryTargets.h"

#include "device/IniFile.h"
#include "comm/PosixIo.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

bool IsDottedQuad(const QString& text)
{
    for (QChar c : text)
        if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9'))) return false;
    in_addr address{};
    return comm::ParseIpv4(text.toStdString(), address);
}

}  // namespace

std::vector<comm::DeviceLinkOptions::Endpoint> ParseDiscoveryTargets(const QString& text)
{
    std::vector<comm::DeviceLinkOptions::Endpoint> out;
    const QStringList entries = text.split(QRegularExpression(QStringLiteral("[,\\s]+")), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        // Dotted decimal only, as the link will read it: four numbers 0..255, nothing else.
        if (parts.size() > 2 || !IsDottedQuad(parts[0])) continue;
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
