// The operating page against the device state and a recording link: the cells it builds, the
// splicing layouts, a drag committing a layer window, selection, zoom, the work modes and the
// one-shot SDL re-layout. No video here (see operating_preview_x11_test.cpp).
#include "tests/support/PageFixture.h"

#include "device/CommandIds.h"
#include "platform/PageNotifyCodes.h"
#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"
#include "preview/VideoChannelSet.h"
#include "controls/CGdipButton.h"
#include "preview/MShowVideoDlg.h"

#include <QLabel>
#include <QMouseEvent>

using cellgeo::CellRect;

namespace {

class OperatingPage : public PageFixture<MMainDlg> {
protected:
    void SetUp() override
    {
        CDeviceData& d = GetDeviceData();
        d.outputReso.hReso = 1920;
        d.outputReso.vReso = 1080;
        d.pvwMode = 0;
        d.mosaic.mode = 1;
        d.mosaic.autoArr = 0;
        d.previewAvailable = 0;
        d.logoDirty = 0;
        d.logo.usage = 0;
        PageFixture<MMainDlg>::SetUp();
        host->resize(1280, 728);
        page->setGeometry(0, 0, 1280, 728);
        Settle();
        host->messages.clear();
    }
    CCell* Layer(int w) { return page->LayerCell(w); }
    CCell* Fixed(int k) { return page->FixedCellAt(k); }
    static CellRect Origin(const CCell* c) { return CellRect{c->originX, c->originY, 0, 0}; }

    // A left-button drag on the canvas, in canvas pixels.
    void Drag(QPoint from, QPoint to)
    {
        CPictureCtrl& canvas = page->Canvas();
        QMouseEvent press(QEvent::MouseButtonPress, from, canvas.mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&canvas, &press);
        const QPoint mid = (from + to) / 2;
        for (const QPoint& p : {mid, to}) {
            QMouseEvent move(QEvent::MouseMove, p, canvas.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&canvas, &move);
        }
        QMouseEvent release(QEvent::MouseButtonRelease, to, canvas.mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(&canvas, &release);
        Settle();
    }
};

TEST_F(OperatingPage, BuildsTheCanvasAndTwelveCells)
{
    const CDeviceData& d = GetDeviceData();
    EXPECT_EQ(page->Canvas().geometry(), QRect(0, 0, 10000, 10000));
    EXPECT_EQ(page->Canvas().gridOn, 1);
    EXPECT_EQ(page->Canvas().resizeSnap, 1);
    EXPECT_DOUBLE_EQ(page->Zoom(), 6.0);
    for (int w = 0; w < 4; ++w) {
        SCOPED_TRACE(w);
        CCell* cell = Layer(w);
        ASSERT_NE(cell, nullptr);
        const LayerSeed& s = d.layerSeeds[w];
        // The seed is layer-relative: the margins are added once.
        EXPECT_EQ(cell->outputRect, (CellRect{125 + s.x, 198 + s.y, 125 + s.x + s.width, 198 + s.y + s.height}));
        EXPECT_EQ(cell->originX, 125);
        EXPECT_EQ(cell->originY, 198);
        EXPECT_EQ(cell->id, d.chnl[w].input);
    }
    {
        // Before the first layout only the selected layer shows (the first size change lays out).
        MMainDlg fresh(host.get());
        fresh.OnInitDialog();
        for (int w = 0; w < 4; ++w) EXPECT_EQ(fresh.LayerCell(w)->IsVisible(), w == fresh.SelectedLayer()) << w;
    }
    EXPECT_TRUE(Layer(0)->Name().startsWith("Main : "));
    EXPECT_TRUE(Layer(2)->Name().startsWith("PIP-2 : "));
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        CCell* out = Fixed(MMainDlg::kOutput1 + i);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->Name(), QStringLiteral("OUTPUT:DVI-%1").arg(i + 1));
        EXPECT_EQ(out->outputRect, (CellRect{125 + 1920 * i, 198, 2045 + 1920 * i, 1278}));
        EXPECT_EQ(out->state, 1);
        EXPECT_EQ(out->frameOnly, 1);
        EXPECT_EQ(out->IsVisible(), i == 0);
    }
    const char* names[] = {"PREVIEW-1", "PREVIEW-2", "PROGRAM-1", "PROGRAM-2"};
    for (int k = 0; k < 4; ++k) {
        CCell* c = Fixed(MMainDlg::kPreview1 + k);
        EXPECT_EQ(c->Name(), QString::fromLatin1(names[k]));
        EXPECT_TRUE(c->IsHidden());
    }
    EXPECT_EQ(page->CachedWorkMode(), 0);
}

