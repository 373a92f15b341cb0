#include "controls/SharedBackground.h"

#include "controls/ImageResources.h"
#include "platform/ColorRef.h"

#include <QCoreApplication>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QThread>

#include <deque>
#include <future>
#include <utility>

namespace shared_background {
namespace {

// A resized window asks for a new size at every step of the drag; only the latest few stay.
constexpr size_t kMaxCachedSizes = 6;

struct Prefetched {
    QImage texture;
    QSize size;
    QImage scaled;
};

struct Cache {
    QImage texture;
    bool loaded = false;
    int decodes = 0;
    std::future<Prefetched> pending;               // a decode running on a worker thread
    std::deque<std::pair<QSize, QPixmap>> scaled;  // most recently used first
};

Cache& TheCache()
{
    static Cache cache;
    return cache;
}

// Nearest pixel, as the unscaled painter draws a stretched image.
QImage Scale(const QImage& texture, const QSize& size)
{
    return texture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(QImage::Format_RGB32);
}

void TakePrefetched(Cache& cache)
{
    if (!cache.pending.valid()) return;
    Prefetched done = cache.pending.get();
    cache.loaded = true;
    cache.texture = std::move(done.texture);
    if (!done.scaled.isNull()) cache.scaled.emplace_front(done.size, QPixmap::fromImage(std::move(done.scaled)));
}

const QImage& Texture()
{
    Cache& cache = TheCache();
    TakePrefetched(cache);
    if (!cache.loaded) {
        cache.loaded = true;
        ++cache.decodes;
        cache.texture = LoadBitmapResource(kTextureResource);
    }
    return cache.texture;
}

}  // namespace

void Prefetch(const QSize& firstSize)
{
    Cache& cache = TheCache();
    if (cache.loaded || cache.pending.valid()) return;
    ++cache.decodes;
    // QImage decoding and scaling are reentrant; only the pixmap is made on the UI thread.
    cache.pending = std::async(std::launch::async, [firstSize] {
        Prefetched done;
        done.texture = LoadBitmapResource(kTextureResource);
        if (!done.texture.isNull() && !firstSize.isEmpty()) {
            done.size = firstSize;
            done.scaled = Scale(done.texture, firstSize);
        }
        return done;
    });
}

void FinishPrefetch()
{
    Cache& cache = TheCache();
    if (cache.pending.valid()) cache.pending.wait();
}

QPixmap ScaledTo(const QSize& size)
{
    Q_ASSERT(!QCoreApplication::instance() || QThread::currentThread() == QCoreApplication::instance()->thread());
    if (size.isEmpty()) return {};
    Cache& cache = TheCache();
    TakePrefetched(cache);
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
    QPixmap pixmap = QPixmap::fromImage(Scale(texture, size));
    cache.scaled.emplace_front(size, pixmap);
    if (cache.scaled.size() > kMaxCachedSizes) cache.scaled.pop_back();
    return pixmap;
}

void Paint(QPainter& p, const QRect& rect)
{
    // Scaled to device pixels, so that a high-density screen gets the texture's own detail.
    const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QPixmap pixmap = ScaledTo((QSizeF(rect.size()) * ratio).toSize());
    if (pixmap.isNull())
        p.fillRect(rect, ToQColor(kColorBody));
    else
        p.drawPixmap(rect, pixmap, pixmap.rect());  // one device pixel per pixel: a plain copy
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
