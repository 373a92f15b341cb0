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

    // The program connected to an emulator at ip holding b, streaming the quadrant mosaic at the
    // size its encoder settings give; the processor then reports preview video.
    MMainDlg& ConnectedWithPreview(const std::string& ip, const DeviceParamBlock& b)
    {
        KeepMesaLoaded();
        StartEmulatorAt(ip);
        emulator->SetBlock(b);
        MMainDlg& page = Connected().m_MainDlg;
        // The encoder's settings come at the end of the read-out.
        const auto size = oprules::PreviewSizeForFormat(emulator->DeviceState().encoderRecords[2][3]);
        EXPECT_TRUE(size && SpinUntil([&] { return page.PreviewWidth() == size->width && page.PreviewHeight() == size->height; }, 10000))
            << page.PreviewWidth() << "x" << page.PreviewHeight();
        std::string error;
        const EncodedStream stream = EncodeQuadrantStream(page.PreviewWidth(), page.PreviewHeight(), 1, 0, &error);
        EXPECT_FALSE(stream.packets.empty()) << error;
        if (!stream.packets.empty()) emulator->StartVideo(std::vector<std::vector<uint8_t>>(30, stream.packets[0]), 0, 33);
        comm::ReplyPacket on;
        on.replyId = REPLY_PREVIEW_MODE;
        on.payload = {1};
        emulator->Broadcast(on);
        EXPECT_TRUE(SpinUntil([&] { return page.IsPreviewOn(); }, 5000)) << "preview not on";
        return page;
    }

    // The layers whose cells show on the canvas or show video (a shown window, pictures drawn).
    static std::string LayersShowing(MMainDlg& page)
    {
        std::string layers;
        for (int l = 0; l < kWindowCount; ++l)
            if (const CCell* c = page.LayerCell(l); c && (c->IsVisible() || c->IsWindowShown() || c->FramesShown() > 0))
                layers += std::to_string(l) + " ";
        return layers;
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
    emulator->ClearReceived();
    Drag(canvas, from, QPoint(12, 8));
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
// then opens the four views, each showing the stream.
TEST_F(WalkMoreEndToEnd, PreviewFollowsADraggedLayerCellAndShowsInTheFourViews)
{
    DeviceParamBlock b = emu::FactoryBlock();
    ShowLayerAt(b.chnl[0], 200, 150, 960, 540);
    MMainDlg& page = ConnectedWithPreview("127.0.0.164", b);
    ASSERT_TRUE(page.IsPreviewOn());
    KordalDlg& w = *window;
    CCell* cell = page.LayerCell(0);
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(SpinUntil([&] { return cell->FramesShown() > 10; }, 20000)) << "cell 0 " << cell->FramesShown();
    ASSERT_NE(cell->Window(), nullptr);
    EXPECT_TRUE(cell->IsWindowShown());

    CPictureCtrl& canvas = page.Canvas();
    const LayerWindow before = Stored().chnl[0];
    const QPoint windowBefore = cell->Window()->mapTo(&canvas, QPoint(0, 0));
    Drag(canvas, QPoint((cell->rect.left + cell->rect.right) / 2, (cell->rect.top + cell->rect.bottom) / 2), QPoint(20, 10));
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

    // A side page opens: the operating page narrows, and the four-view window stays whole inside it.
    OpenSidePage(mw::IDC_SIDE_PICTURE);
    for (int language : {1, 0}) {
        SendMsg(&w, WM_LANGUAGE_CHANGE, static_cast<WPARAM>(language), 0);
        SettleForPicture();
        const QRect inWindow(four.mapTo(&w, QPoint(0, 0)), four.size());
        EXPECT_TRUE(QRect(page.mapTo(&w, QPoint(0, 0)), page.size()).contains(inWindow))
            << inWindow.x() << "," << inWindow.y() << " " << inWindow.width() << "x" << inWindow.height();
        EXPECT_TRUE(w.rect().contains(inWindow));
        w.screen()->grabWindow(w.winId()).save(QStringLiteral(SVP_BINARY_DIR "/e2e_four_view_beside_a_page_%1.png")
                                                   .arg(language ? QStringLiteral("chinese") : QStringLiteral("english")));
    }
    emulator->StopVideo();
}

// Layers that are off on the processor show no video on the canvas, whatever lays the canvas out
// again: a page closing and opening, the switcher on and off, a full read.
TEST_F(WalkMoreEndToEnd, OffLayersShowNoVideoWhateverLaysTheCanvasOutAgain)
{
    MMainDlg& page = ConnectedWithPreview("127.0.0.165", emu::FactoryBlock());  // MAIN on, the PIPs off
    ASSERT_TRUE(page.IsPreviewOn());
    ASSERT_TRUE(SpinUntil([&] { return page.LayerCell(0)->FramesShown() > 5; }, 20000)) << "no pictures";
    auto onlyMain = [&](const char* after) {
        SpinFor(100);
        EXPECT_EQ(LayersShowing(page), "0 ") << after;
    };
    onlyMain("read");
    Click(window->ButtonById(mw::IDC_SIDE_MISC));  // closes the open page
    ASSERT_EQ(window->CurrentPage(), -1);
    onlyMain("page closed");
    OpenSidePage(mw::IDC_SIDE_KEYER);
    onlyMain("page opened");
    for (int mode : {1, 0}) {
        ASSERT_TRUE(BusyEndsWithin([&] { Click(window->m_SwitcherDlg, ctl::switcher::IDC_ON_OFF); }, 5000)) << mode;
        ASSERT_EQ(GetDeviceData().pvwMode, mode);
        onlyMain("work mode changed");
    }
    ASSERT_TRUE(ReadConfiguration());
    onlyMain("read again");
    emulator->StopVideo();
}

// A click or a drag acts on the layer whose picture shows there. MAIN, clicked, stands marked on
// top of PIP-1: a click on PIP-1's place selects MAIN again. Once the mark is over, PIP-1 is above
// MAIN again: a drag of it where the off PIP-2 lies sends PIP-1's window alone.
TEST_F(WalkMoreEndToEnd, AClickOrADragActsOnTheLayerWhosePictureShowsThere)
{
    DeviceParamBlock b = emu::FactoryBlock();
    ShowLayerAt(b.chnl[1], 200, 150, 960, 540);
    MMainDlg& page = ConnectedWithPreview("127.0.0.166", b);
    ASSERT_TRUE(page.IsPreviewOn());
    const CCell* main = page.LayerCell(0);
    const CCell* pip1 = page.LayerCell(1);
    ClickAt(page.Canvas(), QPoint(main->rect.left + 15, main->rect.top + 12));  // only MAIN's picture there
    ASSERT_EQ(page.SelectedLayer(), 0);
    ClickAt(page.Canvas(), QPoint((pip1->rect.left + pip1->rect.right) / 2, (pip1->rect.top + pip1->rect.bottom) / 2));
    EXPECT_EQ(page.SelectedLayer(), 0) << "PIP-1 lies under MAIN's picture";
    ASSERT_TRUE(SpinUntil([&] { return !page.IsCellMarkTimerActive(); }, 8000));
    emulator->ClearReceived();
    Drag(page.Canvas(), QPoint(pip1->rect.left + 10, pip1->rect.bottom - 10), QPoint(12, 8));  // over PIP-2's quarter
    ASSERT_TRUE(CommandReceived(CMD_SET_LAYER_WINDOW));
    SpinFor(100);
    const auto sent = CommandBlocks(CMD_SET_LAYER_WINDOW);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0][0], 1) << "window of another layer sent";
    emulator->StopVideo();
}

