#include "pages/signal/MTstPatternDlg.h"

#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

MTstPatternDlg::MTstPatternDlg(QWidget* parent) : MBaseDialog(IDD_TEST_PATTERN, parent, false)
{
    SetDialogId(this, IDD_TEST_PATTERN);
    setWindowTitle(QStringLiteral("Test Pattern"));
}

void MTstPatternDlg::ApplyLanguage()
{
    ApplyDialogLanguage(this, IDD_TEST_PATTERN);
    update();
}

void MTstPatternDlg::ShowPage(bool show)
{
    MBaseDialog::ShowPage(show);
}

void MTstPatternDlg::OnGrabColor() {}
