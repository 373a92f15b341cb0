// The layout canvas driven with the mouse and keys as an operator would (QTest), on a plain host
// window that records what the canvas posts to it.
#include "StubDecoder.h"
#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"
#include "preview/CPictureCtrl.h"
#include "preview/OperatingRules.h"
#include "preview/SdlVideoWidget.h"
#include "preview/TtfLibrary.h"
#include "preview/VideoChannelSet.h"

#include <QApplication>
#include <QDataStream>
#include <QKeyEvent>
#include <QTest>

#include <gtest/gtest.h>

using cellgeo::CellRect;

namespace cellgeo {
void PrintTo(const CellRect& r, std::ostream* os)
{
    *os << ToString(r);
}
}  // namespace cellgeo

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "picture_ctrl_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

struct Posted {
    unsigned msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Stands where the operating page stands.
class Host : public MessageReceiver<QWidget> {
public:
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant&) override
    {
        posted.push_back({msg, wParam, lParam});
        return 0;
    }
    std::vector<Posted> Of(unsigned msg) const
    {
        std::vector<Posted> out;
        for (const Posted& p : posted)
            if (p.msg == msg) out.push_back(p);
        return out;
    }
    std::vector<Posted> posted;
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
};

const CellRect kOutput1{125, 198, 2045, 1278};
const CellRect kOutput2{2045, 198, 3965, 1278};
// Where AtScale puts the main cell: room to drag 40 pixels every way at every scale used.
const CellRect kMainStart{625, 548, 1425, 948};

class PictureCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        host.resize(1000, 700);
        canvas = new CPictureCtrl(&host);
        canvas->setGeometry(0, 0, 1000, 700);
        canvas->gridOn = 1;
        canvas->resizeSnap = 0;
        // Output 1 as the normal work mode shows it (active: not clickable, a dotted frame);
        // output 2 as a plain output that can be moved.
        out1 = canvas->AddFixedCell({10, 10, 10, 10}, "OUTPUT:DVI-1", kOutput1.left, kOutput1.top, 1);
        out1->state = 1;
        out1->frameOnly = 1;
        out2 = canvas->AddFixedCell({10, 10, 10, 10}, "OUTPUT:DVI-2", kOutput2.left, kOutput2.top, 2);
        main = AddLayer(0, {200, 100, 1200, 700});
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        host.posted.clear();
    }

    // A layer cell at output-relative geometry r inside output 1.
    CCell* AddLayer(int layer, const CellRect& r)
    {
        CCell* cell = canvas->AddLayerCell(r.Width(), r.Height(), r.left, r.top, "Main : DVI-1", layer, 0);
        canvas->MoveCellBy(cell, kOutput1);
        canvas->PlaceCellWindow(cell->outputRect, cell);
        return cell;
    }

    static QPoint Centre(const CCell* c) { return QPoint((c->rect.left + c->rect.right) / 2, (c->rect.top + c->rect.bottom) / 2); }

    void Click(QPoint at, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(canvas, Qt::LeftButton, mods, at);
        QCoreApplication::processEvents();
    }

    // From one point to another in equal mouse moves, as a hand moves the mouse.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}, int moves = 1)
    {
        QTest::mousePress(canvas, Qt::LeftButton, mods, from);
        for (int i = 1; i <= moves; ++i) QTest::mouseMove(canvas, from + (to - from) * i / moves);
        QTest::mouseRelease(canvas, Qt::LeftButton, mods, to);
        QCoreApplication::processEvents();
    }

    // Every scale pair at (sx, sy), the cells placed again and main back at kMainStart.
    void AtScale(double sx, double sy)
    {
        canvas->scaleX = canvas->fixedScaleX = canvas->layerScaleX = sx;
        canvas->scaleY = canvas->fixedScaleY = canvas->layerScaleY = sy;
        for (CCell* c : canvas->Cells())
            if (!c->fixed) canvas->MoveCellBy(c, kOutput1);
        main->outputRect = kMainStart;
        canvas->RelayoutCells();
    }

    struct AppFirst {
        AppFirst() { App(); }
    } appFirst;
    Host host;
    CPictureCtrl* canvas = nullptr;
    CCell* out1 = nullptr;
    CCell* out2 = nullptr;
    CCell* main = nullptr;
};

}  // namespace

