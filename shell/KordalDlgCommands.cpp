// Requests the main window carries out for the pages and for itself: the busy dialog, the
// language switch, project-file commands and the names kept in "Info.ini".

#include "controls/CGdipButton.h"
#include "controls/CSxGroupBox.h"
#include "device/CDeviceData.h"
#include "device/IniFile.h"
#include "device/ProjectFileReader.h"
#include "device/ProjectFileWriter.h"
#include "pages/system/MiscIds.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/PageNotifyCodes.h"
#include "shell/MainWindowIds.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "shell/KordalDlg.h"
#include "shell/PresetNames.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"

namespace mw = ctl::main_window;

// --- busy dialog ---

LRESULT KordalDlg::OnBusyDialog(WPARAM show, const QVariant& text)
{
    ShowBusyDialog(show != 0, text.toString());
    return 0;
}

void KordalDlg::SetBusyWatchdogInterval(int ms)
{
    busyWatchdog_.setInterval(ms > 0 ? ms : kBusyWatchdogDefaultMs);
}

void KordalDlg::ShowBusyDialog(bool show, const QString& text)
{
    if (show) {
        setEnabled(false);
        m_BusyDlg.SetText(text);
        if (!m_BusyDlg.isVisible()) {
            m_BusyDlg.resize(360, 160);
            m_BusyDlg.move(mapToGlobal(rect().center()) - QPoint(180, 80));
            m_BusyDlg.show();
        }
        // Hiding it raises this window over it, and a window shown again keeps its place in the
        // stacking order: without this it would wait unseen under the disabled window.
        m_BusyDlg.raise();
        // Every show gives the processor the full time again.
        busyWatchdog_.start();
    } else {
        busyWatchdog_.stop();
        // The wait is over, whatever ended it: a block still missing is no longer waited for.
        GetDeviceData().allDataAwaited = 0;
        setEnabled(true);
        raise();
        // A result the operator has not yet closed, or a question open when the wait ended, stays
        // above the window.
        RaiseOpenBoxes();
        if (m_BusyDlg.isVisible()) m_BusyDlg.hide();
    }
}

void KordalDlg::OnBusyWatchdog()
{
    const bool readFailed = GetDeviceData().allDataAwaited != 0;
    const QString waited = m_BusyDlg.Text().trimmed();
    ShowBusyDialog(false, QString());
    // Otherwise the pages would go on showing their old values as if the read had worked.
    if (readFailed)
        ShowResultBox(this, QStringLiteral("%1 %2").arg(waited, UiText(UI_TEXT_FAILED)), UiText(UI_TEXT_TIPS));
}

// --- language ---

LRESULT KordalDlg::OnLanguageChange(WPARAM which)
{
    if (which > 1) return 0;
    SelectLanguage(which == 0 ? QStringLiteral("English") : QStringLiteral("Chinese"));
    g_LanguageLabelId = which == 0 ? 1251 : 1252;
    ApplyLanguageTexts();
    return 0;
}

void KordalDlg::ApplyLanguageTexts()
{
    portSwitchWrites_.Flush();  // the files are about to give the texts back
    ReloadUiText();
    ApplyDialogLanguage(this, IDD_MAIN);
    // The window's caption stays the program's name (or the project path).
    SetCaption(titleShowsPath_ ? projectPath_ : QString::fromLatin1(kMainWindowTitle));

    if (CGdipButton* sw = ButtonById(mw::IDC_SWITCHER)) sw->setText(UiText(sw->IsPressed() ? 40 : 41));
    if (CGdipButton* b = ButtonById(mw::IDC_LINK_SERIAL_INDICATOR)) b->SetToolTipText(UiText(87));
    if (CGdipButton* b = ButtonById(mw::IDC_LINK_NETWORK_INDICATOR)) b->SetToolTipText(UiText(87));
    if (CGdipButton* b = ButtonById(mw::IDC_SWITCHER_INDICATOR)) b->SetToolTipText(UiText(86));
    if (CGdipButton* b = ButtonById(mw::IDC_CONNECTION_INDICATOR)) b->SetToolTipText(UiText(88));
    if (CGdipButton* b = ButtonById(mw::IDC_FOUR_VIEW)) b->SetToolTipText(UiText(137));
    if (syncModeGroup_) syncModeGroup_->SetCaption(UiText(7));
    if (portSwitchGroup_) portSwitchGroup_->SetCaption(UiText(150));
    PlaceDualDpButtons();  // their captions may be longer in this language

    for (const PageRow& row : MainWindowPageTable()) {
        MBaseDialog* page = PageById(row.dialogId);
        if (!page) continue;
        page->ApplyLanguage();
        // The highlighted language label follows the language.
        page->ApplyStaticColours();
    }

    CreateDropLists();
    RebuildGenlockList();
    update();
}

