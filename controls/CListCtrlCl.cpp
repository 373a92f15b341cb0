#include "controls/CListCtrlCl.h"

#include "controls/CDropButton.h"
#include "controls/CMyEdit.h"
#include "platform/ControlId.h"
#include "platform/Fonts.h"
#include "platform/MessageIds.h"

#include <QKeyEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <QApplication>
#include <QStyle>

#include <algorithm>
#include <climits>

namespace {

// Paints every cell: background and text colour by the list's rules, the list's font, the
// header's alignment for the column.
class ListCellDelegate : public QStyledItemDelegate {
public:
    explicit ListCellDelegate(CListCtrlCl* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int row = index.row();
        const int col = index.column();
        const ListCellColors c = list_->CellColors(row, col);
        p->save();
        p->fillRect(option.rect, ToQColor(c.back));
        p->setPen(ToQColor(c.text));
        p->setFont(list_->font());
        int flags = Qt::AlignVCenter | Qt::TextSingleLine;
        switch (AlignmentForColumn(list_->Header()->Alignment(), col)) {
        case ListAlign::Centre: flags |= Qt::AlignHCenter; break;
        case ListAlign::Right: flags |= Qt::AlignRight; break;
        case ListAlign::Left: flags |= Qt::AlignLeft; break;
        }
        QRect textRect = option.rect;
        if (index.flags() & Qt::ItemIsUserCheckable) {
            // The same box the default click handling toggles, drawn in the cell's colours.
            QStyleOptionViewItem opt = option;
            initStyleOption(&opt, index);
            const QWidget* view = option.widget;
            QStyle* style = view ? view->style() : QApplication::style();
            const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, view)
                                  .adjusted(1, 1, -1, -1);
            p->drawRect(box.adjusted(0, 0, -1, -1));
            if (index.data(Qt::CheckStateRole).toInt() == Qt::Checked)
                p->fillRect(box.adjusted(3, 3, -3, -3), ToQColor(c.text));
            textRect.setLeft(box.right() + 4);
        }
        const QString text = index.data(Qt::DisplayRole).toString().left(kListMaxTextLength);
        p->drawText(textRect, flags, text);
        p->restore();
    }

private:
    CListCtrlCl* list_;
};

bool Contains(const std::vector<int>& v, int x) { return std::find(v.begin(), v.end(), x) != v.end(); }

bool AddColumnTo(std::vector<int>& v, int column)
{
    if (column < 0)
        return false;
    if (Contains(v, column))
        return true;
    if (static_cast<int>(v.size()) >= kListMaxEditorColumns)
        return false;
    v.push_back(column);
    return true;
}

bool IsCommitKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

} // namespace

CListCtrlCl::CListCtrlCl(QWidget* parent) : MessageReceiver<QTableWidget>(parent), header_(new CHeaderCtrlCl(this))
{
    setHorizontalHeader(header_);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    setShowGrid(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setItemDelegate(new ListCellDelegate(this));
    font_ = MakeFont(QStringLiteral("Arial"), fontHeight_, 700);
    setFont(font_);
    SetBkColor(back_);
}

CListCtrlCl::~CListCtrlCl()
{
    // The editors are Qt children; stop watching them before they go.
    if (edit_)
        edit_->removeEventFilter(this);
}

QTableWidgetItem* CListCtrlCl::ItemAt(int row, int column, bool create)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    QTableWidgetItem* it = item(row, column);
    if (!it && create) {
        it = new QTableWidgetItem();
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(row, column, it);
    }
    return it;
}

int CListCtrlCl::InsertColumn(int column, const QString& title, int width)
{
    if (column < 0)
        return -1;
    column = std::min(column, columnCount());
    insertColumn(column);
    setHorizontalHeaderItem(column, new QTableWidgetItem(title));
    header_->InsertTitle(column, title);
    if (width > 0)
        setColumnWidth(column, width);
    return column;
}

int CListCtrlCl::InsertItem(int row, const QString& text)
{
    if (row < 0 || columnCount() == 0)
        return -1;
    row = std::min(row, rowCount());
    insertRow(row);
    if (rowHeight_ > 0)
        setRowHeight(row, rowHeight_);
    QTableWidgetItem* first = ItemAt(row, 0, true);
    first->setText(text);
    if (checkBoxes_) {
        first->setFlags(first->flags() | Qt::ItemIsUserCheckable);
        first->setCheckState(Qt::Unchecked);
    }
    return row;
}

