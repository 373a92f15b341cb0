#pragma once
// The logo page. PIP-3 serves either as an ordinary PIP ("Normal": a rectangle of its picture is
// captured into one of four slots) or as the logo layer ("Logo": a stored slot is loaded, placed
// on the output and switched on or off, on top or not, with or without border).

#include "pagekit/MBaseDialog.h"
#include "pages/system/LogoRules.h"

#include <array>

class CGdipButton;
class CSxGroupBox;
class QLabel;
class oRealEdit;

class MLogoDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MLogoDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;
    // Hiding sends a provisional logo window for good; both ways the page is refreshed.
    void ShowPage(bool show) override;

    void RefreshFromDevice();
    // Applies the work mode and PIP-3's program state to the controls.
    void UpdateEnableState();
    // PIP-3 was moved or resized: in normal usage the window is the whole picture again.
    void ResetLogoWindow();
    // The main window's PIP-3 layer button.
    void SetLogoOnOff(int on);

    int CurrentSlot() const { return cur_; }
    bool PositionChanged() const { return positionChanged_; }
    logo::Window ShownWindow() const;
    // Right and bottom edges exclusive; the logo's outline is drawn inside its edges.
    logo::Edges PreviewEdges() const { return preview_; }
    logo::Edges LogoEdges() const { return logoEdges_; }
    CGdipButton* OnOffButton() const { return onOff_; }
    CGdipButton* UsageLogoButton() const { return usageLogo_; }
    CGdipButton* UsageNormalButton() const { return usageNormal_; }
    CGdipButton* TopButton() const { return top_; }
    CGdipButton* BorderButton() const { return border_; }
    CGdipButton* ClearButton(int l) const { return ValidSlot(l) ? clear_[static_cast<size_t>(l)] : nullptr; }
    CGdipButton* SlotButton(int l) const { return ValidSlot(l) ? slot_[static_cast<size_t>(l)] : nullptr; }
    CGdipButton* SaveLoadButton(int l) const { return ValidSlot(l) ? saveLoad_[static_cast<size_t>(l)] : nullptr; }
    // H start, V start, width, height.
    oRealEdit* WindowEdit(int n) const { return n >= 0 && n < 4 ? edits_[static_cast<size_t>(n)] : nullptr; }
    QLabel* NoticeLabel() const { return notice_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    static bool ValidSlot(int l) { return l >= 0 && l < logo::kSlotCount; }
    bool IsUsable(int l) const;
    // The page's current slot and the slot of the logo command's operations 2..7 are one slot.
    void SetCurrentSlot(int l);
    // In logo use ON/OFF can be used only while the current slot holds a logo.
    bool CurrentSlotStored() const;
    void EnableOnOffForSlot();
    void ShowWindow(const logo::Window& w);
    void SetUsageControls(int usage);
    void EnableWindowEdits(bool on);
    void UpdateLogoPreview(int usage);
    void SendFinalWindowIfDirty();
    void AnnounceLayerChange();
    void ShowBusy();

    void OnButton(int id);
    void OnOnOff();
    void OnBorder();
    void OnTop();
    void OnUsage(int usage);
    void OnClear(int l);
    bool OnSaveLoad(int l);  // false when refused
    void OnSelectSlot(int l);
    void OnValueChanged(int id) override;

    CGdipButton* onOff_ = nullptr;
    CGdipButton* usageLogo_ = nullptr;
    CGdipButton* usageNormal_ = nullptr;
    std::array<CGdipButton*, logo::kSlotCount> clear_{};
    std::array<CGdipButton*, logo::kSlotCount> slot_{};
    std::array<CGdipButton*, logo::kSlotCount> saveLoad_{};
    CGdipButton* border_ = nullptr;
    CGdipButton* top_ = nullptr;
    std::array<oRealEdit*, 4> edits_{};
    std::array<CSxGroupBox*, 6> groups_{};
    QLabel* notice_ = nullptr;
    int cur_ = 0;
    // The window as the page last showed or took it.
    logo::Window shown_;
    logo::Edges logoEdges_;
    logo::Edges preview_;
    // The logo window was edited in logo usage since the last load.
    bool positionChanged_ = false;
};
