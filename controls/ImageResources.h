#pragma once
// Finds the program's compiled-in pictures by resource id (PNG images, 24-bit bitmaps, the busy
// GIF and the program icon) and holds decoded PNG images for the controls.

#include <QByteArray>
#include <QIcon>
#include <QImage>

class QPainter;
class QRect;

// Holder of one decoded bitmap.
class CGdiPlusBitmap {
public:
    virtual ~CGdiPlusBitmap() = default;
    bool IsLoaded() const { return !bitmap_.isNull(); }
    const QImage& Bitmap() const { return bitmap_; }
    int Width() const { return bitmap_.width(); }
    int Height() const { return bitmap_.height(); }
    void Empty() { bitmap_ = QImage(); }

protected:
    QImage bitmap_;
};

// A bitmap loaded from a "PNG" resource.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    // Frees any previous bitmap, then loads id. False when id is not a PNG resource or does not
    // decode; the holder is then empty.
    bool Load(unsigned id);
};

// Decodes PNG bytes into out (cleared first). False, with out null, when they do not decode.
bool LoadPngFromBytes(QImage& out, const QByteArray& bytes);

// The PNG resource id, decoded into out (cleared first). False, with out null, when id is no PNG
// resource or its bytes do not decode. Each resource is decoded once; later calls share it.
bool LoadPngResource(QImage& out, unsigned id);

// A 24-bit bitmap resource (RGB888), or a null image. Decoded once, shared after.
QImage LoadBitmapResource(unsigned id);

// The raw bytes of a "GIF" resource, or empty.
QByteArray LoadGifResource(unsigned id);

// The icon resource id, or a null icon.
QIcon LoadIconResource(unsigned id);

// Draws the whole image scaled into rect. False without a painter, an image or a rectangle.
bool DrawImageInRect(QPainter* painter, const QImage* image, const QRect* rect);
