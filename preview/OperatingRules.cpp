#include "preview/OperatingRules.h"

#include "device/PreviewFormatCodes.h"

#include <algorithm>
#include <cstdio>

namespace oprules {

std::optional<int> SelectQuadrant(int w, const QuadrantInput& in)
{
    const bool even = w == 0 || w == 2;
    switch (in.workMode) {
    case kWorkSwitcher: return in.pgm ? 1 : 0;
    case kWorkDual:
        if (in.pgm) return even ? 2 : 3;
        if (in.pvw) return even ? 0 : 1;
        return std::nullopt;
    default: break;
    }
    if (in.autoArr == 3) {
        if (w == 2) return 2;
        if (w == 3) return 1;
        return w;
    }
    if (in.mosaicMode == 3) {
        if (w == 1) return 2;
        if (w == 2) return 1;
        return w;
    }
    return w;
}

bool LayerCellShown(const LayerShowInput& in)
{
    if (!in.switchedOn) return false;
    switch (in.workMode) {
    case kWorkNormal: return in.layersInOutputs;
    case kWorkDual: return in.pgm || in.pvw;
    default: return true;
    }
}

CellRect QuadrantRect(int q, int previewWidth, int previewHeight)
{
    const int halfW = previewWidth / 2;
    const int halfH = previewHeight / 2;
    const int left = (q == 1 || q == 3) ? halfW : 0;
    const int top = (q == 2 || q == 3) ? halfH : 0;
    return CellRect{left, top, left + halfW, top + halfH};
}

namespace {

// +0.5 and truncated; values beyond 32 bits saturate.
int Rounded(double v)
{
    v += 0.5;
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -2147483648.0, 2147483647.0));
}

} // namespace

Window ShownWindow(const Window& w)
{
    auto place = [](int v) { return std::clamp(v, -kMaxShownWindowSpan, kMaxShownWindowSpan); };
    auto size = [](int v) { return std::clamp(v, 0, kMaxShownWindowSpan); };
    return Window{place(w.hPos), place(w.vPos), size(w.hAct), size(w.vAct)};
}

CellRect WindowOutputRect(int originX, int originY, const Window& window)
{
    const Window w = ShownWindow(window);
    return cellgeo::SizedRect(int64_t{originX} + w.hPos, int64_t{originY} + w.vPos, w.hAct, w.vAct);
}

std::optional<CellRect> LayerSourceRect(const Window& window, int q, int previewWidth, int previewHeight,
                                        int outputWidth, int outputHeight, bool logoWindow)
{
    if (q < 0 || q > 3 || outputWidth <= 0 || outputHeight <= 0 || previewWidth < 2 || previewHeight < 2)
        return std::nullopt;
    const CellRect quad = QuadrantRect(q, previewWidth, previewHeight);
    const double sx = static_cast<double>(quad.Width()) / outputWidth;
    const double sy = static_cast<double>(quad.Height()) / outputHeight;
    const int64_t left = Rounded(window.hPos * sx);
    const int64_t width = Rounded(window.hAct * sx);
    int64_t top = 0;
    int64_t height = 0;
    if (logoWindow) {
        top = int64_t{window.vPos} * quad.Height() / outputHeight;
        height = int64_t{window.vAct} * quad.Height() / outputHeight;
    } else {
        top = Rounded(window.vPos * sy);
        height = Rounded(window.vAct * sy);
    }
    CellRect r = cellgeo::SizedRect(quad.left + left, quad.top + top, width, height);
    // A window reaching past the output would show the neighbouring quadrant.
    r.left = std::clamp(r.left, quad.left, quad.right);
    r.top = std::clamp(r.top, quad.top, quad.bottom);
    r.right = std::clamp(r.right, r.left, quad.right);
    r.bottom = std::clamp(r.bottom, r.top, quad.bottom);
    return r;
}

LayerLabel LabelForLayer(int w, int workMode, bool pgm, bool pvw, int logoUsage)
{
    char buffer[32];
    const bool even = w == 0 || w == 2;
    if (workMode == kWorkDual) {
        if (pgm) return {true, even ? "PGM1 : " : "PGM2 : ", true};
        if (pvw) return {true, even ? "PVW1 : " : "PVW2 : ", true};
        return {true, "", false};
    }
    if (workMode == kWorkSwitcher && (w == 0 || w == 1)) {
        if (pgm) return {true, "PGM : ", true};
        if (pvw) return {true, "PVW : ", true};
        return {true, "", false};
    }
    if (w == 0) return {true, "Main : ", true};
    if (w == 3 && logoUsage == 1) return {false, "", false};
    std::snprintf(buffer, sizeof buffer, "PIP-%d : ", w);
    return {true, buffer, true};
}