TEST_F(OperatingPage, ApplyLayoutForMosaicModesZeroToFive)
{
    CDeviceData& d = GetDeviceData();
    page->PlaceOutputCells(5);  // a 2 x 2 block: 2 right of 1, 3 below 1, 4 right of 3
    const QPoint outputOrigin[] = {{125, 198}, {2045, 198}, {125, 1278}, {2045, 1278}};
    struct Case {
        int mode, cell;
        std::array<int, 4> layerOutput;  // 1-based
        std::array<bool, 4> outputShown;
    } cases[] = {
        {0, 5, {1, 1, 1, 1}, {true, false, false, false}},
        {1, 5, {1, 1, 1, 1}, {true, false, false, false}},
        {2, 5, {1, 2, 1, 2}, {true, true, false, false}},
        {3, 5, {1, 1, 2, 2}, {true, true, false, false}},
        {4, 3, {1, 2, 3, 2}, {true, true, true, false}},
        {5, 5, {1, 2, 3, 4}, {true, true, true, true}},
    };
    for (int w = 0; w < 4; ++w) d.chnl[w].onOff = w != 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        page->OnRebuildCells(false);  // layers back at output 1
        d.mosaic.mode = c.mode;
        d.mosaicCell = static_cast<uint8_t>(c.cell);
        page->ApplyLayout();
        for (int w = 0; w < 4; ++w) {
            const QPoint o = outputOrigin[c.layerOutput[static_cast<size_t>(w)] - 1];
            EXPECT_EQ(QPoint(Layer(w)->originX, Layer(w)->originY), o) << "layer " << w;
            EXPECT_EQ(Layer(w)->IsVisible(), w != 2) << "layer " << w << ": shown exactly while it is on";
            EXPECT_EQ(Layer(w)->limitOutputRect.left, o.x());
            EXPECT_EQ(Layer(w)->outputRect.left, o.x() + d.chnl[w].hPos) << "layer " << w;
        }
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Fixed(MMainDlg::kOutput1 + i)->IsVisible(), c.outputShown[static_cast<size_t>(i)]) << i;
    }
}

TEST_F(OperatingPage, MosaicModeFourWithoutAPreviewCellMovesNoLayer)
{
    CDeviceData& d = GetDeviceData();
    page->PlaceOutputCells(6);
    d.mosaic.mode = 4;
    d.mosaicCell = 8;
    page->ApplyLayout();
    for (int w = 0; w < 4; ++w) EXPECT_EQ(Layer(w)->originX, 125) << w;
    EXPECT_TRUE(Fixed(MMainDlg::kOutput1 + 2)->IsVisible());
    EXPECT_TRUE(Fixed(MMainDlg::kOutput1 + 3)->IsHidden());
}

TEST_F(OperatingPage, DraggingPip2WritesItsWindowAndSendsCommandFourOnce)
{
    CDeviceData& d = GetDeviceData();
    const LayerWindow before[4] = {d.chnl[0], d.chnl[1], d.chnl[2], d.chnl[3]};
    page->ShowLayerCell(2, 1);
    CCell* pip2 = Layer(2);
    const CellRect r = pip2->rect;
    const QPoint from((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Drag(from, from + QPoint(30, 12));

    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 1u);
    const CellRect o = pip2->outputRect;
    EXPECT_EQ(d.chnl[2].hPos, o.left - 125);
    EXPECT_EQ(d.chnl[2].vPos, o.top - 198);
    EXPECT_EQ(d.chnl[2].hAct, 480);
    EXPECT_EQ(d.chnl[2].vAct, 320);
    EXPECT_GT(d.chnl[2].hPos, 150);  // moved 30 canvas pixels at 6 output pixels each
    EXPECT_GT(d.chnl[2].vPos, 320 + 50);
    const int h = d.chnl[2].hPos, v = d.chnl[2].vPos;
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({2, h & 0xFF, h >> 8, v & 0xFF, v >> 8, 480 & 0xFF, 480 >> 8, 320 & 0xFF,
                                                  320 >> 8, 0, d.chnl[2].rotation})));
    for (int w : {0, 1, 3}) {
        EXPECT_EQ(d.chnl[w].hPos, before[w].hPos) << w;
        EXPECT_EQ(d.chnl[w].vPos, before[w].vPos) << w;
    }
    // Selected on the press, committed on the release.
    EXPECT_EQ(page->SelectedLayer(), 2);
    const auto geometry = host->Of(WM_LAYER_GEOMETRY);
    ASSERT_FALSE(geometry.empty());
    EXPECT_EQ(geometry.back().wParam, 1452u);
    EXPECT_EQ(geometry.back().lParam, 2);
    EXPECT_TRUE(page->IsCellMarkTimerActive());
}

