#pragma once
// The machine search page: processors found on the local network.
// The page's controls and behaviour come later; the operations the main window calls exist now.

#include "shell/MBaseDialog.h"

#include <QString>

#include <array>
#include <cstdint>

class MSearchMachineDlg : public MBaseDialog {
    Q_OBJECT
public:
    explicit MSearchMachineDlg(QWidget* parent);

    void ApplyLanguage() override;
    // The search page stays open until the main window hides it.
    void ClosePage() override;

    void UpdateDeviceStatus(bool online);
    void AddFoundDevice(const QString& ip, const std::array<uint8_t, 6>& mac);
};