SplicePlan PlanForMosaicMode(int mosaicMode, int workMode, int mosaicCell)
{
    SplicePlan plan;
    auto hide = [&](std::initializer_list<int> outputs) {
        for (int o : outputs) plan.outputHidden[static_cast<size_t>(o - 1)] = true;
    };
    switch (mosaicMode) {
    case 0:
        hide({2, 3, 4});
        if (workMode == kWorkNormal) plan.layerOutput = {1, 1, 1, 1};
        break;
    case 1:
        hide({2, 3, 4});
        plan.layerOutput = {1, 1, 1, 1};
        break;
    case 2:
        hide({3, 4});
        plan.layerOutput = {1, 2, 1, 2};
        break;
    case 3:
        hide({3, 4});
        plan.layerOutput = {1, 1, 2, 2};
        break;
    case 4:
        hide({4});
        if (mosaicCell >= 2 && mosaicCell <= 4) plan.layerOutput = {1, 2, 3, 2};
        break;
    case 5: plan.layerOutput = {1, 2, 3, 4}; break;
    default: break;
    }
    return plan;
}

std::optional<std::array<CellRect, 4>> ArrangeOutputs(int code, const std::array<CellRect, 4>& current, int hAct,
                                                      int vAct)
{
    if (code < 0 || code > 7) return std::nullopt;
    std::array<CellRect, 4> r = current;
    auto rightOf = [&](const CellRect& a) {
        return CellRect{a.right, a.top, cellgeo::Saturated(int64_t{a.right} + hAct), a.bottom};
    };
    auto below = [&](const CellRect& a) {
        return CellRect{a.left, a.bottom, a.right, cellgeo::Saturated(int64_t{a.bottom} + vAct)};
    };
    switch (code) {
    case 0: r[1] = rightOf(r[0]); break;
    case 1: r[1] = below(r[0]); break;
    case 2:
    case 3:
        r[1] = rightOf(r[0]);
        r[2] = rightOf(r[1]);
        break;
    case 4:
        r[1] = below(r[0]);
        r[2] = below(r[1]);
        break;
    case 5:
        r[1] = rightOf(r[0]);
        r[2] = below(r[0]);
        r[3] = rightOf(r[2]);
        break;
    case 6:
        r[1] = rightOf(r[0]);
        r[2] = rightOf(r[1]);
        r[3] = rightOf(r[2]);
        break;
    case 7:
        r[1] = below(r[0]);
        r[2] = below(r[1]);
        r[3] = below(r[2]);
        break;
    default: break;
    }
    return r;
}

CellRect RescaleOutputRect(const CellRect& r, int originX, int originY, int oldWidth, int oldHeight, int newWidth,
                           int newHeight)
{
    if (oldWidth <= 0 || oldHeight <= 0) return cellgeo::SizedRect(r.left, r.top, newWidth, newHeight);
    const double dx = static_cast<double>(newWidth) * (int64_t{r.left} - originX) / oldWidth;
    const double dy = static_cast<double>(newHeight) * (int64_t{r.top} - originY) / oldHeight;
    return cellgeo::SizedRect(int64_t{originX} + Rounded(dx), int64_t{originY} + Rounded(dy), newWidth, newHeight);
}

std::optional<TwoAreaScales> TwoAreaScale(int workMode, int clientWidth, int clientHeight, int hAct, int vAct)
{
    if (workMode != kWorkSwitcher && workMode != kWorkDual) return std::nullopt;
    const int divX = workMode == kWorkSwitcher ? (2 * clientWidth) / 5 - 125 : (2 * clientWidth - 250) / 5;
    const int divY = (clientHeight - 198) / 2;
    if (divX <= 0 || divY <= 0 || hAct <= 0 || vAct <= 0) return std::nullopt;
    return TwoAreaScales{static_cast<double>(hAct) / divX, static_cast<double>(vAct) / divY};
}

TwoAreaPlaces TwoAreaPlacement(int workMode, int clientWidth, int clientHeight, const TwoAreaScales& s, int hAct,
                               int vAct)
{
    const int cx = Rounded((clientWidth / 2) * s.x);
    const int upperTop = Rounded(40 * s.y);
    const int lowerTop = Rounded((clientHeight / 2) * s.y + 40 * s.y);
    auto at = [&](int64_t left, int top) { return cellgeo::SizedRect(left, top, hAct, vAct); };
    TwoAreaPlaces p;
    if (workMode == kWorkDual) {
        p.preview1 = at(cx - hAct, upperTop);
        p.preview2 = at(cx, upperTop);
        p.program1 = at(cx - hAct, lowerTop);
        p.program2 = at(cx, lowerTop);
    } else {
        p.preview1 = at(cx - hAct / 2, upperTop);
        p.program1 = at(cx - hAct / 2, lowerTop);
        p.preview2 = p.preview1;
        p.program2 = p.program1;
    }
    return p;
}

double ZoomAfterWheel(double zoom, int delta)
{
    const double next = delta >= 0 ? zoom - 0.5 : zoom + 0.5;
    return next <= 0.0 ? 1.0 : next;
}

std::optional<PreviewSize> PreviewSizeForFormat(int code)
{
    const auto size = PreviewSizeOfCode(code);
    if (!size) return std::nullopt;
    return PreviewSize{size->width, size->height};
}

} // namespace oprules
