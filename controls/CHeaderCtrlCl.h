#pragma once
// Header of the owner-drawn list: flat sections in a base colour, the clicked column in the
// accent colour, bold titles aligned per column, a height factor. With clicks switched on, a
// click posts WM_HEADER_CLICK (column, 0) to the list.

#include "platform/ColorRef.h"

#include <QHeaderView>
#include <QStringList>

inline constexpr COLORREF kHeaderClickedBack = 0x9CEF;
inline constexpr COLORREF kHeaderClickedText = 0x101010;

class CHeaderCtrlCl : public QHeaderView {
    Q_OBJECT
public:
    explicit CHeaderCtrlCl(QWidget* parent = nullptr);

    void SetClickable(bool on) { clickable_ = on; }
    bool IsClickable() const { return clickable_; }
    int ClickedColumn() const { return clicked_; }
    void SetClickedColumn(int column);

    // Titles by column; a column without one shows the model's header text.
    void SetTitle(int column, const QString& title);
    void InsertTitle(int column, const QString& title);
    void RemoveTitle(int column);
    QString Title(int column) const;
    // One character per column: '0' left, '1' centre, '2' right.
    void SetAlignment(const QString& alignment);
    const QString& Alignment() const { return alignment_; }

    void SetBkColor(int r, int g, int b);
    COLORREF BkColor() const { return base_; }
    void SetHeightFactor(float factor);  // kept within 0.1 .. 10
    float HeightFactor() const { return heightFactor_; }
    void SetFontHW(int height, int width);
    void SetTextColor(COLORREF c);
    COLORREF TextColor() const { return textColor_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    int clicked_ = -1;
    bool clickable_ = false;
    QStringList titles_;
    QString alignment_;
    COLORREF base_ = MakeColorRef(171, 199, 235);
    float heightFactor_ = 1.0f;
    int fontHeight_ = 18;
    int fontWidth_ = 0;
    COLORREF textColor_ = 0;
};
