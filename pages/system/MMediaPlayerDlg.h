#pragma once
// The media-player keys: a remote control for the processor's built-in player of files on the USB
// disks in its extension slots. Each key sends its code and the chosen disk; a disk button can be
// chosen only while the processor reports a USB disk in its slot.

#include "pagekit/MBaseDialog.h"

class CGdipButton;

class MMediaPlayerDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MMediaPlayerDlg(QWidget* parent);

    void OnInitDialog() override;
    void ApplyLanguage() override;

    // After a full read: which disks are there.
    void RefreshFromDevice();

    void OnKey(int id);
    void OnDisk(int id);
    CGdipButton* Button(int id) const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    CGdipButton* MakeButton(int id, const QString& caption);
    void Layout();
    void OnButton(int id);

    CGdipButton* disk1_ = nullptr;
    CGdipButton* disk2_ = nullptr;
};
