#include "controls/CGdipButton.h"

#include "platform/ControlId.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {

int ToByte(double v)
{
    return static_cast<int>(std::clamp(std::lround(v), 0L, 255L));
}

QImage MapPixels(const QImage& image, QRgb (*look)(QRgb))
{
    // The looks work on straight colours; premultiplied values would darken soft edges twice.
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = look(row[x]);
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Relative luminance of an sRGB grey level or colour, and the grey level of a luminance.
double Linear(int v)
{
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}
double Luminance(QRgb c)
{
    return 0.2126 * Linear(qRed(c)) + 0.7152 * Linear(qGreen(c)) + 0.0722 * Linear(qBlue(c));
}
int GreyLevel(double luminance)
{
    const double l = std::clamp(luminance, 0.0, 1.0);
    const double s = l <= 0.0031308 ? l * 12.92 : 1.055 * std::pow(l, 1.0 / 2.4) - 0.055;
    return ToByte(s * 255.0);
}
double Contrast(double a, double b)
{
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

int Distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The far end of the smooth run of skin from c along step: the run stops before a sharp step in
// colour (a rim, a bevel's highlight) or a see-through pixel.
int FaceEnd(const QImage& skin, QPoint c, QPoint step)
{
    QPoint end = c;
    for (QPoint p = c + step; skin.rect().contains(p); p += step) {
        const QRgb px = skin.pixel(p);
        if (qAlpha(px) < 128 || Distance(px, skin.pixel(end)) > 24) break;
        end = p;
    }
    return step.x() != 0 ? end.x() : end.y();
}

// Where text laid out with flags in a box width wide falls when drawn, relative to the box's
// top-left: the pixels it covers by a few per cent or more.
QRect InkOf(const QFont& font, const QString& text, int flags, int width)
{
    if (text.isEmpty()) return {};
    const QFontMetrics fm(font);
    const QRect box = fm.boundingRect(QRect(0, 0, width, 0), flags, text);
    const int pad = fm.height();
    const QPoint origin(pad + std::max(0, -box.left()), pad);
    QImage image(origin.x() + std::max(width, box.right() + 1) + pad, box.height() + 2 * pad, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(origin, QSize(width, box.height())), flags, text);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(row[x]) >= 6) ink |= QRect(x, y, 1, 1);
    }
    return ink.translated(-origin);
}

constexpr int kFaceCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip;
constexpr int kFaceLineFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;

} // namespace

QRgb BrightenPixel(QRgb c)
{
    auto ch = [](int v) { return ToByte(v * 1.05 + 0.05 * 255.0); };
    return qRgba(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)), qAlpha(c));
}

QRgb GreyPixel(QRgb c)
{
    const int g = ToByte(0.3 * qRed(c) + 0.59 * qGreen(c) + 0.11 * qBlue(c));
    return qRgba(g, g, g, qAlpha(c));
}

QRgb FadedPixel(QRgb c)
{
    const int g = qRed(GreyPixel(c));
    auto ch = [g](int v) { return ToByte((v + g) / 2.0); };
    return qRgba(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)), qAlpha(c));
}

namespace {

QRgb DimPixel(QRgb c)
{
    constexpr int kDimLevel = 0x20;
    auto ch = [](int v) { return ToByte((v + kDimLevel) / 2.0); };
    return qRgba(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)), qAlpha(c));
}

QRgb DisabledPixel(QRgb c)
{
    return DimPixel(GreyPixel(c));
}

QRgb DisabledPressedPixel(QRgb c)
{
    return DimPixel(FadedPixel(c));
}

} // namespace

QImage BrightenedImage(const QImage& image)
{
    return image.isNull() ? QImage() : MapPixels(image, &BrightenPixel);
}

QImage DisabledImage(const QImage& image)
{
    return image.isNull() ? QImage() : MapPixels(image, &DisabledPixel);
}

QImage DisabledPressedImage(const QImage& image)
{
    return image.isNull() ? QImage() : MapPixels(image, &DisabledPressedPixel);
}

CGdipButton::CGdipButton(QWidget* parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // Runs after nextCheckState, so the id's receivers see the new pressed flag.
    connect(this, &QAbstractButton::clicked, this, [this] { emit clickedId(GetControlId(this)); });
}

CGdipButton::~CGdipButton() = default;

bool CGdipButton::Create(const QString& caption, QWidget* parent, int id, const QRect& rect)
{
    if (!parent || id < 0)
        return false;
    if (parentWidget() != parent)
        setParent(parent);
    setText(caption);
    setGeometry(rect);
    SetControlId(this, id);
    SetControlOwner(this, parent);
    show();
    return true;
}

const QImage& CGdipButton::Looks::Hover() const
{
    if (!hover_)
        hover_ = BrightenedImage(normal);
    return *hover_;
}