TEST_F(OperatingPage, WindowsOverhangingTheirOutputAreDrawnWhereTheyAreAndMovedAtTheirSize)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[0].onOff = d.chnl[2].onOff = 0;
    d.chnl[1] = LayerWindow{1, 0, 3, 0, -200, -100, 960, 540, 0};
    d.chnl[3] = LayerWindow{1, 0, 3, 0, 1440, 0, 960, 540, 0};
    for (int w = 0; w < 4; ++w) page->UpdateLayerCellRect(w);
    page->ApplyLayout();
    // Where the processor has them, cut at the edges of output 1 {125, 198, 2045, 1278}.
    EXPECT_EQ(Layer(1)->rect, page->Canvas().OutputToCanvas({125, 198, 885, 638}));
    EXPECT_EQ(Layer(3)->rect, page->Canvas().OutputToCanvas({1565, 198, 2045, 738}));

    // A move takes them by the drag from there, at their own size.
    auto centre = [](const CCell* c) { return QPoint((c->rect.left + c->rect.right) / 2, (c->rect.top + c->rect.bottom) / 2); };
    Drag(centre(Layer(1)), centre(Layer(1)) + QPoint(60, 30));
    Drag(centre(Layer(3)), centre(Layer(3)) - QPoint(60, 0));
    // Only a resize changes the size, by the drag of the grabbed edge alone.
    const QPoint bottom(centre(Layer(3)).x(), Layer(3)->rect.bottom - 1);
    Drag(bottom, bottom + QPoint(0, 11));  // the edge to the point: 10 pixels down
    const QPoint right(Layer(3)->rect.right - 1, centre(Layer(3)).y());
    Drag(right, right - QPoint(9, 0));  // from where it is drawn, the output's edge: 10 pixels left
    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 4u);
    // x 160, y 80, 960 x 540; x 1080, y 0, 960 x 540; x 1080, y 0, 960 x 600; x 1080, y 0, 780 x 600.
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({1, 0xa0, 0, 0x50, 0, 0xc0, 3, 0x1c, 2, 0, 0})));
    EXPECT_TRUE(SameBytes(sent[1].bytes, Block32({3, 0x38, 4, 0, 0, 0xc0, 3, 0x1c, 2, 0, 0})));
    EXPECT_TRUE(SameBytes(sent[2].bytes, Block32({3, 0x38, 4, 0, 0, 0xc0, 3, 0x58, 2, 0, 0})));
    EXPECT_TRUE(SameBytes(sent[3].bytes, Block32({3, 0x38, 4, 0, 0, 0x0c, 3, 0x58, 2, 0, 0})));
}

TEST_F(OperatingPage, AMoveCommitsThePostedCellNotTheSelectedOne)
{
    CDeviceData& d = GetDeviceData();
    page->Canvas().SelectCell(Layer(0));
    CCell* pip1 = Layer(1);
    pip1->outputRect = CellRect{125 + 300, 198 - 40, 125 + 300 + 640, 198 - 40 + 360};
    PostMsg(page.get(), WM_CELL_CHANGED, reinterpret_cast<WPARAM>(pip1), 0);
    Settle();
    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 1);
    EXPECT_EQ(d.chnl[1].hPos, 300);
    EXPECT_EQ(d.chnl[1].vPos, 0);  // never below the origin
    EXPECT_EQ(d.chnl[1].hAct, 640);
    EXPECT_EQ(d.chnl[1].vAct, 360);
    // A cell that is no longer on the canvas is ignored.
    CCell stranger;
    PostMsg(page.get(), WM_CELL_CHANGED, reinterpret_cast<WPARAM>(&stranger), 0);
    Settle();
    EXPECT_EQ(Sent(CMD_SET_LAYER_WINDOW).size(), 1u);
}

