#include "shell/KordalDlg.h"

#include "comm/QVN_Comm.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "controls/ImageResources.h"
#include "controls/PendingCommits.h"
#include "controls/SharedBackground.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileWriter.h"
#include "device/UiReplyRelay.h"
#include "platform/Dpi.h"
#include "platform/Fonts.h"
#include "platform/MessageIds.h"
#include "shell/MainWindowIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "pagekit/LanguageFiles.h"
#include "pages/system/MiscIds.h"

#include <QCloseEvent>
#include <QVariantMap>

namespace {

std::vector<std::unique_ptr<MBaseDialog>> MakePages(QWidget* parent)
{
    std::vector<std::unique_ptr<MBaseDialog>> pages;
    for (const PageRow& row : MainWindowPageTable()) pages.push_back(row.make(parent));
    return pages;
}

} // namespace

template <class Page>
Page& KordalDlg::PageFor(int dialogId)
{
    auto* page = dynamic_cast<Page*>(PageById(dialogId));
    Q_ASSERT(page);
    return *page;
}

KordalDlg::KordalDlg(QWidget* parent)
    : MessageReceiver<QWidget>(parent),
      pages_(MakePages(this)),
      m_MainDlg(PageFor<MMainDlg>(IDD_OPERATING)),
      m_PicSettingDlg(PageFor<MPicSettingDlg>(IDD_PICTURE)),
      m_OutputDlg(PageFor<MOutputDlg>(IDD_OUTPUT)),
      m_CropDlg(PageFor<MCropDlg>(IDD_CROP)),
      m_MosaicDlg(PageFor<MMosaicDlg>(IDD_MOSAIC)),
      m_PIPDlg(PageFor<MPIPDlg>(IDD_PIP)),
      m_LogoDlg(PageFor<MLogoDlg>(IDD_LOGO)),
      m_KeyerDlg(PageFor<MKeyerDlg>(IDD_KEYER)),
      m_EdidDlg(PageFor<MEdidDlg>(IDD_EDID)),
      m_VgaDlg(PageFor<MVgaDlg>(IDD_VGA)),
      m_TstPatternDlg(PageFor<MTstPatternDlg>(IDD_TEST_PATTERN)),
      m_TaskDlg(PageFor<MTaskDlg>(IDD_TASK)),
      m_MiscDlg(PageFor<MMiscDlg>(IDD_MISC)),
      m_SwitcherDlg(PageFor<MSwitcherDlg>(IDD_SWITCHER)),
      m_SubTitleDlg(PageFor<MSubTitleDlg>(IDD_CAPTION)),
      m_VideoSettingDlg(PageFor<MVideoSettingDlg>(IDD_VIDEO_SETTING)),
      m_MediaPlayerDlg(PageFor<MMediaPlayerDlg>(IDD_MEDIA_PLAYER)),
      m_LEDCfgDlg(PageFor<MLEDCfgDlg>(IDD_LED_CONFIG)),
      m_ConnectDlg(PageFor<MConnectDlg>(IDD_CONNECT)),
      m_BusyDlg(this),
      m_SearchMachineDlg(PageFor<MSearchMachineDlg>(IDD_SEARCH_MACHINE)),
      m_FeatherDlg(PageFor<QVN_FeatherDlg>(IDD_FEATHER))
{
    SetDialogId(this, IDD_MAIN);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowTitle(QString::fromLatin1(kMainWindowTitle));
    titleFont_ = MakeFont(QStringLiteral("Arial"), 17, 700);
    smallFont_ = MakeFont(QStringLiteral("Arial"), 12, 700);
    verticalFont_ = MakeFont(QStringLiteral("Arial"), 15, 700);
    groupFont_ = MakePointFont(QStringLiteral("Arial"), 100, 400);
    m_BusyDlg.hide();

    titleTimer_.setInterval(kTitleToggleIntervalMs);
    connect(&titleTimer_, &QTimer::timeout, this, [this] { OnTimer(kTitleToggleTimerId); });
    busyWatchdog_.setSingleShot(true);
    busyWatchdog_.setInterval(kBusyWatchdogDefaultMs);
    connect(&busyWatchdog_, &QTimer::timeout, this, [this] { OnBusyWatchdog(); });

    SetMainWindowLink(this);
}

KordalDlg::~KordalDlg()
{
    titleTimer_.stop();
    busyWatchdog_.stop();
    portSwitchWrites_.Flush();
    if (GetMainWindowLink() == this) SetMainWindowLink(nullptr);
    shared_background::FinishPrefetch();  // a window closed before its first paint
}

void KordalDlg::showEvent(QShowEvent* e)
{
    OnInitDialog();
    QWidget::showEvent(e);
}

void KordalDlg::OnInitDialog()
{
    if (initialised_) return;
    initialised_ = true;
    setWindowIcon(LoadIconResource(103));

    InitDpiFromScreen();
    const QSize size = MainWindowSizeForDpi(g_DpiX, g_DpiY);
    shared_background::Prefetch(size);  // decoded while the pages are built
    // Interactive resizing never goes below the design size (in pixels, as the window started).
    setMinimumSize(kMainDesignWidth, kMainDesignHeight);
    resize(size);

    inputIconRects_ = {};
    currentPreset_ = -1;
    rememberedPreset_ = {-1, -1, -1};
    rememberedTemplate_ = -1;

    CreatePages();
    InitFonts();
    BuildPresetBar();
    ConnectSelectionControls();
    RegisterReplyHandlers();
    LoadIcons();
    CreateDropLists();
    ApplyLanguageTexts();
    LoadPresetNames();
    LoadInputRemarks();
    WirePresetBar();

    if (QWidget* w = ButtonById(ctl::main_window::IDC_SIGNAL_SWITCH)) w->hide();
    if (portSwitchGroup_) portSwitchGroup_->hide();
    if (portSwitchList_) portSwitchList_->hide();

    SetCaption(QString::fromLatin1(kMainWindowTitle));

    OpenStartProject();

    LayoutSideBars(1);
    LayoutSideBars(0);

    titleTimer_.start();
}

