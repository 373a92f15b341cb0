#pragma once
// The system page: loop-out source and extension-board buttons, project open and save, reading and
// writing the whole configuration, the language switch, the tab row of the system sub-pages, the
// shortcuts to further pages, the guarded factory reset and the system information. The main
// window carries out what the page asks for (project files, language, page switching).

#include "pages/system/SystemPageRules.h"
#include "pagekit/MBaseDialog.h"

#include <QPointer>

#include <array>
#include <functional>

class CGdipButton;
class CSxGroupBox;
class QFileDialog;
class QLabel;

class MMiscDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMiscDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshLoopOut();
    void ShowSystemInfo();
    void UpdateExtBoardButtons();

    // The main window's "Dual CH." check box changed: the page's toggle shows the same state.
    void SetDualChannel(bool on);

    // The page a shortcut button opens: from here the button is lit exactly while that page
    // shows, however it is shown or closed (its own close button included).
    void TieShortcutToPage(int shortcutId, QWidget* page);

    // Asks for a project file to open (save false) or to save to (save true); an empty path means
    // the operator cancelled. Tests put their own answer here.
    using ProjectFileChooser = std::function<QString(QWidget* parent, bool save)>;
    void SetProjectFileChooser(ProjectFileChooser chooser);
    static QString ChooseProjectFile(QWidget* parent, bool save);
    static void ConfigureProjectDialog(QFileDialog& dialog, bool save);

    void SelectLoopOut(int index, bool send);
    int CurrentTab() const { return currentTab_; }
    CGdipButton* Button(int id) const;
    QLabel* Label(int id) const;
    CSxGroupBox* Group(int id) const;

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

signals:
    // The operator clicked the page's "Dual CH." toggle; on is its new state.
    void dualChannelClicked(bool on);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption);
    QLabel* MakeLabel(int id, const QString& text);
    void Layout();
    void OnButton(int id);
    void OnResetStep(int step);
    void OnProjectFile(bool save);
    void OnTab(int tab);
    void OnShortcut(int id);
    void OnLanguageLabel(int id);
    void SetSelected(CGdipButton* b, bool selected);

    int currentTab_ = 0;
    ResetLatch resetLatch_;
    ProjectFileChooser chooseFile_;
    std::array<CGdipButton*, 8> loopOut_{};
    std::array<CGdipButton*, ResetLatch::kSteps> reset_{};
    std::array<CGdipButton*, 4> tabs_{};
    std::array<CGdipButton*, 3> shortcuts_{};
    std::array<QPointer<QWidget>, 3> shortcutPages_{};
    CGdipButton* dualChannel_ = nullptr;
    QLabel* systemInfo_ = nullptr;
    QLabel* versionText_ = nullptr;
};
