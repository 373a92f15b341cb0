#include "controls/SharedBackground.h"

#include "controls/ImageResources.h"
#include "platform/ColorRef.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QThread>

#include <deque>
#include <utility>

namespace shared_background {
namespace {

// A resized window asks for a new size at every step of the drag; only the latest few stay.
constexpr size_t kMaxCachedSizes = 6;

struct Cache {
    QImage texture;
    bool loaded = false;
    int decodes = 0;
    std::deque<std::pair<QSize, QPixmap>> scaled;  // most recently used first
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

const QImage& Texture()
{
    Cache& cache = TheCache();
    if (!cache.loaded) {
        cache.loaded = true;
        ++cache.decodes;
        cache.texture = LoadBitmapResource(kTextureResource);
    }
    return cache.texture;
}

}  // namespace

QPixmap ScaledTo(const QSize& size)
{
    Q_ASSERT(!QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread());
    if (size.isEmpty()) return {};
    Cache& cache = TheCache();
    for (auto it = cache.scaled.begin(); it != cache.scaled.end(); ++it) {
        if (it->first != size) continue;
        if (it != cache.scaled.begin()) {
            auto entry = std::move(*it);
            cache.scaled.erase(it);
            cache.scaled.push_front(std::move(entry));
        }
        return cache.scaled.front().second;
    }
    const QImage& texture = Texture();
    if (texture.isNull()) return {};
    // Nearest pixel, as the unscaled painter draws a stretched image.
    QPixmap pixmap = QPixmap::fromImage(
        texture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32));
    cache.scaled.emplace_front(size, pixmap);
    if (cache.scaled.size() > kMaxCachedSizes) cache.scaled.pop_back();
    return pixmap;
}

void Paint(QPainter& p, const QRect& rect)
{
    const QPixmap pixmap = ScaledTo(rect.size());
    if (pixmap.isNull())
        p.fillRect(rect, ToQColor(kColorBody));
    else
        p.drawPixmap(rect.topLeft(), pixmap);
}

int DecodeCount()
{
    return TheCache().decodes;
}

int CachedSizes()
{
    return static_cast<int>(TheCache().scaled.size());
}

}  // namespace shared_background
