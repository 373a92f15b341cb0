#include "shell/ReplyRefreshTable.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/KordalDlg.h"
#include "shell/MainWindowIds.h"

namespace mw = ctl::main_window;

using Arg = RefreshStep::Arg;
using W = KordalDlg;

// The steps reach into the window's own refreshes; the window names this struct its friend.
struct ReplyRefreshSteps {
    static bool IsWindow(LPARAM v) { return v >= 0 && v < kWindowCount; }
    static void EveryInputMark(W& w)
    {
        for (int k = 0; k < kInputIconCount; ++k) w.InvalidateInputMark(k);
    }
    static void EveryLayerInput(W& w)
    {
        for (int layer = 0; layer < kWindowCount; ++layer) w.SelectLayerInput(layer, 0);
    }
    static void LayerGeometryCell(W& w, LPARAM value)
    {
        if (IsWindow(value)) SendMsg(&w, WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, value);
    }
    // The work mode is read once, before any refresh reads it: a mode past the known ones is the
    // normal mode for the canvas, the window and every page alike.
    static void ReadWorkMode(W&, LPARAM)
    {
        CDeviceData& device = GetDeviceData();
        if (device.pvwMode > 2) device.pvwMode = 0;
    }

    static const RefreshStep kPreviewMode[];
    static const RefreshStep kAllData[];
    static const RefreshStep kPixelColor[];
    static const RefreshStep kInputSignal[];
    static const RefreshStep kVgaData[];
    static const RefreshStep kEdid[];
    static const RefreshStep kSchedule[];
    static const RefreshStep kPicture[];
    static const RefreshStep kOutputAck[];
    static const RefreshStep kLayerWindow[];
    static const RefreshStep kCrop[];
    static const RefreshStep kSplicing[];
    static const RefreshStep kMachineTime[];
    static const RefreshStep kLayerState[];
    static const RefreshStep kLogo[];
    static const RefreshStep kKeyer[];
    static const RefreshStep kPresetFlags[];
    static const RefreshStep kLoopOut[];
    static const RefreshStep kSystemInfo[];
    static const RefreshStep kWorkMode[];
    static const RefreshStep kDpMode[];
    static const RefreshStep kInputState[];
    static const RefreshStep kCaption[];
    static const RefreshStep kEncoderInfo[];
    static const RefreshStep kBoardInfo[];
    static const RefreshStep kFeather[];
    static const RefreshStep kFreezeState[];
    static const ReplyRefreshRow kRows[];
};

const RefreshStep ReplyRefreshSteps::kPreviewMode[] = {
    {"MMainDlg::CheckOutputModeChanged", Arg::None, 0, [](W& w, LPARAM) { w.m_MainDlg.CheckOutputModeChanged(); }},
};

