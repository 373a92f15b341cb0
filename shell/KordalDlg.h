#pragma once
// The program's main window: it owns every page, the side-button column, the input bar, the two
// layer-button rows, the preset bar and the three drop lists. Replies reach it only as posted
// WM_DEVICE_REPLY messages (it is the device layer's MainWindowLink while it lives); pages talk
// to it with the private messages of platform/MessageIds.h.

#include "controls/CProgressDlg.h"
#include "device/MainWindowLink.h"
#include "pages/signal/MCropDlg.h"
#include "pages/signal/MEdidDlg.h"
#include "pages/signal/MMosaicDlg.h"
#include "pages/signal/MOutputDlg.h"
#include "pages/signal/MPicSettingDlg.h"
#include "pages/signal/MTstPatternDlg.h"
#include "pages/signal/MVgaDlg.h"
#include "pages/signal/QVN_FeatherDlg.h"
#include "pages/system/MKeyerDlg.h"
#include "pages/system/MLEDCfgDlg.h"
#include "pages/system/MLogoDlg.h"
#include "pages/system/MMediaPlayerDlg.h"
#include "pages/system/MMiscDlg.h"
#include "pages/system/MPIPDlg.h"
#include "pages/system/MSubTitleDlg.h"
#include "pages/system/MSwitcherDlg.h"
#include "pages/system/MTaskDlg.h"
#include "pages/system/MVideoSettingDlg.h"
#include "preview/MMainDlg.h"
#include "platform/MessageTarget.h"
#include "pagekit/MBaseDialog.h"
#include "shell/DeferredLangWrites.h"
#include "shell/MainWindowGeometry.h"
#include "shell/PageTable.h"
#include "shell/pages/MConnectDlg.h"
#include "preview/MMainDlg.h"
#include "shell/pages/MSearchMachineDlg.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <array>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <vector>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QCheckBox;
class QMouseEvent;

inline constexpr const char* kMainWindowTitle = "Tarvo Serial-VideoProcessor";
inline constexpr int kTitleToggleTimerId = 43680;
inline constexpr int kTitleToggleIntervalMs = 5000;
// The busy dialog hides itself after this long without an answer, so a silent processor never
// leaves the window disabled for good.
inline constexpr int kBusyWatchdogDefaultMs = 15000;
inline constexpr COLORREF kSideButtonNormalColor = 0xEBEBEB;
inline constexpr COLORREF kSideButtonOpenColor = 0x009CEF;

class KordalDlg : public MessageReceiver<QWidget>, public MainWindowLink, public PageKeyListener {
    Q_OBJECT
    friend struct ReplyRefreshSteps;

public:
    explicit KordalDlg(QWidget* parent = nullptr);
    ~KordalDlg() override;

    // Builds the window's contents; runs once, at the first show (or when called before it).
    void OnInitDialog();
    bool IsInitialised() const { return initialised_; }

    // MainWindowLink
    void PostRefresh(int32_t wParam, int32_t lParam) override;
    void PostRecordRefresh(int32_t wParam, int32_t lParam, const QByteArray& record) override;
    void NotifyReplyStatus(uint8_t status) override;
    void HideBusyDialog() override;
    void PostDeviceFound(const QString& ip, const std::array<uint8_t, 6>& mac) override;
    // Payload {"online", "status"}: the search page takes them from the message.
    void PostOnline(uint8_t online, uint8_t status) override;

    // PageKeyListener: key releases forwarded by the pages (the keyboard shortcuts' entry).
    void OnPageKeyRelease(QKeyEvent* event) override;
    int ForwardedKeyReleases() const { return forwardedKeyReleases_; }

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

    // Side buttons and page switching.
    void OnPageButton(int id);
    void SwitchPage(int index, bool toggle);
    void RelayoutPages();
    LRESULT OnPageClosed();
    int CurrentPage() const { return currentPage_; }
    // Page index of a side-button id; -1 for "TEST PATTERN" and every other id.
    static int PageIndexForButton(int id);
    MBaseDialog* SidePage(int index) const;
    CGdipButton* SideButton(int index) const;
    CGdipButton* ButtonById(int id) const;

    // Replies, as posted by the device layer.
    LRESULT OnRefresh(WPARAM replyId, LPARAM value, const QVariant& payload);
    // The reply dispatcher: every page refresh a reply calls for, in order.
    void DispatchDeviceReply(WPARAM replyId, LPARAM value, const QVariant& payload);
    int LastReplyId() const { return lastReplyId_.load(); }
    int LastReplyParam() const { return lastReplyParam_.load(); }
    int RepliesReceived() const { return repliesReceived_; }

