#pragma once
// The layout canvas of the operating page: the processor's outputs as fixed cells and its four
// layer windows as layer cells, which the operator moves and resizes with the mouse. A finished
// drag is handed to the parent (the operating page) as WM_CELL_CHANGED with the cell, whose
// outputRect holds the exact output rectangle. The canvas keeps the cells ordered by layer,
// snaps a moving cell to its neighbours in output pixels, and paints only what is exposed (the
// page makes it very large).
#include "preview/CCell.h"
#include "preview/CellGeometry.h"

#include <QList>
#include <QWidget>

class VideoChannelSet;

class CPictureCtrl : public QWidget {
    Q_OBJECT
public:
    using Rect = cellgeo::CellRect;
    static constexpr int kMenuTopSetting = 32782;
    static constexpr int kDragNone = 0;
    static constexpr int kDragMove = 2;
    static constexpr int kDragResize = 3;

    explicit CPictureCtrl(QWidget* parent = nullptr);
    ~CPictureCtrl() override;

    // Set by the operating page.
    int gridOn = 0;
    int gridX = 40;
    int gridY = 40;
    double scaleX = 6.0;
    double scaleY = 6.0;
    int outputWidth = 1920;
    int outputHeight = 1080;
    int originX = 0;
    int originY = 0;
    double fixedScaleX = 6.0;
    double fixedScaleY = 6.0;
    double layerScaleX = 6.0;
    double layerScaleY = 6.0;
    int resizeSnap = 0;
    bool twoArea = false;
    bool videoOn = false;
    VideoChannelSet* channel = nullptr;
    // The preview stream's size: the texture of every layer cell.
    int previewWidth = 352;
    int previewHeight = 240;

    // Cell list, ordered by layer with the fixed cells at the tail. The canvas owns the cells.
    const QList<CCell*>& Cells() const { return cells; }
    CCell* AddFixedCell(const Rect& start, const QString& name, int originX, int originY, int id);
    CCell* AddLayerCell(int outputWidth, int outputHeight, int originX, int originY, const QString& name, int layer,
                        int id);
    void InsertByLayer(CCell* cell);
    void SortByLayer();
    // Moves the cell to the tail of the list (it is picked first among equals), until the next sort.
    void MoveCellToTail(CCell* cell);
    // Stacks the layer cells' video windows in list order, the tail on top.
    void ApplyZOrder();
    void RemoveLayerCells();
    void AttachCellToVideoChannel(CCell* cell);
    void DetachCellFromVideoChannel(CCell* cell);
    CCell* LayerCell(int layer) const;
    // Whether cell is (still) one of this canvas's cells: a receiver of a posted cell checks it.
    bool HasCell(const CCell* cell) const;

    // Whether the operator sees the cell: not hidden, and a layer cell with a video window only
    // while that window shows. Only such a cell is picked, selected or committed.
    static bool IsShown(const CCell* cell);
    CCell* Selected() const { return selected; }
    // A cell that is not shown is not selected.
    void SelectCell(CCell* cell);
    void PlaceCellWindow(const Rect& output, CCell* cell);
    void RelayoutCells();
    void MoveCellBy(CCell* cell, const Rect& output);
    // Posts WM_CELL_CHANGED (cell, fixed flag) to the parent (a cell that is shown).
    void CommitCell(CCell* cell);

    Rect OutputToCanvas(const Rect& r) const;
    Rect CanvasToOutput(const Rect& c) const;
    Rect ClientRect() const;
    CCell* PickCell(int x, int y) const;

    // WM_COMMAND from the page's menu.
    void OnMenuCommand(int id);

    // Drag state, for tests and the page.
    int DragMode() const { return dragMode; }
    int DragZone() const { return dragZone; }
    int SnapMode() const { return snapMode; }
    Rect SnapRect() const { return snapRect; }
    Rect DragClip() const { return clip; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void MapCell(CCell* cell, bool layerPair);
    // Where a layer cell is drawn: its window where the processor has it, cut at the edges of its
    // output (of the canvas without one), as the picture is cut.
    Rect ShownRect(const CCell* cell) const;
    void UseScaleFor(const CCell* cell);
    void InvalidateCell(const CCell* cell);
    // The selected cell's output and canvas rectangles at the press (or where it was last placed
    // during the drag): each drag step converts the whole distance from there once.
    void Anchor(const CCell* cell);
    void MoveStep(CCell* cell, int x, int y);
    void ResizeStep(CCell* cell, int x, int y);
    void SnapResize(int zone, bool move, CCell* cell);
    void UpdateHoverCursor(int x, int y);
    void PaintTwoArea(QPainter& p) const;
    void PaintGrid(QPainter& p, const QRect& exposed) const;
    void PaintSnapGuide(QPainter& p) const;

    QList<CCell*> cells;
    CellStyle style;
    int dragMode = kDragNone;
    int dragZone = cellgeo::kZoneNone;
    int lastX = 0;
    int lastY = 0;
    int downX = 0;
    int downY = 0;
    bool capturing = false;
    Rect anchorOutput;
    Rect anchorCanvas;
    // The canvas rectangle the pointer moves; a window cut at its output is drawn smaller.
    Rect dragRect;
    // The output area a drag keeps the window in: its output, widened to where it overhung it.
    Rect dragArea;
    bool dragCut = false;
    Rect clip;
    CCell* selected = nullptr;
    int snapMode = cellgeo::kSnapNone;
    Rect snapRect;
};