TEST_F(OperatingPage, AFixedCellOnlyReappliesTheLayout)
{
    for (int w = 0; w < 4; ++w) GetDeviceData().chnl[w].onOff = 1;
    PostMsg(page.get(), WM_CELL_CHANGED, reinterpret_cast<WPARAM>(Fixed(MMainDlg::kOutput1)), 1);
    Settle();
    EXPECT_TRUE(Sent(CMD_SET_LAYER_WINDOW).empty());
    for (int w = 0; w < 4; ++w) EXPECT_TRUE(Layer(w)->IsVisible()) << w;
}

TEST_F(OperatingPage, SelectingALayerCellTellsTheMainWindowAndSendsADirtyLogo)
{
    CDeviceData& d = GetDeviceData();
    d.logoDirty = 1;
    for (int w : {1, 3}) page->ShowLayerCell(w, 1);
    CCell* pip3 = Layer(3);
    SendMsg(page.get(), WM_CELL_SELECTED, reinterpret_cast<WPARAM>(pip3), 0);
    Settle();
    EXPECT_EQ(page->SelectedLayer(), 3);
    EXPECT_EQ(page->Canvas().Cells().back(), pip3);
    const auto select = host->Of(WM_SELECT_LAYER);
    ASSERT_EQ(select.size(), 1u);
    EXPECT_EQ(select[0].wParam, 3u);
    EXPECT_EQ(select[0].lParam, 0);
    const auto geometry = host->Of(WM_LAYER_GEOMETRY);
    ASSERT_EQ(geometry.size(), 1u);
    EXPECT_EQ(geometry[0].wParam, 1452u);
    EXPECT_EQ(geometry[0].lParam, 3);
    EXPECT_TRUE(page->IsCellMarkTimerActive());
    const auto logo = Sent(CMD_LOGO);
    ASSERT_EQ(logo.size(), 1u);
    EXPECT_EQ(logo[0].bytes[0], 3);
    EXPECT_EQ(d.logoDirty, 0);
    SendMsg(page.get(), WM_CELL_SELECTED, reinterpret_cast<WPARAM>(Layer(1)), 0);
    EXPECT_EQ(Sent(CMD_LOGO).size(), 1u);
}

TEST_F(OperatingPage, CtrlWheelZoomsOnlyInTheNormalWorkMode)
{
    CDeviceData& d = GetDeviceData();
    for (int i = 0; i < 10; ++i) page->OnWheelZoom(Qt::ControlModifier, 120);
    EXPECT_DOUBLE_EQ(page->Zoom(), 1.0);
    EXPECT_TRUE(page->OnWheelZoom(Qt::ControlModifier, 120));
    EXPECT_DOUBLE_EQ(page->Zoom(), 0.5);
    EXPECT_DOUBLE_EQ(page->Canvas().layerScaleX, 0.5);
    EXPECT_DOUBLE_EQ(page->Canvas().fixedScaleY, 0.5);
    page->OnWheelZoom(Qt::ControlModifier, 120);
    EXPECT_DOUBLE_EQ(page->Zoom(), 1.0);
    EXPECT_TRUE(page->OnWheelZoom(Qt::ControlModifier, -120));
    EXPECT_DOUBLE_EQ(page->Zoom(), 1.5);
    EXPECT_FALSE(page->OnWheelZoom(Qt::NoModifier, 120));
    EXPECT_FALSE(page->OnWheelZoom(Qt::ControlModifier | Qt::ShiftModifier, 120));
    d.pvwMode = 1;
    EXPECT_FALSE(page->OnWheelZoom(Qt::ControlModifier, 120));
    EXPECT_DOUBLE_EQ(page->Zoom(), 1.5);
}

TEST_F(OperatingPage, CanvasMenuShowsTheTopButtonsForFiveSeconds)
{
    SendMsg(page.get(), WM_CANVAS_MENU, 0, 0);
    Settle();
    auto notices = host->Notices(NOTIFY_TOP_BUTTONS);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lParam, 1);
    EXPECT_TRUE(page->IsTopButtonsTimerActive());
}