void CListCtrlCl::SetCheckBoxes(bool on)
{
    checkBoxes_ = on;
    for (int row = 0; row < rowCount(); ++row) {
        QTableWidgetItem* first = ItemAt(row, 0, true);
        if (on) {
            first->setFlags(first->flags() | Qt::ItemIsUserCheckable);
            if (first->data(Qt::CheckStateRole).isNull()) first->setCheckState(Qt::Unchecked);
        } else {
            first->setFlags(first->flags() & ~Qt::ItemIsUserCheckable);
            first->setData(Qt::CheckStateRole, QVariant());
        }
    }
    viewport()->update();
}

bool CListCtrlCl::GetCheck(int row) const
{
    const QTableWidgetItem* first = (row >= 0 && row < rowCount()) ? item(row, 0) : nullptr;
    return first && first->checkState() == Qt::Checked;
}

bool CListCtrlCl::SetCheck(int row, bool checked)
{
    if (!checkBoxes_ || row < 0 || row >= rowCount()) return false;
    ItemAt(row, 0, true)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return true;
}

bool CListCtrlCl::SetItemText(int row, int column, const QString& text)
{
    QTableWidgetItem* it = ItemAt(row, column, true);
    if (!it)
        return false;
    it->setText(text);
    return true;
}

QString CListCtrlCl::GetItemText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

bool CListCtrlCl::DeleteItem(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    // Qt would select the row that takes the removed one's place; the list selects nothing new.
    bool otherSelected = false;
    for (int r = 0; r < rowCount() && !otherSelected; ++r)
        otherSelected = r != row && IsRowSelected(r);
    removeRow(row);
    if (!otherSelected && selectionModel())
        selectionModel()->clearSelection();
    return true;
}

void CListCtrlCl::DeleteAllItems() { setRowCount(0); }

int CListCtrlCl::GetSelectedRow() const
{
    const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    int best = -1;
    for (const QModelIndex& i : rows)
        best = best < 0 ? i.row() : std::min(best, i.row());
    return best;
}

bool CListCtrlCl::IsRowSelected(int row) const
{
    return selectionModel() && row >= 0 && row < rowCount() && selectionModel()->isRowSelected(row, QModelIndex());
}

void CListCtrlCl::SetRowHeight(int height)
{
    rowHeight_ = std::max(height, 0);
    if (rowHeight_ > 0) {
        verticalHeader()->setDefaultSectionSize(rowHeight_);
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        for (int r = 0; r < rowCount(); ++r)
            setRowHeight(r, rowHeight_);
    }
}

void CListCtrlCl::SetFontHW(int height, int width)
{
    fontHeight_ = height;
    fontWidth_ = width;  // kept for the callers: faces scale as a whole here
    font_ = MakeFont(QStringLiteral("Arial"), fontHeight_, 700);
    setFont(font_);
    if (edit_)
        edit_->setFont(font_);
}

void CListCtrlCl::SetBkColor(COLORREF c)
{
    back_ = c;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(c));
    pal.setColor(QPalette::Window, ToQColor(c));
    setPalette(pal);
    viewport()->update();
}

void CListCtrlCl::SetTextColor(COLORREF c)
{
    text_ = c;
    viewport()->update();
}

void CListCtrlCl::SetSelectedColors(COLORREF back, COLORREF text)
{
    selectedBack_ = back;
    selectedText_ = text;
    viewport()->update();
}

void CListCtrlCl::SetColColor(int column, COLORREF c)
{
    colors_.columnBack.push_back({-1, column, c});
    viewport()->update();
}

void CListCtrlCl::SetItemColor(int row, int column, COLORREF c)
{
    colors_.cellBack.push_back({row, column, c});
    viewport()->update();
}

void CListCtrlCl::SetColTextColor(int column, COLORREF c)
{
    colors_.columnText.push_back({-1, column, c});
    viewport()->update();
}

void CListCtrlCl::SetItemTextColor(int row, int column, COLORREF c)
{
    colors_.cellText.push_back({row, column, c});
    viewport()->update();
}

