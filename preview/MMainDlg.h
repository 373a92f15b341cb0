#pragma once
// The operating page: the layout canvas with the output cells and the four layer cells, the
// four-view window and the preview channels. It turns the device state into cells, labels and
// preview quadrants, and the operator's drags on the canvas into layer-window commands.
// It shares the pages' body but has no title band and cannot be closed: it is always there.
//
// Preview video: the four channels live as long as the page; only channel 0 runs, and only
// while the processor says preview is available. The communication thread pushes reply 26
// through a sink the page installs for the channels' lifetime.

#include "pagekit/MBaseDialog.h"
#include "preview/CellGeometry.h"

#include <array>
#include <atomic>
#include <memory>

class CCell;
class CPictureCtrl;
class MShowVideoDlg;
class QTimer;
class SdlRelayoutNotifier;
class VideoChannelSet;
struct VideoDecoderApi;

class MMainDlg : public MBaseDialog {
    Q_OBJECT
public:
    static constexpr int kMarginX = 125;
    static constexpr int kMarginY = 198;
    static constexpr int kCanvasSize = 10000;
    static constexpr double kDefaultZoom = 6.0;
    // Cells 4..11 of the page: outputs 1..4, then PREVIEW-1, PREVIEW-2, PROGRAM-1, PROGRAM-2.
    enum FixedCell : int { kOutput1 = 0, kPreview1 = 4, kPreview2 = 5, kProgram1 = 6, kProgram2 = 7, kFixedCells = 8 };

    explicit MMainDlg(QWidget* parent);
    // Tests replace the decoder of the channels.
    MMainDlg(QWidget* parent, const VideoDecoderApi& decoderApi);
    ~MMainDlg() override;

    void OnInitDialog() override;
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

    // The layout canvas (control 1027).
    CPictureCtrl& Canvas() { return *canvas; }
    MShowVideoDlg& FourView() { return *showVideo; }
    VideoChannelSet& Channels() { return *channels; }
    CCell* LayerCell(int w) const;
    CCell* FixedCellAt(int k) const { return k >= 0 && k < kFixedCells ? fixedCells[static_cast<size_t>(k)] : nullptr; }
    int SelectedLayer() const { return selectedLayer; }
    double Zoom() const { return zoom; }
    int CachedWorkMode() const { return cachedWorkMode; }
    bool IsPreviewOn() const { return previewOn.load(std::memory_order_acquire); }
    int PreviewWidth() const { return previewWidth; }
    int PreviewHeight() const { return previewHeight; }
    bool IsSdlRelayoutArmed() const;

    // TIMER_CELL_MARK: 5 s after a cell was marked, the cells return to layer order.
    void StartCellMarkTimer();
    bool IsCellMarkTimerActive() const;
    bool IsTopButtonsTimerActive() const;

    // Operations the main window calls.
    void CheckOutputModeChanged();
    void ApplyLayout();
    void UpdateLayerCellRect(int layer);
    void ResizeOutputCells();
    void UpdateLogoLabel(int value);
    void ShowLayerCell(int layer, int on);
    // The layer's switch: chnl[w].onOff, for PIP-3 the logo's while the logo uses it (usage 1).
    bool LayerSwitchedOn(int w) const;
    void PlaceOutputCells(int code);
    void SetPreviewFormat(int format);
    void UpdateLayerLabel(int layer);
    void ShowLayersInOutputs(int show, int apply);
    // While locked (test pattern, layer lock) the layer cells cannot be dragged.
    void SetLayerCellsLocked(bool locked);
    bool LayerCellsLocked() const { return layersLocked; }
    void OnRelayout();
    // Shows the four-view window above the canvas.
    void ShowFourView();

    void BuildCells();
    void SelectLayerQuadrant(int w);
    void SetLayerSourceRect(int w, int q);
    void LayoutOutputCells();
    void RelayoutPreview();
    void OnRebuildCells(bool on);
    void OnCellSelected(CCell* cell);
    void OnCellMoved(CCell* cell, bool fixed);
    void OnCanvasMenuCommand();
    // Ctrl+wheel zoom (normal work mode only); returns whether the zoom changed.
    bool OnWheelZoom(Qt::KeyboardModifiers modifiers, int delta);
    void OnSdlRelayout();
    // Stands in for the SDL callback: fires at most once per re-layout, from any thread.
    bool NotifySdlRelayout();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void Construct(const VideoDecoderApi& decoderApi);
    void OnCellMarkTimer();
    void OnTopButtonsTimer();
    void SetAllScales(double sx, double sy);
    QString InputNameOf(int w) const;
    QString LayerName(const QString& prefix, int w) const;
    void MoveLayerInto(int w, int fixedIndex);
    // Layer cell w shows exactly while its layer shows on the processor (given its switch); a cell
    // that goes is no longer selected.
    void ShowLayerAsOnAir(int w, bool switchedOn);
    // Every layer cell as its layer shows on the processor: after any layout.
    void ApplyLayerVisibility();
    // Places the layer cell's window from its output rectangle and attaches it to channel 0.
    void RebuildLayerSurface(CCell* cell);
    // The layer cells' and views' native windows follow their widgets (after the page or the
    // canvas moved).
    void SyncVideoWindows();
    void InstallVideoSink();
    void RemoveVideoSink();
    void StartSdl();
    void StopSdl();

    CPictureCtrl* canvas = nullptr;
    std::array<CCell*, kFixedCells> fixedCells{};
    int selectedLayer = 0;
    int cachedWorkMode = 0;
    double zoom = kDefaultZoom;
    bool layersLocked = false;
    // The layers stand in their outputs (Lock Output): in the normal work mode they show only then.
    bool layersInOutputs = true;
    int previewWidth = 352;
    int previewHeight = 240;
    std::unique_ptr<VideoChannelSet> channels;
    std::atomic<bool> previewOn{false};
    MShowVideoDlg* showVideo = nullptr;
    std::unique_ptr<SdlRelayoutNotifier> relayoutNotifier;
    bool sdlStarted = false;
    bool fourViewPlaced = false;
    bool sinkInstalled = false;
    QTimer* cellMarkTimer = nullptr;
    QTimer* topButtonsTimer = nullptr;
};
