#pragma once
// The whole program as an operator meets it: the real main window with the real communication
// library, against the processor emulator on a loopback address, in a temporary application
// folder holding the shipped language files. Helpers act through the widgets (mouse and keys) and
// wait on the event loop until the emulator shows the change.

#include "LinkTestSupport.h"
#include "tests/support/AppDirTestSupport.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PageScreenshots.h"
#include "tests/support/TestApplication.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "shell/KordalDlg.h"
#include "shell/MainWindowIds.h"
#include "shell/pages/ConnectIds.h"
#include "pages/system/MiscIds.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

inline DeviceParamBlock BlockOf(const std::vector<uint8_t>& bytes)
{
    DeviceParamBlock b{};
    if (bytes.size() == sizeof b) std::memcpy(&b, bytes.data(), sizeof b);
    return b;
}

inline std::vector<uint8_t> DeviceBlockBytes()
{
    std::vector<uint8_t> bytes(sizeof(DeviceParamBlock));
    std::memcpy(bytes.data(), &GetDeviceData().Block(), bytes.size());
    return bytes;
}

class EndToEndTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        PageTestApplication();
        TempAppDirTest::SetUp();
        ASSERT_TRUE(InstallShippedLanguageFiles(LanguageDir()));
        SelectLanguage(QStringLiteral("English"));
        ReloadUiText();
        g_IniPath = InfoIni();
        std::memcpy(&savedBlock_, &GetDeviceData().Block(), sizeof savedBlock_);
        SetMessageBoxHandler([this](const MessageBoxRequest& r) {
            boxes.push_back(r.text);
            return boxAnswer;
        });
    }
    void TearDown() override
    {
        CloseWindow();
        if (emulator) emulator->Stop();
        SetMessageBoxHandler({});
        std::memcpy(&GetDeviceData().Block(), &savedBlock_, sizeof savedBlock_);
        TempAppDirTest::TearDown();
    }

    // --- the program ---------------------------------------------------------------------------

    void StartEmulatorAt(const std::string& ip, bool pty = false) { emulator = StartEmulator(ip, pty); }

    // The real library (short health timings when fast) and a shown main window on the folder.
    KordalDlg& StartProgram(bool fast = false)
    {
        comm::DeviceLinkOptions options = fast ? FastOptions() : comm::DeviceLinkOptions{};
        if (emulator) options.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
        return StartProgram(options);
    }
    KordalDlg& StartProgram(const comm::DeviceLinkOptions& options)
    {
        link = std::make_unique<comm::DeviceLink>(options);
        comm::InstallCommLibrary(link.get());
        window = std::make_unique<KordalDlg>();
        window->move(0, 0);
        window->show();
        Settle();
        return *window;
    }

    // Closes the window as the operator does (the project is saved), then takes the library down.
    void CloseWindow()
    {
        if (window) {
            window->close();
            Settle();
            window.reset();
        }
        if (link) {
            QVN_Comm_Shutdown();
            comm::InstallCommLibrary(nullptr);
            link.reset();
        }
    }

    // COMM page: the emulator's address typed in, "Connect" clicked; then the operator's device
    // address, as the search page would set it.
    void ConnectOverTcp()
    {
        ASSERT_TRUE(emulator);
        OpenSidePage(ctl::main_window::IDC_SIDE_COMM);
        MBaseDialog& page = window->m_ConnectDlg;
        g_DeviceAddress = emulator->Address();
        TypeInto(page, ctl::connect::IDC_DESTINATION_IP_EDIT, QString::fromStdString(emulator->Ip()), false);
        Click(page, ctl::connect::IDC_NETWORK_CONNECT);
        ASSERT_TRUE(SpinUntil([&] { return emulator->ClientCount() >= 1; }, 10000)) << "no TCP client";
        Shot(page, QStringLiteral("e2e_connect"));
    }

    // MISC page: "Get Data From Machine"; true once the window has refreshed every page from the
    // emulator's block and the busy dialog is gone. (Pages show some fields as they understand
    // them: a standard output row brings its table timing, so the state need not stay
    // byte-equal to the block.)
    bool ReadConfiguration()
    {
        OpenSidePage(ctl::main_window::IDC_SIDE_MISC);
        return ReadOut([&] { Click(window->m_MiscDlg, ctl::misc::IDC_GET_DATA); });
    }

    // Runs start (which asks for the block) and waits for the whole refresh, as above.
    bool ReadOut(const std::function<void()>& start)
    {
        QStringList trace;
        window->SetCallTrace(&trace);
        const std::vector<uint8_t> block = emulator->Block();
        start();
        const bool read = SpinUntil([&] {
            return trace.contains(QStringLiteral("MMediaPlayerDlg::RefreshFromDevice")) && !window->m_BusyDlg.isVisible();
        }, 20000);
        window->SetCallTrace(nullptr);
        if (!read) return false;
        const DeviceParamBlock sent = BlockOf(block);
        const DeviceParamBlock& held = GetDeviceData().Block();
        EXPECT_EQ(held.loopOutIp, sent.loopOutIp);
        EXPECT_EQ(held.mosaic.mode, sent.mosaic.mode);
        EXPECT_EQ(std::memcmp(&held.keyer, &sent.keyer, sizeof sent.keyer), 0);
        EXPECT_EQ(std::memcmp(&held.picComm, &sent.picComm, sizeof sent.picComm), 0);
        return true;
    }

    // The program started against an emulator at ip, connected over TCP, its configuration read.
    KordalDlg& Connected(const std::string& ip)
    {
        StartEmulatorAt(ip);
        return Connected();
    }
    KordalDlg& Connected()
    {
        KordalDlg& w = StartProgram();
        ConnectOverTcp();
        EXPECT_TRUE(ReadConfiguration()) << "configuration not read";
        return w;
    }

    // --- acting as an operator -----------------------------------------------------------------

    static void Settle()
    {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    static QWidget* Control(const QWidget& parent, int id)
    {
        QWidget* w = FindControlById(&parent, id);
        EXPECT_NE(w, nullptr) << "no control " << id;
        return w;
    }

    static void Click(QWidget* w)
    {
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible()) << GetControlId(w);
        ASSERT_TRUE(w->isEnabled()) << GetControlId(w);
        QTest::mouseClick(w, Qt::LeftButton);
        Settle();
    }
    static void Click(const QWidget& parent, int id) { Click(Control(parent, id)); }

    // Side button of the main window by id: opens (or closes) its page.
    void OpenSidePage(int buttonId)
    {
        CGdipButton* b = window->ButtonById(buttonId);
        ASSERT_NE(b, nullptr) << buttonId;
        const int index = KordalDlg::PageIndexForButton(buttonId);
        if (index >= 0 && window->CurrentPage() == index) return;
        Click(b);
        if (index >= 0) {
            ASSERT_EQ(window->CurrentPage(), index);
            ASSERT_TRUE(window->SidePage(index)->isVisible());
        }
    }

    // Types text into the edit and presses Enter (or only leaves it typed).
    static void TypeInto(QWidget* w, const QString& text, bool enter = true)
    {
        auto* edit = qobject_cast<QLineEdit*>(w);
        ASSERT_NE(edit, nullptr);
        ASSERT_TRUE(edit->isVisible()) << GetControlId(w);
        ASSERT_TRUE(edit->isEnabled()) << GetControlId(w);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        if (enter) QTest::keyClick(edit, Qt::Key_Return);
        Settle();
    }
    static void TypeInto(const QWidget& parent, int id, const QString& text, bool enter = true)
    {
        TypeInto(Control(parent, id), text, enter);
    }

    // Opens the drop list and picks the row as a click in the list does.
    static void ChooseRow(CDropButton* list, int row)
    {
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(list->isVisible()) << GetControlId(list);
        list->DropList();
        Settle();
        SendMsg(list, WM_DROPLIST_SELECT, static_cast<WPARAM>(row), 0);
        list->CloseList();
        Settle();
    }
    static void ChooseRow(const QWidget& parent, int id, int row)
    {
        ChooseRow(qobject_cast<CDropButton*>(Control(parent, id)), row);
    }

    static void PressKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyPress(w, key, mods);
        QTest::keyRelease(w, key, mods);
        Settle();
    }

    // --- waiting on the emulator ---------------------------------------------------------------

    DeviceParamBlock Stored() const { return BlockOf(emulator->Block()); }

    bool StoredSoon(const std::function<bool(const DeviceParamBlock&)>& pred, int ms = 10000) const
    {
        return SpinUntil([&] { return pred(Stored()); }, ms);
    }

    // Runs act, then waits until the part of the block that part() picks out differs in the
    // emulator from what it held before and matches the window's device state.
    template <class Part>
    bool ChangeReachesEmulator(Part part, const std::function<void()>& act, int ms = 10000)
    {
        const auto before = part(Stored());
        act();
        return SpinUntil([&] {
            const auto now = part(Stored());
            return !(now == before) && now == part(GetDeviceData().Block());
        }, ms);
    }

    bool CommandReceived(int id, int ms = 10000) const
    {
        return emulator->WaitReceived([id](const std::vector<emu::ReceivedFrame>& f) {
            for (int32_t c : CommandIds(f))
                if (c == id) return true;
            return false;
        }, std::chrono::milliseconds(ms));
    }

    // Pictures of the page in Chinese and English, kept in the test's build folder; the layout
    // checks must hold in both.
    void Shot(MBaseDialog& page, const QString& name)
    {
        EXPECT_EQ(ScreenshotAndCheck(page, name), QStringList()) << name.toStdString();
        shots << name;
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> link;
    std::unique_ptr<KordalDlg> window;
    std::vector<QString> boxes;
    int boxAnswer = IDOK;
    QStringList shots;

private:
    DeviceParamBlock savedBlock_{};
};
