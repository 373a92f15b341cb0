#include "shell/pages/DeviceTile.h"

#include "comm/DeviceLink.h"

QRect NextTileRect(int count, const QRect& first, const QRect& previous)
{
    if (count <= 0) return QRect(kFirstTileLeft, kFirstTileTop, kTileWidth, kTileHeight);
    if (count % kTilesPerRow == 0)
        return QRect(first.left(), previous.bottom() + 1 + kTileGap, kTileWidth, kTileHeight);
    return QRect(previous.right() + 1 + kTileGap, previous.top(), kTileWidth, kTileHeight);
}

QString MacSectionName(const std::array<uint8_t, 6>& mac)
{
    return QStringLiteral("%1-%2-%3-%4-%5-%6")
        .arg(mac[0], 0, 16)
        .arg(mac[1], 0, 16)
        .arg(mac[2], 0, 16)
        .arg(mac[3], 0, 16)
        .arg(mac[4], 0, 16)
        .arg(mac[5], 0, 16);
}

QString DefaultMachineName(int number)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(kDefaultMachinePrefix)).arg(number);
}

namespace {

std::optional<std::array<uint8_t, 4>> ReadIp(const QString& text)
{
    return comm::ReadAddressText(text.toLatin1().toStdString());
}

} // namespace

uint8_t TileAddress(const QString& ip)
{
    const auto octets = ReadIp(ip);
    return octets ? (*octets)[3] : 0;
}

QRect TileRenameIconRect(const QRect& tile)
{
    // (right - 29, top + 31) to (right - 5, top + 55), right and bottom exclusive.
    const int right = tile.left() + tile.width();
    return QRect(QPoint(right - 29, tile.top() + 31), QPoint(right - 5 - 1, tile.top() + 55 - 1));
}

QRect TileRenameEditRect(const QRect& tile)
{
    return QRect(QPoint(tile.left() + 60, tile.top() + 33), QPoint(tile.left() + 156 - 1, tile.top() + 54 - 1));
}
