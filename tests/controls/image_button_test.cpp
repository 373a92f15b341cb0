// Image button: radio, check and toggle behaviour over repeated clicks, the flag the owner's
// handler sees, draw states, and the hover and disabled looks on rendered pixels.

#include "controls/CGdipButton.h"
#include "platform/ControlId.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "image_button_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

void Press(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Release(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                  Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void DoubleClick(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Click(QWidget* w)
{
    const QPoint c = w->rect().center();
    Press(w, c);
    Release(w, c);
}

QImage Solid(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

const QColor kStdColour(10, 20, 30);
const QColor kAltColour(200, 220, 250);

struct Fixture {
    explicit Fixture(const QString& caption = QString())
    {
        App();
        page = std::make_unique<QWidget>();
        page->resize(300, 200);
        button = new CGdipButton;
        EXPECT_TRUE(button->Create(caption, page.get(), 1060, QRect(10, 10, 60, 30)));
        button->SetStdImage(Solid(40, 20, kStdColour));
        button->SetAltImage(Solid(40, 20, kAltColour));
        button->SizeToImage();
        QObject::connect(button, &CGdipButton::clickedId, [this](int id) {
            ids.push_back(id);
            seen.push_back(button->IsPressed());
        });
        page->show();
    }
    QImage Render() const { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void Hover(bool on) const
    {
        if (on) {
            QEnterEvent e(QPointF(1, 1), QPointF(1, 1), button->mapToGlobal(QPointF(1, 1)));
            QApplication::sendEvent(button, &e);
        } else {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(button, &e);
        }
    }
    std::unique_ptr<QWidget> page;
    CGdipButton* button = nullptr;
    std::vector<int> ids;
    std::vector<bool> seen;  // the pressed flag as the handler saw it
};

TEST(CGdipButton, CreateSizeAndDefaults)
{
    Fixture f;
    EXPECT_EQ(GetControlId(f.button), 1060);
    EXPECT_EQ(GetControlOwner(f.button), f.page.get());
    EXPECT_EQ(f.button->size(), QSize(40, 20));
    EXPECT_EQ(f.button->pos(), QPoint(10, 10));
    EXPECT_EQ(f.button->CaptionColor(), 0x141414u);
    EXPECT_EQ(f.button->CaptionPlacement(), kCaptionCentre);
    EXPECT_FALSE(f.button->IsPressed());
    CGdipButton b;
    EXPECT_FALSE(b.Create(QString(), nullptr, 1, QRect()));
}

TEST(CGdipButton, PlainButtonNotifiesAndKeepsItsFlag)
{
    Fixture f;
    Click(f.button);
    Click(f.button);
    EXPECT_EQ(f.ids, (std::vector<int>{1060, 1060}));
    EXPECT_FALSE(f.button->IsPressed());
    f.button->SetPressed(true);
    Click(f.button);
    EXPECT_TRUE(f.button->IsPressed());
    EXPECT_FALSE(f.button->IsAlternateShown());  // a plain button always shows its standard image
}

TEST(CGdipButton, RadioStaysPressed)
{
    Fixture f;
    f.button->SetRadio(true);
    for (int i = 0; i < 3; ++i)
        Click(f.button);
    EXPECT_TRUE(f.button->IsPressed());
    EXPECT_EQ(f.seen, (std::vector<bool>{true, true, true}));
    EXPECT_EQ(f.button->DrawState(), kStateAltNormal);
}

TEST(CGdipButton, CheckAlternatesAndTheHandlerSeesTheNewFlag)
{
    Fixture f;
    f.button->SetCheck(true);
    for (int i = 0; i < 4; ++i)
        Click(f.button);
    EXPECT_EQ(f.seen, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(f.button->IsPressed());
    EXPECT_EQ(f.button->DrawState(), kStateStdNormal);
}

TEST(CGdipButton, ToggleChangesOncePerPressHoweverOftenItPaints)
{
    Fixture f;
    f.button->SetToggle(true);
    std::vector<bool> maximised;
    QObject::connect(f.button, &QAbstractButton::clicked, [&] { maximised.push_back(f.button->IsPressed()); });
    for (int i = 0; i < 5; ++i) {
        const QPoint c = f.button->rect().center();
        Press(f.button, c);
        // Several paints while held: the flag must not move.
        f.Render();
        f.Render();
        f.button->repaint();
        EXPECT_EQ(f.button->IsPressed(), i % 2 == 1) << i;
        // While held, the toggle shows the image its click will give.
        EXPECT_EQ(f.button->DrawState(), i % 2 == 0 ? kStateAltPressed : kStateStdPressed) << i;
        Release(f.button, c);
    }
    EXPECT_EQ(f.seen, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(maximised, f.seen);
    EXPECT_TRUE(f.button->IsPressed());
}

TEST(CGdipButton, HandlerCanRefuseTheChange)
{
    Fixture f;
    f.button->SetCheck(true);
    QObject::connect(f.button, &CGdipButton::clickedId, [&f](int) { f.button->SetPressed(false); });
    Click(f.button);
    Click(f.button);
    EXPECT_EQ(f.seen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(f.button->IsPressed());
}

TEST(CGdipButton, PressDraggedOutIsNoClick)
{
    Fixture f;
    f.button->SetCheck(true);
    Press(f.button, f.button->rect().center());
    EXPECT_EQ(f.button->DrawState(), kStateStdPressed);
    Release(f.button, QPoint(-50, -50));
    EXPECT_FALSE(f.button->IsPressed());
    EXPECT_TRUE(f.ids.empty());
}

TEST(CGdipButton, DoubleClickCountsTwice)
{
    Fixture f;
    f.button->SetCheck(true);
    const QPoint c = f.button->rect().center();
    Press(f.button, c);
    Release(f.button, c);
    DoubleClick(f.button, c);
    Release(f.button, c);
    EXPECT_EQ(f.ids.size(), 2u);
    EXPECT_FALSE(f.button->IsPressed());
}

TEST(CGdipButton, KeyboardClickChangesTheFlagToo)
{
    Fixture f;
    f.button->SetCheck(true);
    f.button->click();
    EXPECT_TRUE(f.button->IsPressed());
    EXPECT_EQ(f.seen, (std::vector<bool>{true}));
}

TEST(CGdipButton, DrawStates)
{
    Fixture f;
    EXPECT_EQ(f.button->DrawState(), kStateStdNormal);
    f.Hover(true);
    EXPECT_TRUE(f.button->IsHovering());
    EXPECT_EQ(f.button->DrawState(), kStateStdHover);
    f.button->SetCheck(true);
    f.button->SetPressed(true);
    EXPECT_TRUE(f.button->IsAlternateShown());
    EXPECT_EQ(f.button->DrawState(), kStateAltHover);
    f.Hover(false);
    EXPECT_EQ(f.button->DrawState(), kStateAltNormal);
    f.button->setDown(true);
    EXPECT_EQ(f.button->DrawState(), kStateAltPressed);
    f.button->setDown(false);
    f.button->SetDisabledLook(true);
    EXPECT_EQ(f.button->DrawState(), kStateDisabledLook);
}

TEST(ImageButtonLooks, PixelTransforms)
{
    // 1.05 x c + 12.75, rounded, at most 255.
    EXPECT_EQ(BrightenPixel(qRgba(10, 20, 30, 255)), qRgba(23, 34, 44, 255));
    EXPECT_EQ(BrightenPixel(qRgba(200, 220, 250, 77)), qRgba(223, 244, 255, 77));
    EXPECT_EQ(BrightenPixel(qRgba(0, 0, 0, 0)), qRgba(13, 13, 13, 0));
    // 0.3 R + 0.59 G + 0.11 B.
    EXPECT_EQ(GreyPixel(qRgba(10, 20, 30, 255)), qRgba(18, 18, 18, 255));
    EXPECT_EQ(GreyPixel(qRgba(200, 220, 250, 9)), qRgba(217, 217, 217, 9));
    EXPECT_EQ(GreyPixel(qRgba(255, 255, 255, 255)), qRgba(255, 255, 255, 255));
    EXPECT_TRUE(BrightenedImage(QImage()).isNull());
}

TEST(ImageButtonLooks, RenderedPixels)
{
    Fixture f;
    const QPoint corner(2, 2);
    EXPECT_EQ(f.Render().pixelColor(corner), kStdColour);
    f.Hover(true);
    EXPECT_EQ(f.Render().pixelColor(corner), QColor(23, 34, 44));
    f.Hover(false);
    EXPECT_EQ(f.Render().pixelColor(corner), kStdColour);

    f.button->SetRadio(true);
    f.button->SetPressed(true);
    EXPECT_EQ(f.Render().pixelColor(corner), kAltColour);
    f.Hover(true);  // alternate image, brightened
    EXPECT_EQ(f.Render().pixelColor(corner), QColor(223, 244, 255));
    f.Hover(false);

    f.button->SetDisabledLook(true);  // pressed: the alternate image halfway to its grey, dimmed
    EXPECT_EQ(f.Render().pixelColor(corner), QColor(121, 126, 133));
    f.button->SetPressed(false);  // not pressed: the standard image in grey, dimmed
    EXPECT_EQ(f.Render().pixelColor(corner), QColor(25, 25, 25));
}

TEST(ImageButtonLooks, ResourceImagesLoadAndDraw)
{
    App();
    QWidget page;
    auto* b = new CGdipButton(&page);
    ASSERT_TRUE(b->LoadStdImage(113));
    ASSERT_TRUE(b->LoadAltImage(114));
    b->SizeToImage();
    EXPECT_EQ(b->size(), QSize(96, 32));
    CGdiPlusBitmapResource std;
    ASSERT_TRUE(std.Load(113));
    const QImage straight = std.Bitmap().convertToFormat(QImage::Format_ARGB32);
    // An opaque pixel of the picture shows as is, brightened on hover.
    QPoint opaque(-1, -1);
    for (int y = 0; y < straight.height() && opaque.x() < 0; ++y)
        for (int x = 0; x < straight.width(); ++x)
            if (qAlpha(straight.pixel(x, y)) == 255) {
                opaque = QPoint(x, y);
                break;
            }
    ASSERT_GE(opaque.x(), 0);
    const QRgb src = straight.pixel(opaque);
    EXPECT_EQ(b->grab().toImage().pixel(opaque) & 0xFFFFFF, src & 0xFFFFFF);
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(b, &e);
    EXPECT_EQ(b->grab().toImage().pixel(opaque) & 0xFFFFFF, BrightenPixel(src) & 0xFFFFFF);

    EXPECT_FALSE(b->LoadStdImage(99999));  // no such resource: the image goes
    EXPECT_FALSE(b->HasStdImage());
    b->resize(10, 10);
    b->SizeToImage();  // nothing without a standard image
    EXPECT_EQ(b->size(), QSize(10, 10));
}

TEST(ImageButtonCaption, EmptyCaptionDrawsNoText)
{
    Fixture plain;
    Fixture titled(QStringLiteral("MMMM"));
    for (int step = 0; step < 4; ++step) {
        for (Fixture* f : {&plain, &titled}) {
            f->button->SetCheck(true);
            f->button->SetPressed(step >= 1);
            f->button->setDown(step == 2);
            f->button->SetDisabledLook(step == 3);
        }
        const QImage img = plain.Render();
        const QColor fill = img.pixelColor(0, 0);
        int differing = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                differing += img.pixelColor(x, y) != fill;
        EXPECT_EQ(differing, 0) << step;
        EXPECT_NE(titled.Render(), img) << step;  // a caption does draw
    }
}

int CountColour(const QImage& img, QColor c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == c;
    return n;
}

TEST(ImageButtonCaption, ColourPlacementAndEmboss)
{
    Fixture f(QStringLiteral("MM"));
    f.button->SetStdImage(Solid(60, 40, QColor(0, 0, 0)));
    f.button->SizeToImage();
    // Bold and large enough that strokes have fully covered pixels.
    QFont bold(QStringLiteral("Liberation Sans"));
    bold.setPixelSize(16);
    bold.setBold(true);
    f.button->setFont(bold);
    f.button->SetColorAndRedraw(kColorAccent);
    QImage img = f.Render();
    EXPECT_GT(CountColour(img, ToQColor(kColorAccent)), 0);
    // Top placement: no caption pixel in the lower half.
    f.button->SetCaptionPlacement(kCaptionTop);
    img = f.Render();
    EXPECT_EQ(CountColour(img.copy(0, 20, 60, 20), ToQColor(kColorAccent)), 0);
    EXPECT_GT(CountColour(img.copy(0, 0, 60, 20), ToQColor(kColorAccent)), 0);
    f.button->SetCaptionPlacement(kCaptionBottom);
    img = f.Render();
    EXPECT_EQ(CountColour(img.copy(0, 0, 60, 20), ToQColor(kColorAccent)), 0);
    f.button->SetCaptionPlacement(9);
    EXPECT_EQ(f.button->CaptionPlacement(), kCaptionBottom);

    // The disabled look embosses the caption: dark shadow and the button-shadow colour.
    f.button->SetCaptionPlacement(kCaptionCentre);
    f.button->SetDisabledLook(true);
    img = f.Render();
    EXPECT_EQ(CountColour(img, ToQColor(kColorAccent)), 0);
    EXPECT_GT(CountColour(img, ToQColor(kImageButtonEmbossDark)), 0);
    EXPECT_GT(CountColour(img, ToQColor(kColorBtnShadow)), 0);

    // With a caption font the text is centred (and may have several lines).
    f.button->SetDisabledLook(false);
    QFont big = bold;
    big.setPixelSize(14);
    f.button->SetCaptionFont(&big);
    f.button->setText(QStringLiteral("A\nB"));
    img = f.Render();
    EXPECT_GT(CountColour(img, ToQColor(kColorAccent)), 0);
}

TEST(ImageButtonCaption, PressedCaptionSitsOnePixelLowerRight)
{
    Fixture f(QStringLiteral("I"));
    f.button->SetStdImage(Solid(60, 40, QColor(0, 0, 0)));
    f.button->SizeToImage();
    f.button->SetColorAndRedraw(0xFFFFFF);
    const QImage up = f.Render();
    f.button->setDown(true);
    const QImage down = f.Render();
    EXPECT_EQ(down.copy(1, 1, 59, 39), up.copy(0, 0, 59, 39));
}

TEST(CGdipButton, ToolTips)
{
    Fixture f;
    f.button->SetToolTipText(QString());
    EXPECT_TRUE(f.button->toolTip().isEmpty());
    f.button->SetToolTipText(QStringLiteral("Close"));
    EXPECT_EQ(f.button->toolTip(), QStringLiteral("Close"));
    f.button->SetToolTipText(QStringLiteral("Close"), false);
    EXPECT_TRUE(f.button->toolTip().isEmpty());
    EXPECT_EQ(f.button->ToolTipText(), QStringLiteral("Close"));
    f.button->SetToolTipText(QString());  // empty text leaves it as it is
    EXPECT_EQ(f.button->ToolTipText(), QStringLiteral("Close"));
}

} // namespace
