#pragma once
// The dark body texture behind every page and the main window. It is a 2560 x 1600 bitmap:
// decoded once for the whole program, scaled once per window size, and every paint after that
// is a plain copy. UI thread only.

#include <QPixmap>
#include <QSize>

class QPainter;
class QRect;

namespace shared_background {

// Bitmap resource of the texture.
inline constexpr unsigned kTextureResource = 106;

// Starts decoding the texture on a worker thread (and scaling it to firstSize, the size of the
// first window to paint), so that start-up does other work meanwhile. The first use waits for
// it. Does nothing once the texture is decoded or being decoded.
void Prefetch(const QSize& firstSize = QSize());

// Waits for a decode that Prefetch started and nothing has used yet (a window closed before its
// first paint), so that no worker outlives the window that started it; the texture stays for a
// later use.
void FinishPrefetch();

// The texture stretched over rect, or the body colour when it cannot be loaded.
void Paint(QPainter& p, const QRect& rect);

// The texture scaled to size (nearest pixel, as the painter would stretch it); null when the
// texture cannot be loaded or the size is empty.
QPixmap ScaledTo(const QSize& size);

// For tests and diagnostics: how often the texture was decoded, and how many scaled copies
// are kept.
int DecodeCount();
int CachedSizes();

}  // namespace shared_background
