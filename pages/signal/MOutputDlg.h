#pragma once
// The output page: the output resolution (a standard row, sent at once, or a customised timing
// sent with "Apply"), the position, size and rotation of the four layer windows, full screen and
// the quick layouts. Every change is stored in the device state first, then sent; the main window
// hears WM_OUTPUT_TIMING_CHANGED and WM_LAYER_GEOMETRY so that its layout canvas follows.

#include "pagekit/MBaseDialog.h"

#include <QImage>

#include <array>
#include <vector>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QLabel;
class oRealEdit;

class MOutputDlg : public MBaseDialog {
    Q_OBJECT
public:
    static constexpr int kResolutionRows = 19;
    static constexpr int kCustomRow = 18;
    static constexpr int kStartRow = 10;  // 1920 x 1080 at 60 Hz until the device's data arrive

    explicit MOutputDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    // --- called by the main window; none of them sends a command ---
    void UpdateTimingFromDevice();
    void UpdateWindowGeometry();
    void SelectWindow(int window);
    void UpdateLayerButtonTexts();

    // --- operator actions (also driven by tests) ---
    // Shows a resolution row (0..18; anything else shows the customised row) and, with send, sends
    // it with the queries that follow an output change.
    void SelectResolution(int row, bool send);
    void OnWindowButton(int id);
    void OnMore();
    void OnApply();
    void OnFullScreen();
    void OnQuickLayout(int id);
    void OnRotationButton(int code);
    void SetRotation(int code, bool undoFirst, bool send);
    void OnValueChanged(int id) override;
    void OnDropSelect(int id, int index) override;

    // --- state, for the main window's tests and the page's own ---
    int CurrentWindow() const { return window_; }
    int PreviewRotation() const { return previewCode_; }
    const QImage& PreviewImage() const { return preview_; }
    // Where the preview image is drawn: centred between the rotation buttons, scaled down when
    // turned a quarter so that none of them covers it.
    QRect PreviewRect() const;
    QList<PaintedArea> PaintedAreas() const override;
    bool DetailedTimingOn() const;
    CDropButton* ResolutionList() const { return resolutionList_; }
    CDropButton* HPolarityList() const { return hPolList_; }
    CDropButton* VPolarityList() const { return vPolList_; }
    oRealEdit* Edit(int id) const;
    CGdipButton* Button(int id) const;
    CGdipButton* RotationButton(int code) const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    // The nine timing edits' values as last shown or accepted: a refused commit goes back to them.
    struct TimingValues {
        int hActive = 0, vActive = 0, hTotal = 0, vTotal = 0, hSync = 0, vSync = 0, hbp = 0, vbp = 0;
        float fps = 0;
    };

    CGdipButton* MakeButton(int id, const QString& caption, unsigned stdImage, unsigned altImage, const QRect& rect);
    oRealEdit* MakeEdit(int id, float low, float initial, float high, const QString& format, const QRect& rect);
    QLabel* MakeLabel(int id, const QString& text, const QRect& rect);
    void OnButton(int id);

    void FillResolutionList();
    // Shows a row in the list, the edits and the buttons without storing it.
    void ShowResolution(int row);
    void ShowDetailedTiming(bool show);
    void EnableCustomControls(bool on);
    void ShowTimingOfBlock();
    void RememberTiming();
    int EditInt(int id) const;
    void SetEdit(int id, double value);
    void RefuseTiming(int id);
    void OnTimingCommitted(int id);
    void OnGeometryCommitted(int id);
    void LoadWindow();
    void PaintWindowButtons();
    void PressRotationButtons();
    void SendWindow(int w);
    void SendOutputQueries(bool logoAndCaption);

    int window_ = 0;
    int previewCode_ = 0;
    QImage previewOriginal_;
    QImage preview_;
    TimingValues accepted_;

    CSxGroupBox* resolutionGroup_ = nullptr;
    CSxGroupBox* rotateGroup_ = nullptr;
    CDropButton* resolutionList_ = nullptr;
    CDropButton* hPolList_ = nullptr;
    CDropButton* vPolList_ = nullptr;
    std::array<CGdipButton*, 4> windowButtons_{};
    std::array<CGdipButton*, 8> rotationButtons_{};
    CGdipButton* moreButton_ = nullptr;
    CGdipButton* applyButton_ = nullptr;
    std::vector<QWidget*> detailedControls_;
};
