// The system page on its fixture: the reset latch through its buttons, loop-out, get and set of
// the whole configuration in their order, the project dialogs, tabs, shortcuts, language labels,
// the extension boards and the information texts.

#include "tests/support/PageFixture.h"

#include "controls/CGdipButton.h"
#include "device/CommandIds.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MiscIds.h"
#include "platform/PageNotifyCodes.h"

#include <QFileDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QVariantMap>

namespace {

namespace ids = ctl::misc;

class MiscPage : public PageFixture<MMiscDlg> {
protected:
    void SetUp() override
    {
        PageFixture<MMiscDlg>::SetUp();
        savedLabel_ = g_LanguageLabelId;
        host->messages.clear();
        link.ClearCalls();
    }
    void TearDown() override
    {
        g_LanguageLabelId = savedLabel_;
        PageFixture<MMiscDlg>::TearDown();
    }
    void Click(int id) { ClickButton(page->Button(id)); }
    static std::pair<int, int> SubPage(const RecordedMessage& m)
    {
        const QVariantMap map = m.payload.toMap();
        return {map.value("tab").toInt(), map.value("shown").toInt()};
    }

private:
    int savedLabel_ = 1251;
};

TEST_F(MiscPage, TheFullResetOrderSendsOneResetAndAsksForARestart)
{
    for (int id = ids::IDC_RESET_STEP_1; id <= ids::IDC_RESET_STEP_OK; ++id) Click(id);
    const auto sent = Sent(CMD_FACTORY_RESET);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({})));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Restart The Machine");
    EXPECT_EQ(boxes[0].caption, "Tips");
    for (int id = ids::IDC_RESET_STEP_1; id <= ids::IDC_RESET_STEP_OK; ++id) {
        EXPECT_FALSE(page->Button(id)->IsPressed()) << id;
        EXPECT_EQ(page->Button(id)->CaptionColor(), kColorLightText) << id;
    }
}

TEST_F(MiscPage, AStepOutOfOrderOrAReleaseSendsNothing)
{
    Click(ids::IDC_RESET_STEP_2);
    EXPECT_FALSE(page->Button(ids::IDC_RESET_STEP_2)->IsPressed());
    EXPECT_EQ(page->Button(ids::IDC_RESET_STEP_2)->CaptionColor(), kColorLightText);

    Click(ids::IDC_RESET_STEP_1);
    Click(ids::IDC_RESET_STEP_2);
    EXPECT_TRUE(page->Button(ids::IDC_RESET_STEP_2)->IsPressed());
    EXPECT_EQ(page->Button(ids::IDC_RESET_STEP_2)->CaptionColor(), kColorAccent);
    Click(ids::IDC_RESET_STEP_3);
    Click(ids::IDC_RESET_STEP_3);  // released in the middle: the row clears
    for (int id = ids::IDC_RESET_STEP_1; id <= ids::IDC_RESET_STEP_OK; ++id) EXPECT_FALSE(page->Button(id)->IsPressed());
    Click(ids::IDC_RESET_STEP_4);
    Click(ids::IDC_RESET_STEP_OK);
    EXPECT_TRUE(Sent(CMD_FACTORY_RESET).empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MiscPage, ALoopOutClickStoresSendsAndTellsTheMainWindow)
{
    Click(ids::IDC_LOOP_OUT_HDMI2);
    EXPECT_EQ(GetDeviceData().loopOutIp, 3);
    const auto sent = Sent(CMD_SET_LOOP_OUT);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(SameBytes(sent[0].bytes, Block32({3})));
    const auto notices = host->Notices(NOTIFY_LOOP_OUT);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].lParam, 3);
    for (int k = 0; k < 8; ++k) {
        CGdipButton* b = page->Button(ids::IDC_LOOP_OUT_DVI1 + k);
        EXPECT_EQ(b->IsPressed(), k == 3) << k;
        EXPECT_EQ(b->CaptionColor(), k == 3 ? kColorAccent : kColorLightText) << k;
    }
}