void KordalDlg::CreatePages()
{
    for (MBaseDialog* page : Pages()) {
        page->OnInitDialog();
        page->ShowPage(false);
    }
    m_BusyDlg.hide();
    m_MiscDlg.TieShortcutToPage(ctl::misc::IDC_VIDEO_SETTING, &m_VideoSettingDlg);
    m_MiscDlg.TieShortcutToPage(ctl::misc::IDC_MEDIA_PLAYER, &m_MediaPlayerDlg);
    m_MiscDlg.TieShortcutToPage(ctl::misc::IDC_FEATHERING, &m_FeatherDlg);
    RelayoutPages();
    // The operating page is always there; the others wait for their side buttons.
    m_MainDlg.ShowPage(true);
}

std::vector<MBaseDialog*> KordalDlg::Pages() const
{
    std::vector<MBaseDialog*> pages;
    pages.reserve(pages_.size());
    for (const auto& page : pages_) pages.push_back(page.get());
    return pages;
}

MBaseDialog* KordalDlg::PageById(int dialogId) const
{
    for (const auto& page : pages_)
        if (page->TemplateId() == dialogId) return page.get();
    return nullptr;
}

void KordalDlg::RegisterReplyHandlers()
{
    if (handlersRegistered_) return;
    handlersRegistered_ = true;
    ::RegisterReplyHandlers();
}

// --- MainWindowLink ---

void KordalDlg::PostRefresh(int32_t wParam, int32_t lParam) { PostRecordRefresh(wParam, lParam, {}); }

void KordalDlg::PostRecordRefresh(int32_t wParam, int32_t lParam, const QByteArray& record)
{
    lastReplyId_.store(wParam);
    lastReplyParam_.store(lParam);
    PostMsg(this, WM_DEVICE_REPLY, static_cast<WPARAM>(wParam), lParam, record.isEmpty() ? QVariant() : QVariant(record));
}

void KordalDlg::NotifyReplyStatus(uint8_t status)
{
    CDeviceData& device = GetDeviceData();
    device.replyArrived = 1;
    device.lastStatus = status;
    lastReplyId_.store(23);
    lastReplyParam_.store(0);
    PostMsg(this, WM_DEVICE_REPLY, 23, 0, QVariant::fromValue(static_cast<int>(status)));
}

void KordalDlg::HideBusyDialog()
{
    SendMsg(this, WM_BUSY_DIALOG, 0, 0);
}

void KordalDlg::PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>& mac)
{
    lastReplyId_.store(27);
    lastReplyParam_.store(0);
    QVariantMap found;
    found.insert(QStringLiteral("ip"), ip);
    found.insert(QStringLiteral("mac"), QByteArray(reinterpret_cast<const char*>(mac.data()), 6));
    PostMsg(this, WM_DEVICE_REPLY, 27, 0, found);
}

void KordalDlg::PostOnline(uint8_t online, uint8_t status)
{
    lastReplyId_.store(0);
    lastReplyParam_.store(0);
    QVariantMap state;
    state.insert(QStringLiteral("online"), static_cast<int>(online));
    state.insert(QStringLiteral("status"), static_cast<int>(status));
    PostMsg(this, WM_DEVICE_REPLY, 0, 0, state);
}

// --- messages ---

LRESULT KordalDlg::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload)
{
    // Every refresh a page gets comes through here (a reply, a page's notice). A commit still
    // waiting is handed to its page first, for the target it was typed for: the refresh may move
    // the page's edits to another layer, input, slot or output.
    pendingcommits::DeliverAll();
    switch (msg) {
    case WM_DEVICE_REPLY:
        return OnRefresh(wParam, lParam, payload);
    case WM_PAGE_CLOSED:
        return OnPageClosed();
    case WM_BUSY_DIALOG:
        return OnBusyDialog(wParam, payload);
    case WM_LANGUAGE_CHANGE:
        return OnLanguageChange(wParam);
    case WM_PROJECT_FILE:
        return OnProjectFileOp(wParam, payload);
    case WM_EDIT_DONE:
        return OnEditDone(wParam, lParam);
    default:
        return OnWindowMessage(msg, wParam, lParam, payload);
    }
}

LRESULT KordalDlg::OnRefresh(WPARAM replyId, LPARAM value, const QVariant& payload)
{
    ++repliesReceived_;
    if (replyId > 31) return 0;
    DispatchDeviceReply(replyId, value, payload);
    return 0;
}

// --- title and close ---

void KordalDlg::SetCaption(const QString& text)
{
    setWindowTitle(text);
}

void KordalDlg::OnTimer(int id)
{
    if (id != kTitleToggleTimerId) return;
    titleShowsPath_ = !titleShowsPath_;
    SetCaption(titleShowsPath_ ? projectPath_ : QString::fromLatin1(kMainWindowTitle));
}

void KordalDlg::closeEvent(QCloseEvent* e)
{
    titleTimer_.stop();
    busyWatchdog_.stop();
    m_LogoDlg.ShowPage(false);
    // No reply may arrive while the window is taken down.
    QVN_Comm_Shutdown();
    IniWriteString(GetInfoIniPath(), QStringLiteral("Project"), QStringLiteral("FilePath"), projectPath_);
    SaveProjectFile(projectPath_);
    portSwitchWrites_.Flush();
    m_BusyDlg.hide();
    e->accept();
}
