// The owner-drawn list and header: colour precedence and selected rows on rendered pixels,
// alignment, header clicks relayed with the list's id, sub-item rectangles past the last row,
// and the in-place editors.

#include "controls/CDropButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"
#include "controls/ListCellStyle.h"
#include "ControlTestSupport.h"

#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QHeaderView>
#include <QImage>

#include <gtest/gtest.h>

namespace {

TEST(ListCellStyle, PrecedenceAndLastMatch)
{
    ListColorRecords r;
    EXPECT_EQ(ResolveListCellColors(r, 0, 0, false, -1, 0x101010, 0xEBEBEB).back, 0x101010u);
    EXPECT_EQ(ResolveListCellColors(r, 0, 0, false, -1, 0x101010, 0xEBEBEB).text, 0xEBEBEBu);
    r.columnBack = {{-1, 1, 0x0000FF}, {-1, 1, 0x00FF00}};
    r.cellBack = {{2, 1, 0xFF0000}, {2, 1, 0x123456}};
    r.columnText = {{-1, 1, 0x111111}};
    r.cellText = {{3, 1, 0x222222}};
    EXPECT_EQ(ResolveListCellColors(r, 0, 1, false, -1, 0, 0).back, 0x00FF00u);  // last column match
    EXPECT_EQ(ResolveListCellColors(r, 2, 1, false, -1, 0, 0).back, 0x123456u);  // cell over column
    EXPECT_EQ(ResolveListCellColors(r, 2, 0, false, -1, 7, 0).back, 7u);         // other column
    EXPECT_EQ(ResolveListCellColors(r, 0, 1, false, -1, 0, 0).text, 0x111111u);
    EXPECT_EQ(ResolveListCellColors(r, 3, 1, false, -1, 0, 0).text, 0x222222u);
    // Selected rows take the selected pair, except in the exempt column.
    const ListCellColors sel = ResolveListCellColors(r, 2, 1, true, -1, 0, 0);
    EXPECT_EQ(sel.back, 0x505050u);
    EXPECT_EQ(sel.text, 0xEBEBEBu);
    EXPECT_EQ(ResolveListCellColors(r, 2, 1, true, 1, 0, 0).back, 0x123456u);
}

TEST(ListCellStyle, AlignmentCharacters)
{
    EXPECT_EQ(AlignmentForColumn("012", 0), ListAlign::Left);
    EXPECT_EQ(AlignmentForColumn("012", 1), ListAlign::Centre);
    EXPECT_EQ(AlignmentForColumn("012", 2), ListAlign::Right);
    EXPECT_EQ(AlignmentForColumn("0x2", 1), ListAlign::Left);
    // A column without a character is left-aligned, not read past the string.
    EXPECT_EQ(AlignmentForColumn("1", 5), ListAlign::Left);
    EXPECT_EQ(AlignmentForColumn("", 0), ListAlign::Left);
    EXPECT_EQ(AlignmentForColumn("1", -1), ListAlign::Left);
}

struct ListFixture {
    ListFixture()
    {
        list = new CListCtrlCl(&page);
        SetControlId(list, 1177);
        page.resize(400, 300);
        list->setGeometry(0, 0, 300, 200);
        list->InsertColumn(0, "NO.", 80);
        list->InsertColumn(1, "Ip Address", 150);
        list->InsertColumn(2, "Status", 50);
        list->SetHeaderAlignment("012");
        list->SetRowHeight(24);
        for (int r = 0; r < 3; ++r) {
            list->InsertItem(r, QString::number(r + 1));
            list->SetItemText(r, 1, "a");
        }
        page.show();
        Pump();
    }
    QColor PixelInCell(int row, int column, int dx = 0)
    {
        QRect r;
        EXPECT_TRUE(list->GetSubItemRect(row, column, r));
        // Right edge of the cell, clear of the left-aligned text.
        const QImage img = list->grab().toImage();
        return img.pixelColor(r.right() - 3 + dx, r.center().y());
    }
    QApplication* app = TestApp();
    LoggingPage page;
    CListCtrlCl* list;
};

TEST(CListCtrlCl, RowsWithoutRecordsUseTheListColours)
{
    ListFixture f;
    f.list->SetBkColor(0x101010);
    f.list->SetTextColor(0xEBEBEB);
    EXPECT_EQ(f.PixelInCell(0, 1), QColor(0x10, 0x10, 0x10));
    EXPECT_EQ(f.PixelInCell(2, 0), QColor(0x10, 0x10, 0x10));
}

TEST(CListCtrlCl, CellRecordOverridesColumnRecordOnScreen)
{
    ListFixture f;
    f.list->SetBkColor(0x101010);
    f.list->SetColColor(1, 0x0000FF);   // red column
    f.list->SetColColor(1, 0x00FF00);   // then green: the last wins
    f.list->SetItemColor(1, 1, 0xFF0000);  // blue cell
    EXPECT_EQ(f.PixelInCell(0, 1), QColor(0, 255, 0));
    EXPECT_EQ(f.PixelInCell(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(f.PixelInCell(1, 2), QColor(0x10, 0x10, 0x10));
}

TEST(CListCtrlCl, SelectedRowUsesTheSelectedPairExceptTheExemptColumn)
{
    ListFixture f;
    f.list->SetBkColor(0x101010);
    f.list->SetItemColor(1, 2, 0x00FF00);
    f.list->SetItemTextColor(1, 1, 0x0000FF);
    f.list->selectRow(1);
    EXPECT_EQ(f.list->GetSelectedRow(), 1);
    EXPECT_EQ(f.PixelInCell(1, 0), QColor(0x50, 0x50, 0x50));
    EXPECT_EQ(f.PixelInCell(1, 2), QColor(0x50, 0x50, 0x50));
    EXPECT_EQ(f.list->CellColors(1, 1).text, 0xEBEBEBu);
    f.list->SetExemptColumn(2);
    EXPECT_EQ(f.PixelInCell(1, 2), QColor(0, 255, 0));
    EXPECT_EQ(f.PixelInCell(0, 0), QColor(0x10, 0x10, 0x10));

    // The selected text colour is drawn: some pixel of the cell's text is 0xEBEBEB.
    QRect r;
    ASSERT_TRUE(f.list->GetSubItemRect(1, 1, r));
    const QImage img = f.list->grab(r).toImage();
    bool light = false;
    for (int y = 0; y < img.height() && !light; ++y)
        for (int x = 0; x < img.width() && !light; ++x)
            light = img.pixelColor(x, y) == QColor(0xEB, 0xEB, 0xEB);
    EXPECT_TRUE(light);
}

TEST(CListCtrlCl, HeaderClickIsRelayedOnceWithColumnAndListId)
{
    ListFixture f;
    CHeaderCtrlCl* h = f.list->Header();
    const QPoint inColumn1(h->sectionViewportPosition(1) + 10, h->height() / 2);
    // Off until the owner switches it on.
    SendMouse(h->viewport(), QEvent::MouseButtonPress, inColumn1);
    SendMouse(h->viewport(), QEvent::MouseButtonRelease, inColumn1, Qt::LeftButton, Qt::NoButton);
    Pump();
    EXPECT_TRUE(f.page.Take(WM_HEADER_CLICK).empty());
    EXPECT_EQ(h->ClickedColumn(), -1);

    f.list->SetHeaderClickable(true);
    SendMouse(h->viewport(), QEvent::MouseButtonPress, inColumn1);
    SendMouse(h->viewport(), QEvent::MouseButtonRelease, inColumn1, Qt::LeftButton, Qt::NoButton);
    Pump();
    const auto clicks = f.page.Take(WM_HEADER_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].w, 1u);
    EXPECT_EQ(clicks[0].l, 1177);
    EXPECT_EQ(h->ClickedColumn(), 1);
    // The clicked column is painted in the accent colour, the others in the base colour.
    const QImage img = h->viewport()->grab().toImage();
    EXPECT_EQ(img.pixelColor(h->sectionViewportPosition(1) + 2, 2), QColor(0xEF, 0x9C, 0x00));
    EXPECT_EQ(img.pixelColor(h->sectionViewportPosition(0) + 2, 2), QColor(171, 199, 235));
    EXPECT_EQ(img.pixelColor(img.width() - 2, 2), QColor(171, 199, 235));  // past the last column
}

TEST(CListCtrlCl, HeaderHeightFactor)
{
    ListFixture f;
    const int before = f.list->Header()->sizeHint().height();
    f.list->SetHeaderHeight(1.5f);
    EXPECT_EQ(f.list->Header()->sizeHint().height(), static_cast<int>(before * 1.5f));
}

TEST(CListCtrlCl, SubItemRectExtendsPastTheLastRow)
{
    ListFixture f;
    QRect last, next, further;
    ASSERT_TRUE(f.list->GetSubItemRect(2, 1, last));
    ASSERT_TRUE(f.list->GetSubItemRect(3, 1, next));
    ASSERT_TRUE(f.list->GetSubItemRect(5, 1, further));
    EXPECT_EQ(next.top(), last.bottom() + 1);
    EXPECT_EQ(next.height(), 24);
    EXPECT_EQ(next.left(), last.left());
    EXPECT_EQ(next.width(), 150);
    EXPECT_EQ(further.top(), next.top() + 48);
    EXPECT_FALSE(f.list->GetSubItemRect(-1, 1, next));
    EXPECT_FALSE(f.list->GetSubItemRect(0, 3, next));
    EXPECT_FALSE(f.list->GetSubItemRect(INT_MAX, 1, next));
    // An empty list starts right under the header.
    f.list->DeleteAllItems();
    ASSERT_TRUE(f.list->GetSubItemRect(0, 1, next));
    EXPECT_EQ(next.top(), f.list->viewport()->geometry().top());
}

TEST(CListCtrlCl, RowsAndTextsRefuseBadIndexes)
{
    ListFixture f;
    EXPECT_FALSE(f.list->SetItemText(3, 0, "x"));
    EXPECT_FALSE(f.list->SetItemText(0, 3, "x"));
    EXPECT_EQ(f.list->GetItemText(-1, 0), "");
    EXPECT_FALSE(f.list->DeleteItem(7));
    EXPECT_EQ(f.list->InsertItem(99, "4"), 3);
    EXPECT_EQ(f.list->GetItemText(3, 0), "4");
    EXPECT_EQ(f.list->InsertItem(-1, "x"), -1);
    EXPECT_TRUE(f.list->DeleteItem(0));
    EXPECT_EQ(f.list->GetItemText(0, 0), "2");
    EXPECT_EQ(f.list->GetSelectedRow(), -1);
    for (int i = 0; i < 100; ++i)
        EXPECT_TRUE(f.list->AddEditColumn(i + 10));
    EXPECT_FALSE(f.list->AddEditColumn(500));
    EXPECT_FALSE(f.list->AddChoiceColumn(-2));
}

TEST(CListCtrlCl, ClickOnACellIsSentToTheOwner)
{
    ListFixture f;
    QRect r;
    ASSERT_TRUE(f.list->GetSubItemRect(2, 1, r));
    const QPoint vp = r.center() - f.list->viewport()->geometry().topLeft();
    SendMouse(f.list->viewport(), QEvent::MouseButtonPress, vp);
    // Sent, not posted: already there without pumping.
    const auto clicks = f.page.Take(WM_LIST_CELL_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].w, 2u);
    EXPECT_EQ(clicks[0].l, 1);
    SendMouse(f.list->viewport(), QEvent::MouseButtonRelease, vp, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.list->GetSelectedRow(), 2);
}

QPoint CellPoint(CListCtrlCl* list, int row, int column)
{
    QRect r;
    list->GetSubItemRect(row, column, r);
    return r.center() - list->viewport()->geometry().topLeft();
}

TEST(CListCtrlCl, DoubleClickOutsideTheEditorColumnsOpensNothing)
{
    ListFixture f;
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 0, 1));
    EXPECT_EQ(f.list->InPlaceEdit(), nullptr);
    EXPECT_EQ(f.list->ChoiceButton(), nullptr);
}