TEST_F(MiscPage, ARefreshOfTheLoopOutPostsItsNoticeButSendsNothing)
{
    GetDeviceData().loopOutIp = 6;
    page->RefreshLoopOut();
    Settle();
    EXPECT_TRUE(page->Button(ids::IDC_LOOP_OUT_EXT1)->IsPressed());
    EXPECT_EQ(page->Button(ids::IDC_LOOP_OUT_EXT1)->CaptionColor(), kColorAccent);
    EXPECT_TRUE(link.Commands().empty());
    ASSERT_EQ(host->Notices(NOTIFY_LOOP_OUT).size(), 1u);
    EXPECT_EQ(host->Notices(NOTIFY_LOOP_OUT)[0].lParam, 6);

    // A source the processor cannot have selects nothing and moves no frame.
    GetDeviceData().loopOutIp = 200;
    page->RefreshLoopOut();
    Settle();
    for (int k = 0; k < 8; ++k) EXPECT_FALSE(page->Button(ids::IDC_LOOP_OUT_DVI1 + k)->IsPressed()) << k;
    EXPECT_EQ(host->Notices(NOTIFY_LOOP_OUT).size(), 1u);
    EXPECT_TRUE(link.Commands().empty());
}

// Notes how many commands had gone out when each message reached the main window.
class OrderHost : public MessageRecorder {
public:
    explicit OrderHost(comm::RecordingCommLibrary& link) : link_(link) {}
    LRESULT OnMessage(unsigned msg, WPARAM w, LPARAM l, const QVariant& payload) override
    {
        const auto calls = link_.Calls();
        sendsBefore.push_back(std::count_if(calls.begin(), calls.end(), [](const comm::RecordedCall& c) {
            return c.op == comm::RecordedCall::Op::SendCommand || c.op == comm::RecordedCall::Op::SendBlock;
        }));
        return MessageRecorder::OnMessage(msg, w, l, payload);
    }
    std::vector<long> sendsBefore;

private:
    comm::RecordingCommLibrary& link_;
};

TEST_F(MiscPage, GetSendsFirstAndSetShowsTheBusyTextFirst)
{
    OrderHost orderHost(link);
    orderHost.show();
    MMiscDlg misc(&orderHost);
    misc.OnInitDialog();
    misc.setGeometry(0, 0, 320, 620);
    misc.show();
    Settle();
    orderHost.messages.clear();
    orderHost.sendsBefore.clear();
    link.ClearCalls();

    ClickButton(misc.Button(ids::IDC_GET_DATA));
    ASSERT_EQ(orderHost.messages.size(), 1u);
    EXPECT_EQ(orderHost.messages[0].msg, unsigned(WM_BUSY_DIALOG));
    EXPECT_EQ(orderHost.messages[0].wParam, 1u);
    EXPECT_EQ(orderHost.messages[0].payload.toString(), "Getting Data From Desitination... ");
    EXPECT_EQ(orderHost.sendsBefore[0], 1);
    ASSERT_EQ(Sent(CMD_GET_ALL_DATA).size(), 1u);
    EXPECT_TRUE(SameBytes(Sent(CMD_GET_ALL_DATA)[0].bytes, Block32({})));

    orderHost.messages.clear();
    orderHost.sendsBefore.clear();
    link.ClearCalls();
    GetDeviceData().feather.onOff = 1;
    GetDeviceData().feather.shape[0] = 2;
    GetDeviceData().feather.level[0] = 9;
    ClickButton(misc.Button(ids::IDC_SET_DATA));
    ASSERT_EQ(orderHost.messages.size(), 1u);
    EXPECT_EQ(orderHost.messages[0].payload.toString(), "Set Data To Desitination...");
    EXPECT_EQ(orderHost.sendsBefore[0], 0);
    EXPECT_EQ(GetDeviceData().feather.onOff, 0);
    const auto calls = link.Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].op, comm::RecordedCall::Op::SendCommand);
    EXPECT_EQ(calls[0].id, CMD_SET_FEATHER);
    EXPECT_TRUE(SameBytes(calls[0].bytes, Block32({0, 2, 9, 0, 0, 0, 0, 0, 0, 3})));
    EXPECT_EQ(calls[1].op, comm::RecordedCall::Op::SendBlock);
    EXPECT_EQ(calls[1].bytes.size(), size_t(kParamBlockBytes));
}

