#pragma once
// What the device layer needs from the main window: posting a reply notice (WM_DEVICE_REPLY),
// the status report, and hiding the busy dialog. The main window implements it; tests use a double.
// Every call is made on the UI thread.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    // Stores (wParam, lParam) as the last reply pair and posts WM_DEVICE_REPLY with it.
    virtual void PostRefresh(int32_t wParam, int32_t lParam) = 0;
    // PostRefresh for a reply whose device fields the next reply of its id overwrites
    // (ReplyRecord.h): a main window that overrides it lets the copy travel with the post and puts
    // it back before dispatching.
    virtual void PostRecordRefresh(int32_t wParam, int32_t lParam, const QByteArray& record)
    {
        (void)record;
        PostRefresh(wParam, lParam);
    }
    // Records the status byte in the device state and posts the status report (23, 0); the byte
    // travels with the posted message.
    virtual void NotifyReplyStatus(uint8_t status) = 0;
    // Synchronous WM_BUSY_DIALOG (0, 0): hides the busy dialog.
    virtual void HideBusyDialog() = 0;
    // Stores (27, 0) as the last reply pair and posts WM_DEVICE_REPLY (27, 0) carrying the found
    // processor's IP text and MAC, so that a second answer arriving before the first is dispatched
    // cannot overwrite what the dispatcher shows.
    virtual void PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>& mac) = 0;
    // Reply 0: posts WM_DEVICE_REPLY (0, 0). A main window that overrides it lets the online byte
    // and the answering address travel with the post, so that two processors answering at once
    // are each credited with their own state.
    virtual void PostOnline(uint8_t online, uint8_t status)
    {
        (void)online;
        (void)status;
        PostRefresh(0, 0);
    }
};

// The installed main window (nullptr until one is installed: posts are then dropped).
MainWindowLink* GetMainWindowLink();
void SetMainWindowLink(MainWindowLink* link);
