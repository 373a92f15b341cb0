#pragma once
// The EDID page: the active size, rate and blanking each input advertises to its source. The
// operator picks an input, edits the timing (kept within what the input type's pixel clock
// carries), and applies it or has the processor restore its default EDID.

#include "pagekit/MBaseDialog.h"

#include <map>
#include <mutex>
#include <vector>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class oRealEdit;
class QLabel;

class MEdidDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MEdidDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // Reply refreshes: the record of the chosen input (reply 6), the list after a whole block,
    // and the result of the last Apply (event 0).
    void SelectInput();
    void FillInputList();
    void ShowResultMessage();

    // The input the page works on (item data of the chosen row).
    int SelectedInput() const { return input_; }
    CDropButton* InputList() const { return list_; }
    oRealEdit* Edit(int id) const;
    CGdipButton* Button(int id) const;

private:
    CGdipButton* MakeButton(int id, const QString& caption, unsigned altImage, const QRect& rect);
    oRealEdit* MakeEdit(int id, float low, float initial, float high, const QRect& rect);
    QLabel* MakeLabel(int id, const QString& text, const QRect& rect);
    void AddInputs(bool refill);
    void ShowEdid(int input);
    void ShowBlanking(bool shown);
    void UpdateActions();
    int InputOfRow(int row) const;

    void OnButton(int id);
    void OnApply();
    void OnRestore();
    void OnMore();
    void OnDropSelect(int id, int index) override;
    void OnValueChanged(int id) override;

    CGdipButton* applyButton_ = nullptr;
    CGdipButton* moreButton_ = nullptr;
    CGdipButton* restoreButton_ = nullptr;
    std::map<int, oRealEdit*> edits_;
    std::vector<QWidget*> blanking_;  // the blanking edits and labels "More >" shows
    CSxGroupBox* selectGroup_ = nullptr;
    CSxGroupBox* moreGroup_ = nullptr;
    CDropButton* list_ = nullptr;
    int input_ = 0;
    std::mutex listLock_;
};
