#pragma once
// Controls made the way every page makes them: on the page, carrying their control id, with the
// page as the owner that hears their notifications. The page connects what it handles itself.

#include "controls/CGdipButton.h"
#include "platform/ColorRef.h"

#include <QRect>
#include <QString>
#include <Qt>

#include <initializer_list>

class CDropButton;
class CSxGroupBox;
class MBaseDialog;
class QFont;
class oRealEdit;
class QLabel;
class QWidget;

// The pictures and colours the pages' controls share.
inline constexpr unsigned kPageActionImage = 129;         // plain action button
inline constexpr unsigned kPageActionPressedImage = 147;  // its pressed (toggled) face
inline constexpr unsigned kPageSwitchOffImage = 128;      // on/off switch, off
inline constexpr unsigned kPageSwitchOnImage = 130;       // on/off switch, on
inline constexpr COLORREF kPageCaptionColor = 0xEBEBEB;   // button captions and group titles
inline constexpr COLORREF kPageGroupBack = 0x1E1E1E;
inline constexpr COLORREF kPageDropFace = kColorBody;         // closed drop lists
inline constexpr COLORREF kPageDropText = kColorLightText;

// An image button with its standard (and, when not 0, alternate) picture, the page's control font
// for its caption and that caption colour.
CGdipButton* MakePageButton(MBaseDialog* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                            const QRect& rect, COLORREF captionColor);

// The same, its clicks going to the page's handler with the button's id.
template <class Page>
CGdipButton* MakePageButton(Page* page, int id, const QString& caption, unsigned stdImage, unsigned altImage,
                            const QRect& rect, COLORREF captionColor, void (Page::*onClick)(int))
{
    CGdipButton* button = MakePageButton(page, id, caption, stdImage, altImage, rect, captionColor);
    QObject::connect(button, &CGdipButton::clickedId, page, onClick);
    return button;
}

// A drop list in the pages' dark look: a 0x101010 face (0x2E2E2E while greyed), light text and the
// theme's list; font null gives the drop button's own. For every list whose colours the page does
// not choose itself, so that one control has one look.
CDropButton* MakePageDropList(QWidget* page, int id, const QRect& rect, const QFont* font);

// An enabled numeric edit over [low, high] showing initial in format ("%d" or with a decimal
// point).
oRealEdit* MakePageEdit(QWidget* page, int id, float low, float initial, float high, const QString& format,
                        const QRect& rect);

// A static text.
QLabel* MakePageLabel(QWidget* page, int id, const QString& text, const QRect& rect,
                      Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A group frame with its caption, at rect. The page styles it (StylePageGroups) once the
// controls it frames exist.
CSxGroupBox* MakePageGroup(QWidget* page, int id, const QString& caption, const QRect& rect);

// The pages' group look: the page's title font, a light title on the dark group colour and, when
// framed, frame style 2. Each group then goes below every other control, in the order given.
void StylePageGroups(MBaseDialog* page, std::initializer_list<CSxGroupBox*> groups, bool framed);