TEST_F(OperatingPage, SwitcherAndDualPutLayersIntoPreviewAndProgram)
{
    CDeviceData& d = GetDeviceData();
    d.pvwMode = 1;
    d.pgmState[0] = 1;
    d.pvwState[1] = 1;
    d.pgmState[1] = d.pgmState[2] = d.pgmState[3] = 0;
    SendMsg(page.get(), WM_MAINPAGE_RELAYOUT, 0, 0);
    EXPECT_TRUE(page->Canvas().twoArea);
    const CCell* pvw1 = Fixed(MMainDlg::kPreview1);
    const CCell* pgm1 = Fixed(MMainDlg::kProgram1);
    EXPECT_TRUE(pvw1->IsVisible());
    EXPECT_TRUE(pgm1->IsVisible());
    EXPECT_TRUE(Fixed(MMainDlg::kPreview2)->IsHidden());
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Fixed(MMainDlg::kOutput1 + i)->IsHidden());
    EXPECT_EQ(Layer(0)->originX, pgm1->outputRect.left);
    EXPECT_EQ(Layer(0)->originY, pgm1->outputRect.top);
    EXPECT_EQ(Layer(0)->state, 1);
    EXPECT_TRUE(Layer(0)->Name().startsWith("PGM : "));
    EXPECT_EQ(Layer(1)->originY, pvw1->outputRect.top);
    EXPECT_TRUE(Layer(1)->Name().startsWith("PVW : "));
    EXPECT_EQ(Layer(1)->state, 0);
    EXPECT_LT(pvw1->outputRect.top, pgm1->outputRect.top);
    EXPECT_EQ(page->CachedWorkMode(), 1);

    d.pvwMode = 2;
    d.pgmState[0] = 0;
    d.pgmState[3] = 1;
    d.pvwState[0] = 1;
    SendMsg(page.get(), WM_MAINPAGE_RELAYOUT, 0, 0);
    const CCell* pvw2 = Fixed(MMainDlg::kPreview2);
    const CCell* pgm2 = Fixed(MMainDlg::kProgram2);
    EXPECT_TRUE(pvw2->IsVisible());
    EXPECT_TRUE(pgm2->IsVisible());
    EXPECT_EQ(pvw1->outputRect.right, pvw2->outputRect.left);
    EXPECT_EQ(Layer(3)->originX, pgm2->outputRect.left);
    EXPECT_TRUE(Layer(3)->Name().startsWith("PGM2 : "));
    EXPECT_EQ(Layer(0)->originX, pvw1->outputRect.left);
    EXPECT_TRUE(Layer(0)->Name().startsWith("PVW1 : "));
    EXPECT_TRUE(Layer(1)->Name().startsWith("PVW2 : "));

    // Back to normal: states cleared, outputs back, PREVIEW/PROGRAM hidden.
    d.pvwMode = 0;
    SendMsg(page.get(), WM_MAINPAGE_RELAYOUT, 0, 0);
    EXPECT_FALSE(page->Canvas().twoArea);
    for (int w = 0; w < 4; ++w) EXPECT_EQ(Layer(w)->state, 0) << w;
    EXPECT_TRUE(pvw1->IsHidden());
    EXPECT_TRUE(Fixed(MMainDlg::kOutput1)->IsVisible());
    EXPECT_TRUE(Layer(0)->Name().startsWith("Main : "));
}

TEST_F(OperatingPage, ASmallOrMinimisedWindowLeavesTheTwoAreaLayout)
{
    CDeviceData& d = GetDeviceData();
    d.pvwMode = 1;
    SendMsg(page.get(), WM_MAINPAGE_RELAYOUT, 0, 0);
    const double sx = page->Canvas().layerScaleX;
    const CellRect pvw = Fixed(MMainDlg::kPreview1)->outputRect;
    for (QSize size : {QSize(0, 0), QSize(200, 150), QSize(1280, 100)}) {
        page->resize(size);
        Settle();
        EXPECT_DOUBLE_EQ(page->Canvas().layerScaleX, sx);
        EXPECT_GT(page->Canvas().layerScaleX, 0.0);
        EXPECT_EQ(Fixed(MMainDlg::kPreview1)->outputRect, pvw);
    }
}

