#include "preview/MMainDlg.h"

#include "controls/CGdipButton.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"

#include <QPainter>

MMainDlg::MMainDlg(QWidget* parent) : MBaseDialog(IDD_OPERATING, parent, false)
{
    SetDialogId(this, IDD_OPERATING);
}

void MMainDlg::OnInitDialog()
{
    if (IsInitialised()) return;
    MBaseDialog::OnInitDialog();
    if (CloseButton()) CloseButton()->hide();
}

void MMainDlg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    PaintBackground(p);
}

void MMainDlg::CheckOutputModeChanged() {}

void MMainDlg::ApplyLayout() {}

void MMainDlg::UpdateLayerCellRect(int) {}

void MMainDlg::ResizeOutputCells() {}

void MMainDlg::UpdateLogoLabel(int) {}

void MMainDlg::ShowLayerCell(int, int) {}

void MMainDlg::PlaceOutputCells(int) {}

void MMainDlg::SetPreviewFormat(int) {}

void MMainDlg::UpdateLayerLabel(int) {}

void MMainDlg::ShowLayersInOutputs(int, int) {}

void MMainDlg::SetLayerCellsLocked(bool) {}

void MMainDlg::OnRelayout() {}
