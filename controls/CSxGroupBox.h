#pragma once
// A group frame with its title set into the top line: single line, or etched (double line in
// two colours). Paints lines and title only; the controls it groups are its siblings.

#include "platform/ColorRef.h"

#include <QFont>
#include <QPolygon>
#include <QString>
#include <QWidget>

#include <vector>

inline constexpr int BS_LEFT = 0x100;
inline constexpr int BS_RIGHT = 0x200;
inline constexpr int BS_CENTER = 0x300;
inline constexpr int kGroupFrameSingle = 0x8000;
inline constexpr int kGroupFrameEtched = 12;

struct GroupBoxGeometry {
    int titleX = 0;        // left of the title text
    int lineY = 0;         // y of the top line
    QRect titleRect;       // where the title text goes
    std::vector<QPolygon> paths;  // one path (single) or two (etched: colour 1, then colour 2)
};

// frame: the frame rectangle; textSize: the measured " title "; alignment BS_LEFT/RIGHT/CENTER.
// Each path runs from the start of the title gap around the left side, bottom and right side
// back to the end of the gap.
GroupBoxGeometry ComputeGroupBoxGeometry(const QRect& frame, QSize textSize, int alignment, int margin,
                                         int frameWidth, int frameStyle);

class CSxGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit CSxGroupBox(QWidget* parent = nullptr, const QString& caption = QString());

    void SetCaption(const QString& caption);
    QString Caption() const { return caption_; }
    // Null gives the default title font (8-point "MS Sans Serif", weight 400).
    void SetTitleFont(const QFont* font);
    const QFont& TitleFont() const { return titleFont_; }
    void SetTitleColor(COLORREF c);
    void SetBackColor(COLORREF c);  // kept for the pages; the title is drawn transparent
    void SetFrameColors(COLORREF c1, COLORREF c2);
    void SetDisabledColors(COLORREF c1, COLORREF c2);
    void SetFrameWidth(int w);
    void SetFrameStyle(int style);
    void SetTitleAlignment(int alignment);
    void SetTitleMargin(int margin);

    COLORREF TitleColor() const { return titleColor_; }
    int FrameWidth() const { return frameWidth_; }
    int FrameStyle() const { return frameStyle_; }
    int TitleAlignment() const { return alignment_; }
    QString TitleText() const;  // " caption "
    GroupBoxGeometry Geometry() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    QString caption_;
    QFont titleFont_;
    COLORREF frame1_ = kColorBtnShadow;
    COLORREF frame2_ = kColorBtnHighlight;
    COLORREF disabled1_ = kColorBtnShadow;
    COLORREF disabled2_ = kColorBtnHighlight;
    COLORREF titleColor_ = 0;
    COLORREF backColor_ = kColorLightText;
    int frameWidth_ = 1;
    int frameStyle_ = kGroupFrameSingle;
    int alignment_ = BS_LEFT;
    int margin_ = 8;
};
