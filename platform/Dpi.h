#pragma once
// Screen DPI. Layout sizes are given for 96 DPI; a layout size is design value x DPI / 96.

extern int g_DpiX;  // horizontal DPI, 96 until InitDpiFromScreen
extern int g_DpiY;  // vertical DPI

// Reads the primary screen's logical DPI (needs a QGuiApplication); keeps 96 without a screen.
void InitDpiFromScreen();

// Design value scaled by the horizontal / vertical DPI, truncated toward zero.
int ScaleX(int designValue);
int ScaleY(int designValue);
// Generic form: value x dpi / 96 (64-bit intermediate, truncated toward zero).
int ScaleByDpi(int designValue, int dpi);
