#pragma once
// The operating page: the layout canvas with the layer cells and the preview.
// The page's controls and behaviour come later; the operations the main window calls exist now.
// It shares the pages' body but has no title band and cannot be closed: it is always there.

#include "pagekit/MBaseDialog.h"

class CPictureCtrl;
class QTimer;

class MMainDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMainDlg(QWidget* parent);

    void OnInitDialog() override;

    // The layout canvas (control 1027).
    CPictureCtrl& Canvas() { return *canvas; }
    // TIMER_CELL_MARK: 5 s after a TOP button marked a cell, the cells return to layer order.
    void StartCellMarkTimer();
    bool IsCellMarkTimerActive() const;

protected:
    void paintEvent(QPaintEvent* e) override;

public:

    void CheckOutputModeChanged();
    void ApplyLayout();
    void UpdateLayerCellRect(int layer);
    void ResizeOutputCells();
    void UpdateLogoLabel(int value);
    void ShowLayerCell(int layer, int on);
    void PlaceOutputCells(int cell);
    void SetPreviewFormat(int format);
    void UpdateLayerLabel(int layer);
    void ShowLayersInOutputs(int show, int lock);
    void SetLayerCellsLocked(bool locked);
    void OnRelayout();

private:
    void OnCellMarkTimer();

    CPictureCtrl* canvas = nullptr;
    QTimer* cellMarkTimer = nullptr;
};