TEST(CListCtrlCl, InPlaceEditCommitsOnEnterAndCancelsOnEscape)
{
    ListFixture f;
    f.list->AddEditColumn(1);
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 1, 1));
    CMyEdit* edit = f.list->InPlaceEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(GetControlId(edit), 65535);
    EXPECT_EQ(edit->text(), "a");
    QRect cell;
    f.list->GetSubItemRect(1, 1, cell);
    EXPECT_EQ(edit->geometry(), cell);
    edit->selectAll();
    TypeText(edit, "10.0.0.7");
    SendKey(edit, Qt::Key_Return);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(f.list->GetItemText(1, 1), "10.0.0.7");
    Pump();
    const auto commits = f.page.Take(WM_LIST_EDIT_COMMIT);
    ASSERT_EQ(commits.size(), 1u);
    EXPECT_EQ(commits[0].w, 1u);
    EXPECT_EQ(commits[0].l, 1);
    // The page itself hears nothing of the edit's own reports: they go to the list.
    EXPECT_TRUE(f.page.Take(WM_EDIT_DONE).empty());

    f.page.log.clear();
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 2, 1));
    edit->selectAll();
    TypeText(edit, "zzz");
    SendKey(edit, Qt::Key_Escape);
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(f.list->GetItemText(2, 1), "a");
    EXPECT_EQ(f.list->EditRow(), -1);
    Pump();
    EXPECT_TRUE(f.page.Take(WM_LIST_EDIT_COMMIT).empty());

    // A click elsewhere commits an open edit.
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 0, 1));
    edit->selectAll();
    TypeText(edit, "b");
    SendMouse(f.list->viewport(), QEvent::MouseButtonPress, CellPoint(f.list, 2, 0));
    EXPECT_EQ(f.list->GetItemText(0, 1), "b");
    Pump();
    EXPECT_EQ(f.page.Take(WM_LIST_EDIT_COMMIT).size(), 1u);
}

