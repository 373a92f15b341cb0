#include "shell/pages/LocalAddresses.h"

#include <QNetworkInterface>

QStringList LocalIpv4Addresses()
{
    QStringList out;
    const QList<QNetworkInterface> adapters = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& adapter : adapters) {
        if (adapter.flags().testFlag(QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& entry : adapter.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() != QAbstractSocket::IPv4Protocol) continue;
            const QString text = ip.toString();
            if (!text.startsWith(QLatin1Char('0'))) out.append(text);
            break;  // the adapter's first IPv4 address only
        }
    }
    return out;
}