    // Busy dialog.
    LRESULT OnBusyDialog(WPARAM show, const QVariant& text);
    void ShowBusyDialog(bool show, const QString& text);
    void SetBusyWatchdogInterval(int ms);
    int BusyWatchdogInterval() const { return busyWatchdog_.interval(); }
    bool IsBusyWatchdogActive() const { return busyWatchdog_.isActive(); }
    // The busy watchdog ran out: the wait ends, and a read of the whole configuration that got no
    // block is reported as failed.
    void OnBusyWatchdog();

    // Language.
    LRESULT OnLanguageChange(WPARAM which);
    void ApplyLanguageTexts();

    // Project files.
    LRESULT OnProjectFileOp(WPARAM op, const QVariant& path);
    QString ProjectPath() const { return projectPath_; }

    // Title toggle (timer 43680).
    void OnTimer(int id);

    // Names read from "Info.ini".
    void LoadPresetNames();
    void LoadInputRemarks();
    QString PresetName(int workMode, int slot) const;

    // --- Preset bar, renaming in place, keyboard shortcuts and the port-switch texts ---
    // (KordalDlgPresets.cpp, KordalDlgRename.cpp, KordalDlgShortcuts.cpp, KordalDlgPortSwitch.cpp)
    void OnPresetButton(int id);         // slot buttons 1223..1232
    void OnPresetsTab();                 // 1237
    void OnTemplatesTab();               // 1238
    void OnPresetLoad();                 // 1246
    void OnPresetSave();                 // 1236
    // Reply 17: the slot buttons follow the stored-preset flags.
    void RefreshPresetMarks();
    // Double click on the window: opens the rename edit over a slot name or an input remark.
    // True when one was opened.
    bool BeginRenameAt(const QPoint& pos);
    void CommitRename();
    void CancelRename();
    LRESULT OnEditDone(WPARAM key, LPARAM controlId);
    // The window's shortcuts and the rename edit's keys. target is the widget the event was for
    // (nullptr for releases the pages hand on). True when the event is eaten.
    bool PreTranslateMessage(QObject* target, QEvent* e);
    // Reply 29: texts 145..149 from the composite board's sources, both language files, the list.
    void UpdatePortSwitchTexts();

