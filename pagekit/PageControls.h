#pragma once
// Controls made the way every page makes them: on the page, carrying their control id, with the
// page as the owner that hears their notifications. The page connects what it handles itself.

#include "platform/ColorRef.h"

#include <QRect>
#include <QString>
#include <Qt>

class CGdipButton;
class MBaseDialog;
class oRealEdit;
class QLabel;
class QWidget;

// An image button with its standard (and, when not 0, alternate) picture, the page's control font
// for its caption and that caption colour.
CGdipButton* MakePageButton(MBaseDialog* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                            const QRect& rect, COLORREF captionColor);

// An enabled numeric edit over [low, high] showing initial in format ("%d" or with a decimal
// point).
oRealEdit* MakePageEdit(QWidget* page, int id, float low, float initial, float high, const QString& format,
                        const QRect& rect);

// A static text.
QLabel* MakePageLabel(QWidget* page, int id, const QString& text, const QRect& rect,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
