#pragma once
// Pure rules of the preset bar: the names of the ten slots per work mode and their "Info.ini"
// keys, the remarks of the inputs, the looks of the slot buttons, and where the names are drawn
// (and edited in place) under the slot buttons and the input icons.

#include "platform/ColorRef.h"

#include <QRect>
#include <QString>

#include <cstdint>

inline constexpr int kPresetSlotCount = 10;
inline constexpr int kPresetWorkModeCount = 3;      // normal, switcher, dual
inline constexpr int kPresetNameCount = kPresetSlotCount * kPresetWorkModeCount;
inline constexpr int kRenameMaxChars = 9;            // the in-place edit's limit
inline constexpr int kInfoValueMaxChars = 255;       // values are read with a 256-character buffer

inline constexpr COLORREF kSlotNormalColor = 0x000000;
inline constexpr COLORREF kSlotMarkedColor = 0x0000FF;   // flag 2: red
inline constexpr COLORREF kSlotCurrentColor = 0x009CEF;  // current or remembered slot: orange
inline constexpr COLORREF kTabActiveColor = 0x009CEF;
inline constexpr COLORREF kTabInactiveColor = 0xD5D5D5;

// Stored-preset flags of reply 17.
inline constexpr uint8_t kPresetEmpty = 0;
inline constexpr uint8_t kPresetStored = 1;
inline constexpr uint8_t kPresetMarked = 2;

// "0-3" for work mode 0, slot 3.
QString DefaultPresetName(int workMode, int slot);
// "PRESET0-3"; the key is "PNAMESTR".
QString PresetNameSection(int workMode, int slot);
// "InPutSrcRemark-5"; the key is "REMARKSTR".
QString InputRemarkSection(int input);
inline const char* const kPresetNameKey = "PNAMESTR";
inline const char* const kInputRemarkKey = "REMARKSTR";

// A work mode that can select a set of names: 0..2; anything else falls back to 0.
int NameSetOfWorkMode(int workMode);
// Index into the 30 names; -1 when the mode or slot is out of range.
int PresetNameIndex(int workMode, int slot);

struct SlotLook {
    bool pressed = false;
    COLORREF color = kSlotNormalColor;
};
// The look a slot gets from its flag when reply 17 refreshes the bar.
SlotLook SlotLookForFlag(uint8_t flag);
// The colour a slot has before the current or remembered one is marked: red for flag 2.
COLORREF SlotBaseColor(uint8_t flag);

// Band under a slot button where its name is drawn and double clicks rename it: 10 pixels wider
// on each side, from 2 to 22 pixels below the button.
QRect SlotNameBand(const QRect& button);
// Band under an input icon where its remark is drawn and edited: the icon's width, from 16 to 32
// pixels below the icon.
QRect InputRemarkBand(const QRect& icon);
