#pragma once
// Dialog units to pixels. Dialog templates are measured in dialog units of the dialog font:
// a horizontal unit is a quarter of the average character width, a vertical unit an eighth of
// the character height.

#include <QSize>

struct DialogBaseUnits {
    int x = 6;   // average character width in pixels (8-point dialog font at 96 DPI)
    int y = 13;  // character height in pixels
};

// The base units of the dialog font at the current DPI (g_DpiX / g_DpiY).
DialogBaseUnits CurrentDialogBaseUnits();

// MulDiv-style conversion, rounded to nearest.
int DluToPixelsX(int dlu, const DialogBaseUnits& base);
int DluToPixelsY(int dlu, const DialogBaseUnits& base);
int DluToPixelsX(int dlu);
int DluToPixelsY(int dlu);
QSize DluToPixels(QSize dlu);
