#pragma once
// Vertical gradient drawn as horizontal bands of solid colour (the title bands of the pages).

#include "platform/ColorRef.h"

#include <QRect>

#include <vector>

class QPainter;

struct GradientBand {
    QRect rect;
    COLORREF color;
};

// The bands FillGradient paints into rect: band i runs from top + i x bandHeight for bandHeight
// rows (cut at the bottom), one column wider than rect; its colour is from + i x (to - from) / n
// per channel with n = height / bandHeight. Empty for an empty rectangle or bandHeight <= 0.
std::vector<GradientBand> ComputeGradientBands(const QRect& rect, COLORREF from, COLORREF to, int bandHeight);

// Paints those bands. Does nothing for an empty rectangle or bandHeight <= 0.
void FillGradient(QPainter& painter, const QRect& rect, COLORREF from, COLORREF to, int bandHeight);
