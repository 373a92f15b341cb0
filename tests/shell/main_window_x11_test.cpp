// The main window on a real X server: it opens at 1280 by 728 with its side buttons, in English
// and after the switch to Chinese. The pictures are written to the build folder for a look.

#include "MainWindowTestSupport.h"

#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "platform/ControlId.h"
#include "platform/Dpi.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/MainWindowIds.h"

#include <QCheckBox>
#include <QDeadlineTimer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWindow>

#include <set>

namespace {

void Settle(QWidget& w)
{
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && !(w.windowHandle() && w.windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Distinct colours inside a rectangle of the picture.
size_t ColourCount(const QImage& image, const QRect& area)
{
    std::set<QRgb> colours;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) colours.insert(image.pixel(x, y));
    return colours.size();
}

// Pixels of the group's title colour where its title stands: the frame is there and nothing covers
// its title.
int TitlePixels(const QImage& image, const KordalDlg& w, int groupId)
{
    const auto* group = FindControlAs<CSxGroupBox>(&w, groupId);
    if (!group || !group->isVisibleTo(&w)) return 0;
    const QRect title = group->Geometry().titleRect.translated(group->pos()).intersected(image.rect());
    const QColor c = ToQColor(group->TitleColor());
    int n = 0;
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) < 60) ++n;
        }
    return n;
}

// Whether two pictures of one size differ visibly: at least 3 % of their pixels by more than 60
// over the three channels.
bool VisiblyDifferent(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull()) return false;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            n += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue()) > 60;
        }
    return n * 100 >= a.width() * a.height() * 3;
}

// A button's edge, its caption blacked out: compares buttons with different captions.
QImage Edge(QImage look)
{
    QPainter(&look).fillRect(look.rect().adjusted(5, 5, -5, -5), Qt::black);
    return look;
}

class MainWindowX11 : public TempAppDirTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(PageTestApplication(), nullptr);
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server (run under xvfb-run -a)";
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        comm::InstallCommLibrary(&recording_);
    }
    void TearDown() override
    {
        comm::InstallCommLibrary(nullptr);
        TempAppDirTest::TearDown();
    }
    comm::RecordingCommLibrary recording_;
};

TEST_F(MainWindowX11, OpensAtDesignSizeWithSideButtonsInEnglishAndChinese)
{
    ASSERT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        << "no font with Chinese glyphs: install fonts-wqy-microhei (scripts/install-deps.sh)";
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));

    KordalDlg w;
    w.move(0, 0);
    w.show();
    Settle(w);
    EXPECT_EQ(g_DpiX, 96);
    EXPECT_EQ(w.size(), QSize(1280, 728));

    const QImage english = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(english.size(), QSize(1280, 728));
    EXPECT_TRUE(english.save(QStringLiteral(SVP_BINARY_DIR "/main_window_english.png")));

    // The side column: buttons with captions, not a flat background.
    const QRect column(w.SideButton(0)->geometry().united(w.SideButton(11)->geometry()));
    EXPECT_GE(column.left(), 0);
    EXPECT_LE(column.right(), 75);
    EXPECT_GT(ColourCount(english, column), 20u);
    // Each side button is painted where it stands (its skin differs from the body).
    const QRect first = w.SideButton(0)->geometry();
    EXPECT_GT(ColourCount(english, first), 8u);
    // The operating area's frame and body are there.
    EXPECT_GT(ColourCount(english, QRect(0, 0, 1280, 728)), 50u);
    // The "Loop-Out" frame and the "Sync Mode" group show their titles.
    EXPECT_GT(TitlePixels(english, w, ctl::main_window::IDC_LOOP_OUT_GROUP), 20);
    EXPECT_GT(TitlePixels(english, w, ctl::main_window::IDC_SYNC_MODE_GROUP), 20);

    SendMsg(&w, WM_LANGUAGE_CHANGE, 1, 0);
    Settle(w);
    ASSERT_EQ(w.SideButton(0)->text(), QString::fromUtf8("图像"));
    const QImage chinese = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(chinese.save(QStringLiteral(SVP_BINARY_DIR "/main_window_chinese.png")));
    EXPECT_EQ(chinese.size(), QSize(1280, 728));
    // The captions changed: the first side button's pixels differ between the two languages.
    EXPECT_NE(english.copy(first), chinese.copy(first));
    EXPECT_GT(ColourCount(chinese, first), 8u);
    EXPECT_GT(TitlePixels(chinese, w, ctl::main_window::IDC_SYNC_MODE_GROUP), 20);
    // The "Loop-Out" frame follows the loop-out source and keeps its place when the window is laid out.
    SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_LOOP_OUT, 5);
    w.resize(1300, 740);
    Settle(w);
    EXPECT_EQ(w.LoopOutGroup()->geometry().center().x(), w.InputIconRects()[5].center().x());
    EXPECT_GT(TitlePixels(w.grab().toImage(), w, ctl::main_window::IDC_LOOP_OUT_GROUP), 20);
    w.close();
}

