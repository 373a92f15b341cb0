#pragma once
// One processor found by a search, as the search page shows it: a 200 x 80 tile with its name,
// IP text, MAC and online state, and the rules that place tiles and name them.

#include <QRect>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

inline constexpr int kTileWidth = 200;
inline constexpr int kTileHeight = 80;
inline constexpr int kTileGap = 10;
inline constexpr int kTilesPerRow = 4;
inline constexpr int kFirstTileLeft = 10;
inline constexpr int kFirstTileTop = 80;
inline constexpr int kLinkAllTimerId = 2734;       // TIMER_LINK_ALL
inline constexpr int kTileWatchdogTimerId = 2735;  // TIMER_TILE_WATCHDOG, + the tile's index
inline constexpr int kMissedLimit = 3;
// Processors are told apart by device address (the last octet of the IP, 1 to 254): no search
// finds more than that.
inline constexpr std::size_t kMaxSearchTiles = 254;
inline constexpr const char* kDefaultMachinePrefix = "Z4W";

struct DeviceTile {
    bool online = false;
    bool wasOnline = false;
    bool connected = false;
    bool checked = false;
    QString name;
    QString ip;
    QRect rect;
    std::array<uint8_t, 6> mac{};
    int timerId = kTileWatchdogTimerId;
    int missed = 0;
};

// The rectangle of the tile that follows previous when count tiles are already laid out (count
// 0: the first tile; first is then ignored). A new row starts after every fourth tile.
QRect NextTileRect(int count, const QRect& first, const QRect& previous);

// "Info.ini" section of a machine: the MAC as "%x-%x-%x-%x-%x-%x".
QString MacSectionName(const std::array<uint8_t, 6>& mac);

// "Z4W-n" for the n-th tile (1-based).
QString DefaultMachineName(int number);

// The processor's device address from its IP: the last octet, 0 for a text that is no address.
uint8_t TileAddress(const QString& ip);

// Parts of a tile (page coordinates).
QRect TileRenameIconRect(const QRect& tile);
QRect TileRenameEditRect(const QRect& tile);
