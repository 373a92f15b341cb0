#pragma once
// The program's image button: paints one of two PNG images (standard and alternate) scaled to
// the button, brightened while the mouse is over it and grey in the disabled look, with a caption
// in a chosen colour. Radio, check and toggle buttons keep a pressed flag that a click changes
// (radio: set; check and toggle: inverted) and that picks the alternate image.
//
// Click notification: every click (mouse release over the button, or Space) emits
// clickedId(control id), then the other receivers of QAbstractButton::clicked run (the button is
// not Qt-checkable: read the flag with IsPressed, not from clicked's argument). Both come after
// the pressed flag has changed, so the owner's handler sees the new state; a handler that
// refuses the change calls SetPressed with the old value. Pages bind one slot to clickedId for
// all their image buttons.
//
// The parent's pixels show through transparent parts of the images (the button paints no
// background of its own), so a moved button always shows what lies under it.

#include "controls/ImageResources.h"
#include "platform/ColorRef.h"

#include <QAbstractButton>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <optional>
#include <utility>

inline constexpr COLORREF kImageButtonCaptionDefault = 0x141414;
inline constexpr COLORREF kImageButtonEmbossDark = 0x323232;
inline constexpr COLORREF kImageButtonEmbossLight = 0xC8C8C8;
// The contrast a greyed caption keeps with its skin (a ratio of relative luminances).
inline constexpr double kDisabledCaptionContrast = 2.5;

// Draw states: image and treatment.
enum ImageButtonState {
    kStateStdNormal = 0,
    kStateStdPressed = 1,
    kStateStdHover = 2,
    kStateAltNormal = 3,
    kStateAltPressed = 4,
    kStateAltHover = 5,
    kStateDisabledLook = 6,  // standard in grey, or alternate faded by the pressed flag
};

// Caption placement without a caption font.
enum ImageButtonPlacement { kCaptionTop = 0, kCaptionCentre = 1, kCaptionBottom = 2 };
// The room a caption laid out on the face of its skin keeps there at rest.
inline constexpr int kCaptionSideRoom = 4;
inline constexpr int kCaptionEndRoom = 2;

// The hover look: each colour channel x 1.05 plus 5 % of full scale, alpha kept.
QRgb BrightenPixel(QRgb straight);
// The disabled look: every channel 0.3 R + 0.59 G + 0.11 B, alpha kept.
QRgb GreyPixel(QRgb straight);
// The disabled look of a pressed button: halfway between the colour and its grey, so that the
// alternate image's accent still tells pressed from released.
QRgb FadedPixel(QRgb straight);
// The whole image through one of the looks (format ARGB32_Premultiplied).
QImage BrightenedImage(const QImage& image);
// The images the disabled look draws: grey (released) or faded (pressed), then dimmed (every
// channel halfway to the dark of the pages), so that artwork grey already reads as disabled too.
QImage DisabledImage(const QImage& image);
QImage DisabledPressedImage(const QImage& image);

class CGdipButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CGdipButton(QWidget* parent = nullptr);
    ~CGdipButton() override;

    // A visible child of parent at rect with the caption and control id. False for a null parent
    // or a negative id.
    bool Create(const QString& caption, QWidget* parent, int id, const QRect& rect);

    // Load the "PNG" resource; the looks are computed here, once per image. False (the image
    // then missing: only the caption is drawn) when the resource is absent or does not decode.
    bool LoadStdImage(unsigned id);
    bool LoadAltImage(unsigned id);
    // The same from an image in memory (a null image clears).
    bool SetStdImage(const QImage& image);
    bool SetAltImage(const QImage& image);
    bool HasStdImage() const { return std_ != nullptr; }
    bool HasAltImage() const { return alt_ != nullptr; }

    // Resizes the button to the standard image (nothing without one).
    void SizeToImage();

    void SetPressed(bool pressed);
    bool IsPressed() const { return pressed_; }
    void SetColorAndRedraw(COLORREF color);
    COLORREF CaptionColor() const { return captionColor_; }

    // Nothing for an empty text; otherwise the tooltip shows text while activate is set.
    void SetToolTipText(const QString& text, bool activate = true);
    QString ToolTipText() const { return toolTipText_; }

    // Behaviour and look, set by the pages.
    void SetRadio(bool on) { radio_ = on; update(); }
    void SetCheck(bool on) { check_ = on; update(); }
    void SetToggle(bool on) { toggle_ = on; update(); }
    void SetDisabledLook(bool on) { disabledLook_ = on; update(); }
    bool IsRadio() const { return radio_; }
    bool IsCheck() const { return check_; }
    bool IsToggle() const { return toggle_; }
    bool HasDisabledLook() const { return disabledLook_; }
    // The disabled look shows while it is set, and whenever the button takes no input (disabled
    // itself or through a parent), however that came about.
    bool ShowsDisabledLook() const { return disabledLook_ || !isEnabled(); }
    // Null: the button's own font, placed by SetCaptionPlacement. A caption in the caption font,
    // or centred in the button's own (then on one line), is laid out on the face of the skin (its
    // smooth middle, inside the rim and the bevel's highlight): its ink at rest centred there with
    // kCaptionSideRoom pixels clear at the sides and kCaptionEndRoom above and below (held, it
    // moves a pixel into that room), in the caption font broken between words where it is too
    // wide, and drawn smaller (down to three quarters of the font) where it has no such room.
    void SetCaptionFont(const QFont* font);
    void SetCaptionPlacement(int placement);  // clamped to 0..2
    // The font the caption is drawn in: the caption font (smaller where it has to be), else the
    // button's own.
    QFont DrawnCaptionFont() const;
    bool HasCaptionFont() const { return captionFont_.has_value(); }  // then centred on the skin
    int CaptionPlacement() const { return placement_; }
    // The width at which the caption stands on one line in the caption font with its room, at
    // the button's height and with the rim its skin has at its width.
    int WidthForCaption() const;

    // The colour of the caption in the disabled look: the system's button-shadow grey where it
    // stands out from the greyed skin under the caption by kDisabledCaptionContrast, else the grey
    // that does on the far side of the skin (dark on a light skin). Fainter than an enabled caption,
    // still readable.
    COLORREF DisabledCaptionColor() const;

    // The glyphs of the caption while the button is held down (at rest they sit a pixel up and
    // left): horizontally the text's advance, vertically its ink. They reach past the button when
    // the caption is too long for it.
    QRect CaptionRect() const;

    bool IsHovering() const { return hover_; }
    // Which image the button shows when not pressed down: the pressed flag of a radio, check
    // or toggle button; the standard image for a plain button.
    bool IsAlternateShown() const;
    // The state the next paint draws.
    int DrawState() const;

signals:
    void clickedId(int id);

protected:
    void paintEvent(QPaintEvent* e) override;
    void nextCheckState() override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    // The hover and disabled looks are derived when first drawn: most buttons are never hovered
    // nor greyed. UI thread only.
    struct Looks {
        QImage normal;
        const QImage& Hover() const;
        const QImage& Grey() const;
        const QImage& Faded() const;

    private:
        mutable std::optional<QImage> hover_, grey_, faded_;
    };
    struct DisabledCaptionKey {
        qint64 skin = 0;  // QImage::cacheKey
        QSize size;
        QRect glyphs;
        bool operator==(const DisabledCaptionKey&) const = default;
    };
    COLORREF WorkOutDisabledCaptionColor(const QImage& skin, const QRect& glyphs) const;
    // Null for a null image.
    static std::shared_ptr<const Looks> MakeLooks(const QImage& image);
    // The looks of a PNG resource, decoded and derived once for every button that shows it.
    // Null when it does not load.
    static const std::shared_ptr<const Looks>& LooksOfResource(unsigned id);
    const QImage* ImageForState(int state) const;
    struct CaptionLayout {
        QFont font;
        QRect rect;
        int flags = 0;
        QString text;
        QRect ink;  // where the glyphs fall
    };
    CaptionLayout LayOutCaption(bool selected) const;
    bool CaptionOnFace() const;
    // The face of the standard image as drawn at the button's size (the whole button without one).
    QRect Face() const;
    // The held caption laid out on the face, worked out again only when the text, the font, the
    // size or the skin changed: it draws the text to find its ink.
    CaptionLayout LayOutOnFace() const;
    struct FaceKey {
        qint64 skin = 0;
        QSize size;
        bool operator==(const FaceKey&) const = default;
    };
    struct FacedCaptionKey {
        QString text;
        QString font;
        QRect face;
        bool operator==(const FacedCaptionKey&) const = default;
    };
    void DrawCaption(QPainter& p, bool selected) const;

    std::shared_ptr<const Looks> std_;
    std::shared_ptr<const Looks> alt_;
    QString toolTipText_;
    std::optional<QFont> captionFont_;
    COLORREF captionColor_ = kImageButtonCaptionDefault;
    int placement_ = kCaptionCentre;
    bool disabledLook_ = false;
    mutable std::optional<std::pair<DisabledCaptionKey, COLORREF>> disabledCaption_;
    mutable std::optional<std::pair<FaceKey, QRect>> face_;
    mutable std::optional<std::pair<FacedCaptionKey, CaptionLayout>> facedCaption_;
    bool toggle_ = false;
    bool hover_ = false;
    bool pressed_ = false;
    bool radio_ = false;
    bool check_ = false;
};
