#include "controls/ImageResources.h"

#include "resources/ImageResourcesInit.h"
#include "resources/ImageTable.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include <mutex>
#include <unordered_map>

namespace {

QByteArray ReadResource(unsigned id, ImageKind kind)
{
    InitImageResources();
    const ImageSpec* spec = FindImageSpec(id);
    if (!spec || spec->kind != kind)
        return {};
    QFile f(ImageResourcePath(*spec));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Qt's own PNG reader. Given a format name alone, Qt first loads every image plug-in to ask
// whether one of them reads that format; without format detection it asks only a plug-in
// registered for "png", and none is, so no plug-in library is loaded.
bool DecodePng(const QByteArray& bytes, QImage& out)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read(&out);
}

// Controls of one kind wear the same pictures (every slider its track, every check box its
// marks): each resource is decoded once and handed out as a shared copy. They stay for the
// program's life; together they are small, and the largest, the body texture, is kept anyway.
// Any thread (the body texture is decoded on a worker).
template <class Decode>
QImage Decoded(unsigned id, ImageKind kind, Decode decode)
{
    static std::mutex lock;
    static std::unordered_map<quint64, QImage> decoded;
    const quint64 key = (quint64(kind) << 32) | id;
    {
        const std::lock_guard<std::mutex> guard(lock);
        const auto it = decoded.find(key);
        if (it != decoded.end())
            return it->second;
    }
    QImage img = decode();
    const std::lock_guard<std::mutex> guard(lock);
    return decoded.try_emplace(key, std::move(img)).first->second;
}

} // namespace

bool LoadPngFromBytes(QImage& out, const QByteArray& bytes)
{
    out = QImage();
    if (bytes.isEmpty())
        return false;
    QImage img;
    // A decode failure is a failure: the caller must not think it holds a picture.
    if (!DecodePng(bytes, img) || img.isNull())
        return false;
    out = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

bool LoadPngResource(QImage& out, unsigned id)
{
    out = Decoded(id, ImageKind::Png, [id] {
        QImage img;
        LoadPngFromBytes(img, ReadResource(id, ImageKind::Png));
        return img;
    });
    return !out.isNull();
}

bool CGdiPlusBitmapResource::Load(unsigned id)
{
    bitmap_ = QImage();
    return LoadPngResource(bitmap_, id);
}

QImage LoadBitmapResource(unsigned id)
{
    return Decoded(id, ImageKind::Bitmap, [id] {
        const QByteArray bytes = ReadResource(id, ImageKind::Bitmap);
        QImage img;
        if (bytes.isEmpty() || !DecodePng(bytes, img))
            return QImage();
        return img.convertToFormat(QImage::Format_RGB888);
    });
}

QByteArray LoadGifResource(unsigned id) { return ReadResource(id, ImageKind::Gif); }

QIcon LoadIconResource(unsigned id)
{
    const QByteArray bytes = ReadResource(id, ImageKind::Icon);
    QImage img;
    if (bytes.isEmpty() || !DecodePng(bytes, img))
        return {};
    return QIcon(QPixmap::fromImage(std::move(img)));
}

bool DrawImageInRect(QPainter* painter, const QImage* image, const QRect* rect)
{
    if (!painter || !image || !rect || image->isNull() || !painter->isActive())
        return false;
    painter->drawImage(*rect, *image, image->rect());
    return true;
}