const QImage& CGdipButton::Looks::Grey() const
{
    if (!grey_)
        grey_ = DisabledImage(normal);
    return *grey_;
}

const QImage& CGdipButton::Looks::Faded() const
{
    if (!faded_)
        faded_ = DisabledPressedImage(normal);
    return *faded_;
}

std::shared_ptr<const CGdipButton::Looks> CGdipButton::MakeLooks(const QImage& image)
{
    if (image.isNull())
        return nullptr;
    auto l = std::make_shared<Looks>();
    l->normal = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return l;
}

const std::shared_ptr<const CGdipButton::Looks>& CGdipButton::LooksOfResource(unsigned id)
{
    static std::unordered_map<unsigned, std::shared_ptr<const Looks>> cache;
    const auto it = cache.find(id);
    if (it != cache.end()) return it->second;
    CGdiPlusBitmapResource res;
    std::shared_ptr<const Looks> looks;
    if (res.Load(id)) looks = MakeLooks(res.Bitmap());
    return cache.emplace(id, std::move(looks)).first->second;
}

bool CGdipButton::LoadStdImage(unsigned id)
{
    std_ = LooksOfResource(id);
    update();
    return std_ != nullptr;
}

bool CGdipButton::LoadAltImage(unsigned id)
{
    alt_ = LooksOfResource(id);
    update();
    return alt_ != nullptr;
}

bool CGdipButton::SetStdImage(const QImage& image)
{
    std_ = MakeLooks(image);
    update();
    return std_ != nullptr;
}

bool CGdipButton::SetAltImage(const QImage& image)
{
    alt_ = MakeLooks(image);
    update();
    return alt_ != nullptr;
}

void CGdipButton::SizeToImage()
{
    if (!std_)
        return;
    resize(std_->normal.size());
    update();
}

void CGdipButton::SetPressed(bool pressed)
{
    pressed_ = pressed;
    update();
}

void CGdipButton::SetColorAndRedraw(COLORREF color)
{
    captionColor_ = color;
    update();
}

void CGdipButton::SetToolTipText(const QString& text, bool activate)
{
    if (text.isEmpty())
        return;
    toolTipText_ = text;
    setToolTip(activate ? text : QString());
}

void CGdipButton::SetCaptionFont(const QFont* font)
{
    if (font)
        captionFont_ = *font;
    else
        captionFont_.reset();
    update();
}

void CGdipButton::SetCaptionPlacement(int placement)
{
    placement_ = std::clamp(placement, 0, 2);
    update();
}

bool CGdipButton::IsAlternateShown() const
{
    return (radio_ || check_ || toggle_) && pressed_;
}

int CGdipButton::DrawState() const
{
    if (ShowsDisabledLook())
        return kStateDisabledLook;
    bool alt = IsAlternateShown();
    if (isDown()) {
        // A toggle shows, while held, the image its click is about to give it.
        if (toggle_)
            alt = !pressed_;
        return alt ? kStateAltPressed : kStateStdPressed;
    }
    if (hover_)
        return alt ? kStateAltHover : kStateStdHover;
    return alt ? kStateAltNormal : kStateStdNormal;
}

const QImage* CGdipButton::ImageForState(int state) const
{
    const bool useAlt = state == kStateDisabledLook ? pressed_ : state >= kStateAltNormal;
    const std::shared_ptr<const Looks>& looks = useAlt ? alt_ : std_;
    if (!looks)
        return nullptr;
    switch (state) {
    case kStateStdHover:
    case kStateAltHover: return &looks->Hover();
    case kStateDisabledLook: return useAlt ? &looks->Faded() : &looks->Grey();
    default: return &looks->normal;
    }
}

void CGdipButton::nextCheckState()
{
    // One change per click, before any receiver of the click runs.
    if (radio_)
        pressed_ = true;
    else if (check_ || toggle_)
        pressed_ = !pressed_;
    update();
}

void CGdipButton::enterEvent(QEnterEvent* e)
{
    QAbstractButton::enterEvent(e);
    hover_ = true;
    update();
}

void CGdipButton::leaveEvent(QEvent* e)
{
    QAbstractButton::leaveEvent(e);
    hover_ = false;
    update();
}

void CGdipButton::changeEvent(QEvent* e)
{
    QAbstractButton::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) {
        // A button that stops taking input is no longer under the pointer as far as its look goes.
        if (!isEnabled()) hover_ = false;
        update();
    }
}

void CGdipButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int state = DrawState();
    if (const QImage* img = ImageForState(state)) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), *img);
    }
    if (!text().isEmpty())
        DrawCaption(p, state == kStateStdPressed || state == kStateAltPressed);
}

