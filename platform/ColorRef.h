#pragma once
// Colours are given as COLORREF values, 0x00BBGGRR (red in the low byte): 0x9CEF is orange.

#include <QColor>

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF MakeColorRef(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int ColorRefRed(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorRefGreen(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorRefBlue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

inline QColor ToQColor(COLORREF c) { return QColor(ColorRefRed(c), ColorRefGreen(c), ColorRefBlue(c)); }
inline COLORREF ToColorRef(const QColor& c) { return MakeColorRef(c.red(), c.green(), c.blue()); }

// The program's theme colours.
inline constexpr COLORREF kColorBody = 0x101010;
inline constexpr COLORREF kColorLightText = 0xEBEBEB;   // also the normal button face
inline constexpr COLORREF kColorAccent = 0x9CEF;        // orange
inline constexpr COLORREF kColorListBack = 0x2E2E2E;
inline constexpr COLORREF kColorListText = 0xD5D5D5;
inline constexpr COLORREF kColorDisabledText = 0x808080;
inline constexpr COLORREF kColorGroupText = 0x1E1E1E;
// Stand-ins for the classic system colours the controls fall back to.
inline constexpr COLORREF kColorBtnShadow = 0xA0A0A0;
inline constexpr COLORREF kColorBtnHighlight = 0xFFFFFF;
inline constexpr COLORREF kColorBtnFace = 0xF0F0F0;
