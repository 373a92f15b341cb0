// The rest of the operator's walk: the EDID, test-pattern, VGA and caption pages and the operating
// canvas, each reached through the main window's own buttons and tabs, against the processor
// emulator over loopback TCP; each change is read back from the emulator's block or state.

#include "EndToEndSupport.h"
#include "TestStream.h"

#include "controls/oRealEdit.h"
#include "pages/signal/EdidIds.h"
#include "pages/signal/TestPatternIds.h"
#include "pages/signal/VgaIds.h"
#include "pages/system/CaptionIds.h"
#include "pages/system/MSubTitleDlg.h"
#include "pages/system/SwitcherIds.h"
#include "preview/CCell.h"
#include "preview/MMainDlg.h"
#include "preview/SdlVideoWidget.h"

#include "preview/CPictureCtrl.h"
#include "preview/MShowVideoDlg.h"
#include "preview/OperatingRules.h"
#include "tests/support/KeepMesaLoaded.h"
#include "tools/emulator/FactoryBlock.h"

#include <QScreen>

namespace {

namespace mw = ctl::main_window;
namespace ce = ctl::edid;
namespace ct = ctl::test_pattern;
namespace cv = ctl::vga;
namespace cc = ctl::caption;

class WalkMoreEndToEnd : public EndToEndTest {
protected:
    static bool AnyEdidWidth(const DeviceParamBlock& b, int width)
    {
        for (const EdidTiming& r : b.edid)
            if (r.hAct == width) return true;
        return false;
    }
};

// EDID: the first input's H Active typed and applied; the processor's record takes it and reports
// the result.
TEST_F(WalkMoreEndToEnd, EdidApplyReachesTheProcessorsRecord)
{
    // Records of a plain 1080p60 timing, so that a narrower width stays inside each input's pixel
    // clock.
    StartEmulatorAt("127.0.0.160");
    DeviceParamBlock b = Stored();
    for (EdidTiming& r : b.edid) {
        r.hAct = 1920;
        r.vAct = 1080;
        r.fps = 6000;
        r.hBlank = 280;
        r.vBlank = 45;
    }
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    OpenSidePage(mw::IDC_SIDE_EDID);
    Shot(w.m_EdidDlg, "e2e_edid");
    ASSERT_NE(w.m_EdidDlg.InputList(), nullptr);
    ChooseRow(w.m_EdidDlg.InputList(), 0);
    const int width = AnyEdidWidth(Stored(), 1280) ? 1366 : 1280;
    ASSERT_FALSE(AnyEdidWidth(Stored(), width));
    TypeInto(w.m_EdidDlg, ce::IDC_H_ACTIVE_EDIT, QString::number(width));
    Click(w.m_EdidDlg, ce::IDC_APPLY);
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& b) { return AnyEdidWidth(b, width); })) << "EDID record";
    ASSERT_TRUE(SpinUntil([&] { return !boxes.empty(); })) << "no result";
    EXPECT_EQ(boxes.front(), QStringLiteral("Edid Apply Ok"));
}

