#pragma once
// Helpers for the preset-bar, shortcut and project-command tests: message boxes answered by the
// test, key events, and the commands the recording library saw.

#include "MainWindowTestSupport.h"

#include "comm/RecordingCommLibrary.h"
#include "device/CDeviceData.h"
#include "platform/MessageBox.h"
#include "shell/HeldKeys.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <cstring>
#include <utility>
#include <vector>

// Answers every message box with a fixed answer and keeps what was asked.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK) : answer_(answer)
    {
        previous_ = SetMessageBoxHandler([this](const MessageBoxRequest& r) {
            requests.push_back(r);
            return answer_;
        });
    }
    ~MessageBoxRecorder() { SetMessageBoxHandler(std::move(previous_)); }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    void SetAnswer(int answer) { answer_ = answer; }
    std::vector<MessageBoxRequest> requests;

private:
    int answer_;
    MessageBoxHandler previous_;
};

inline void SendKey(QObject* to, QEvent::Type type, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                    bool autoRepeat = false)
{
    QKeyEvent e(type, key, mods, QString(), autoRepeat);
    QCoreApplication::sendEvent(to, &e);
}
inline void Press(QObject* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendKey(to, QEvent::KeyPress, key, mods);
}
inline void Release(QObject* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendKey(to, QEvent::KeyRelease, key, mods);
}

// A command as (id, first argument bytes).
struct SentCommand {
    int id;
    std::vector<uint8_t> head;
    bool operator==(const SentCommand&) const = default;
};

inline std::vector<SentCommand> SentCommands(const comm::RecordingCommLibrary& lib, size_t headBytes = 2)
{
    std::vector<SentCommand> out;
    for (const comm::RecordedCall& c : lib.Commands()) {
        SentCommand s{c.id, {}};
        for (size_t i = 0; i < headBytes && i < c.bytes.size(); ++i) s.head.push_back(c.bytes[i]);
        out.push_back(s);
    }
    return out;
}

inline void PrintTo(const SentCommand& c, std::ostream* os)
{
    *os << "cmd " << c.id << " (";
    for (size_t i = 0; i < c.head.size(); ++i) *os << (i ? ", " : "") << int(c.head[i]);
    *os << ")";
}

class PresetBarTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ForgetHeldKeys();
        std::memset(GetDeviceData().presetStored, 0, sizeof GetDeviceData().presetStored);
    }
    void TearDown() override
    {
        ForgetHeldKeys();
        std::memset(GetDeviceData().presetStored, 0, sizeof GetDeviceData().presetStored);
        MainWindowTest::TearDown();
    }

    // The window, shown, with the commands of its start forgotten.
    KordalDlg& Ready()
    {
        KordalDlg& w = Window();
        recording_.ClearCalls();
        return w;
    }
    void HideBusy(KordalDlg& w) { w.ShowBusyDialog(false, QString()); }
};
