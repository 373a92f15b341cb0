#pragma once
// Helpers for the dispatcher tests: the refresh calls a reply makes, as the main window's call
// trace names them, and the commands the recording library saw.

#include "MainWindowTestSupport.h"
#include "tests/support/EventLoopWait.h"

#include "device/CDeviceData.h"
#include "platform/MessageIds.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>

#include <functional>
#include <vector>

// What KordalDlg::SelectLayerInput (w, send) calls while the picture and crop pages are on
// window 0 (their state before those pages are built).
inline QStringList SelectLayerInputCalls(int w, int send = 0)
{
    QStringList calls{QStringLiteral("KordalDlg::SelectLayerInput(%1,%2)").arg(w).arg(send),
                      QStringLiteral("MMainDlg::UpdateLayerLabel(%1)").arg(w)};
    if (w == 0)
        calls << "MPicSettingDlg::RefreshFromDevice" << "MCropDlg::UpdateInputSourceLabel" << "MCropDlg::RefreshFromDevice";
    calls << QStringLiteral("MVgaDlg::SelectVgaInput(%1)").arg(w);
    if (w >= 1) calls << QStringLiteral("SelectDropItemByData(%1)").arg(w);
    return calls;
}

inline QStringList EveryInputMark()
{
    QStringList calls;
    for (int k = 0; k < 12; ++k) calls << QStringLiteral("KordalDlg::InvalidateInputMark(%1)").arg(k);
    return calls;
}

// The whole refresh of reply 2 in normal work mode.
// What the main window does when a page tells it that PIP pip (0..2) was shown or hidden.
inline QStringList LayerNoticeCalls(int pip)
{
    const CDeviceData& d = GetDeviceData();
    const int layer = pip + 1;
    int on = -1;
    if (layer != 3) on = d.chnl[layer].onOff;
    else if (d.logo.usage == 0) on = d.chnl[3].onOff;
    else if (d.logo.usage == 1) on = d.logo.onOff;
    QStringList calls;
    if (on >= 0) calls << QStringLiteral("MMainDlg::ShowLayerCell(%1,%2)").arg(layer).arg(on);
    calls << "MPIPDlg::UpdateByWorkMode";
    return calls;
}

// The PIP page's refresh: every PIP it may change is announced (PIP-3 not while it is the logo).
inline QStringList PipRefreshCalls()
{
    QStringList calls{"MPIPDlg::RefreshFromDevice"};
    for (int k = 0; k < 3; ++k)
        if (k != 2 || GetDeviceData().logo.usage != 1) calls << LayerNoticeCalls(k);
    return calls;
}

// The logo page's refresh announces PIP-3.
inline QStringList LogoRefreshCalls() { return QStringList{"MLogoDlg::RefreshFromDevice"} << LayerNoticeCalls(2); }

inline QStringList FullRefreshCalls()
{
    QStringList calls{"KordalDlg::PlaceExtInputMarks", "MPIPDlg::FillInputLists"};
    for (int w = 0; w < 4; ++w) calls << SelectLayerInputCalls(w);
    calls << "KordalDlg::RebuildGenlockList" << "KordalDlg::SelectSyncItems"
          << "MEdidDlg::FillInputList" << "MPicSettingDlg::RefreshFromDevice" << "MOutputDlg::UpdateTimingFromDevice"
          << "MCropDlg::RefreshFromDevice" << "MMosaicDlg::RefreshFromDevice(3)"
          // The splicing page tells the main window the mode at once, which acts on it there and then.
          << "MMainDlg::ApplyLayout" << "MKeyerDlg::RefreshFromDevice" << "QVN_FeatherDlg::RefreshFromDevice"
          << "MMainDlg::ShowLayersInOutputs(1,1)" << "MPIPDlg::UpdateByWorkMode"
          << PipRefreshCalls() << "MKeyerDlg::RefreshFromDevice" << "MEdidDlg::SelectInput"
          << "MVgaDlg::RefreshFromDevice" << "MSwitcherDlg::RefreshFromDevice" << "MOutputDlg::UpdateLayerButtonTexts"
          << "MCropDlg::UpdateLayerButtonTexts" << "MPicSettingDlg::UpdateLayerButtonTexts"
          << "MTaskDlg::RefreshFromDevice" << "MMiscDlg::UpdateExtBoardButtons" << LogoRefreshCalls()
          << "MLogoDlg::UpdateEnableState" << "MMainDlg::ApplyLayout" << "MMiscDlg::RefreshLoopOut"
          << "WM_MAINPAGE_RELAYOUT" << "KordalDlg::ApplyWorkModeToButtons" << "MOutputDlg::UpdateWindowGeometry"
          << "MMainDlg::UpdateLayerCellRect(0)" << "MMainDlg::UpdateLayerCellRect(1)"
          << "MMainDlg::UpdateLayerCellRect(2)" << "MMainDlg::UpdateLayerCellRect(3)" << "MLogoDlg::ResetLogoWindow"
          << "KordalDlg::RefreshWorkModeBand" << "MVgaDlg::SelectVgaInput(0)" << "MMediaPlayerDlg::RefreshFromDevice";
    return calls;
}

// A device state every dispatcher test starts from: normal mode, inputs 0..3 on the layers.
inline void ResetDeviceForDispatch()
{
    CDeviceData& d = GetDeviceData();
    d.netMode = 1;
    d.pvwMode = 0;
    d.mosaic.mode = 0;
    d.logo.usage = 0;
    d.logo.onOff = 0;
    for (uint8_t& v : d.logo.valid) v = 0;
    for (int w = 0; w < 4; ++w) {
        d.chnl[w].input = static_cast<uint8_t>(w);
        d.chnl[w].onOff = 0;
        d.pgmState[w] = 0;
        d.pvwState[w] = 0;
    }
    for (int s = 0; s < 8; ++s) d.input[s].src = 4;
    for (int k = 0; k < 12; ++k) d.inputNames[k].enabled = k < 6 ? 1 : 0;
    d.eventCode = 0;
    d.eventArg[0] = 0;
    d.cmpBoard.actNoSrc = 0;
    d.cmpBoard.exist = 0;
    d.cmpBoard.mode = 0;
}

// The commands with that id, in order.
inline std::vector<comm::RecordedCall> CommandsWithId(const comm::RecordingCommLibrary& lib, int id)
{
    std::vector<comm::RecordedCall> out;
    for (const auto& c : lib.Commands())
        if (c.id == id) out.push_back(c);
    return out;
}