namespace {

// The face of image drawn at size as paintEvent draws it, in that size's coordinates.
QRect FaceOfSkin(const QImage& image, QSize size)
{
    QImage skin(size, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::transparent);
    {
        QPainter p(&skin);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(skin.rect(), image);
    }
    const QPoint c(skin.width() / 2, skin.height() / 2);
    if (qAlpha(skin.pixel(c)) < 128) return skin.rect();
    return QRect(QPoint(FaceEnd(skin, c, {-1, 0}), FaceEnd(skin, c, {0, -1})),
                 QPoint(FaceEnd(skin, c, {1, 0}), FaceEnd(skin, c, {0, 1})));
}

} // namespace

QRect CGdipButton::Face() const
{
    if (!std_ || width() <= 0 || height() <= 0) return rect();
    const FaceKey key{std_->normal.cacheKey(), size()};
    if (!face_ || !(face_->first == key)) face_.emplace(key, FaceOfSkin(std_->normal, size()));
    return face_->second;
}

CGdipButton::CaptionLayout CGdipButton::LayOutOnFace() const
{
    const QRect face = Face();
    const QFont& font = captionFont_ ? *captionFont_ : this->font();
    const FacedCaptionKey key{text(), font.key(), face};
    if (facedCaption_ && facedCaption_->first == key) return facedCaption_->second;

    CaptionLayout c;
    c.font = font;
    if (c.font.pixelSize() <= 0) c.font.setPixelSize(QFontInfo(c.font).pixelSize());
    c.text = text();
    // In the button's own font the caption stays on one line.
    c.flags = captionFont_ ? kFaceCaptionFlags : kFaceLineFlags;
    if (!captionFont_) c.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // The ink at rest keeps its room on the face; held, it moves a pixel into it.
    const QRect room = face.adjusted(kCaptionSideRoom, kCaptionEndRoom, -kCaptionSideRoom, -kCaptionEndRoom);
    const int w = std::max(1, room.width()), h = std::max(1, room.height());
    auto fits = [w, h](const QRect& ink) { return ink.width() <= w && ink.height() <= h; };
    // Lines break by their advance, which may reach past the ink by a side bearing: a line whose
    // ink fits stays whole, else the caption breaks at the room's width.
    int layoutWidth = w + 2;
    auto layOut = [&] {
        layoutWidth = w + 2;
        QRect ink = InkOf(c.font, c.text, c.flags, layoutWidth);
        if (!fits(ink) && (c.flags & Qt::TextWordWrap)) {
            layoutWidth = w;
            ink = InkOf(c.font, c.text, c.flags, layoutWidth);
        }
        return ink;
    };
    QRect ink = layOut();
    // Lines the caption breaks itself that stand too tall go on one line (broken again only
    // where it is too wide).
    if (ink.height() > h && c.text.contains(QLatin1Char('\n'))) {
        c.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        ink = layOut();
    }
    const int size = c.font.pixelSize();
    for (int px = size - 1; !fits(ink) && px >= std::max(1, size * 3 / 4); --px) {
        c.font.setPixelSize(px);
        ink = layOut();
    }
    // Across, the ink is centred; up and down, the band from the first line's capitals to the last
    // baseline, so that captions side by side share their baseline whatever their letters, moved
    // only as far as keeps every glyph in the room.
    const QFontMetrics fm(c.font);
    const int lines = fm.boundingRect(QRect(0, 0, layoutWidth, 0), c.flags, c.text).height();
    const int capTop = fm.ascent() - fm.capHeight();
    int top = room.top() + (room.height() - (lines - fm.descent() - capTop)) / 2 - capTop;  // of the lines, at rest
    top = fits(ink) ? std::clamp(top, room.top() - ink.top(), room.bottom() + 1 - ink.height() - ink.top())
                    : room.top() + (room.height() - ink.height()) / 2 - ink.top();
    c.rect = QRect(room.left() + 1 + (room.width() - ink.width()) / 2 - ink.left(), top + 1, layoutWidth, lines);
    c.ink = ink.translated(c.rect.topLeft());
    facedCaption_.emplace(key, c);
    return c;
}

bool CGdipButton::CaptionOnFace() const
{
    return captionFont_ || placement_ == kCaptionCentre;
}

CGdipButton::CaptionLayout CGdipButton::LayOutCaption(bool selected) const
{
    if (CaptionOnFace()) {
        CaptionLayout c = LayOutOnFace();
        // A pressed caption sits one pixel lower and to the right of the resting one.
        if (!selected) {
            c.rect.translate(-1, -1);
            c.ink.translate(-1, -1);
        }
        return c;
    }
    CaptionLayout c;
    QRect r = rect();
    if (!selected)
        r.translate(-1, -1);
    c.text = text();
    c.font = font();
    const int th = QFontMetrics(font()).height();
    int top = r.top() + (r.height() - th) / 2;
    if (placement_ == kCaptionTop)
        top = r.top() + 2;
    else if (placement_ == kCaptionBottom)
        top = r.top() + r.height() - th - 2;
    c.rect = QRect(r.left(), top, r.width(), th);
    c.flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine;
    c.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return c;
}