// Test pattern: the system page's tab, the pattern switched on and stepped, then off again; the
// caption-settings button leads on to the caption page, whose short caption reaches the processor
// chunk by chunk.
TEST_F(WalkMoreEndToEnd, TestPatternThenCaption)
{
    KordalDlg& w = Connected("127.0.0.161");
    OpenSidePage(mw::IDC_SIDE_MISC);
    Click(w.m_MiscDlg, ctl::misc::IDC_TAB_TEST_PATTERN);
    ASSERT_TRUE(w.m_TstPatternDlg.isVisible());
    Shot(w.m_TstPatternDlg, "e2e_test_pattern");
    Click(w.m_TstPatternDlg, ct::IDC_PATTERN_ON_OFF);
    ASSERT_TRUE(w.m_TstPatternDlg.IsPatternOn());
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().testPattern == w.m_TstPatternDlg.CurrentPattern(); }))
        << "pattern on";
    const int first = w.m_TstPatternDlg.CurrentPattern();
    Click(w.m_TstPatternDlg, ct::IDC_PATTERN_NEXT);
    EXPECT_NE(w.m_TstPatternDlg.CurrentPattern(), first);
    EXPECT_TRUE(SpinUntil([&] {
        return emulator->DeviceState().testPattern == w.m_TstPatternDlg.CurrentPattern();
    })) << "pattern stepped: " << int(emulator->DeviceState().testPattern);
    Click(w.m_TstPatternDlg, ct::IDC_PATTERN_ON_OFF);
    EXPECT_FALSE(w.m_TstPatternDlg.IsPatternOn());
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().testPattern == 0; })) << "pattern off";

    // Caption: a short text sent; the processor acknowledges every chunk and holds the picture.
    Click(w.m_TstPatternDlg, ct::IDC_CAPTION_SETTINGS);
    MSubTitleDlg& caption = w.m_SubTitleDlg;
    ASSERT_TRUE(caption.isVisible());
    Shot(caption, "e2e_caption");
    CaptionTimings t;
    t.ackWait = 300;  // only a lost acknowledgement waits for it
    caption.SetTimings(t);
    TypeInto(caption.TextEdit(), QStringLiteral("LED wall"), false);
    Click(caption, cc::IDC_SEND);
    ASSERT_TRUE(SpinUntil([&] { return emulator->CaptionChunks() > 0; }, 5000)) << "no chunk";
    ASSERT_TRUE(SpinUntil([&] { return caption.isEnabled() && !caption.IsTransferring(); }, 15000))
        << "transfer not finished";
    // The picture is as wide as the text needs; the end sequence places it in caption 0's record.
    const auto size = emulator->CaptionSize();
    EXPECT_GT(size.first, 0);
    EXPECT_GT(size.second, 0);
    EXPECT_FALSE(emulator->CaptionRows().empty());
    EXPECT_TRUE(SpinUntil([&] {
        const auto rec = emulator->CaptionRecord(0);
        return (rec[0] | rec[1] << 8) == size.first && (rec[2] | rec[3] << 8) == size.second;
    }, 5000)) << "caption record";
    EXPECT_TRUE(caption.Button(cc::IDC_DISPLAY_ON_OFF)->IsPressed());
    EXPECT_TRUE(boxes.empty());
}

// VGA: the main layer shows a VGA input, so "VGA ADJ." opens; an H Position typed reaches the
// processor's VGA record.
TEST_F(WalkMoreEndToEnd, VgaDisplayAdjustmentReachesTheProcessor)
{
    StartEmulatorAt("127.0.0.162");
    DeviceParamBlock b = Stored();
    b.input[3].src = 3;
    b.chnl[0].input = 3;
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    ASSERT_TRUE(SpinUntil([&] { return w.ButtonById(mw::IDC_SIDE_VGA_ADJ)->isEnabled(); }, 5000))
        << "VGA ADJ. stays disabled";
    OpenSidePage(mw::IDC_SIDE_VGA_ADJ);
    Shot(w.m_VgaDlg, "e2e_vga");
    TypeInto(w.m_VgaDlg, cv::IDC_H_POSITION_EDIT, QStringLiteral("-5"));
    EXPECT_TRUE(SpinUntil([&] { return emulator->DeviceState().vga[12] == 0xFB; }))
        << "H position " << int(emulator->DeviceState().vga[12]);
    EXPECT_TRUE(boxes.empty());
}

