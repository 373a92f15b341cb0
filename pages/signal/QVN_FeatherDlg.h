#pragma once
// The feathering page: edge feathering of the two picture-in-picture windows that splicing modes
// 2 and 3 put side by side. A shape and a level for each window, and feathering on or off, which
// the processor accepts only when nothing else uses those windows' edges.

#include "pagekit/MBaseDialog.h"

#include <array>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class QLabel;

class QVN_FeatherDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit QVN_FeatherDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // After the device's feather answer and after a splicing mode change: shows the device's
    // values and tells the main window the feathering state. Sends no command.
    void RefreshFromDevice();

    // Operations of the controls, callable as a click would call them.
    void OnDropSelect(int id, int index) override;
    void OnFeatherOnOff();

    int FirstWindow() const { return firstWindow_; }
    CDropButton* List(int id) const;
    CGdipButton* OnOffButton() const { return onOff_; }
    CSxGroupBox* FirstGroup() const { return firstGroup_; }

private:
    void CreateLists();
    void EnableLists(bool on);
    // The lists show the device's shape and level (row 0 for a value no row has).
    void SelectFirstLists();
    void SelectSecondLists();
    void SendFeather(int window);
    void NotifyState(int on);
    QWidget* MainWindow() const { return parentWidget(); }

    CSxGroupBox* firstGroup_ = nullptr;
    CSxGroupBox* secondGroup_ = nullptr;
    std::array<QLabel*, 4> labels_{};
    // In creation order: first shape, second shape, first level, second level.
    std::array<CDropButton*, 4> lists_{};
    CGdipButton* onOff_ = nullptr;
    int firstWindow_ = 2;
};
