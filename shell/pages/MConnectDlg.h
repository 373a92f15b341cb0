#pragma once
// The connection page: serial port or network address of the processor.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "shell/MBaseDialog.h"

#include <QString>

class MConnectDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MConnectDlg(QWidget* parent);

    void ApplyLanguage() override;
    void ShowPage(bool show) override;

    void RefreshComPorts();
    void OnComDisconnect();
    void SetDestinationIp(const QString& ip);
};