    int CurrentPresetSlot() const { return currentPreset_; }
    bool TemplatesTabActive() const { return templatesTab_; }
    int RememberedPreset(int workMode) const;
    int RememberedTemplate() const { return rememberedTemplate_; }
    CGdipButton* PresetButton(int slot) const;
    class QLineEdit* RenameEdit() const { return renameEdit_; }
    int RenameSlot() const { return renameSlot_; }
    int RenameInput() const { return renameInput_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void WirePresetBar();
    void ShowPresetBusy();
    void RecallPresetSlot(int slot);
    void SavePresetSlot(int slot);
    void MarkSlotStored(int slot);
    void SetSlotLook(int slot, bool pressed, COLORREF color);
    void SetTabLooks(bool templates);
    int NameSet() const;
    uint8_t PresetFlag(int slot) const;
    bool FocusInTextField() const;
    void EnsureRenameEdit();
    void OpenRenameEdit(const QRect& band, const QString& text);
    QRect RenameBand() const;

    bool templatesTab_ = false;
    DeferredLangWrites portSwitchWrites_;  // the port-switch texts on their way to the language files
    class QLineEdit* renameEdit_ = nullptr;  // id 44929, made on first use
    int renameSlot_ = -1;
    int renameSet_ = 0;  // the work mode whose names the slot was opened under
    int renameInput_ = -1;

public:
    // Layout of the side column (which 1) and of the bottom bar (which 0).
    void LayoutSideBars(int which);
    // Places the layer rows and the action buttons beside the page column, skipping hidden ones.
    void LayoutLayerBand();
    // Places "DP-L" and "DP-R" over the halves of the DP connector's place, wide enough for their
    // captions.
    void PlaceDualDpButtons();
    const std::array<QRect, kInputIconCount>& InputIconRects() const { return inputIconRects_; }
    // The input bar's names, remarks and resolutions where they are painted.
    std::vector<struct InputBarLabel> InputBarLabelLayout() const;

private:
    // The pages, made from the page table in its order; the named references below are views of
    // them for the dispatcher and the window's own handlers.
    std::vector<std::unique_ptr<MBaseDialog>> pages_;
    template <class Page>
    Page& PageFor(int dialogId);

public:
    MMainDlg& m_MainDlg;
    MPicSettingDlg& m_PicSettingDlg;
    MOutputDlg& m_OutputDlg;
    MCropDlg& m_CropDlg;
    MMosaicDlg& m_MosaicDlg;
    MPIPDlg& m_PIPDlg;
    MLogoDlg& m_LogoDlg;
    MKeyerDlg& m_KeyerDlg;
    MEdidDlg& m_EdidDlg;
    MVgaDlg& m_VgaDlg;
    MTstPatternDlg& m_TstPatternDlg;
    MTaskDlg& m_TaskDlg;
    MMiscDlg& m_MiscDlg;
    MSwitcherDlg& m_SwitcherDlg;
    MSubTitleDlg& m_SubTitleDlg;
    MVideoSettingDlg& m_VideoSettingDlg;
    MMediaPlayerDlg& m_MediaPlayerDlg;
    MLEDCfgDlg& m_LEDCfgDlg;
    MConnectDlg& m_ConnectDlg;
    Kordal_PrograssDlg m_BusyDlg;
    MSearchMachineDlg& m_SearchMachineDlg;
    QVN_FeatherDlg& m_FeatherDlg;

    // Every page of the page table, in its order (the busy dialog is not one).
    std::vector<MBaseDialog*> Pages() const;
    // The page of a table row's dialog id; nullptr for none.
    MBaseDialog* PageById(int dialogId) const;

    CDropButton* SyncLockList() const { return syncLockList_; }
    CDropButton* SyncModeList() const { return syncModeList_; }
    CDropButton* PortSwitchList() const { return portSwitchList_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    void CreatePages();
    void InitFonts();
    void BuildPresetBar();
    void RegisterReplyHandlers();
    void LoadIcons();
    void CreateDropLists();
    void RebuildGenlockList();
    void SetSideButtonColor(int index, COLORREF color);
    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage);
    void PaintInputArea(QPainter& p);
    void SetCaption(const QString& text);
    void OpenStartProject();

    bool initialised_ = false;
    bool handlersRegistered_ = false;
    QFont titleFont_;      // "Arial" 17 bold
    QFont smallFont_;      // "Arial" 12 bold
    QFont verticalFont_;   // "Arial" 15 bold, drawn downward
    QFont groupFont_;

    std::array<CGdipButton*, kSideButtonCount> sideButtons_{};
    std::array<CGdipButton*, 10> presetButtons_{};
    std::array<CGdipButton*, 12> inputButtons_{};
    std::array<CGdipButton*, 4> leftLayerButtons_{};
    std::array<CGdipButton*, 4> rightLayerButtons_{};
    std::array<CGdipButton*, 4> topButtons_{};
    std::vector<CGdipButton*> allButtons_;
    CGdipButton* moreButton_ = nullptr;       // 1443
    CGdipButton* testPatternButton_ = nullptr; // 1242
    QCheckBox* dualChannel_ = nullptr;
    CSxGroupBox* loopOutGroup_ = nullptr;
    CSxGroupBox* syncModeGroup_ = nullptr;
    CSxGroupBox* portSwitchGroup_ = nullptr;
    CDropButton* syncLockList_ = nullptr;
    CDropButton* syncModeList_ = nullptr;
    CDropButton* portSwitchList_ = nullptr;

    std::array<QRect, kInputIconCount> inputIconRects_{};
    std::array<QImage, 12> inputIcons_{};  // normal / highlighted per connector type
    QImage noSignalMark_;
    QImage signalMark_;
    QImage switcherPicture_;

    int currentPage_ = -1;
    int currentPreset_ = -1;
    int selectedLayer_ = 0;
    bool switcherOn_ = false;
    QString projectPath_;
    std::array<QString, 30> presetNames_{};
    int workMode_ = 0;
    std::array<int, 3> rememberedPreset_{{-1, -1, -1}};
    int rememberedTemplate_ = -1;

    std::atomic<int> lastReplyId_{0};
    std::atomic<int> lastReplyParam_{0};
    int repliesReceived_ = 0;
    int forwardedKeyReleases_ = 0;

    QTimer titleTimer_;
    bool titleShowsPath_ = false;
    QTimer busyWatchdog_;
    // ---- Replies, window messages, layer and input selection --------------------------------
    // (KordalDlgDispatch.cpp, KordalDlgMessages.cpp, KordalDlgInputs.cpp, KordalDlgLayerRows.cpp)
public:
    // Every private message the main window handles besides the ones routed in OnMessage.
    LRESULT OnWindowMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload);
    LRESULT OnPageNotify(WPARAM code, LPARAM value, const QVariant& payload);
    LRESULT OnLayerGeometry(WPARAM target, LPARAM n);
    LRESULT OnOutputTimingChanged();
    LRESULT OnSelectLayer(WPARAM layer);
    LRESULT OnLayerSetChanged(WPARAM v);
    LRESULT OnTestPatternState(LPARAM on);
    LRESULT OnDropSelect(WPARAM id, LPARAM index);
    // Shows what the layer's input means on every page; send 1 also sends command 7.
    LRESULT SelectLayerInput(int layer, int send);