TEST_F(PictureCtrlTest, CellsAreMappedAndOrderedByLayerWithFixedCellsAtTheTail)
{
    EXPECT_EQ(out1->rect, (CellRect{21, 33, 341, 213}));
    EXPECT_EQ(out2->rect, (CellRect{341, 33, 661, 213}));
    EXPECT_EQ(main->outputRect, (CellRect{325, 298, 1325, 898}));
    EXPECT_EQ(main->limitRect, out1->rect);
    EXPECT_EQ(main->rect, (CellRect{54, 50, 221, 150}));
    CCell* pip2 = AddLayer(2, {0, 0, 100, 100});
    CCell* pip1 = AddLayer(1, {0, 0, 100, 100});
    EXPECT_EQ(canvas->AddLayerCell(10, 10, 0, 0, "again", 1, 0), nullptr);
    const QList<CCell*> expected{main, pip1, pip2, out1, out2};
    EXPECT_EQ(canvas->Cells(), expected);
    canvas->RemoveLayerCells();
    EXPECT_EQ(canvas->Cells(), (QList<CCell*>{out1, out2}));
}

TEST_F(PictureCtrlTest, AMovePostsOneChangeShiftedByTheScale)
{
    const CellRect before = main->outputRect;
    const QPoint from = Centre(main);
    Drag(from, from + QPoint(10, 5));
    const auto selectedPosts = host.Of(WM_CELL_SELECTED);
    ASSERT_EQ(selectedPosts.size(), 1u);
    EXPECT_EQ(selectedPosts[0].wParam, reinterpret_cast<WPARAM>(main));
    const auto changes = host.Of(WM_CELL_CHANGED);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WPARAM>(main));
    EXPECT_EQ(changes[0].lParam, 0);
    EXPECT_EQ(main->outputRect, cellgeo::Offset(before, 60, 30));
    EXPECT_EQ(main->rect, (CellRect{64, 55, 231, 155}));
    EXPECT_TRUE(main->IsSelected());
    EXPECT_EQ(canvas->Selected(), main);
    EXPECT_EQ(canvas->DragMode(), CPictureCtrl::kDragNone);
}

TEST_F(PictureCtrlTest, AMoveStaysInsideTheLimitAndReachesItsEdgesExactly)
{
    // Far to the top-left: the point is held 10 pixels outside the limit and the cell stops on
    // the limit's corner, which in output pixels is the output's corner.
    const QPoint from = Centre(main);
    Drag(from, QPoint(1, 1));
    EXPECT_EQ(main->rect, (CellRect{21, 33, 188, 133}));
    EXPECT_EQ(main->outputRect, (CellRect{125, 198, 1125, 798}));
    host.posted.clear();
    // Far to the bottom-right.
    Drag(Centre(main), QPoint(990, 690));
    EXPECT_EQ(main->rect, (CellRect{174, 113, 341, 213}));
    EXPECT_EQ(main->outputRect, (CellRect{1045, 678, 2045, 1278}));
    EXPECT_EQ(host.Of(WM_CELL_CHANGED).size(), 1u);
}

TEST_F(PictureCtrlTest, AClickWithoutMovementPostsNoChange)
{
    const CellRect before = main->outputRect;
    Click(Centre(main));
    QCoreApplication::processEvents();
    EXPECT_EQ(host.Of(WM_CELL_SELECTED).size(), 1u);
    EXPECT_TRUE(host.Of(WM_CELL_CHANGED).empty());
    EXPECT_EQ(main->outputRect, before);
}

TEST_F(PictureCtrlTest, ResizingTheRightEdgeKeepsTheMinimumWidthAndCommitsTheExactEdges)
{
    const CellRect before = main->outputRect;
    const int y = Centre(main).y();
    // The right edge zone (its last pixel column), dragged 30 pixels right.
    Drag(QPoint(main->rect.right - 1, y), QPoint(main->rect.right + 29, y));
    EXPECT_EQ(main->rect, (CellRect{54, 50, 250, 150}));
    EXPECT_EQ(main->outputRect, (CellRect{before.left, before.top, before.right + 29 * 6, before.bottom}));
    ASSERT_EQ(host.Of(WM_CELL_CHANGED).size(), 1u);
    // Then far past the left edge: 8 pixels wide, the left edge where it was.
    Drag(QPoint(main->rect.right - 1, y), QPoint(0, y));
    EXPECT_EQ(main->rect, (CellRect{54, 50, 62, 150}));
    EXPECT_EQ(main->outputRect.left, before.left);
}

