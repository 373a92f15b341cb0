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
#include "controls/CDropList.h"
#include "controls/CGdipButton.h"
#include "controls/CProgressDlg.h"
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
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>
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

// A layer window switched on at (x, y), w x h output pixels.
inline void ShowLayerAt(LayerWindow& layer, int32_t x, int32_t y, int32_t w, int32_t h)
{
    layer.onOff = 1;
    layer.hPos = x;
    layer.vPos = y;
    layer.hAct = w;
    layer.vAct = h;
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
    // A click at a point of parent, on whatever child shows there.
    static void ClickAt(QWidget& parent, QPoint at)
    {
        QWidget* target = parent.childAt(at);
        if (!target) target = &parent;
        ASSERT_TRUE(target->isVisible() && target->isEnabled()) << GetControlId(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&parent, at));
        Settle();
    }

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

    // Drops the list with a click (refused, as any click, on a hidden or disabled list) and clicks
    // the row.
    static void ChooseRow(CDropButton* list, int row)
    {
        ASSERT_NE(list, nullptr);
        // Without a window manager, the keyboard grab of a popup being shown can reach a loaded
        // program as a focus loss before the focus comes back: the program is inactive for an
        // instant and Qt closes its popups. An operator would click again; so does the walk.
        for (int attempt = 0; attempt < 3 && !list->IsListShown(); ++attempt) {
            SpinUntil([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }, 2000);
            Click(list);
        }
        ASSERT_TRUE(list->IsListShown()) << GetControlId(list);
        CDropList* rows = list->GetList();
        ASSERT_TRUE(row >= 0 && row < rows->GetCount()) << "row " << row;
        rows->EnsureVisible(row);
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->ItemRect(row).center());
        Settle();
        ASSERT_FALSE(list->IsListShown()) << "row " << row << " not taken";
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

    // --- waiting as the operator waits -----------------------------------------------------------

    // Runs act, which puts up the busy dialog, and waits for the processor's answer to take it down
    // and give the window back; false when that takes longer than ms (the watchdog would end the
    // wait only after 15 s).
    bool BusyEndsWithin(const std::function<void()>& act, int ms = 1000)
    {
        CProgressDlg& busy = window->m_BusyDlg;
        busy.SetText(QString());
        QElapsedTimer clock;
        clock.start();
        act();
        EXPECT_FALSE(busy.Text().isEmpty()) << "no busy dialog";
        const bool ended = SpinUntil([&] { return !busy.isVisible() && window->isEnabled(); }, ms);
        return ended && clock.elapsed() <= ms;
    }

    // Whether upper's top-level window is mapped and stacked above lower's, as the X server holds
    // them (without a window manager both are children of the root, listed bottom to top).
    static bool MappedAbove(const QWidget& upper, const QWidget& lower)
    {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection()) return false;
        xcb_connection_t* c = x11->connection();
        const auto up = static_cast<xcb_window_t>(upper.window()->winId());
        const auto low = static_cast<xcb_window_t>(lower.window()->winId());
        xcb_get_window_attributes_reply_t* attr = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, up), nullptr);
        const bool mapped = attr && attr->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attr);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
        if (!tree) return false;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        int upAt = -1, lowAt = -1;
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            if (children[i] == up) upAt = i;
            if (children[i] == low) lowAt = i;
        }
        free(tree);
        return mapped && lowAt >= 0 && upAt > lowAt;
    }

    // The indexes of these sibling widgets in their native windows' stacking order, lowest first.
    static std::vector<int> NativeStackingOf(const std::vector<const QWidget*>& widgets)
    {
        xcb_connection_t* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const auto parent = static_cast<xcb_window_t>(widgets.front()->nativeParentWidget()->winId());
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr);
        std::vector<int> order;
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree); ++i)
            for (size_t k = 0; k < widgets.size(); ++k)
                if (widgets[k]->internalWinId() == xcb_query_tree_children(tree)[i]) order.push_back(static_cast<int>(k));
        free(tree);
        return order;
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