// Operating page: the main layer's cell dragged on the canvas; the new geometry goes out as
// command 4 and the processor's layer window moves.
TEST_F(WalkMoreEndToEnd, DraggingALayerCellMovesTheLayerOnTheProcessor)
{
    StartEmulatorAt("127.0.0.163");
    DeviceParamBlock b = Stored();
    ShowLayerAt(b.chnl[0], 200, 150, 800, 500);
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    MMainDlg& page = w.m_MainDlg;
    ASSERT_TRUE(page.isVisible());
    CPictureCtrl& canvas = page.Canvas();
    CCell* cell = page.LayerCell(0);
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(canvas.isVisible());
    const DeviceParamBlock before = Stored();
    const QPoint from((cell->rect.left + cell->rect.right) / 2, (cell->rect.top + cell->rect.bottom) / 2);
    const QPoint to = from + QPoint(12, 8);
    emulator->ClearReceived();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas, from + QPoint(6, 4));
    QTest::mouseMove(&canvas, to);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, to);
    Settle();
    EXPECT_TRUE(CommandReceived(CMD_SET_LAYER_WINDOW)) << "no command 4";
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& s) {
        const LayerWindow& now = s.chnl[0];
        const LayerWindow& held = GetDeviceData().chnl[0];
        return now.hPos > before.chnl[0].hPos && now.vPos > before.chnl[0].vPos && now.hPos == held.hPos &&
               now.vPos == held.vPos;
    })) << "layer at " << Stored().chnl[0].hPos << "," << Stored().chnl[0].vPos;
    EXPECT_EQ(Stored().chnl[0].hAct, before.chnl[0].hAct);
    EXPECT_EQ(Stored().chnl[0].vAct, before.chnl[0].vAct);
    w.grab().save(QStringLiteral(SVP_BINARY_DIR "/e2e_operating_drag.png"));
}