TEST_F(PictureCtrlTest, AFixedCellMovesButDoesNotResize)
{
    const CellRect before = out2->rect;
    // Its right edge: refused, nothing posted.
    Drag(QPoint(before.right - 2, 120), QPoint(before.right + 40, 120));
    EXPECT_EQ(out2->rect, before);
    EXPECT_TRUE(host.Of(WM_CELL_CHANGED).empty());
    // Its interior: it moves, and the change says it is fixed.
    Drag(QPoint(500, 120), QPoint(520, 140));
    EXPECT_EQ(out2->rect, cellgeo::Offset(before, 20, 20));
    const auto changes = host.Of(WM_CELL_CHANGED);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WPARAM>(out2));
    EXPECT_EQ(changes[0].lParam, 1);
}

TEST_F(PictureCtrlTest, ClickGating)
{
    // An active output is never picked: a click on it where no layer cell is selects nothing.
    Click(QPoint(30, 200));
    EXPECT_TRUE(host.Of(WM_CELL_SELECTED).empty());
    EXPECT_EQ(canvas->Selected(), nullptr);
    // A cell drawn at its alternative rectangle with tag 0 ignores clicks.
    out2->useAltRect = 1;
    Click(QPoint(500, 120));
    EXPECT_TRUE(host.Of(WM_CELL_SELECTED).empty());
    out2->tag = 7;
    Click(QPoint(500, 120));
    EXPECT_EQ(host.Of(WM_CELL_SELECTED).size(), 1u);
    // A layer cell with state set is selected but not dragged.
    host.posted.clear();
    main->state = 1;
    const CellRect before = main->rect;
    Drag(Centre(main), Centre(main) + QPoint(20, 20));
    EXPECT_EQ(main->rect, before);
    EXPECT_TRUE(host.Of(WM_CELL_CHANGED).empty());
}

TEST_F(PictureCtrlTest, CtrlClickTogglesThePickedCellAndIsHarmlessOnEmptyCanvas)
{
    Click(Centre(main), Qt::ControlModifier);
    EXPECT_TRUE(main->IsSelected());
    EXPECT_EQ(canvas->Selected(), nullptr);
    Click(Centre(main), Qt::ControlModifier);
    EXPECT_FALSE(main->IsSelected());
    // Empty canvas: no cell to toggle.
    Click(QPoint(900, 600), Qt::ControlModifier);
    for (const CCell* c : canvas->Cells()) EXPECT_FALSE(c->IsSelected());
    EXPECT_TRUE(host.posted.empty());
    // A plain click on empty canvas clears every selected bit.
    main->SetSelected(true);
    Click(QPoint(900, 600));
    EXPECT_FALSE(main->IsSelected());
}

TEST_F(PictureCtrlTest, DoubleClickGrowsToTheOutputAndASecondOneRestores)
{
    const CellRect rectBefore = main->rect;
    const CellRect outputBefore = main->outputRect;
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, Centre(main));
    QCoreApplication::processEvents();
    EXPECT_EQ(main->rect, out1->rect);
    EXPECT_EQ(main->outputRect, kOutput1);
    auto changes = host.Of(WM_CELL_CHANGED);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].wParam, reinterpret_cast<WPARAM>(main));
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, Centre(main));
    QCoreApplication::processEvents();
    EXPECT_EQ(main->rect, rectBefore);
    EXPECT_EQ(main->outputRect, outputBefore);
    EXPECT_EQ(host.Of(WM_CELL_CHANGED).size(), 2u);
}