TEST(CListCtrlCl, ChoiceEditorReportsItemDataAndRow)
{
    ListFixture f;
    f.list->AddChoiceColumn(2);
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 2, 2));
    CDropButton* button = f.list->ChoiceButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget(), f.list);  // owned by the list
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(button->Caption(), "N/A");
    ASSERT_NE(button->GetList(), nullptr);
    ASSERT_EQ(button->GetList()->GetCount(), 1);
    button->GetList()->AddString("Online");
    button->GetList()->SetItemData(1, 77);
    SendMsg(button, WM_DROPLIST_SELECT, 1, 0);
    Pump();
    const auto choices = f.page.Take(WM_LIST_CHOICE);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].w, 77u);
    EXPECT_EQ(choices[0].l, 2);
    EXPECT_EQ(f.list->GetItemText(2, 2), "Online");
    // The same button serves the next cell.
    SendMouse(f.list->viewport(), QEvent::MouseButtonDblClick, CellPoint(f.list, 0, 2));
    EXPECT_EQ(f.list->ChoiceButton(), button);
    EXPECT_TRUE(button->isVisible());
}

TEST(CListCtrlCl, EnterAndEscapeStayInTheList)
{
    ListFixture f;
    EXPECT_TRUE(SendKey(f.list, Qt::Key_Return));
    EXPECT_TRUE(SendKey(f.list, Qt::Key_Escape));
}

TEST(CListCtrlCl, CheckBoxesInTheFirstColumn)
{
    TestApp();
    CListCtrlCl list;
    list.InsertColumn(0, QStringLiteral("NO."), 80);
    list.InsertItem(0, QStringLiteral("1"));
    EXPECT_FALSE(list.SetCheck(0, true));  // no check boxes yet
    list.SetCheckBoxes(true);
    list.InsertItem(1, QStringLiteral("2"));
    EXPECT_FALSE(list.GetCheck(0));
    EXPECT_FALSE(list.GetCheck(1));
    EXPECT_TRUE(list.SetCheck(1, true));
    EXPECT_TRUE(list.GetCheck(1));
    EXPECT_FALSE(list.SetCheck(2, true));
    EXPECT_FALSE(list.GetCheck(-1));
    list.SetCheckBoxes(false);
    EXPECT_FALSE(list.GetCheck(1));
}

} // namespace
