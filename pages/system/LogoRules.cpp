#include "pages/system/LogoRules.h"

#include "device/CDeviceData.h"

#include <algorithm>
#include <cmath>

namespace logo {

bool IsSlotUsable(const LogoSettings& logo, int slot, int outputWidth, int outputHeight)
{
    if (slot < 0 || slot >= kSlotCount || !logo.valid[slot]) return false;
    const int w = logo.win.hAct[slot];
    const int h = logo.win.vAct[slot];
    return w > 0 && h > 0 && w < kMaxSlotSize && h < kMaxSlotSize && w <= outputWidth && h <= outputHeight;
}

namespace {

// One axis of the correction: start s and size n inside bound b.
void CorrectStart(int& s, int& n, bool logoUsage, int b)
{
    b = std::max(b, 0);
    if (logoUsage) {
        s = std::clamp(s, 0, std::max(b - n, 0));
        return;
    }
    if (s + n > b) {
        n = b - s;
        if (n < kMinSize) {
            n = kMinSize;
            s = std::max(b - kMinSize, 0);
        }
    }
}

void CorrectSize(int s, int& n, int b)
{
    n = std::min(n, std::max(b, 0) - s);
    n = std::max(n, kMinSize);
}

}  // namespace

Window CorrectWindow(Window w, Edit changed, bool logoUsage, int boundW, int boundH)
{
    switch (changed) {
    case Edit::HStart: CorrectStart(w.h, w.width, logoUsage, boundW); break;
    case Edit::VStart: CorrectStart(w.v, w.height, logoUsage, boundH); break;
    case Edit::Width: CorrectSize(w.h, w.width, boundW); break;
    case Edit::Height: CorrectSize(w.v, w.height, boundH); break;
    }
    w.h = std::clamp(w.h, 0, kMaxEditValue);
    w.v = std::clamp(w.v, 0, kMaxEditValue);
    w.width = std::clamp(w.width, kMinSize, kMaxEditValue);
    w.height = std::clamp(w.height, kMinSize, kMaxEditValue);
    return w;
}

int StartInside(int start, int size, int output) { return start + size > output ? 0 : start; }

bool Pip3HasSignal(const DeviceParamBlock& block)
{
    const int n = SlotOfInputCode(block.chnl[3].input);
    return n >= 0 && block.inputState[n] != 0;
}

Edges PreviewEdges(const QRect& group)
{
    const int right = group.left() + group.width();
    const int bottom = group.top() + group.height();
    return {group.left() + group.width() / 2, group.top() + 25, right - 30, bottom - 15};
}

Edges PreviewLogoEdges(const Edges& preview, const Window& w, double sx, double sy)
{
    if (sx == 0) sx = 1.0;
    if (sy == 0) sy = 1.0;
    auto round = [](double x) { return static_cast<int>(std::trunc(x + 0.5)); };
    Edges e;
    e.left = preview.left + round(w.h / sx);
    e.top = preview.top + round(w.v / sy);
    e.right = e.left + round(w.width / sx);
    e.bottom = e.top + round(w.height / sy);
    if (e.left > e.right) std::swap(e.left, e.right);
    if (e.top > e.bottom) std::swap(e.top, e.bottom);
    return e;
}

COLORREF SlotColor(bool stored, bool loaded)
{
    if (stored && loaded) return kSlotLoadedColor;
    return stored ? kSlotStoredColor : kSlotEmptyColor;
}

uint16_t ToField(int64_t value) { return static_cast<uint16_t>(std::clamp<int64_t>(value, 0, 0xFFFF)); }

}  // namespace logo