TEST_F(PictureCtrlTest, DoubleClickIsOnlyForVisibleLayerCellsWithStateClear)
{
    main->state = 1;
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, Centre(main));
    EXPECT_NE(main->rect, out1->rect);
    main->state = 0;
    // A cell that already fills its output and has nothing saved stays.
    canvas->PlaceCellWindow(kOutput1, main);
    main->savedRect = {};
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, Centre(main));
    QCoreApplication::processEvents();
    EXPECT_EQ(main->outputRect, kOutput1);
    EXPECT_TRUE(host.Of(WM_CELL_CHANGED).empty());
}

TEST_F(PictureCtrlTest, AMoveSnapsCornerToCornerInOutputPixels)
{
    // A second layer cell whose output edges are not multiples of the scale.
    CCell* pip = AddLayer(1, {1275, 802, 1675, 1002});  // output {1400, 1000, 1800, 1200}
    ASSERT_EQ(pip->outputRect, (CellRect{1400, 1000, 1800, 1200}));
    ASSERT_EQ(pip->rect, (CellRect{233, 167, 300, 200}));
    const QPoint from = Centre(main);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    // Bottom-right one pixel short of the other cell's top-left.
    QTest::mouseMove(canvas, from + QPoint(11, 16));
    EXPECT_EQ(canvas->SnapMode(), cellgeo::kSnapTopLeft);
    EXPECT_EQ(canvas->SnapRect(), pip->rect);
    EXPECT_EQ(main->rect.right, pip->rect.left);
    EXPECT_EQ(main->rect.bottom, pip->rect.top);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(11, 16));
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas->SnapMode(), cellgeo::kSnapNone);
    EXPECT_EQ(main->outputRect, (CellRect{400, 400, 1400, 1000}));
    EXPECT_EQ(host.Of(WM_CELL_CHANGED).size(), 1u);
}

TEST_F(PictureCtrlTest, DragsInSmallStepsAtFractionalScalesCommitWhereTheCellIsDrawn)
{
    const auto switcher = oprules::TwoAreaScale(oprules::kWorkSwitcher, 1280, 728, 1920, 1080);
    const auto dual = oprules::TwoAreaScale(oprules::kWorkDual, 1280, 728, 1920, 1080);
    ASSERT_TRUE(switcher && dual);
    // One Ctrl+wheel notch either way, a far zoom, the switcher and the dual-mode scales.
    const oprules::TwoAreaScales scales[] = {{5.5, 5.5}, {6.5, 6.5}, {3.5, 3.5}, *switcher, *dual};
    // The zone grabbed and one mouse move of a drag of 40.
    const struct {
        int zone;
        QPoint step;
    } drags[] = {
        {cellgeo::kZoneInterior, {1, 0}}, {cellgeo::kZoneInterior, {-1, 1}}, {cellgeo::kZoneRight, {1, 0}},
        {cellgeo::kZoneLeft, {-1, 0}},    {cellgeo::kZoneBottom, {0, 1}},     {cellgeo::kZoneTop, {0, -1}},
        {cellgeo::kZoneBottomRight, {1, 1}}, {cellgeo::kZoneTopLeft, {-1, -1}},
    };
    for (const auto& s : scales)
        for (const auto& d : drags) {
            SCOPED_TRACE(testing::Message() << "scale " << s.x << " x " << s.y << ", zone " << d.zone);
            AtScale(s.x, s.y);
            const CellRect h = cellgeo::HandleRect(main->rect, d.zone);
            const QPoint from((h.left + h.right) / 2, (h.top + h.bottom) / 2);
            Drag(from, from + d.step * 40, {}, 40);
            const CellRect drawn = canvas->CanvasToOutput(main->rect);
            const CellRect& out = main->outputRect;
            const bool move = d.zone == cellgeo::kZoneInterior;
            const cellgeo::ZoneEdges e = move ? cellgeo::ZoneEdges{true, true, true, true} : cellgeo::EdgesOfZone(d.zone);
            // A moved edge within one scale step of where it is drawn; an edge not dragged exact.
            auto check = [](bool moved, int32_t edge, int32_t drawnEdge, int32_t startEdge, double scale) {
                if (moved) {
                    EXPECT_LE(std::abs(edge - drawnEdge), scale) << edge << " drawn at " << drawnEdge;
                } else {
                    EXPECT_EQ(edge, startEdge);
                }
            };
            check(e.left, out.left, drawn.left, kMainStart.left, s.x);
            check(e.right, out.right, drawn.right, kMainStart.right, s.x);
            check(e.top, out.top, drawn.top, kMainStart.top, s.y);
            check(e.bottom, out.bottom, drawn.bottom, kMainStart.bottom, s.y);
            if (move) {
                EXPECT_EQ(out.Width(), kMainStart.Width());
            }
        }
}

