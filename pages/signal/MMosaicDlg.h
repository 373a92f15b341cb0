#pragma once
// The splicing page: switches splicing on and off, chooses one of five panel modes, picks an
// arrangement from a drawn preview of the mode's cells, and edits each layer window's start and
// size within a total picture by hand.

#include "pagekit/MBaseDialog.h"
#include "pages/signal/SplicingRules.h"

#include <QImage>

#include <array>

class CGdipButton;
class CSxGroupBox;
class QLabel;
class oRealEdit;

class MMosaicDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMosaicDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // After the device's splicing answer for the last window (index 3); other indexes do nothing.
    // Shows the device's state and tells the main window; sends no command.
    void RefreshFromDevice(int what);

    void SetSplicingOn(bool on);

    // Operations of the controls, callable as a click would call them.
    void OnPanelMode(int id);
    void OnSplicingOnOff();
    void OnWindowButton(int id);
    void OnReset();
    void OnLButtonDown(QPoint point);
    void OnValueChanged(int id) override;

    // State, for the main window's tests and this page's own.
    bool IsSplicingOn() const { return on_; }
    int PanelIndex() const { return panelIndex_; }
    int CurrentWindow() const { return window_; }
    int SelectedCell() const { return selectedCell_; }
    bool IsCellFlagged(int cell) const;
    const splicing::PreviewLayout& Layout() const { return layout_; }
    CGdipButton* OnOffButton() const { return onOff_; }
    CGdipButton* PanelButton(int index) const;
    CGdipButton* WindowButton(int w) const;
    CGdipButton* ResetButton() const { return reset_; }
    oRealEdit* Edit(int id) const;
    CSxGroupBox* AutoGroup() const { return autoGroup_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    CGdipButton* MakeButton(int id, unsigned stdImage, unsigned altImage, const QRect& rect);
    void OnButton(int id);
    void ShowWindowValues();
    void ClearCellFlags();
    void ForgetArrangement();
    void SendSplicingWindow(int subOp);
    void ShowBusy();
    void RepaintPreview();
    void PaintPreview(QPainter& p) const;
    QWidget* MainWindow() const { return parentWidget(); }

    CSxGroupBox* autoGroup_ = nullptr;
    CSxGroupBox* manualGroup_ = nullptr;
    CGdipButton* onOff_ = nullptr;
    std::array<CGdipButton*, splicing::kPanelModeCount> panels_{};
    std::array<CGdipButton*, 4> windows_{};
    CGdipButton* reset_ = nullptr;
    std::array<oRealEdit*, 6> edits_{};
    std::array<QLabel*, 6> labels_{};

    int window_ = 0;
    int panelIndex_ = 0;
    bool on_ = false;
    int selectedCell_ = splicing::kNoCell;
    std::array<bool, splicing::kCellCount> cellFlags_{};
    splicing::PreviewLayout layout_{};
    std::array<QImage, splicing::kCellCount> cellImages_;
    QImage marker_;
    QImage selectedMarker_;
};