    void InvalidateInputMark(int k);
    void PlaceExtInputMarks();
    void SelectSyncItems();
    // Copies the work mode into the window's own (which names the preset set) and repaints every
    // preset name.
    void RefreshWorkModeBand();
    // A work mode the window does not show yet, set by the switcher page or by the processor itself:
    // once the canvas is laid out for it, the layer cells take its labels and the row's PIP buttons
    // the states of their layers, as the layers' own notices set them (the work-mode layout of the
    // rows then has the last word). Nothing for the mode shown; sends nothing.
    void FollowWorkMode();
    // A PIP's switch (layer 1..3; PIP-3's is the logo's while the logo uses it); -1 when none.
    int PipSwitch(int layer) const;
    void ShowPortSwitchGroup(bool show);
    void ShowTopButtons(bool show);
    void SetLayerButtonState(int layer, bool on);
    void ApplyWorkModeToButtons();
    void ApplyWorkModeVisibility();
    // "Lock Output" by the splicing mode: without splicing hidden and locked, with it offered;
    // then the layers follow the lock.
    void ApplyLockOutputRule(int splicingMode);
    // Whether a layer button takes clicks in the current work mode and test-pattern state; the
    // buttons that do not are greyed.
    bool LayerButtonUsable(int layer, bool left) const;
    void EnableLayerButtons();

    // Controls of the top bar and the layer rows.
    void OnInputButton(int id);
    void OnInputIconClick(QPoint pos);
    void OnLayerButton(int id);
    void OnTopButton(int id);
    void OnActionButton(int id);
    void OnDualChannel(bool checked);
    // Input code of an input button, -1 for any other id.
    static int InputCodeForButton(int id);

    int SelectedLayer() const { return selectedLayer_; }
    // The layer last picked on the operating page's canvas.
    int CanvasLayer() const { return canvasLayer_; }
    bool SwitcherOn() const { return switcherOn_; }
    int WorkMode() const { return workMode_; }
    QCheckBox* DualChannelBox() const { return dualChannel_; }
    CSxGroupBox* LoopOutGroup() const { return loopOutGroup_; }
    CSxGroupBox* PortSwitchGroup() const { return portSwitchGroup_; }
    CGdipButton* LeftLayerButton(int layer) const;
    CGdipButton* RightLayerButton(int layer) const;

    // Test hook: while set, the dispatcher appends the name of every refresh it calls, in order.
    void SetCallTrace(QStringList* log) { callTrace_ = log; }

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    void Trace(const char* op, std::initializer_list<long long> args = {});
    void DispatchEvent(LPARAM value);
    void ShowDirectLinkOnline(const QVariantMap& state);
    void ConnectSelectionControls();
    void ToggleOrHidePage(MBaseDialog& page, LPARAM value);
    void OnShowSubPage(const QVariant& payload);
    void OnSplicingMode(LPARAM mode);
    void OnFeatherState(LPARAM on);
    void KeepFeatherLockout();
    void OnLinked();
    // The link icon: the serial or the network mark, as netMode says.
    void ShowLinkType();
    void OnLoopOut(LPARAM input);
    void OnSwitcherMode(LPARAM on);
    void OnLayerVisibility(LPARAM pip);
    void OnSignalSwitch();
    void OnSwitcherButton();
    void OnMoreButton();
    void LayerCellOnOff(int layer, int on);
    CGdipButton* PageButton(const MBaseDialog& page, int id) const;
    QStringList* callTrace_ = nullptr;
    int canvasLayer_ = 0;
    int lastInputCode_ = -1;
    int loopOutInput_ = 0;  // the input whose column the "Loop-Out" frame surrounds
    bool testPatternLocked_ = false;
    std::array<uint8_t, 4> pendingInput_{};  // last code chosen per layer by the input buttons
};

