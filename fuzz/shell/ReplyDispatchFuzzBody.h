#pragma once
// One input of the reply-dispatch fuzz target: the bytes are replies as the communication library
// delivers them, one after another, each [id][status][address][arg0 LE32][arg1 LE32][length LE16]
// [payload...]. Each goes through the reply adapter and the handlers (their follow-ups run at
// once) to a main window, whose reply dispatch refreshes the pages and lays out the operating
// page. After every reply each layer cell must still be on the canvas. One offscreen main window
// serves every input; each input starts from the same device state, shown afresh. Message boxes
// are answered through the platform layer's hook, so none waits for an operator. The libFuzzer
// entry point and the corpus replay test both call this; a broken invariant aborts.

#include "comm/CommLibrary.h"
#include "comm/RecordingCommLibrary.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/ReplyAdapter.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"
#include "pagekit/LanguageFiles.h"
#include "platform/MessageBox.h"
#include "platform/MessageEvent.h"
#include "platform/MessageIds.h"
#include "preview/CCell.h"
#include "preview/CPictureCtrl.h"
#include "preview/MMainDlg.h"
#include "shell/KordalDlg.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fuzz_shell {

class ReplyDispatchRig {
public:
    // Replies taken from one input; the rest is ignored (bounds the time an input takes).
    static constexpr int kMaxReplies = 48;

    // Made on first use and kept to the end of the process: widgets cannot be destroyed once exit
    // has begun to take Qt down.
    static ReplyDispatchRig& Get()
    {
        static ReplyDispatchRig* rig = new ReplyDispatchRig;
        return *rig;
    }

    void Run(const uint8_t* data, size_t size)
    {
        Reset();
        constexpr size_t kHeader = 13;
        size_t at = 0;
        for (int n = 0; n < kMaxReplies && at + kHeader <= size; ++n) {
            const uint8_t* h = data + at;
            comm::ReplyPacket packet;
            // Ids a little beyond the table on both sides, so that refusing them is exercised too.
            packet.replyId = static_cast<int>(h[0] % 34) - 1;
            packet.status = h[1];
            packet.deviceAddress = h[2];
            std::memcpy(&packet.args[0], h + 3, 4);
            std::memcpy(&packet.args[1], h + 7, 4);
            const size_t length = std::min<size_t>(h[11] | h[12] << 8, size - at - kHeader);
            packet.payload.assign(h + kHeader, h + kHeader + length);
            at += kHeader + length;
            DispatchReply(*handlers_, packet);
            timers_.RunAll();
            Settle();
            CheckLayerCells();
        }
    }

private:
    ReplyDispatchRig()
    {
        // No session bus: SDL's libdbus would fork a bus launcher from this threaded process.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/svp-fuzz-bus");
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        // Offscreen widgets have no X windows for SDL to draw into, even when an X server is there.
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && qEnvironmentVariableIsEmpty("SDL_VIDEODRIVER"))
            qputenv("SDL_VIDEODRIVER", "dummy");
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "fuzz_shell_reply_dispatch";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
        // "Info.ini", the language folder and the project files go to a folder of their own, in the
        // working folder (the fuzz run's or the test's), reused by every run.
        const QString appDir = QDir::currentPath() + QStringLiteral("/reply_dispatch_app/");
        QDir().mkpath(appDir);
        qputenv("SVP_APP_DIR", QFile::encodeName(appDir));
        g_IniPath = appDir + QStringLiteral("Info.ini");
        SetMessageBoxHandler([](const MessageBoxRequest& r) { return r.type == MB_OK ? IDOK : IDCANCEL; });
        comm::InstallCommLibrary(&library_);
        window_ = std::make_unique<KordalDlg>();
        window_->show();
        Settle();
        std::memcpy(&baseline_, &GetDeviceData().Block(), sizeof baseline_);
        handlers_ = std::make_unique<ReplyHandlers>(GetDeviceData(), timers_);
    }

    // The device state the window started with, shown again as after a read-out.
    void Reset()
    {
        CDeviceData& d = GetDeviceData();
        std::memcpy(&d.Block(), &baseline_, sizeof baseline_);
        d.previewAvailable = 0;
        window_->m_MainDlg.CheckOutputModeChanged();
        SendMsg(window_.get(), WM_DEVICE_REPLY, REPLY_ALL_DATA, 0);
        timers_.RunAll();
        Settle();
        library_.ClearCalls();
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    // Every layer cell exists, is normalised and lies on the canvas, whatever the windows were.
    void CheckLayerCells() const
    {
        const MMainDlg& page = window_->m_MainDlg;
        const cellgeo::CellRect client = const_cast<MMainDlg&>(page).Canvas().ClientRect();
        for (int w = 0; w < kWindowCount; ++w) {
            const CCell* cell = page.LayerCell(w);
            if (!cell) std::abort();
            const cellgeo::CellRect& r = cell->rect;
            if (r.left > r.right || r.top > r.bottom || r.left < client.left || r.top < client.top ||
                r.right > client.right || r.bottom > client.bottom)
                std::abort();
        }
    }

    comm::RecordingCommLibrary library_;
    ManualTimerSource timers_;
    std::unique_ptr<KordalDlg> window_;
    std::unique_ptr<ReplyHandlers> handlers_;
    DeviceParamBlock baseline_{};
};

inline void ReplyDispatchOne(const uint8_t* data, size_t size)
{
    ReplyDispatchRig::Get().Run(data, size);
}

}  // namespace fuzz_shell
