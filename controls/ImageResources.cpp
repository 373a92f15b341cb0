#include "controls/ImageResources.h"

#include "resources/ImageResourcesInit.h"
#include "resources/ImageTable.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QRect>

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

} // namespace

bool LoadPngFromBytes(QImage& out, const QByteArray& bytes)
{
    out = QImage();
    if (bytes.isEmpty())
        return false;
    QImage img;
    // A decode failure is a failure: the caller must not think it holds a picture.
    if (!img.loadFromData(bytes, "PNG") || img.isNull())
        return false;
    out = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

bool LoadPngResource(QImage& out, unsigned id)
{
    out = QImage();
    const QByteArray bytes = ReadResource(id, ImageKind::Png);
    return LoadPngFromBytes(out, bytes);
}

bool CGdiPlusBitmapResource::Load(unsigned id)
{
    bitmap_ = QImage();
    return LoadPngResource(bitmap_, id);
}

QImage LoadBitmapResource(unsigned id)
{
    const QByteArray bytes = ReadResource(id, ImageKind::Bitmap);
    QImage img;
    if (bytes.isEmpty() || !img.loadFromData(bytes, "PNG"))
        return {};
    return img.convertToFormat(QImage::Format_RGB888);
}

QByteArray LoadGifResource(unsigned id) { return ReadResource(id, ImageKind::Gif); }

QIcon LoadIconResource(unsigned id)
{
    const QByteArray bytes = ReadResource(id, ImageKind::Icon);
    QPixmap pm;
    if (bytes.isEmpty() || !pm.loadFromData(bytes, "PNG"))
        return {};
    return QIcon(pm);
}

bool DrawImageInRect(QPainter* painter, const QImage* image, const QRect* rect)
{
    if (!painter || !image || !rect || image->isNull() || !painter->isActive())
        return false;
    painter->drawImage(*rect, *image, image->rect());
    return true;
}
