#include "preview/MMainDlg.h"

#include "controls/CGdipButton.h"
#include "pagekit/DialogIds.h"
#include "pagekit/DialogLanguage.h"
#include "platform/ControlId.h"
#include "preview/CPictureCtrl.h"
#include "preview/OperatingIds.h"

#include <QPainter>
#include <QTimer>

namespace {
constexpr int kCellMarkMs = 5000;
}

MMainDlg::MMainDlg(QWidget* parent) : MBaseDialog(IDD_OPERATING, parent, false)
{
    SetDialogId(this, IDD_OPERATING);
    canvas = new CPictureCtrl(this);
    SetControlId(canvas, ctl::operating::IDC_CANVAS);
    cellMarkTimer = new QTimer(this);
    cellMarkTimer->setSingleShot(true);
    cellMarkTimer->setInterval(kCellMarkMs);
    connect(cellMarkTimer, &QTimer::timeout, this, &MMainDlg::OnCellMarkTimer);
}

void MMainDlg::StartCellMarkTimer()
{
    cellMarkTimer->start();
}

bool MMainDlg::IsCellMarkTimerActive() const
{
    return cellMarkTimer->isActive();
}

void MMainDlg::OnCellMarkTimer()
{
    canvas->SortByLayer();
    canvas->ApplyZOrder();
    canvas->update();
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
