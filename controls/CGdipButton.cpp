#include "controls/CGdipButton.h"

#include "platform/ControlId.h"

#include <QEvent>
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

CGdipButton::CaptionLayout CGdipButton::LayOutCaption(bool selected) const
{
    CaptionLayout c;
    QRect r = rect();
    // A pressed caption sits one pixel lower and to the right of the resting one.
    if (!selected)
        r.translate(-1, -1);
    c.text = text();
    if (captionFont_) {
        c.font = *captionFont_;
        // A caption wider than the button (less a small margin) breaks between words rather
        // than being cut at the button's edges.
        c.flags = Qt::AlignCenter | Qt::TextWordWrap;
        c.rect = r.width() > 12 ? r.adjusted(3, 0, -3, 0) : r;
        // Lines the caption breaks itself that stand too tall for the button would touch its top
        // and bottom edges: they go on one line (wrapped again only where it is too wide).
        const QFontMetrics fm(c.font);
        if (c.text.contains(QLatin1Char('\n')) && fm.boundingRect(c.rect, c.flags, c.text).height() > r.height() - 4)
            c.text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    } else {
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
    }
    return c;
}

QRect CGdipButton::CaptionRect() const
{
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