TEST_F(OperatingPage, LayerRectFollowsTheWorkModeOriginAndTheLogo)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[1] = LayerWindow{1, 0, 0, 0, 100, 50, 800, 600, 0};
    page->UpdateLayerCellRect(1);
    EXPECT_EQ(Layer(1)->outputRect, (CellRect{225, 248, 1025, 848}));
    // Its quadrant: 100/1920 of a 176-pixel half, and so on.
    EXPECT_EQ(Layer(1)->SourceRect().x, 176 + 9);

    d.logo.usage = 1;
    d.logo.curId = 2;
    d.logo.win.hPos[2] = 40;
    d.logo.win.vPos[2] = 30;
    d.logo.win.hAct[2] = 200;
    d.logo.win.vAct[2] = 100;
    page->UpdateLogoLabel(1);
    EXPECT_EQ(Layer(3)->Name(), QStringLiteral("LOGO"));
    EXPECT_EQ(Layer(3)->state, 1);
    EXPECT_EQ(Layer(3)->outputRect, (CellRect{165, 228, 365, 328}));

    d.pvwMode = 1;
    SendMsg(page.get(), WM_MAINPAGE_RELAYOUT, 0, 0);
    d.pgmState[1] = 1;
    page->UpdateLayerCellRect(1);
    const CellRect pgm = Fixed(MMainDlg::kProgram1)->outputRect;
    EXPECT_EQ(Layer(1)->outputRect, (CellRect{pgm.left + 100, pgm.top + 50, pgm.left + 900, pgm.top + 650}));
    EXPECT_EQ(Layer(1)->SourceRect().x, 176 + 9);  // program: quadrant 1
}