ListCellColors CListCtrlCl::CellColors(int row, int column) const
{
    return ResolveListCellColors(colors_, row, column, IsRowSelected(row), exemptColumn_, back_, text_, selectedBack_,
                                 selectedText_);
}

void CListCtrlCl::SetHeaderAlignment(const QString& alignment)
{
    header_->SetAlignment(alignment);
    viewport()->update();
}

void CListCtrlCl::SetHeaderClickable(bool on) { header_->SetClickable(on); }
void CListCtrlCl::SetHeaderHeight(float factor) { header_->SetHeightFactor(factor); }
void CListCtrlCl::SetHeaderFontHW(int height, int width) { header_->SetFontHW(height, width); }
void CListCtrlCl::SetHeaderTextColor(COLORREF c) { header_->SetTextColor(c); }
void CListCtrlCl::SetHeaderBkColor(int r, int g, int b) { header_->SetBkColor(r, g, b); }

bool CListCtrlCl::AddEditColumn(int column) { return AddColumnTo(editColumns_, column); }
bool CListCtrlCl::AddChoiceColumn(int column) { return AddColumnTo(choiceColumns_, column); }
bool CListCtrlCl::IsEditColumn(int column) const { return Contains(editColumns_, column); }
bool CListCtrlCl::IsChoiceColumn(int column) const { return Contains(choiceColumns_, column); }

bool CListCtrlCl::GetSubItemRect(int row, int column, QRect& out) const
{
    if (row < 0 || column < 0 || column >= columnCount())
        return false;
    long long y = 0;
    int h = 0;
    if (row < rowCount()) {
        y = rowViewportPosition(row);
        h = QTableWidget::rowHeight(row);
    } else {
        h = rowHeight_ > 0 ? rowHeight_ : verticalHeader()->defaultSectionSize();
        const int last = rowCount() - 1;
        const long long afterLast = last >= 0 ? static_cast<long long>(rowViewportPosition(last)) + QTableWidget::rowHeight(last) : 0;
        y = afterLast + static_cast<long long>(row - rowCount()) * h;
    }
    const QPoint origin = viewport()->geometry().topLeft();
    y += origin.y();
    if (y > INT_MAX / 2 || y < INT_MIN / 2)
        return false;
    out = QRect(origin.x() + columnViewportPosition(column), static_cast<int>(y), columnWidth(column), h);
    return true;
}

bool CListCtrlCl::SubItemHitTest(const QPoint& viewportPos, int& row, int& column) const
{
    const QModelIndex i = indexAt(viewportPos);
    if (!i.isValid())
        return false;
    row = i.row();
    column = i.column();
    return true;
}

void CListCtrlCl::OpenEdit(int row, int column)
{
    if (choice_)
        choice_->hide();
    if (!edit_) {
        edit_ = new CMyEdit(this);
        SetControlId(edit_, kListEditId);
        SetControlOwner(edit_, this);
        edit_->setAlignment(Qt::AlignCenter);
        edit_->setFont(font_);
        edit_->hide();
        edit_->installEventFilter(this);
    }
    QRect r;
    if (!GetSubItemRect(row, column, r))
        return;
    edit_->setText(GetItemText(row, column));
    edit_->setGeometry(r);
    edit_->show();
    edit_->raise();
    edit_->setFocus(Qt::OtherFocusReason);
}

void CListCtrlCl::OpenChoice(int row, int column)
{
    if (edit_)
        edit_->hide();
    QRect r;
    if (!GetSubItemRect(row, column, r))
        return;
    if (!choice_) {
        // A child of the list: Qt deletes it with the list.
        auto* button = new CDropButton(this);
        if (!button->Create(QStringLiteral("N/A"), this, kListChoiceId, 0x101010, 0x101010, 0xD5D5D5, kDropDefaultColor,
                            &font_, 0xFFFFFF, r)) {
            delete button;
            return;
        }
        if (CDropList* list = button->GetList()) {
            list->SetBkColor(0x2E2E2E);
            list->SetHighlightColor(kListSelectedBack);
            list->AddString(QStringLiteral("N/A"));
        }
        choice_ = button;
    }
    choice_->setGeometry(r);
    choice_->show();
    choice_->raise();
    choice_->setFocus(Qt::OtherFocusReason);
}