TEST_F(PictureCtrlTest, FlushAndSnappedEdgesCommitTheirExactValuesAtFractionalScales)
{
    CCell* pip = AddLayer(1, {1375, 850, 1775, 1050});  // output {1500, 1048, 1900, 1248}
    for (double s : {5.5, 6.5, 3.5}) {
        SCOPED_TRACE(s);
        AtScale(s, s);
        // Against the limit's right edge, and the left edge past the limit's: the output's edges.
        Drag(Centre(main), Centre(main) + QPoint(400, 0), {}, 100);
        EXPECT_EQ(main->outputRect.right, kOutput1.right);
        EXPECT_EQ(main->outputRect.Width(), kMainStart.Width());
        const int y = Centre(main).y();
        Drag(QPoint(main->rect.left + 1, y), QPoint(0, y), {}, 100);
        EXPECT_EQ(main->outputRect.left, kOutput1.left);
        EXPECT_EQ(main->outputRect.right, kOutput1.right);
        // Bottom-right onto the other cell's top-left, one pixel at a time: adjoining exactly.
        AtScale(s, s);
        const int gapX = pip->rect.left - main->rect.right, gapY = pip->rect.top - main->rect.bottom;
        ASSERT_GT(gapX, 2);
        ASSERT_GT(gapY, 2);
        Drag(Centre(main), Centre(main) + QPoint(gapX - 1, 0), {}, gapX - 1);
        Drag(Centre(main), Centre(main) + QPoint(0, gapY - 1), {}, gapY - 1);
        EXPECT_EQ(main->outputRect, cellgeo::Offset(kMainStart, 1500 - kMainStart.right, 1048 - kMainStart.bottom));
    }
}

TEST_F(PictureCtrlTest, ResizeSnapPutsAnEdgeWithinTwoOutputPixelsOnTheOutputEdge)
{
    // An output right edge that a 6-pixel step leaves 2 pixels short of the output's.
    main->outputRect.right = 1329;
    const int y = Centre(main).y();
    Drag(QPoint(220, y), QPoint(340, y));
    EXPECT_EQ(main->rect.right, 340);
    EXPECT_EQ(main->outputRect.right, 2043);
    Drag(QPoint(339, y), QPoint(221, y));
    EXPECT_EQ(main->outputRect.right, 1329);
    canvas->resizeSnap = 1;
    Drag(QPoint(220, y), QPoint(340, y));
    EXPECT_EQ(main->rect.right, 340);
    EXPECT_EQ(main->outputRect.right, 2045);
    EXPECT_EQ(host.Of(WM_CELL_CHANGED).size(), 3u);
}

TEST_F(PictureCtrlTest, EnterAndEscapeStopAtTheCanvas)
{
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_Return);
    QTest::keyClick(canvas, Qt::Key_Enter);
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_EQ(host.keys, 0);
    QTest::keyClick(canvas, Qt::Key_A);
    EXPECT_EQ(host.keys, 1);
}

TEST_F(PictureCtrlTest, TheMenuCommandPostsTheCanvasMenuMessage)
{
    canvas->OnMenuCommand(1);
    canvas->OnMenuCommand(CPictureCtrl::kMenuTopSetting);
    QCoreApplication::processEvents();
    ASSERT_EQ(host.Of(WM_CANVAS_MENU).size(), 1u);
    EXPECT_EQ(host.Of(WM_CANVAS_MENU)[0].wParam, 0u);
    EXPECT_EQ(host.Of(WM_CANVAS_MENU)[0].lParam, 0);
}

TEST_F(PictureCtrlTest, SelectCellMovesTheSelectedBit)
{
    canvas->SelectCell(main);
    EXPECT_TRUE(main->IsSelected());
    canvas->SelectCell(out2);
    EXPECT_FALSE(main->IsSelected());
    EXPECT_TRUE(out2->IsSelected());
    canvas->SelectCell(nullptr);
    EXPECT_FALSE(out2->IsSelected());
    EXPECT_TRUE(canvas->HasCell(main));
    EXPECT_FALSE(canvas->HasCell(nullptr));
}