TEST_F(OperatingPage, LogoUseEndingGivesThePip3CellBackItsLabelAndItsDrag)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[3] = LayerWindow{1, 0, 3, 0, 1500, 800, 200, 150, 0};
    d.logo.usage = 1;
    d.logo.onOff = 1;
    page->UpdateLogoLabel(1);
    ASSERT_EQ(Layer(3)->state, 1);
    d.logo.usage = 0;
    page->UpdateLogoLabel(1);
    EXPECT_EQ(Layer(3)->state, 0);
    EXPECT_TRUE(Layer(3)->Name().startsWith("PIP-3 : ")) << Layer(3)->Name().toStdString();
    const CellRect r = Layer(3)->rect;
    const QPoint from((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Drag(from, from + QPoint(-20, -10));
    const auto sent = Sent(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes[0], 3);
    EXPECT_LT(d.chnl[3].hPos, 1500);
}

TEST_F(OperatingPage, LabelsFollowTheWorkMode)
{
    CDeviceData& d = GetDeviceData();
    d.pvwMode = 2;
    d.pgmState[1] = 1;
    page->UpdateLayerLabel(1);
    EXPECT_TRUE(Layer(1)->Name().startsWith("PGM2 : "));
    d.pgmState[2] = d.pvwState[2] = 0;
    page->UpdateLayerLabel(2);
    EXPECT_EQ(Layer(2)->Name(), QString());
    d.pvwMode = 0;
    d.logo.usage = 1;
    Layer(3)->SetName("LOGO");
    page->UpdateLayerLabel(3);
    EXPECT_EQ(Layer(3)->Name(), QStringLiteral("LOGO"));
}

TEST_F(OperatingPage, LayersInOutputsFollowTheLockAndEachLayersSwitch)
{
    CDeviceData& d = GetDeviceData();
    for (int w = 0; w < 4; ++w) d.chnl[w].onOff = w % 2;
    page->ShowLayersInOutputs(1, 1);
    for (int w = 0; w < 4; ++w) EXPECT_EQ(Layer(w)->IsVisible(), w % 2 == 1) << w;
    page->ShowLayersInOutputs(0, 1);
    for (int w = 0; w < 4; ++w) EXPECT_TRUE(Layer(w)->IsHidden()) << w;
    EXPECT_EQ(Fixed(MMainDlg::kOutput1)->state, 0);
    EXPECT_EQ(Fixed(MMainDlg::kOutput1)->frameOnly, 0);
    page->ShowLayersInOutputs(1, 0);
    EXPECT_EQ(Fixed(MMainDlg::kOutput1)->state, 1);
    for (int w = 0; w < 4; ++w) EXPECT_TRUE(Layer(w)->IsHidden()) << w;
}

TEST_F(OperatingPage, LockedLayersTakeNoDrag)
{
    page->SetLayerCellsLocked(true);
    page->ShowLayerCell(0, 1);
    const CellRect r = Layer(0)->rect;
    const QPoint from((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Drag(from, from + QPoint(30, 30));
    EXPECT_TRUE(Sent(CMD_SET_LAYER_WINDOW).empty());
    page->SetLayerCellsLocked(false);
    Drag(from, from + QPoint(30, 30));
    EXPECT_EQ(Sent(CMD_SET_LAYER_WINDOW).size(), 1u);
}

TEST_F(OperatingPage, PreviewFormatsOutsideTheTableChangeNothing)
{
    page->SetPreviewFormat(18);
    EXPECT_EQ(page->PreviewWidth(), 352);
    page->SetPreviewFormat(20);
    EXPECT_EQ(page->PreviewWidth(), 640);
    EXPECT_EQ(page->PreviewHeight(), 360);
    EXPECT_EQ(page->Canvas().previewWidth, 640);
}

TEST_F(OperatingPage, TheSdlRelayoutFiresOnceUntilHandled)
{
    EXPECT_TRUE(page->IsSdlRelayoutArmed());
    EXPECT_TRUE(page->NotifySdlRelayout());
    EXPECT_FALSE(page->NotifySdlRelayout());
    EXPECT_FALSE(page->IsSdlRelayoutArmed());
    Settle();  // the posted WM_SDL_RELAYOUT re-lays out and arms again
    EXPECT_TRUE(page->IsSdlRelayoutArmed());
    EXPECT_TRUE(page->NotifySdlRelayout());
    Settle();
}

TEST_F(OperatingPage, OutputModeChangeWithoutVideoRebuildsTheLayerCells)
{
    CDeviceData& d = GetDeviceData();
    d.chnl[2] = LayerWindow{1, 0, 3, 0, 10, 20, 300, 200, 0};
    d.previewAvailable = 0;
    page->CheckOutputModeChanged();  // no change: nothing
    EXPECT_EQ(Layer(2)->outputRect.Width(), 480);
    d.chnl[1] = LayerWindow{1, 0, 3, 0, -5, -7, 300, 200, 0};
    page->OnRebuildCells(false);
    EXPECT_EQ(Layer(2)->outputRect, (CellRect{135, 218, 435, 418}));
    EXPECT_EQ(Layer(1)->outputRect, (CellRect{120, 191, 420, 391}));
    EXPECT_TRUE(Layer(2)->IsVisible());
    EXPECT_FALSE(page->IsPreviewOn());
}

TEST_F(OperatingPage, ResizedOutputsKeepTheirPlacesAtTheNewSize)
{
    CDeviceData& d = GetDeviceData();
    page->PlaceOutputCells(0);
    d.outputReso.hReso = 1280;
    d.outputReso.vReso = 720;
    page->ResizeOutputCells();
    // Output 1 stays at the canvas origin and output 2 still adjoins it.
    EXPECT_EQ(Fixed(MMainDlg::kOutput1)->outputRect, (CellRect{125, 198, 1405, 918}));
    EXPECT_EQ(Fixed(MMainDlg::kOutput1 + 1)->outputRect, (CellRect{1405, 198, 2685, 918}));
    EXPECT_EQ(Fixed(MMainDlg::kPreview1)->outputRect.Width(), 1280);
    EXPECT_EQ(Layer(0)->originX, 125);
}

} // namespace

namespace {

TEST_F(OperatingPage, TheFourViewWindowWithoutVideoHasNoViews)
{
    MShowVideoDlg& four = page->FourView();
    EXPECT_FALSE(four.isVisible());
    EXPECT_EQ(four.minimumSize(), QSize(320, 250));
    EXPECT_NE(four.MaximizeButton(), nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(four.Caption(i)->text(), QStringLiteral("DVI-%1:").arg(i + 1));
    four.LayoutViews(&page->Channels(), false, 352, 240);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(four.View(i).Child(), nullptr) << i;
    EXPECT_EQ(page->Channels().Channel(0)->TargetCount(), 0);
    // The four-view button's operation shows it above the canvas; its close button hides it.
    page->ShowFourView();
    EXPECT_TRUE(four.isVisible());
    four.resize(340, 300);
    EXPECT_EQ(four.Caption(1)->geometry(), QRect(170, 26, 80, 20));
    ClickButton(four.CloseButton());
    EXPECT_FALSE(four.isVisible());
}

} // namespace