// --- project files ---

namespace {

// Loads the project at path unless the file there holds something else (which is logged): then
// it is the operator's file, not the project, and nothing may save over it. False in that case.
bool LoadProjectOrLeaveAlone(const QString& path, MainWindowLink* link)
{
    if (LoadProjectFile(GetDeviceData(), path, link) != ProjectLoad::Refused) return true;
    qWarning("%s", qUtf8Printable(QStringLiteral("%1 holds no project this program can read: it is left as it is")
                                      .arg(path)));
    return false;
}

}  // namespace

// The project "Info.ini" names, settled and loaded. A file there that holds something other than
// a project this program reads is the operator's, not ours: it is left as it is and the dated
// default takes its place, as when "Info.ini" names none.
void KordalDlg::OpenStartProject()
{
    QString named = IniReadString(GetInfoIniPath(), QStringLiteral("Project"), QStringLiteral("FilePath"));
    EnsureProjectFile(named);
    projectPath_ = named;
    if (LoadProjectOrLeaveAlone(named, this)) return;
    QString fallback;
    EnsureProjectFile(fallback);
    projectPath_ = fallback != named && LoadProjectOrLeaveAlone(fallback, this) ? fallback : QString();
    qWarning("%s", qUtf8Printable(projectPath_.isEmpty()
                                      ? QStringLiteral("The project is not saved at close")
                                      : QStringLiteral("The project is saved to %1 at close").arg(projectPath_)));
}

LRESULT KordalDlg::OnProjectFileOp(WPARAM op, const QVariant& path)
{
    const QString given = path.toString();
    const QString ini = GetInfoIniPath();
    // The button of an operation that failed: its page says so.
    int failed = 0;
    switch (op) {
    case PROJECT_FILE_OPEN:
        // A file that did not load does not become the project the close saves.
        if (!LoadProjectOrLeaveAlone(given, this)) {
            failed = ctl::misc::IDC_OPEN_PROJECT;
            break;
        }
        projectPath_ = given;
        IniWriteString(ini, QStringLiteral("Project"), QStringLiteral("FilePath"), projectPath_);
        break;
    case PROJECT_FILE_SAVE: {
        QString target = given;
        EnsureProjectFile(target);
        if (!SaveProjectFile(target)) failed = ctl::misc::IDC_SAVE_PROJECT;
        break;
    }
    case PROJECT_FILE_NEW:
        projectPath_ = given;
        EnsureProjectFile(projectPath_);
        IniWriteString(ini, QStringLiteral("Project"), QStringLiteral("FilePath"), projectPath_);
        break;
    default:
        break;
    }
    SendMsg(this, WM_BUSY_DIALOG, 0, 0);
    if (failed) {
        const auto* button = PageButton(m_MiscDlg, failed);
        const char* name = failed == ctl::misc::IDC_OPEN_PROJECT ? "Open Project" : "Save Project";
        const QString operation = button ? button->text() : QString::fromLatin1(name);
        ShowMessageBox(this, QStringLiteral("%1 %2").arg(operation, UiText(UI_TEXT_FAILED)), UiText(UI_TEXT_TIPS));
    }
    return 0;
}

// --- names from "Info.ini" ---

void KordalDlg::LoadPresetNames()
{
    // One look-up of "Info.ini" for all thirty names.
    const std::shared_ptr<const IniDocument> ini = IniLoadDocument(GetInfoIniPath());
    for (int mode = 0; mode < kPresetWorkModeCount; ++mode) {
        for (int slot = 0; slot < kPresetSlotCount; ++slot) {
            QString& name = presetNames_[static_cast<size_t>(PresetNameIndex(mode, slot))];
            QString stored;
            ini->Value(PresetNameSection(mode, slot), QString::fromLatin1(kPresetNameKey), stored);
            name = stored.isEmpty() ? DefaultPresetName(mode, slot) : stored.left(kInfoValueMaxChars);
        }
    }
}

QString KordalDlg::PresetName(int workMode, int slot) const
{
    const int index = PresetNameIndex(workMode, slot);
    return index < 0 ? QString() : presetNames_[static_cast<size_t>(index)];
}

void KordalDlg::LoadInputRemarks()
{
    const std::shared_ptr<const IniDocument> ini = IniLoadDocument(GetInfoIniPath());
    CDeviceData& device = GetDeviceData();
    for (int k = 0; k < kInputIconCount; ++k) {
        QString remark;
        ini->Value(InputRemarkSection(k), QString::fromLatin1(kInputRemarkKey), remark);
        if (!remark.isEmpty()) device.inputNames[k].displayName = remark.left(kInfoValueMaxChars);
    }
}