TEST_F(PictureCtrlTest, LayerCellsAttachToChannelZeroAndDetachWhenRemoved)
{
    VideoChannelSet channels(stub::Api());
    canvas->channel = &channels;
    struct Unhook {
        CPictureCtrl* c;
        ~Unhook() { c->channel = nullptr; }
    } unhook{canvas};
    canvas->videoOn = true;
    CCell* pip = AddLayer(1, {0, 0, 400, 300});
    ASSERT_NE(pip->Window(), nullptr);
    EXPECT_FALSE(pip->IsWindowShown());
    EXPECT_EQ(pip->attached.load(), 0);
    canvas->AttachCellToVideoChannel(pip);
    canvas->AttachCellToVideoChannel(pip);
    EXPECT_EQ(pip->attached.load(), 1);
    EXPECT_TRUE(pip->IsWindowShown());
    EXPECT_EQ(channels.Channel(0)->TargetCount(), 1);
    // The window follows the cell.
    canvas->PlaceCellWindow({125, 198, 725, 498}, pip);
    EXPECT_EQ(pip->Window()->geometry(), QRect(21, 33, 100, 50));
    // A hidden cell hides its window.
    pip->SetHidden(true);
    EXPECT_FALSE(pip->IsWindowShown());
    canvas->RemoveLayerCells();
    EXPECT_EQ(channels.Channel(0)->TargetCount(), 0);
}

TEST_F(PictureCtrlTest, PaintingShowsTheGridLabelsAndFrames)
{
    canvas->SelectCell(main);
    main->secondText = "second";
    main->secondTextFlag = 1;
    // A second layer cell overlapping the first: the overlap is outlined.
    CCell* small = AddLayer(1, {900, 500, 1500, 900});
    canvas->twoArea = false;
    QImage image(canvas->size(), QImage::Format_RGB32);
    canvas->render(&image);
    // A cell too small for its lines in the canvas font still shows each whole: no white ink in
    // the last column or row inside its frame.
    int cut = 0;
    for (int y = small->rect.top + 1; y < small->rect.bottom - 1; ++y) cut += image.pixelColor(small->rect.right - 2, y).lightness() > 128;
    for (int x = small->rect.left + 1; x < small->rect.right - 1; ++x) cut += image.pixelColor(x, small->rect.bottom - 2).lightness() > 128;
    EXPECT_EQ(cut, 0);
    // A grid point (white) on the lattice, black between them.
    EXPECT_EQ(image.pixelColor(400, 400), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(401, 400), QColor(0, 0, 0));
    // The selected layer cell's frame is red; the movable output's blue fill and silver frame.
    EXPECT_EQ(image.pixelColor(main->rect.left, Centre(main).y()), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(out2->rect.left, 150), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(out2->rect.left + 100, 190), QColor(0, 77, 235));
    // For a look: the layout as the operator sees it.
    image.save(QStringLiteral(SVP_BINARY_DIR "/canvas_layout.png"));
    EXPECT_EQ(main->posText, "Pos:[200,100]");
    EXPECT_EQ(main->sizeText, "Size:[1000,600]");
    // PREVIEW and PROGRAM halves.
    canvas->twoArea = true;
    canvas->gridOn = 0;
    canvas->render(&image);
    EXPECT_EQ(image.pixelColor(990, 680), QColor(64, 64, 64));
    EXPECT_EQ(image.pixelColor(5, 40), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(5, 400), QColor(255, 0, 0));
    image.save(QStringLiteral(SVP_BINARY_DIR "/canvas_two_areas.png"));
}