// The layer rows in the three work modes, in English and Chinese: a pressed button looks different
// from a released one and a greyed one from one that takes clicks, pressed or not.
TEST_F(MainWindowX11, LayerRowsShowPressedAndGreyedButtonsInEveryWorkMode)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    SelectLanguage(QStringLiteral("English"));
    CDeviceData& d = GetDeviceData();
    KordalDlg w;
    w.move(0, 0);
    w.show();
    for (const char* language : {"english", "chinese"}) {
        if (language[0] == 'c') SendMsg(&w, WM_LANGUAGE_CHANGE, 1, 0);
        auto shot = [&](int mode, const char* name) {
            d.pvwMode = static_cast<uint8_t>(mode);
            SendMsg(&w, WM_DEVICE_REPLY, REPLY_WORK_MODE, 0);
            Settle(w);
            const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRect row(0, w.LeftLayerButton(0)->y() - 8, w.width(), w.LeftLayerButton(0)->height() + 16);
            EXPECT_TRUE(image.copy(row).save(QStringLiteral(SVP_BINARY_DIR "/layer_row_%1_%2.png").arg(name, language)));
            return image;
        };
        auto look = [](const QImage& image, CGdipButton* b) { return image.copy(b->geometry()); };
        CGdipButton* left[4] = {w.LeftLayerButton(0), w.LeftLayerButton(1), w.LeftLayerButton(2), w.LeftLayerButton(3)};
        CGdipButton* right3 = w.RightLayerButton(3);

        std::fill(std::begin(d.pgmState), std::end(d.pgmState), 0);
        std::fill(std::begin(d.pvwState), std::end(d.pvwState), 0);
        for (CGdipButton* b : left) b->SetPressed(b == left[0]);
        const QImage released = shot(0, "normal_pip2_off");
        // MAIN is on air and greyed: its edge is not that of the released PIP-1.
        EXPECT_TRUE(VisiblyDifferent(Edge(look(released, left[0])), Edge(look(released, left[1])))) << language;
        left[2]->click();
        const QImage normal = shot(0, "normal");
        EXPECT_TRUE(VisiblyDifferent(look(released, left[2]), look(normal, left[2]))) << language;
        SendMsg(&w, WM_TEST_PATTERN_STATE, 0, 1);
        const QImage locked = shot(0, "normal_locked");
        EXPECT_TRUE(VisiblyDifferent(look(normal, left[2]), look(locked, left[2]))) << language;
        EXPECT_TRUE(VisiblyDifferent(look(normal, left[1]), look(locked, left[1]))) << language;
        SendMsg(&w, WM_TEST_PATTERN_STATE, 0, 0);

        d.pgmState[2] = 1;
        const QImage switcher = shot(1, "switcher");
        // Left row: PIP-2 on program, PIP-3 not, both greyed.
        EXPECT_TRUE(VisiblyDifferent(Edge(look(switcher, left[2])), Edge(look(switcher, left[3])))) << language;
        d.pgmState[3] = 1;
        const QImage onProgram = shot(1, "switcher_pip3_on_program");
        EXPECT_TRUE(VisiblyDifferent(look(switcher, right3), look(onProgram, right3))) << language;

        shot(2, "dual");
        for (int k = 0; k < 4; ++k)
            EXPECT_FALSE(left[k]->isVisibleTo(&w) || w.RightLayerButton(k)->isVisibleTo(&w)) << language << k;
    }
    std::fill(std::begin(d.pgmState), std::end(d.pgmState), 0);
    d.pvwMode = 0;
    w.close();
}

// With "Dual CH." on, the two DP halves share the connector's place: each caption whole, on one line
// (a second line would not fit the button's height).
TEST_F(MainWindowX11, DualDpCaptionsFitInBothLanguages)
{
    ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
    KordalDlg w;
    w.show();
    w.DualChannelBox()->setChecked(true);
    for (WPARAM chinese : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, chinese, 0);
        Settle(w);
        for (const CGdipButton* b : {w.ButtonById(ctl::main_window::IDC_INPUT_DP_L), w.ButtonById(ctl::main_window::IDC_INPUT_DP_R)})
            EXPECT_TRUE(b->isVisible() && b->rect().adjusted(1, 1, -1, -1).contains(b->CaptionRect())) << b->text().toStdString();
        w.grab().toImage().save(QStringLiteral(SVP_BINARY_DIR "/main_window_dual_dp_%1.png").arg(chinese));
    }
}

} // namespace