TEST_F(MiscPage, ProjectDialogsAskTheMainWindowAndACancelSendsNothing)
{
    std::vector<bool> asked;
    QString answer;
    page->SetProjectFileChooser([&](QWidget*, bool save) {
        asked.push_back(save);
        return answer;
    });
    Click(ids::IDC_OPEN_PROJECT);
    Click(ids::IDC_SAVE_PROJECT);
    EXPECT_EQ(asked, (std::vector<bool>{false, true}));
    EXPECT_TRUE(host->messages.empty());

    const struct {
        int button;
        unsigned op;
        const char* path;
    } cases[] = {{ids::IDC_OPEN_PROJECT, PROJECT_FILE_OPEN, "/tmp/show/show.pro"},
                 {ids::IDC_SAVE_PROJECT, PROJECT_FILE_SAVE, "/tmp/new name.pro"}};
    for (const auto& c : cases) {
        host->messages.clear();
        answer = QString::fromUtf8(c.path);
        Click(c.button);
        ASSERT_EQ(host->messages.size(), 2u);
        EXPECT_EQ(host->messages[0].msg, unsigned(WM_BUSY_DIALOG));
        EXPECT_EQ(host->messages[0].wParam, 1u);
        EXPECT_EQ(host->messages[0].payload.toString(), "Waitting Operation ...");
        EXPECT_EQ(host->messages[1].msg, unsigned(WM_PROJECT_FILE));
        EXPECT_EQ(host->messages[1].wParam, c.op);
        EXPECT_EQ(host->messages[1].payload.toString(), answer);
    }
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(MiscPage, TheSaveDialogTakesANewFileAndTheOpenDialogOnlyAnExistingOne)
{
    for (bool save : {false, true}) {
        QFileDialog dialog;
        MMiscDlg::ConfigureProjectDialog(dialog, save);
        EXPECT_EQ(dialog.fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.defaultSuffix(), "pro");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"QVN File(*.pro)"});
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    }
}

TEST_F(MiscPage, TabsSwitchTheSubPageAndTheCurrentTabSendsNothing)
{
    Click(ids::IDC_TAB_TIME_TASK);
    auto notices = host->Notices(NOTIFY_SHOW_SUBPAGE);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(SubPage(notices[0]), std::make_pair(3, 1));
    EXPECT_EQ(page->CurrentTab(), 3);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(page->Button(ids::IDC_TAB_SETTING + k)->IsPressed(), k == 3) << k;
        EXPECT_EQ(page->Button(ids::IDC_TAB_SETTING + k)->CaptionColor(), k == 3 ? kColorAccent : kColorLightText);
    }
    Click(ids::IDC_TAB_TIME_TASK);
    EXPECT_EQ(host->Notices(NOTIFY_SHOW_SUBPAGE).size(), 1u);
    EXPECT_TRUE(page->Button(ids::IDC_TAB_TIME_TASK)->IsPressed());

    // Hiding and showing the page reports the tab again, and closes the shortcut pages.
    host->messages.clear();
    page->ShowPage(false);
    notices = host->Notices(NOTIFY_SHOW_SUBPAGE);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(SubPage(notices[0]), std::make_pair(3, 0));
    for (unsigned code : {NOTIFY_TAB_BUTTONS, NOTIFY_TAB_BUTTONS_MEDIA, NOTIFY_TAB_BUTTONS_FEATHER}) {
        ASSERT_EQ(host->Notices(code).size(), 1u) << code;
        EXPECT_EQ(host->Notices(code)[0].lParam, 3) << code;
    }
    page->ShowPage(true);
    EXPECT_EQ(SubPage(host->Notices(NOTIFY_SHOW_SUBPAGE).back()), std::make_pair(3, 1));
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(MiscPage, AShortcutTogglesItsPageAndHidesTheOtherTwo)
{
    const struct {
        int id;
        unsigned code;
    } shortcuts[] = {{ids::IDC_VIDEO_SETTING, NOTIFY_TAB_BUTTONS},
                     {ids::IDC_MEDIA_PLAYER, NOTIFY_TAB_BUTTONS_MEDIA},
                     {ids::IDC_FEATHERING, NOTIFY_TAB_BUTTONS_FEATHER}};
    for (const auto& s : shortcuts) {
        host->messages.clear();
        Click(s.id);
        EXPECT_EQ(page->Button(s.id)->CaptionColor(), kColorAccent);
        for (const auto& other : shortcuts) {
            const auto n = host->Notices(other.code);
            ASSERT_EQ(n.size(), 1u);
            EXPECT_EQ(n[0].lParam, other.id == s.id ? 0 : 3);
            if (other.id != s.id) {
                EXPECT_FALSE(page->Button(other.id)->IsPressed());
            }
        }
    }
    Click(ids::IDC_FEATHERING);
    EXPECT_FALSE(page->Button(ids::IDC_FEATHERING)->IsPressed());
    EXPECT_EQ(page->Button(ids::IDC_FEATHERING)->CaptionColor(), kColorLightText);
}