TEST(VideoCell, StoredCellsNeverCarryTheSelectedBitAndShortReadsFail)
{
    App();
    CCell cell;
    cell.rect = {1, 2, 3, 4};
    cell.tag = 0x1234;
    cell.SetSelected(true);
    cell.SetHidden(true);
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        cell.Store(out);
    }
    EXPECT_FALSE(cell.IsSelected());
    ASSERT_EQ(bytes.size(), 22);
    EXPECT_EQ(bytes.mid(0, 4), QByteArray("\x01\x00\x00\x00", 4));
    EXPECT_EQ(bytes.mid(16, 4), QByteArray("\x02\x00\x00\x00", 4));
    EXPECT_EQ(bytes.mid(20, 2), QByteArray("\x34\x12", 2));
    CCell loaded;
    QDataStream in(bytes);
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(loaded.rect, cell.rect);
    EXPECT_TRUE(loaded.IsHidden());
    EXPECT_EQ(loaded.tag, 0x1234);
    CCell shortOne;
    QDataStream shortIn(bytes.left(10));
    EXPECT_FALSE(shortOne.Load(shortIn));
}

TEST(VideoCell, CropRectIsExactlyTheRectangleAskedFor)
{
    CCell cell;
    cell.SetTextureRects(352, 240);
    // Sizes for which the single-precision formula fell one pixel short.
    for (int w : {176, 177, 351, 352, 1919})
        for (int h : {120, 121, 239, 1079}) {
            cell.SetCropRect({0, 0, 2 * w, 2 * h}, {w, h, 2 * w, 2 * h});
            const SDL_Rect src = cell.SourceRect();
            EXPECT_EQ(src.x, w);
            EXPECT_EQ(src.y, h);
            EXPECT_EQ(src.w, w);
            EXPECT_EQ(src.h, h);
        }
    // A degenerate reference changes nothing.
    cell.SetCropRect({0, 0, 0, 10}, {1, 1, 2, 2});
    EXPECT_EQ(cell.SourceRect().w, 1919);
}

TEST(VideoCell, ClampAndMoveUseTheLimitOrTheBounds)
{
    CCell cell;
    cell.rect = {10, 10, 60, 40};
    const CellRect bounds{0, 0, 300, 200};
    EXPECT_TRUE(cell.MoveTo(bounds, {20, 20, 70, 50}));
    EXPECT_EQ(cell.rect, (CellRect{20, 20, 70, 50}));
    // Refused: negative, or past the bounds.
    EXPECT_FALSE(cell.MoveTo(bounds, {-1, 20, 49, 50}));
    EXPECT_FALSE(cell.MoveTo(bounds, {260, 20, 310, 50}));
    cell.limitRect = {100, 100, 200, 150};
    EXPECT_FALSE(cell.MoveTo(bounds, {20, 20, 70, 50}));  // the same rectangle
    EXPECT_TRUE(cell.MoveTo(bounds, {25, 25, 75, 55}));
    EXPECT_EQ(cell.rect, (CellRect{100, 100, 150, 130}));
    cell.ResizeByHandle(bounds, cellgeo::kZoneRight, 290, 0);
    EXPECT_EQ(cell.rect, (CellRect{100, 100, 200, 130}));
    EXPECT_EQ(CCell::GetHandleCursor(cellgeo::kZoneInterior), Qt::PointingHandCursor);
    EXPECT_EQ(CCell::GetHandleCursor(cellgeo::kZoneNone), Qt::ArrowCursor);
    cell.SetOutputRect({30, 0, 1, 20});
    EXPECT_EQ(cell.outputRect, (CellRect{1, 0, 30, 20}));
}

TEST(VideoCell, CellsOpenAndCloseFontsWithoutShuttingTheFontLibraryDown)
{
    App();
    {
        TtfSession session;
        ASSERT_TRUE(session.IsActive());
        {
            CCell withoutFont;  // a fixed cell, or a cell without video
            CCell withFont;
            withFont.OpenLabelFont();
            EXPECT_TRUE(withFont.HasLabelFont()) << "arial.ttf beside the test program";
        }
        EXPECT_EQ(ttf::InitCount(), 1);
        CCell another;
        another.OpenLabelFont();
        EXPECT_TRUE(another.HasLabelFont());
        {
            TtfSession nested;
        }
        EXPECT_EQ(ttf::InitCount(), 1);
    }
    EXPECT_EQ(ttf::InitCount(), 0);
    // Without a session no font is opened.
    CCell late;
    late.OpenLabelFont();
    EXPECT_FALSE(late.HasLabelFont());
}
