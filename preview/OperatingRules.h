#pragma once
// The operating page's rules without windows: which quadrant of the 2 x 2 preview mosaic shows a
// layer, the part of the mosaic a layer cell shows, the layer labels by work mode, where the
// splicing modes put the layers, how the outputs are arranged, and the scales of the switcher and
// dual work modes. All sizes are in output pixels unless said otherwise.
#include "preview/CellGeometry.h"

#include <array>
#include <optional>
#include <string>

namespace oprules {

using cellgeo::CellRect;

enum WorkMode : int { kWorkNormal = 0, kWorkSwitcher = 1, kWorkDual = 2 };

// The layer-dependent state that picks a quadrant.
struct QuadrantInput {
    int workMode = kWorkNormal;  // pvwMode
    int autoArr = 0;             // mosaic.autoArr
    int mosaicMode = 0;          // mosaic.mode
    bool pgm = false;            // pgmState[w]
    bool pvw = false;            // pvwState[w]
};

// The quadrant (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right) that shows layer w, or
// nullopt when the choice stays as it was (dual mode, layer neither on program nor on preview).
std::optional<int> SelectQuadrant(int w, const QuadrantInput& in);

// Quadrant q of a previewWidth x previewHeight mosaic (halves rounded towards zero).
CellRect QuadrantRect(int q, int previewWidth, int previewHeight);

// A layer window in output pixels.
struct Window {
    int hPos = 0, vPos = 0, hAct = 0, vAct = 0;
};

// The largest position or size of a layer window the canvas shows: far beyond any output, and
// small enough that origins, sums and scaled values stay well inside 32 bits.
inline constexpr int kMaxShownWindowSpan = 1 << 24;
// A window from the processor or a project file as the canvas shows it: positions cut to
// -kMaxShownWindowSpan..kMaxShownWindowSpan (a window may overhang its output's top-left), sizes to
// 0..kMaxShownWindowSpan. The processor's own values stay in the block.
Window ShownWindow(const Window& w);
// The shown window placed at the origin (an output's top-left), in output pixels.
CellRect WindowOutputRect(int originX, int originY, const Window& w);

// The part of the mosaic that shows `window` in quadrant q: the window scaled by quadrant size /
// output size, each value rounded to the nearest pixel, offset into the quadrant and kept inside
// it. The logo window rounds its left and width but truncates its top and height (integer
// division). Nullopt for a quadrant outside 0..3 or an empty output or preview size.
std::optional<CellRect> LayerSourceRect(const Window& window, int q, int previewWidth, int previewHeight,
                                        int outputWidth, int outputHeight, bool logoWindow = false);

// The first part of a layer cell's name.
struct LayerLabel {
    bool change = true;      // false: the label stays as it is
    std::string prefix;      // "Main : ", "PIP-2 : ", "PGM1 : ", ...
    bool withInput = true;   // followed by the name of the layer's input
};
LayerLabel LabelForLayer(int w, int workMode, bool pgm, bool pvw, int logoUsage);

// Whether a layer cell shows on the canvas: exactly while its layer shows on the processor. The
// layer's switch (chnl[w].onOff, for PIP-3 the logo's while the logo uses it) must be on; in the
// normal work mode the layers must stand in their outputs (Lock Output), in the dual work mode the
// layer must be on program or preview (elsewhere it has no place).
struct LayerShowInput {
    int workMode = kWorkNormal;
    bool switchedOn = false;
    bool pgm = false;
    bool pvw = false;
    bool layersInOutputs = true;
};
bool LayerCellShown(const LayerShowInput& in);

// Splicing modes (mosaic.mode): which output cells (1..4) are hidden and which output each layer
// goes into (0: it stays where it is).
struct SplicePlan {
    std::array<bool, 4> outputHidden{};
    std::array<int, 4> layerOutput{};
};
// mosaicCell: the selected splicing preview cell (8 none).
SplicePlan PlanForMosaicMode(int mosaicMode, int workMode, int mosaicCell);

// PlaceOutputCells: the output rectangles of outputs 1..4 for layout code 0..7, from output 1's
// rectangle and the output size; outputs a code does not move keep their rectangles. Nullopt for
// other codes.
std::optional<std::array<CellRect, 4>> ArrangeOutputs(int code, const std::array<CellRect, 4>& current, int hAct,
                                                      int vAct);

// One output rectangle rescaled after the output size changed from old to new: its distance from
// the canvas origin (the top-left of the first output) scales, so outputs that adjoined still do.
CellRect RescaleOutputRect(const CellRect& r, int originX, int originY, int oldWidth, int oldHeight, int newWidth,
                           int newHeight);

// Switcher and dual work modes: output pixels per canvas pixel for a W x H client. Nullopt when a
// divisor would be zero or negative (a small or minimised window): the layout stays as it is.
struct TwoAreaScales {
    double x = 1.0;
    double y = 1.0;
};
std::optional<TwoAreaScales> TwoAreaScale(int workMode, int clientWidth, int clientHeight, int hAct, int vAct);

// Where the PREVIEW-1/2 and PROGRAM-1/2 cells go (output rectangles, each at the output size).
struct TwoAreaPlaces {
    CellRect preview1, preview2, program1, program2;
};
TwoAreaPlaces TwoAreaPlacement(int workMode, int clientWidth, int clientHeight, const TwoAreaScales& s, int hAct,
                               int vAct);

// Ctrl+wheel: the new zoom for a wheel delta.
double ZoomAfterWheel(double zoom, int delta);

// Preview stream sizes by encoder format code; nullopt for an unknown code.
struct PreviewSize {
    int width = 0;
    int height = 0;
};
std::optional<PreviewSize> PreviewSizeForFormat(int code);

} // namespace oprules