// Preview: the processor reports preview video and streams it; the main layer's cell shows frames,
// and after a drag its video window follows the cell and keeps showing them. The four-view button
// then opens the four views, each showing the stream, which stay inside the page when it narrows.
// Off layers show nothing and take no click whatever lays the canvas out again; after the cell
// mark the video windows stand in layer order.
TEST_F(WalkMoreEndToEnd, PreviewFollowsADraggedLayerCellAndShowsInTheFourViews)
{
    KeepMesaLoaded();
    StartEmulatorAt("127.0.0.164");
    DeviceParamBlock b = emu::FactoryBlock();  // MAIN on, the PIPs off
    ShowLayerAt(b.chnl[0], 200, 150, 960, 540);
    emulator->SetBlock(b);
    KordalDlg& w = Connected();
    MMainDlg& page = w.m_MainDlg;
    // The encoder's settings come at the end of the read-out: the stream is made at the size they
    // give.
    const auto size = oprules::PreviewSizeForFormat(emulator->DeviceState().encoderRecords[2][3]);
    ASSERT_TRUE(size);
    ASSERT_TRUE(SpinUntil([&] { return page.PreviewWidth() == size->width && page.PreviewHeight() == size->height; }, 10000))
        << page.PreviewWidth() << "x" << page.PreviewHeight();

    std::string error;
    const EncodedStream stream = EncodeQuadrantStream(page.PreviewWidth(), page.PreviewHeight(), 1, 0, &error);
    ASSERT_FALSE(stream.packets.empty()) << error;
    emulator->StartVideo(std::vector<std::vector<uint8_t>>(30, stream.packets[0]), 0, 33);
    comm::ReplyPacket on;
    on.replyId = REPLY_PREVIEW_MODE;
    on.payload = {1};
    emulator->Broadcast(on);
    ASSERT_TRUE(SpinUntil([&] { return page.IsPreviewOn(); }, 5000)) << "preview not on";
    CCell* cell = page.LayerCell(0);
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(SpinUntil([&] { return cell->FramesShown() > 10; }, 20000)) << "cell 0 " << cell->FramesShown();
    ASSERT_NE(cell->Window(), nullptr);
    EXPECT_TRUE(cell->IsWindowShown());

    CPictureCtrl& canvas = page.Canvas();
    const LayerWindow before = Stored().chnl[0];
    const QPoint windowBefore = cell->Window()->mapTo(&canvas, QPoint(0, 0));
    const QPoint from((cell->rect.left + cell->rect.right) / 2, (cell->rect.top + cell->rect.bottom) / 2);
    const QPoint to = from + QPoint(20, 10);
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    QTest::mouseMove(&canvas, from + QPoint(10, 5));
    QTest::mouseMove(&canvas, to);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, to);
    Settle();
    EXPECT_TRUE(StoredSoon([&](const DeviceParamBlock& s) {
        return (s.chnl[0].hPos != before.hPos || s.chnl[0].vPos != before.vPos) && s.chnl[0].hPos == GetDeviceData().chnl[0].hPos &&
               s.chnl[0].vPos == GetDeviceData().chnl[0].vPos;
    })) << "layer was at " << before.hPos << "," << before.vPos << ", is at " << Stored().chnl[0].hPos << "," << Stored().chnl[0].vPos;
    ASSERT_TRUE(SpinUntil([&] { return cell->Window() && cell->Window()->mapTo(&canvas, QPoint(0, 0)) != windowBefore; }, 5000))
        << "the video window stayed where the cell was";
    const int shown = cell->FramesShown();
    EXPECT_TRUE(SpinUntil([&] { return cell->FramesShown() > shown + 10; }, 10000)) << "no frames after the drag";
    EXPECT_TRUE(cell->IsWindowShown());
    w.grab().save(QStringLiteral(SVP_BINARY_DIR "/e2e_operating_preview.png"));

    MShowVideoDlg& four = page.FourView();
    ASSERT_FALSE(four.isVisible());
    Click(w.ButtonById(mw::IDC_SIDE_MISC));  // no page: the four views open at the wide page's right
    Click(w, mw::IDC_FOUR_VIEW);
    ASSERT_TRUE(four.isVisible());
    for (int i = 0; i < MShowVideoDlg::kViews; ++i)
        EXPECT_TRUE(SpinUntil([&] { return four.View(i).FramesShown() > 5; }, 10000)) << "view " << i;
    // The views are SDL windows: only the X server's picture of the window shows them.
    SettleForPicture();
    w.screen()->grabWindow(w.winId()).save(QStringLiteral(SVP_BINARY_DIR "/e2e_four_view.png"));
    OpenSidePage(mw::IDC_SIDE_PICTURE);
    EXPECT_TRUE(QRect(page.mapTo(&w, QPoint(0, 0)), page.size()).contains(QRect(four.mapTo(&w, QPoint(0, 0)), four.size())));

    const auto offLayersShowNothing = [&] {
        SpinFor(100);
        for (int l = 1; l < kWindowCount; ++l)
            if (const CCell* c = page.LayerCell(l); c->IsVisible() || c->IsWindowShown() || c->FramesShown() > 0) return false;
        return true;
    };
    EXPECT_TRUE(offLayersShowNothing()) << "page opened";
    OpenSidePage(mw::IDC_SIDE_KEYER);
    for (int mode : {1, 0}) {
        ASSERT_TRUE(BusyEndsWithin([&] { Click(w.m_SwitcherDlg, ctl::switcher::IDC_ON_OFF); }, 5000)) << mode;
        EXPECT_TRUE(offLayersShowNothing()) << "work mode " << mode;
    }
    ASSERT_TRUE(ReadConfiguration());
    EXPECT_TRUE(offLayersShowNothing()) << "read again";

    // MAIN, clicked, stands marked on top; a click where only an off layer lies keeps it.
    ClickAt(canvas, QPoint(cell->rect.left + 15, cell->rect.top + 12));
    ASSERT_EQ(page.SelectedLayer(), 0);
    ClickAt(canvas, QPoint(page.LayerCell(3)->rect.right - 5, page.LayerCell(3)->rect.bottom - 5));
    EXPECT_EQ(page.SelectedLayer(), 0);
    std::vector<const QWidget*> windows;
    for (int l = 0; l < kWindowCount; ++l) windows.push_back(page.LayerCell(l)->Window());
    ASSERT_TRUE(SpinUntil([&] { return !page.IsCellMarkTimerActive(); }, 8000));
    Settle();
    EXPECT_EQ(NativeStackingOf(windows), (std::vector<int>{0, 1, 2, 3}));
    emulator->StopVideo();
}

} // namespace