TEST_F(MiscPage, OnlyTheOtherLanguageLabelSwitchesTheLanguage)
{
    g_LanguageLabelId = ids::IDC_LANGUAGE_ENGLISH;
    QTest::mouseClick(page->Label(ids::IDC_LANGUAGE_ENGLISH), Qt::LeftButton);
    EXPECT_TRUE(host->Of(WM_LANGUAGE_CHANGE).empty());
    QTest::mouseClick(page->Label(ids::IDC_LANGUAGE_CHINESE), Qt::LeftButton);
    ASSERT_EQ(host->Of(WM_LANGUAGE_CHANGE).size(), 1u);
    EXPECT_EQ(host->Of(WM_LANGUAGE_CHANGE)[0].wParam, 1u);
    EXPECT_EQ(g_LanguageLabelId, ids::IDC_LANGUAGE_CHINESE);
    EXPECT_EQ(page->Label(ids::IDC_LANGUAGE_CHINESE)->palette().color(QPalette::Active, QPalette::WindowText),
              ToQColor(kPageTitleColor));
}

TEST_F(MiscPage, ExtensionBoardsEnableTheirButtonsAndNameThem)
{
    CDeviceData& d = GetDeviceData();
    for (int r : {6, 7, 10, 11}) d.inputNames[r].enabled = 0;
    d.inputNames[6].name = " Ext-A ";
    d.inputNames[7].name = " Ext-B ";
    d.inputNames[7].enabled = 1;
    page->UpdateExtBoardButtons();
    CGdipButton* ext1 = page->Button(ids::IDC_LOOP_OUT_EXT1);
    CGdipButton* ext2 = page->Button(ids::IDC_LOOP_OUT_EXT2);
    EXPECT_FALSE(ext1->isEnabled());
    EXPECT_TRUE(ext1->HasDisabledLook());
    EXPECT_TRUE(ext2->isEnabled());
    EXPECT_EQ(ext1->text(), " Ext-A ");
    EXPECT_EQ(ext2->text(), " Ext-B ");

    // The board in slot 7 is gone, the dual-DP board is there: Ext-1 comes back, Ext-2 goes.
    d.inputNames[7].enabled = 0;
    d.inputNames[10].enabled = 1;
    page->UpdateExtBoardButtons();
    EXPECT_TRUE(ext1->isEnabled());
    EXPECT_FALSE(ext1->HasDisabledLook());
    EXPECT_FALSE(ext2->isEnabled());
    EXPECT_TRUE(ext2->HasDisabledLook());
    EXPECT_TRUE(link.Commands().empty());
}

TEST_F(MiscPage, SystemInformationAndVersionTexts)
{
    SystemInfo& info = GetDeviceData().sysInfo;
    info = SystemInfo{};
    info.w2 = 1205;
    std::memcpy(info.b4, "QVNP", 4);
    info.w8[0] = 0x12;
    info.w8[1] = 0x34;
    info.w8[2] = 0x56;
    page->ShowSystemInfo();
    EXPECT_EQ(page->Label(ids::IDC_SYSTEM_INFO_TEXT)->text(),
              "Video Processor\nVersion:QVNP-  12-  34-  56\nsystem Voltage:12.05 V");

    link.SetVersion(2, 7);
    MMiscDlg fresh(host.get());
    fresh.OnInitDialog();
    EXPECT_EQ(fresh.Label(ids::IDC_VERSION_TEXT)->text(), "Tarvo Serial\nVideoProcessor,1.29\nSysDLL:2.07");
}

TEST_F(MiscPage, TheDualChannelToggleFollowsTheMainWindowAndReportsClicks)
{
    CGdipButton* dual = page->Button(ids::IDC_DUAL_CHANNEL);
    page->SetDualChannel(true);
    EXPECT_TRUE(dual->IsPressed());
    QSignalSpy spy(page.get(), &MMiscDlg::dualChannelClicked);
    ClickButton(dual);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_FALSE(spy[0][0].toBool());
    EXPECT_TRUE(link.Commands().empty());
}

}  // namespace
