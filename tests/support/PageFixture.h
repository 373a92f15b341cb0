#pragma once
// What every page test needs: the page on a host window that records the messages the page sends
// or posts to the main window, the recording communication link, the device state put back after
// each test, message boxes answered and recorded, and helpers that drive controls as an operator
// would (type and press Enter, choose a drop-list row, click a button) and compare command blocks
// byte for byte.

#include "tests/support/QtPrinters.h"

#include "comm/CommLibrary.h"
#include "comm/RecordingCommLibrary.h"
#include "controls/CDropButton.h"
#include "device/CDeviceData.h"
#include "pagekit/MBaseDialog.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"
#include "tests/support/AppDirTestSupport.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/TestApplication.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

struct RecordedMessage {
    unsigned msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    QVariant payload;
};

// Stands where the main window stands: the page's parent, which hears everything the page sends
// or posts to it.
class MessageRecorder : public MessageReceiver<QWidget> {
public:
    MessageRecorder() { resize(1280, 728); }

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override
    {
        messages.push_back({msg, wParam, lParam, payload});
        return 0;
    }
    std::vector<RecordedMessage> Of(unsigned msg) const
    {
        std::vector<RecordedMessage> out;
        for (const auto& m : messages)
            if (m.msg == msg) out.push_back(m);
        return out;
    }
    // The WM_PAGE_NOTIFY messages with that code, in order.
    std::vector<RecordedMessage> Notices(unsigned code) const
    {
        std::vector<RecordedMessage> out;
        for (const auto& m : Of(WM_PAGE_NOTIFY))
            if (m.wParam == code) out.push_back(m);
        return out;
    }

    std::vector<RecordedMessage> messages;
};

// A 32-byte command block: the given leading bytes, then the encoder's filler (0x55).
inline CommandBlock Block32(std::initializer_list<int> leading, uint8_t filler = 0x55)
{
    CommandBlock block;
    block.fill(filler);
    size_t i = 0;
    for (int v : leading)
        if (i < block.size()) block[i++] = static_cast<uint8_t>(v);
    return block;
}

// Equal, or the first byte that differs.
inline ::testing::AssertionResult SameBytes(const std::vector<uint8_t>& actual, const CommandBlock& expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "block of " << actual.size() << " bytes, expected " << expected.size();
    for (size_t i = 0; i < expected.size(); ++i)
        if (actual[i] != expected[i])
            return ::testing::AssertionFailure() << "byte " << i << " is " << int(actual[i]) << ", expected "
                                                 << int(expected[i]);
    return ::testing::AssertionSuccess();
}

// The device state is one per process: a test leaves it as it found it.
class DeviceStateGuard {
public:
    DeviceStateGuard() { std::memcpy(&saved_, &GetDeviceData().Block(), sizeof saved_); }
    ~DeviceStateGuard() { std::memcpy(&GetDeviceData().Block(), &saved_, sizeof saved_); }
    DeviceStateGuard(const DeviceStateGuard&) = delete;
    DeviceStateGuard& operator=(const DeviceStateGuard&) = delete;

private:
    DeviceParamBlock saved_;
};

// Replaces the edit's text by typing and presses Enter, leaving the commit waiting in the event
// queue, where the operator's next key or click (or a reply) in the same pass of the event loop
// finds it.
inline void TypeAndEnterInOnePass(QLineEdit* edit, const QString& text)
{
    ASSERT_NE(edit, nullptr);
    // An operator's keys come through the event queue, behind whatever already waits there (a
    // reply's refresh of this very edit): QTest delivers them at once, so let that go first.
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

template <class Page>
class PageFixture : public TempAppDirTest {
protected:
    void SetUp() override
    {
        PageTestApplication();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
        guard_ = std::make_unique<DeviceStateGuard>();
        comm::InstallCommLibrary(&link);
        SetMessageBoxHandler([this](const MessageBoxRequest& m) {
            boxes.push_back(m);
            return boxAnswer;
        });
        host = std::make_unique<MessageRecorder>();
        page = std::make_unique<Page>(host.get());
        page->OnInitDialog();
        page->setGeometry(0, 0, 320, 620);
        host->show();
        page->ShowPage(true);
        Settle();
    }
    void TearDown() override
    {
        page.reset();
        host.reset();
        SetMessageBoxHandler({});
        comm::InstallCommLibrary(nullptr);
        guard_.reset();
        TempAppDirTest::TearDown();
    }

    // Runs what is posted (control notifications, the page's messages).
    static void Settle()
    {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    static void PressKey(QWidget* w, int key)
    {
        QTest::keyClick(w, static_cast<Qt::Key>(key));
        Settle();
    }
    // Replaces the edit's text by typing and presses Enter, as an operator would.
    static void TypeAndEnter(QLineEdit* edit, const QString& text)
    {
        ::TypeAndEnterInOnePass(edit, text);
        Settle();
    }
    // Opens the list and picks the row, the way a click in the list does.
    static void ChooseDropRow(CDropButton* button, int row)
    {
        ASSERT_NE(button, nullptr);
        button->DropList();
        SendMsg(button, WM_DROPLIST_SELECT, static_cast<WPARAM>(row), 0);
        button->CloseList();
        Settle();
    }
    static void ClickButton(QAbstractButton* button)
    {
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }

    // The commands sent with that id, in order.
    std::vector<comm::RecordedCall> Sent(int cmdId) const
    {
        std::vector<comm::RecordedCall> out;
        for (const auto& c : link.Commands())
            if (c.id == cmdId) out.push_back(c);
        return out;
    }

    comm::RecordingCommLibrary link;
    std::unique_ptr<MessageRecorder> host;
    std::unique_ptr<Page> page;
    std::vector<MessageBoxRequest> boxes;
    int boxAnswer = IDOK;

private:
    std::unique_ptr<DeviceStateGuard> guard_;
};
