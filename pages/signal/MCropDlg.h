#pragma once
// The crop page: the rectangle cut out of a layer's input picture before the processor scales it
// into the layer window, kept per layer and per input (crop[i][w]).

#include "controls/oRealEdit.h"
#include "pagekit/MBaseDialog.h"
#include "pages/signal/CropPageRules.h"

#include <array>

class CGdipButton;
class QLabel;

class MCropDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MCropDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    void RefreshFromDevice();
    void UpdateLayerButtonTexts();
    void UpdateInputSourceLabel();
    int SelectedLayer() const { return layer_; }
    // The main window hands over the layer's input index after a layer-input change. The page
    // works out the index again at every use anyway: a reply can change a layer's input without
    // telling the page, and a commit must store into the record the command then sends.
    void SetInputIndex(int index) { inputIndex_ = index; }
    // The input index (0..11, -1 none) whose crop records the page shows.
    int InputIndex() const;

    // Operations behind the controls (the tests drive some directly).
    void OnSelectLayer(int id);
    void OnOnOff();
    void OnReset();
    void OnValueChanged(int id) override;

    bool IsCropOn() const { return cropOn_; }
    croprules::Edges PreviewEdges() const { return preview_; }
    croprules::Edges CropEdges() const { return cropRect_; }
    QList<PaintedArea> PaintedAreas() const override
    {
        const QRect at = croprules::ToQRect(preview_);
        if (at.isEmpty()) return {};
        return {{QStringLiteral("crop preview"), at}};
    }
    CGdipButton* LayerButton(int k) const { return k >= 0 && k < 4 ? layerButtons_[static_cast<size_t>(k)] : nullptr; }
    CGdipButton* OnOffButton() const { return onOffButton_; }
    CGdipButton* ResetButton() const { return resetButton_; }
    // 0 H start, 1 V start, 2 width, 3 height.
    oRealEdit* Edit(int k) const { return k >= 0 && k < 4 ? edits_[static_cast<size_t>(k)] : nullptr; }
    QLabel* InputSourceLabel() const { return inputLabel_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void OnButton(int id);
    void SetCropOn(bool on);
    void ShowRecord();
    void UpdateCropPreview();
    void NotifyCropChanged();
    int EditValue(int k) const;

    std::array<CGdipButton*, 4> layerButtons_{};
    CGdipButton* onOffButton_ = nullptr;
    CGdipButton* resetButton_ = nullptr;
    std::array<oRealEdit*, 4> edits_{};
    QLabel* inputLabel_ = nullptr;
    QString inputSourceCaption_ = QStringLiteral("Input Source");
    bool cropOn_ = false;
    int layer_ = 0;
    int inputIndex_ = 0;
    croprules::Edges preview_;
    croprules::Edges cropRect_;
};
