#pragma once
// Owner-drawn report list in the dark theme: per-column and per-cell colours (the last matching
// record wins, cells over columns), a selected-row colour pair with one exempt column, bold
// text aligned per column, the custom header, and optional in-place editors: a CMyEdit for
// edit columns, a CDropButton for choice columns.
//
// Messages to the owner: WM_HEADER_CLICK (column, list id), WM_LIST_CHOICE (item data, row),
// WM_LIST_EDIT_COMMIT (row, column), WM_LIST_CELL_CLICK (row, column; sent).

#include "controls/CDropButton.h"
#include "controls/CHeaderCtrlCl.h"
#include "controls/CMyEdit.h"
#include "controls/ListCellStyle.h"
#include "platform/MessageTarget.h"

#include <QFont>
#include <QPointer>
#include <QTableWidget>

#include <vector>

inline constexpr int kListEditId = 65535;
inline constexpr int kListChoiceId = 32767;
inline constexpr int kListMaxEditorColumns = 100;
inline constexpr int kListMaxTextLength = 512;

class CListCtrlCl : public MessageReceiver<QTableWidget> {
    Q_OBJECT
public:
    explicit CListCtrlCl(QWidget* parent = nullptr);
    ~CListCtrlCl() override;

    CHeaderCtrlCl* Header() const { return header_; }

    // Columns and rows. Indexes out of range are refused (-1 or false).
    int InsertColumn(int column, const QString& title, int width);
    int GetColumnCount() const { return columnCount(); }
    int InsertItem(int row, const QString& text);
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    // A check box in the first column of every row (new rows unchecked); a click on it toggles.
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return checkBoxes_; }
    bool GetCheck(int row) const;
    // False for a row that is not there or a list without check boxes.
    bool SetCheck(int row, bool checked);
    // The first selected row, or -1.
    int GetSelectedRow() const;
    bool IsRowSelected(int row) const;

    void SetRowHeight(int height);  // 0 keeps the default height
    int RowHeight() const { return rowHeight_; }
    void SetFontHW(int height, int width);
    void SetBkColor(COLORREF c);
    COLORREF GetBkColor() const { return back_; }
    void SetTextColor(COLORREF c);
    COLORREF GetTextColor() const { return text_; }
    void SetSelectedColors(COLORREF back, COLORREF text);
    void SetExemptColumn(int column) { exemptColumn_ = column; viewport()->update(); }
    int ExemptColumn() const { return exemptColumn_; }

    void SetColColor(int column, COLORREF c);
    void SetItemColor(int row, int column, COLORREF c);
    void SetColTextColor(int column, COLORREF c);
    void SetItemTextColor(int row, int column, COLORREF c);
    ListCellColors CellColors(int row, int column) const;

    // Header look and behaviour.
    void SetHeaderAlignment(const QString& alignment);
    void SetHeaderClickable(bool on);
    void SetHeaderHeight(float factor);
    void SetHeaderFontHW(int height, int width);
    void SetHeaderTextColor(COLORREF c);
    void SetHeaderBkColor(int r, int g, int b);

    // In-place editing: at most 100 columns each; false when full or the column is negative.
    bool AddEditColumn(int column);
    bool AddChoiceColumn(int column);
    bool IsEditColumn(int column) const;
    bool IsChoiceColumn(int column) const;
    int EditRow() const { return editRow_; }
    int EditColumn() const { return editColumn_; }
    CMyEdit* InPlaceEdit() const { return edit_; }
    CDropButton* ChoiceButton() const { return choice_; }

    // The rectangle of a cell in the list's coordinates. Rows past the last one continue at the
    // row height, so an editor can be placed where a new row would appear. False for a negative
    // row, a column out of range or a rectangle out of reach.
    bool GetSubItemRect(int row, int column, QRect& out) const;
    // Row and column under a viewport point, or false.
    bool SubItemHitTest(const QPoint& viewportPos, int& row, int& column) const;

    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant& payload) override;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    void OpenEdit(int row, int column);
    void OpenChoice(int row, int column);
    void CommitEdit();
    void CancelEdit();
    QTableWidgetItem* ItemAt(int row, int column, bool create);

    CHeaderCtrlCl* header_;
    int rowHeight_ = 0;
    ListColorRecords colors_;
    QFont font_;
    int fontHeight_ = 15;
    int fontWidth_ = 0;
    COLORREF back_ = 0xFFFFFF;
    COLORREF text_ = 0;
    COLORREF selectedBack_ = kListSelectedBack;
    COLORREF selectedText_ = kListSelectedText;
    bool checkBoxes_ = false;
    int exemptColumn_ = -1;
    QPointer<CMyEdit> edit_;
    QPointer<CDropButton> choice_;
    std::vector<int> editColumns_;
    std::vector<int> choiceColumns_;
    int editRow_ = -1;
    int editColumn_ = -1;
};
