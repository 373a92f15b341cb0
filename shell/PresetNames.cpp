#include "shell/PresetNames.h"

QString DefaultPresetName(int workMode, int slot)
{
    return QStringLiteral("%1-%2").arg(workMode).arg(slot);
}

QString PresetNameSection(int workMode, int slot)
{
    return QStringLiteral("PRESET%1-%2").arg(workMode).arg(slot);
}

QString InputRemarkSection(int input)
{
    return QStringLiteral("InPutSrcRemark-%1").arg(input);
}

int NameSetOfWorkMode(int workMode)
{
    return workMode >= 0 && workMode < kPresetWorkModeCount ? workMode : 0;
}

int PresetNameIndex(int workMode, int slot)
{
    if (workMode < 0 || workMode >= kPresetWorkModeCount || slot < 0 || slot >= kPresetSlotCount) return -1;
    return workMode * kPresetSlotCount + slot;
}

SlotLook SlotLookForFlag(uint8_t flag)
{
    switch (flag) {
    case kPresetStored: return {true, kSlotNormalColor};
    case kPresetMarked: return {false, kSlotMarkedColor};
    default: return {false, kSlotNormalColor};
    }
}

COLORREF SlotBaseColor(uint8_t flag)
{
    return flag == kPresetMarked ? kSlotMarkedColor : kSlotNormalColor;
}

// Rectangles here are edge-exclusive at the bottom, as the window's painting measures them: the
// band starts below the button's last pixel row.
QRect SlotNameBand(const QRect& button)
{
    const int below = button.y() + button.height();
    return QRect(button.x() - 10, below + 2, button.width() + 20, 20);
}

QRect InputRemarkBand(const QRect& icon)
{
    const int below = icon.y() + icon.height();
    return QRect(icon.x(), below + 16, icon.width(), 16);
}
