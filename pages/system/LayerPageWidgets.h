#pragma once
// Building blocks shared by the keyer, logo, switcher and PIP pages: controls placed by their
// dialog-template rectangles (dialog units) and given the look the pages share.

#include "platform/ColorRef.h"

#include <QRect>
#include <QString>

class CDropButton;
class CGdipButton;
class CSxGroupBox;
class MBaseDialog;
class QLabel;
class QWidget;
class oRealEdit;

namespace layerpage {

inline constexpr unsigned kSwitchOffImage = 128;  // on/off switch, off
inline constexpr unsigned kSwitchOnImage = 130;   // on/off switch, on
inline constexpr unsigned kPlainButtonImage = 129;
inline constexpr COLORREF kCaptionLight = 0xEBEBEB;

// A template rectangle in dialog units as pixels at the current DPI.
QRect Dlu(int x, int y, int w, int h);

QLabel* MakeStatic(QWidget* page, int id, const QString& text, const QRect& rect);
// An image button that notifies the page's handler through clickedId.
CGdipButton* MakeImageButton(MBaseDialog* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                             const QRect& rect);
// An on/off switch: check behaviour, empty caption.
CGdipButton* MakeSwitch(MBaseDialog* page, int id, const QRect& rect);
// A group frame with the pages' look (page font, light title), kept below its controls.
CSxGroupBox* MakeGroup(MBaseDialog* page, int id, const QString& caption, const QRect& rect);
// An untitled framed group on a dark page (light title, frame style 2), kept below its controls;
// the page places it and sets its caption.
CSxGroupBox* MakeFramedGroup(QWidget* page, int id);
// An empty drop list with the pages' colours.
CDropButton* MakeDropList(MBaseDialog* page, int id, const QRect& rect);
// An integer edit ("%d") whose commits go to the page.
oRealEdit* MakeIntEdit(QWidget* page, int id, int minimum, int initial, int maximum, const QRect& rect);

// Enables or disables an image button together with its grey look.
void EnableButton(CGdipButton* button, bool on);

}  // namespace layerpage