QFont CGdipButton::DrawnCaptionFont() const
{
    return CaptionOnFace() ? LayOutOnFace().font : font();
}

int CGdipButton::WidthForCaption() const
{
    const QFont f = captionFont_ ? *captionFont_ : font();
    const QString t = QString(text()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QRect ink = InkOf(f, t, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, 1);
    // The skin's rim across, as drawn at the button's width (at its picture's own while the
    // button has next to none).
    int rim = 0;
    if (std_ && height() > 0) {
        const QSize at(width() >= 8 ? width() : std_->normal.width(), height());
        rim = at.width() - FaceOfSkin(std_->normal, at).width();
    }
    return rim + ink.width() + 2 * kCaptionSideRoom;
}

QRect CGdipButton::CaptionRect() const
{
    if (CaptionOnFace()) return LayOutOnFace().ink;
    const CaptionLayout c = LayOutCaption(true);
    const QFontMetrics fm(c.font);
    const QRect lines = fm.boundingRect(c.rect, c.flags, c.text);
    // From the lines' boxes to the glyphs: less the room above the tallest glyph of the first
    // line and below the deepest one of the last.
    const QRect glyphs = fm.tightBoundingRect(QString(c.text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    return lines.adjusted(0, fm.ascent() + glyphs.top(), 0, glyphs.bottom() - fm.descent());
}

COLORREF CGdipButton::DisabledCaptionColor() const
{
    const QImage* skin = ImageForState(kStateDisabledLook);
    if (!skin || skin->isNull() || width() <= 0 || height() <= 0) return kColorBtnShadow;
    const QRect glyphs = CaptionRect().intersected(rect());
    // Worked out again only when the skin, the size or the caption's place changed: it reads
    // every pixel under the caption, and greyed buttons repaint often.
    DisabledCaptionKey key{skin->cacheKey(), size(), glyphs};
    if (disabledCaption_ && disabledCaption_->first == key) return disabledCaption_->second;
    const COLORREF colour = WorkOutDisabledCaptionColor(*skin, glyphs);
    disabledCaption_.emplace(key, colour);
    return colour;
}

COLORREF CGdipButton::WorkOutDisabledCaptionColor(const QImage& skin, const QRect& glyphs) const
{
    // The mean luminance of the skin's opaque pixels under the caption's glyphs.
    const double sx = static_cast<double>(skin.width()) / width(), sy = static_cast<double>(skin.height()) / height();
    const QRect under = QRect(static_cast<int>(glyphs.left() * sx), static_cast<int>(glyphs.top() * sy),
                              std::max(1, static_cast<int>(glyphs.width() * sx)), std::max(1, static_cast<int>(glyphs.height() * sy)))
                            .intersected(skin.rect());
    double sum = 0;
    int count = 0;
    for (int y = under.top(); y <= under.bottom(); ++y)
        for (int x = under.left(); x <= under.right(); ++x) {
            const QRgb c = qUnpremultiply(skin.pixel(x, y));
            if (qAlpha(c) < 128) continue;
            sum += Luminance(c);
            ++count;
        }
    if (count == 0) return kColorBtnShadow;
    const double face = sum / count;
    if (Contrast(Luminance(ToQColor(kColorBtnShadow).rgb()), face) >= kDisabledCaptionContrast) return kColorBtnShadow;
    // Dark captions have more room on a skin above the middle of the contrast scale (0.18).
    const double middle = std::sqrt(1.05 * 0.05) - 0.05;
    const double text = face >= middle ? (face + 0.05) / kDisabledCaptionContrast - 0.05
                                       : (face + 0.05) * kDisabledCaptionContrast - 0.05;
    const int g = GreyLevel(text);
    return MakeColorRef(g, g, g);
}

void CGdipButton::DrawCaption(QPainter& p, bool selected) const
{
    const CaptionLayout c = LayOutCaption(selected);
    p.setFont(c.font);
    if (ShowsDisabledLook()) {
        // The emboss edge lies on the far side of the skin from the caption: a dark caption (on a
        // light skin) is etched with a light edge.
        const COLORREF caption = DisabledCaptionColor();
        p.setPen(ToQColor(ColorRefRed(caption) < 0x80 ? kImageButtonEmbossLight : kImageButtonEmbossDark));
        p.drawText(c.rect.translated(1, 1), c.flags, c.text);
        p.setPen(ToQColor(caption));
    } else {
        p.setPen(ToQColor(captionColor_));
    }
    p.drawText(c.rect, c.flags, c.text);
}