// A marked layer stands on top for the mark's five seconds only: then the video windows stand in
// layer order again, MAIN lowest, as the X server stacks them.
TEST_F(WalkMoreEndToEnd, AfterTheMarkTheVideoWindowsStandInLayerOrder)
{
    DeviceParamBlock b = emu::FactoryBlock();
    ShowLayerAt(b.chnl[1], 200, 150, 640, 360);
    ShowLayerAt(b.chnl[2], 960, 540, 640, 360);
    MMainDlg& page = ConnectedWithPreview("127.0.0.167", b);
    ASSERT_TRUE(page.IsPreviewOn());
    std::vector<const QWidget*> windows;
    for (int l = 0; l < kWindowCount; ++l) windows.push_back(page.LayerCell(l)->Window());
    ASSERT_EQ(NativeStackingOf(windows).size(), windows.size());
    const CCell* main = page.LayerCell(0);
    ClickAt(page.Canvas(), QPoint(main->rect.left + 15, main->rect.top + 12));
    ASSERT_EQ(page.SelectedLayer(), 0);
    EXPECT_EQ(NativeStackingOf(windows).back(), 0) << "the marked layer on top";
    ASSERT_TRUE(SpinUntil([&] { return !page.IsCellMarkTimerActive(); }, 8000));
    Settle();
    EXPECT_EQ(NativeStackingOf(windows), (std::vector<int>{0, 1, 2, 3}));
    emulator->StopVideo();
}

} // namespace
