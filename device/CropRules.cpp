#include "device/CropRules.h"

namespace {

void SetTotals(CropWindow& c, uint16_t h, uint16_t v)
{
    c.hTotal = h;
    c.vTotal = v;
}

}  // namespace

void ClampCropToTotal(CropWindow& c)
{
    if (c.hPos + c.hAct > c.hTotal || c.vPos + c.vAct > c.vTotal) {
        c.hPos = 0;
        c.vPos = 0;
        c.hAct = c.hTotal;
        c.vAct = c.vTotal;
    }
}

void AssignCropRecord(CropWindow& dst, const CropWindow& src)
{
    dst.onOff = src.onOff;
    dst.hPos = src.hPos;
    dst.vPos = src.vPos;
    dst.hAct = src.hAct;
    dst.vAct = src.vAct;
    dst.hTotal = src.hTotal;
    dst.vTotal = src.vTotal;
    if (dst.hPos + dst.hAct > dst.hTotal) {
        dst.hAct = dst.hTotal;
        dst.hPos = 0;
    }
    if (dst.vPos + dst.vAct > dst.vTotal) {
        dst.vAct = dst.vTotal;
        dst.vPos = 0;
    }
}

void ApplyInputSignalToCrops(DeviceParamBlock& b, int n, uint16_t h, uint16_t v)
{
    if (n < 0 || n >= kInputSlotCount) return;
    const uint16_t half = static_cast<uint16_t>(h / 2);
    for (int w = 0; w < kWindowCount; ++w) {
        SetTotals(b.crop[n][w], h, v);

        // DP-1 in dual-link mode: each half carries half the width.
        if (n == 4 && b.dpMode[0] != 0) {
            SetTotals(b.crop[8][w], half, v);
            SetTotals(b.crop[4][w], half, v);
            ClampCropToTotal(b.crop[8][w]);
        }

        // The second DP or the composite board's input in dual-link mode.
        if (n == 6 && b.dpMode[1] != 0) {
            const int32_t src = b.input[6].src;
            const bool board = b.cmpBoard.exist != 0;
            if (src == 8 || (src == 6 && board && b.cmpBoard.actNoSrc == 1)) {
                SetTotals(b.crop[9][w], half, v);
                SetTotals(b.crop[6][w], half, v);
                ClampCropToTotal(b.crop[9][w]);
            }
            if (src == 6 && board && b.cmpBoard.actNoSrc == 0) {
                SetTotals(b.crop[10][w], half, v);
                SetTotals(b.crop[11][w], half, v);
                ClampCropToTotal(b.crop[10][w]);
                ClampCropToTotal(b.crop[11][w]);
            }
        }

        ClampCropToTotal(b.crop[n][w]);
    }
}