// Reply 2: the whole block arrived from the processor or from a project file.
const RefreshStep ReplyRefreshSteps::kAllData[] = {
    {nullptr, Arg::None, 0, &ReadWorkMode},
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         if (CGdipButton* b = w.ButtonById(mw::IDC_SIGNAL_SWITCH)) b->hide();
         if (w.portSwitchGroup_) w.portSwitchGroup_->hide();
         if (w.portSwitchList_) w.portSwitchList_->hide();
         w.PlaceExtInputMarks();
     }},
    {"MPIPDlg::FillInputLists", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.FillInputLists(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryLayerInput(w); }},
    {"KordalDlg::RebuildGenlockList", Arg::None, 0, [](W& w, LPARAM) { w.RebuildGenlockList(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { w.SelectSyncItems(); }},
    {"MEdidDlg::FillInputList", Arg::None, 0, [](W& w, LPARAM) { w.m_EdidDlg.FillInputList(); }},
    {"MPicSettingDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_PicSettingDlg.RefreshFromDevice(); }},
    {"MOutputDlg::UpdateTimingFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateTimingFromDevice(); }},
    {"MCropDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_CropDlg.RefreshFromDevice(); }},
    {"MMosaicDlg::RefreshFromDevice", Arg::Fixed, 3, [](W& w, LPARAM) { w.m_MosaicDlg.RefreshFromDevice(3); }},
    {"MPIPDlg::UpdateByWorkMode", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.UpdateByWorkMode(); }},
    {"MPIPDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.RefreshFromDevice(); }},
    {"MKeyerDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_KeyerDlg.RefreshFromDevice(); }},
    {"MEdidDlg::SelectInput", Arg::None, 0, [](W& w, LPARAM) { w.m_EdidDlg.SelectInput(); }},
    {"MVgaDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_VgaDlg.RefreshFromDevice(); }},
    {"MSwitcherDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_SwitcherDlg.RefreshFromDevice(); }},
    {"MOutputDlg::UpdateLayerButtonTexts", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateLayerButtonTexts(); }},
    {"MCropDlg::UpdateLayerButtonTexts", Arg::None, 0, [](W& w, LPARAM) { w.m_CropDlg.UpdateLayerButtonTexts(); }},
    {"MPicSettingDlg::UpdateLayerButtonTexts", Arg::None, 0,
     [](W& w, LPARAM) { w.m_PicSettingDlg.UpdateLayerButtonTexts(); }},
    {"MTaskDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_TaskDlg.RefreshFromDevice(); }},
    {"MMiscDlg::UpdateExtBoardButtons", Arg::None, 0, [](W& w, LPARAM) { w.m_MiscDlg.UpdateExtBoardButtons(); }},
    {"MLogoDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_LogoDlg.RefreshFromDevice(); }},
    {"MLogoDlg::UpdateEnableState", Arg::None, 0, [](W& w, LPARAM) { w.m_LogoDlg.UpdateEnableState(); }},
    {"MMainDlg::ApplyLayout", Arg::None, 0, [](W& w, LPARAM) { w.m_MainDlg.ApplyLayout(); }},
    {"MMiscDlg::RefreshLoopOut", Arg::None, 0, [](W& w, LPARAM) { w.m_MiscDlg.RefreshLoopOut(); }},
    {"WM_MAINPAGE_RELAYOUT", Arg::None, 0, [](W& w, LPARAM) { SendMsg(&w.m_MainDlg, WM_MAINPAGE_RELAYOUT, 0, 0); }},
    // A changed mode: between the canvas's layout and the rows' (see the work-mode row).
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { w.FollowWorkMode(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { w.ApplyWorkModeToButtons(); }},
    {"MOutputDlg::UpdateWindowGeometry", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateWindowGeometry(); }},
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         for (int layer = 0; layer < kWindowCount; ++layer)
             SendMsg(&w, WM_LAYER_GEOMETRY, LAYER_GEOMETRY_CELL, layer);
         // The input band left of the sync frames.
         const int right = w.syncModeGroup_ ? w.syncModeGroup_->geometry().left() - 2 : w.width();
         if (right > 75) w.update(QRect(QPoint(75, 0), QPoint(right - 1, 105)));
         w.RefreshWorkModeBand();
         SendMsg(&w, WM_PAGE_NOTIFY, NOTIFY_CROP_CHANGED, 65535);
     }},
    {"MVgaDlg::SelectVgaInput", Arg::Fixed, 0, [](W& w, LPARAM) { w.m_VgaDlg.SelectVgaInput(0); }},
    {"MMediaPlayerDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_MediaPlayerDlg.RefreshFromDevice(); }},
};

const RefreshStep ReplyRefreshSteps::kPixelColor[] = {
    {"WM_PIXEL_COLOR", Arg::None, 0, [](W& w, LPARAM) { PostMsg(&w.m_TstPatternDlg, WM_PIXEL_COLOR, 0, 0); }},
};

const RefreshStep ReplyRefreshSteps::kInputSignal[] = {
    // Only the input the reply named; its slot number is checked like any received value.
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         const int k = GetDeviceData().lastSignalInput;
         if (k >= 0 && k < kInputIconCount) w.InvalidateInputMark(k);
     }},
    {"MCropDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_CropDlg.RefreshFromDevice(); }},
};

const RefreshStep ReplyRefreshSteps::kVgaData[] = {
    {"MVgaDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_VgaDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kEdid[] = {
    {"MEdidDlg::SelectInput", Arg::None, 0, [](W& w, LPARAM) { w.m_EdidDlg.SelectInput(); }},
};
const RefreshStep ReplyRefreshSteps::kSchedule[] = {
    {"MTaskDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_TaskDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kPicture[] = {
    {"MPicSettingDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_PicSettingDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kOutputAck[] = {
    {"MOutputDlg::UpdateTimingFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateTimingFromDevice(); }},
    {"MOutputDlg::UpdateWindowGeometry", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateWindowGeometry(); }},
    {nullptr, Arg::None, 0, &LayerGeometryCell},
};
const RefreshStep ReplyRefreshSteps::kLayerWindow[] = {
    {"MOutputDlg::UpdateWindowGeometry", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateWindowGeometry(); }},
    {nullptr, Arg::None, 0, &LayerGeometryCell},
};
const RefreshStep ReplyRefreshSteps::kCrop[] = {
    {"MCropDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_CropDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kSplicing[] = {
    {"MMosaicDlg::RefreshFromDevice", Arg::Value, 0,
     [](W& w, LPARAM value) { w.m_MosaicDlg.RefreshFromDevice(static_cast<int>(value)); }},
};
const RefreshStep ReplyRefreshSteps::kMachineTime[] = {
    {"MTaskDlg::ShowMachineTime", Arg::None, 0, [](W& w, LPARAM) { w.m_TaskDlg.ShowMachineTime(); }},
};
const RefreshStep ReplyRefreshSteps::kLayerState[] = {
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryInputMark(w); }},
    {"MPIPDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kLogo[] = {
    {"MLogoDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_LogoDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kKeyer[] = {
    {"MKeyerDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_KeyerDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kPresetFlags[] = {
    {"KordalDlg::RefreshPresetMarks", Arg::None, 0, [](W& w, LPARAM) { w.RefreshPresetMarks(); }},
};
const RefreshStep ReplyRefreshSteps::kLoopOut[] = {
    {"MMiscDlg::RefreshLoopOut", Arg::None, 0, [](W& w, LPARAM) { w.m_MiscDlg.RefreshLoopOut(); }},
};
const RefreshStep ReplyRefreshSteps::kSystemInfo[] = {
    {"MMiscDlg::ShowSystemInfo", Arg::None, 0, [](W& w, LPARAM) { w.m_MiscDlg.ShowSystemInfo(); }},
};
const RefreshStep ReplyRefreshSteps::kWorkMode[] = {
    {nullptr, Arg::None, 0, &ReadWorkMode},
    {"WM_MAINPAGE_RELAYOUT", Arg::None, 0, [](W& w, LPARAM) { SendMsg(&w.m_MainDlg, WM_MAINPAGE_RELAYOUT, 0, 0); }},
    {"MOutputDlg::UpdateLayerButtonTexts", Arg::None, 0, [](W& w, LPARAM) { w.m_OutputDlg.UpdateLayerButtonTexts(); }},
    {"MCropDlg::UpdateLayerButtonTexts", Arg::None, 0, [](W& w, LPARAM) { w.m_CropDlg.UpdateLayerButtonTexts(); }},
    {"MPicSettingDlg::UpdateLayerButtonTexts", Arg::None, 0,
     [](W& w, LPARAM) { w.m_PicSettingDlg.UpdateLayerButtonTexts(); }},
    {"MPIPDlg::UpdateByWorkMode", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.UpdateByWorkMode(); }},
    {"MLogoDlg::UpdateEnableState", Arg::None, 0, [](W& w, LPARAM) { w.m_LogoDlg.UpdateEnableState(); }},
    {"MSwitcherDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_SwitcherDlg.RefreshFromDevice(); }},
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         // A changed mode relabels the cells the relayout placed, and presses the row's PIP
         // buttons before the rows are laid out for it, which set the switcher's program and
         // preview looks; only then does the window take the mode as its own.
         w.FollowWorkMode();
         w.ApplyWorkModeToButtons();
         w.RefreshWorkModeBand();
     }},
};
const RefreshStep ReplyRefreshSteps::kDpMode[] = {
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryInputMark(w); }},
    {"MPIPDlg::FillInputLists", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.FillInputLists(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryLayerInput(w); }},
};
const RefreshStep ReplyRefreshSteps::kInputState[] = {
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryInputMark(w); }},
};
const RefreshStep ReplyRefreshSteps::kCaption[] = {
    {"MSubTitleDlg::LoadOutputCaption", Arg::Value, 0,
     [](W& w, LPARAM value) { w.m_SubTitleDlg.LoadOutputCaption(static_cast<int>(value)); }},
};
const RefreshStep ReplyRefreshSteps::kEncoderInfo[] = {
    {"MVideoSettingDlg::OnDeviceInfo", Arg::None, 0, [](W& w, LPARAM) { w.m_VideoSettingDlg.OnDeviceInfo(); }},
};
const RefreshStep ReplyRefreshSteps::kBoardInfo[] = {
    {"MPIPDlg::FillInputLists", Arg::None, 0, [](W& w, LPARAM) { w.m_PIPDlg.FillInputLists(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { EveryInputMark(w); }},
    {"KordalDlg::UpdatePortSwitchTexts", Arg::None, 0, [](W& w, LPARAM) { w.UpdatePortSwitchTexts(); }},
    {"MEdidDlg::FillInputList", Arg::None, 0, [](W& w, LPARAM) { w.m_EdidDlg.FillInputList(); }},
    {nullptr, Arg::None, 0, [](W& w, LPARAM) { w.ShowPortSwitchGroup(GetDeviceData().cmpBoard.exist != 0); }},
    {"MMiscDlg::UpdateExtBoardButtons", Arg::None, 0, [](W& w, LPARAM) { w.m_MiscDlg.UpdateExtBoardButtons(); }},
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         EveryLayerInput(w);
         if (CGdipButton* b = w.ButtonById(mw::IDC_SIGNAL_SWITCH)) {
             b->SetDisabledLook(false);
             b->setEnabled(true);
         }
     }},
};
const RefreshStep ReplyRefreshSteps::kFeather[] = {
    {"QVN_FeatherDlg::RefreshFromDevice", Arg::None, 0, [](W& w, LPARAM) { w.m_FeatherDlg.RefreshFromDevice(); }},
};
const RefreshStep ReplyRefreshSteps::kFreezeState[] = {
    {nullptr, Arg::None, 0,
     [](W& w, LPARAM) {
         if (CGdipButton* b = w.ButtonById(mw::IDC_FREEZE)) b->SetPressed(GetDeviceData().freezeState != 0);
     }},
};

namespace {
bool IsByte(LPARAM v) { return v >= 0 && v <= 255; }
bool IsCaptionOutput(LPARAM v) { return v >= 0 && v < 4; }
} // namespace

const ReplyRefreshRow ReplyRefreshSteps::kRows[] = {
    {REPLY_PREVIEW_MODE, nullptr, kPreviewMode},
    {REPLY_ALL_DATA, nullptr, kAllData},
    {REPLY_PIXEL_COLOR, nullptr, kPixelColor},
    {REPLY_INPUT_SIGNAL, nullptr, kInputSignal},
    {REPLY_VGA_DATA, nullptr, kVgaData},
    {REPLY_EDID, nullptr, kEdid},
    {REPLY_SCHEDULE, nullptr, kSchedule},
    {REPLY_PICTURE, nullptr, kPicture},
    {REPLY_OUTPUT_ACK, nullptr, kOutputAck},
    {REPLY_LAYER_WINDOW, nullptr, kLayerWindow},
    {REPLY_CROP, nullptr, kCrop},
    {REPLY_SPLICING, &IsByte, kSplicing},
    {REPLY_MACHINE_TIME, nullptr, kMachineTime},
    {REPLY_LAYER_STATE, nullptr, kLayerState},
    {REPLY_LOGO, nullptr, kLogo},
    {REPLY_KEYER, nullptr, kKeyer},
    {REPLY_PRESET_FLAGS, nullptr, kPresetFlags},
    {REPLY_LOOP_OUT, nullptr, kLoopOut},
    {REPLY_SYSTEM_INFO, nullptr, kSystemInfo},
    {REPLY_WORK_MODE, nullptr, kWorkMode},
    {REPLY_DP_MODE, nullptr, kDpMode},
    {REPLY_INPUT_STATE, nullptr, kInputState},
    {REPLY_CAPTION, &IsCaptionOutput, kCaption},
    {REPLY_ENCODER_INFO, nullptr, kEncoderInfo},
    {REPLY_BOARD_INFO, nullptr, kBoardInfo},
    {REPLY_FEATHER, nullptr, kFeather},
    {REPLY_FREEZE_STATE, nullptr, kFreezeState},
};

std::span<const ReplyRefreshRow> ReplyRefreshTable()
{
    return ReplyRefreshSteps::kRows;
}

const ReplyRefreshRow* FindReplyRefreshRow(int replyId)
{
    for (const ReplyRefreshRow& row : ReplyRefreshSteps::kRows)
        if (row.replyId == replyId) return &row;
    return nullptr;
}
