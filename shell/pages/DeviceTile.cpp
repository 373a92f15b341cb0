#include "shell/pages/DeviceTile.h"

#include <optional>

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

std::optional<std::array<int, 4>> ParseIpv4(const QString& text)
{
    constexpr qsizetype kLongest = 15;  // "255.255.255.255", or each group written with three digits
    if (text.isEmpty() || text.size() > kLongest) return std::nullopt;
    std::array<int, 4> octets{};
    std::size_t group = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('.')) {
            if (digits == 0 || ++group == octets.size()) return std::nullopt;
            digits = 0;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            octets[group] = octets[group] * 10 + (c.unicode() - '0');
            if (++digits > 3 || octets[group] > 255) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || group != octets.size() - 1) return std::nullopt;
    return octets;
}

} // namespace

QString CanonicalIp(const QString& text)
{
    const auto octets = ParseIpv4(text);
    if (!octets) return {};
    return QStringLiteral("%1.%2.%3.%4").arg((*octets)[0]).arg((*octets)[1]).arg((*octets)[2]).arg((*octets)[3]);
}

uint8_t TileAddress(const QString& ip)
{
    const auto octets = ParseIpv4(ip);
    return octets ? static_cast<uint8_t>((*octets)[3]) : 0;
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
