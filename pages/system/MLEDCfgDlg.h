#pragma once
// The LED controller launcher page: four painted tiles, one per output ("DVI-1" .. "DVI-4"). A click
// switches the processor's LED-configuration output to that tile and, a second later, (re)starts
// the LED display-controller program so that it talks to that output.
//
// The controller is the executable "VEXTROL.exe" in the folder that "Info.ini" [LED_CONFIG]
// LED_CONFIGPATH names, started there with the argument "NULL". A running controller is found by
// its top-level window "LED Display Controller" on this host, whose process must be one of that
// executable (so one left from an earlier run is found too); the page ends such processes and the
// one it started itself, and no other.

#include "pagekit/MBaseDialog.h"
#include "platform/ChildProcess.h"

#include <QImage>
#include <QRect>
#include <QTimer>

#include <array>
#include <sys/types.h>
#include <vector>

class MLEDCfgDlg : public MBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTileCount = 4;
    static constexpr int kSwitchDelayMs = 1000;
    static constexpr int kStopGraceMs = 2000;

    explicit MLEDCfgDlg(QWidget* parent);
    ~MLEDCfgDlg() override;

    void OnInitDialog() override;

    // The tiles of a client rectangle: two rows of two, 40 pixels high, 30 pixels apart.
    static std::array<QRect, kTileCount> TileRects(const QRect& client);
    // The first tile holding the point, or -1.
    int TileAt(const QPoint& point) const;
    const QRect& TileRect(int tile) const { return tileRect_[static_cast<size_t>(tile)]; }
    bool IsTileActive(int tile) const { return tile >= 0 && tile < kTileCount && tileActive_[static_cast<size_t>(tile)]; }

    // A click on a tile: the output command now, the controller after the switch delay.
    void OnLButtonDown(const QPoint& point);
    // Starts the controller when Info.ini names its folder; a start that fails is reported.
    void LaunchLedController();
    // The controller's path ("<LED_CONFIGPATH>/VEXTROL.exe"), or empty when no folder is set.
    static QString ControllerPath(QString* folder = nullptr);
    // The processes of the configured controller that show its window, whoever started them.
    static std::vector<pid_t> RunningControllers();

    // For tests: a shorter switch delay and grace period; the process the page started.
    void SetSwitchDelay(int ms) { switchDelayMs_ = ms; }
    void SetStopGrace(int ms) { stopGraceMs_ = ms; }
    ChildProcess& Controller() { return controller_; }
    bool IsSwitchPending() const { return switchTimer_.isActive(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void OnSwitchDelayOver();
    // Ends every running controller: those found by their window and the one this page started.
    void StopControllers();

    std::array<QRect, kTileCount> tileRect_{};
    std::array<bool, kTileCount> tileActive_{};
    QImage tileImage_;
    QImage activeImage_;
    QTimer switchTimer_;
    int pendingTile_ = -1;
    int switchDelayMs_ = kSwitchDelayMs;
    int stopGraceMs_ = kStopGraceMs;
    ChildProcess controller_;
};
