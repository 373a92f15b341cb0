#pragma once
// The wait dialog: a centred text with an animated picture above it (and a hidden progress bar),
// shown while a device transfer runs.

#include "platform/ColorRef.h"

#include <QDialog>
#include <QRect>

class CPictureEx;
class QLabel;
class QProgressBar;

inline constexpr int IDC_PROGRESS_TEXT = 61421;     // 0xEFED
inline constexpr int IDC_PROGRESS_PICTURE = 61422;  // 0xEFEE
inline constexpr int IDC_PROGRESS_BAR = 61423;      // 0xEFEF
inline constexpr unsigned IDR_BUSY_GIF = 171;
inline constexpr unsigned IDI_PROGRAM_ICON = 103;

struct ProgressDlgLayout {
    QRect text;
    QRect picture;
    QRect progress;
};

// Layout for a client area of W x H (integer division, x0 = (W - W/3) / 2):
// text (x0, H/3)..(x0 + W/3, H/3 + H/2); picture (x0, H/3 - 30)..(x0 + W/3, H/3 - 5);
// progress bar (W/3, H/3 + H/2 - 5)..(2W/3, H/3 + H/2 + 20). Corners as left/top, right/bottom.
ProgressDlgLayout ComputeProgressDlgLayout(int W, int H);

class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    explicit CProgressDlg(QWidget* parent = nullptr);

    // Creates the controls the first time and lays them out; runs when the dialog is first shown.
    virtual void OnInitDialog();

    void SetText(const QString& text);
    QString Text() const;
    QLabel* TextLabel() const { return text_; }
    CPictureEx* Picture() const { return picture_; }
    QProgressBar* ProgressBar() const { return progress_; }
    bool IsInitialised() const { return initialised_; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void Layout();

    QLabel* text_ = nullptr;
    CPictureEx* picture_ = nullptr;
    QProgressBar* progress_ = nullptr;
    bool initialised_ = false;
};

// The program's wait dialog: the program icon and the busy animation.
class Kordal_PrograssDlg : public CProgressDlg {
    Q_OBJECT
public:
    explicit Kordal_PrograssDlg(QWidget* parent = nullptr);
    void OnInitDialog() override;
};
