#pragma once
// The list inside a drop button's popup: owner-drawn rows of one height, each row with its text,
// item data, colours and an enabled flag, all kept in one model so the rows and their records
// can never fall out of step. A mouse press or Enter on an enabled row reports a choice;
// disabled rows are shown grey and cannot be chosen.

#include "platform/ColorRef.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QString>

#include <cstdint>
#include <vector>

using DropItemData = std::uintptr_t;

inline constexpr int LB_ERR = -1;
inline constexpr std::uint32_t kDropItemAdded = 0x20;    // set on every added row
inline constexpr std::uint32_t kDropItemDisabled = 0x2;  // the row cannot be chosen
inline constexpr COLORREF kDropSelectionDefault = 0xEFF7F7;
inline constexpr COLORREF kDropSelectionTheme = 0x50FFFF;
// The list's own room above its first row and below its last, in its background colour, so that
// no row's text meets the popup's frame.
inline constexpr int kDropListPadding = 2;

struct DropListItem {
    QString text;
    DropItemData data = 0;
    COLORREF textColor = kColorListText;
    COLORREF selectedTextColor = 0;
    std::uint32_t flags = kDropItemAdded;
};

class CDropList : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CDropList(QWidget* parent = nullptr);

    // Appends a row; returns its index.
    int AddString(const QString& text);
    // Removes exactly that row; returns the number of rows left, or LB_ERR for a bad index.
    int DeleteString(int index);
    // Removes every row; no row is selected or current afterwards.
    void ResetContent();

    int GetCount() const { return static_cast<int>(items_.size()); }
    // The row's text; empty for a bad index.
    QString GetText(int index) const;
    // False for a bad index.
    bool SetItemData(int index, DropItemData data);
    // The row's data; LB_ERR (as DropItemData) for a bad index.
    DropItemData GetItemData(int index) const;
    bool SetItemEnabled(int index, bool enabled);
    bool IsItemEnabled(int index) const;
    bool SetItemTextColors(int index, COLORREF text, COLORREF selectedText);
    // The row's record, or null for a bad index.
    const DropListItem* Item(int index) const;

    // The highlighted row, or -1.
    int GetCurSel() const { return selection_; }
    // -1 clears the highlight; returns LB_ERR (and changes nothing) for any other bad index.
    int SetCurSel(int index);
    // The row the owner button shows (-1 for none). A drop that ends without a choice puts the
    // highlight back on it.
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index);
    void RestoreSelection();

    // Background of the list and of unselected rows.
    void SetBkColor(COLORREF color);
    COLORREF BkColor() const { return backColor_; }
    // Fill of the highlighted row.
    void SetHighlightColor(COLORREF color);
    COLORREF HighlightColor() const { return highlightColor_; }
    // Only the first font given is taken (the owner button's); the row height becomes the height
    // of the font's line, which holds its tallest and deepest glyphs.
    void SetListFont(const QFont& font);
    bool HasListFont() const { return hasFont_; }
    const QFont& ListFont() const { return font_; }
    int ItemHeight() const { return itemHeight_; }
    // Heights below 1 are refused.
    void SetItemHeight(int height);

    // The row under a point of the viewport, or -1.
    int IndexAt(QPoint viewportPos) const;
    // The row's rectangle in viewport coordinates (may lie outside the viewport when scrolled).
    QRect ItemRect(int index) const;
    // Scrolls so that the row is fully shown.
    void EnsureVisible(int index);
    int TopIndex() const;

signals:
    // An enabled row was chosen by the mouse or Enter.
    void itemChosen(int index);
    // Escape: the drop ends without a choice.
    void cancelled();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    bool ValidIndex(int index) const { return index >= 0 && index < GetCount(); }
    void UpdateScrollRange();
    void MoveSelection(int to);

    std::vector<DropListItem> items_;
    int current_ = -1;
    int selection_ = -1;
    int itemHeight_ = 16;
    QFont font_;
    bool hasFont_ = false;
    COLORREF backColor_ = 0xFFFFFF;
    COLORREF highlightColor_ = kDropSelectionDefault;
};