void CListCtrlCl::CommitEdit()
{
    if (!edit_)
        return;
    edit_->hide();
    if (editRow_ >= 0 && editColumn_ >= 0) {
        SetItemText(editRow_, editColumn_, edit_->text());
        NotifyOwner(this, WM_LIST_EDIT_COMMIT, static_cast<WPARAM>(editRow_), editColumn_);
    }
}

void CListCtrlCl::CancelEdit()
{
    if (edit_)
        edit_->hide();
    editRow_ = -1;
    editColumn_ = -1;
}

bool CListCtrlCl::eventFilter(QObject* watched, QEvent* e)
{
    // The list sees the editor's Enter and Escape first; the edit still reports them itself.
    if (watched == edit_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            CommitEdit();
        else if (key == Qt::Key_Escape)
            CancelEdit();
    }
    return MessageReceiver<QTableWidget>::eventFilter(watched, e);
}

LRESULT CListCtrlCl::OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant&)
{
    switch (msg) {
    case WM_HEADER_CLICK:
        NotifyOwner(this, WM_HEADER_CLICK, wParam, GetControlId(this));
        return 1;
    case WM_DROPLIST_SELECT: {
        if (wParam != static_cast<WPARAM>(kListChoiceId) || !choice_ || editRow_ < 0)
            return 0;
        CDropList* list = choice_->GetList();
        const int index = static_cast<int>(lParam);
        if (!list || index < 0 || index >= list->GetCount())
            return 0;
        // The cell shows the choice; the owner gets its item data and decides what it means.
        SetItemText(editRow_, editColumn_, list->GetText(index));
        choice_->hide();
        NotifyOwner(this, WM_LIST_CHOICE, static_cast<WPARAM>(list->GetItemData(index)), editRow_);
        return 1;
    }
    default: return 0;
    }
}

void CListCtrlCl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        if (edit_ && edit_->isVisible() && IsEditColumn(editColumn_))
            CommitEdit();
        if (choice_ && choice_->isVisible() && IsChoiceColumn(editColumn_))
            choice_->hide();
        int row = -1;
        int column = -1;
        if (SubItemHitTest(e->position().toPoint(), row, column)) {
            QObject* owner = GetControlOwner(this);
            if (owner && owner->thread() == thread())
                SendMsg(owner, WM_LIST_CELL_CLICK, static_cast<WPARAM>(row), column);
        }
        editRow_ = -1;
        editColumn_ = -1;
    }
    MessageReceiver<QTableWidget>::mousePressEvent(e);
}

void CListCtrlCl::mouseDoubleClickEvent(QMouseEvent* e)
{
    int row = -1;
    int column = -1;
    if (e->button() != Qt::LeftButton || !SubItemHitTest(e->position().toPoint(), row, column)) {
        MessageReceiver<QTableWidget>::mouseDoubleClickEvent(e);
        return;
    }
    editRow_ = row;
    editColumn_ = column;
    if (IsChoiceColumn(column))
        OpenChoice(row, column);
    else if (IsEditColumn(column))
        OpenEdit(row, column);
    else
        MessageReceiver<QTableWidget>::mouseDoubleClickEvent(e);
}

bool CListCtrlCl::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && IsCommitKey(static_cast<QKeyEvent*>(e)->key())) {
        e->accept();
        return true;
    }
    return MessageReceiver<QTableWidget>::event(e);
}

void CListCtrlCl::keyPressEvent(QKeyEvent* e)
{
    // Enter and Escape stay in the list: they must not close the page.
    if (IsCommitKey(e->key())) {
        e->accept();
        return;
    }
    MessageReceiver<QTableWidget>::keyPressEvent(e);
}

void CListCtrlCl::focusInEvent(QFocusEvent* e)
{
    // Taking the focus selects nothing: a row is selected by the user or the page.
    const bool hadCurrent = currentIndex().isValid();
    const QItemSelection before = selectionModel() ? selectionModel()->selection() : QItemSelection();
    MessageReceiver<QTableWidget>::focusInEvent(e);
    if (!hadCurrent && selectionModel())
        selectionModel()->select(before, QItemSelectionModel::ClearAndSelect);
}
