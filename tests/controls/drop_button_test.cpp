// Drop button, its popup list and the item-data helpers: drop height, mouse choice,
// notifications to the owner, disabled rows, one model for rows and records, popup closing.

#include "controls/CDropButton.h"
#include "controls/CDropList.h"
#include "controls/CListWnd.h"
#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "drop_button_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

struct Received {
    unsigned msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A page stand-in that records every message it gets.
class RecordingPage : public MessageReceiver<QWidget> {
public:
    LRESULT OnMessage(unsigned msg, WPARAM wParam, LPARAM lParam, const QVariant&) override
    {
        got.push_back({msg, wParam, lParam});
        return 0;
    }
    std::vector<Received> got;
};

void Click(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF local(pos);
    const QPointF global(w->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void Deliver()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

constexpr int kId = 0xAFF0;

struct Fixture {
    Fixture()
    {
        App();
        page = std::make_unique<RecordingPage>();
        page->resize(400, 300);
        button = new CDropButton;
        EXPECT_TRUE(button->Create(QString(), page.get(), kId, 0x101010, 0x101010, 0xEBEBEB, kDropDefaultColor,
                                   nullptr, 0xFFFFFF, QRect(20, 30, 140, 20)));
        page->show();
    }
    void Fill(std::initializer_list<const char*> texts)
    {
        DropItemData data = 100;
        for (const char* t : texts) {
            const int i = button->GetList()->AddString(QString::fromLatin1(t));
            button->GetList()->SetItemData(i, data++);
        }
    }
    CDropList* List() const { return button->GetList(); }
    std::unique_ptr<RecordingPage> page;
    CDropButton* button = nullptr;  // a child of page
};

TEST(CDropButton, CreateSetsIdOwnerAndDefaults)
{
    Fixture f;
    EXPECT_TRUE(f.button->IsCreated());
    EXPECT_EQ(GetControlId(f.button), kId);
    EXPECT_EQ(GetControlOwner(f.button), f.page.get());
    EXPECT_EQ(f.button->geometry(), QRect(20, 30, 140, 20));
    EXPECT_TRUE(f.button->isVisible());
    EXPECT_EQ(f.button->TextColor(), 0xEBEBEBu);
    EXPECT_EQ(f.button->ExtraColor(), 0u);
    EXPECT_GT(f.List()->ItemHeight(), 15);  // the line of the default 15-pixel font, glyphs above and below too
    EXPECT_EQ(f.List()->BkColor(), 0xFFFFFFu);
    EXPECT_FALSE(f.button->IsListShown());
    // A second Create is refused.
    EXPECT_FALSE(f.button->Create(QString(), f.page.get(), 1, 0, 0, 0, 0, nullptr, 0, QRect()));
}

TEST(CDropButton, CreateRefusesNullParentAndDefaultColours)
{
    App();
    CDropButton b;
    EXPECT_FALSE(b.Create(QString(), nullptr, 5, 0, 0, 0, 0, nullptr, 0, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(b.IsCreated());
    EXPECT_EQ(b.GetList(), nullptr);
    QWidget parent;
    CDropButton* d = new CDropButton;
    ASSERT_TRUE(d->Create(QStringLiteral("x"), &parent, 5, kDropDefaultColor, 0x123456, kDropDefaultColor,
                          kDropDefaultColor, nullptr, 0x2E2E2E, QRect(0, 0, 50, 20)));
    EXPECT_EQ(d->NormalColor(), 0xCDD9DDu);
    EXPECT_EQ(d->HoverColor(), 0xD9E5E9u);  // the hover argument is ignored with the default face
    EXPECT_EQ(d->TextColor(), 0u);
    EXPECT_EQ(d->Caption(), QStringLiteral("x"));
}

TEST(CDropButton, EmptyListDropsAtTheFullLimit)
{
    Fixture f;
    EXPECT_EQ(f.button->DropHeight(), 100);
    Click(f.button, QPoint(10, 10));
    ASSERT_TRUE(f.button->IsListShown());
    EXPECT_EQ(f.List()->viewport()->height(), 100 - 2 * kDropListPadding);
    const QRect pop = f.button->GetPopup()->geometry();
    const QPoint buttonBottomLeft = f.button->mapToGlobal(QPoint(0, f.button->height() - 1));
    EXPECT_EQ(pop.topLeft(), buttonBottomLeft);
    EXPECT_EQ(pop.width(), f.button->width());
    EXPECT_EQ(pop.height(), 102);  // list area plus the one-pixel frame above and below
}

TEST(CDropButton, ThreeRowsDropTheirLinesAndThePadding)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    const int row = f.List()->ItemHeight();
    EXPECT_EQ(f.button->DropHeight(), 3 * row + 2 * kDropListPadding);
    f.button->DropList();
    ASSERT_TRUE(f.button->IsListShown());
    EXPECT_EQ(f.List()->viewport()->height(), 3 * row);
    EXPECT_EQ(f.List()->verticalScrollBar()->maximum(), 0);  // every row shows
    EXPECT_EQ(f.List()->IndexAt(QPoint(5, 3 * row - 1)), 2);
    EXPECT_EQ(f.List()->IndexAt(QPoint(5, 3 * row)), -1);
}

TEST(CDropButton, LongListDropsWholeRowsUnderTheLimit)
{
    Fixture f;
    for (int i = 0; i < 20; ++i)
        f.List()->AddString(QString::number(i));
    const int row = f.List()->ItemHeight();
    const int rows = (100 - 2 * kDropListPadding) / row;  // the whole rows under 100
    EXPECT_EQ(f.button->DropHeight(), rows * row + 2 * kDropListPadding);
    f.button->SetDropHeightLimit(10);  // below one row: still one row
    EXPECT_EQ(f.button->DropHeight(), row + 2 * kDropListPadding);
    f.button->SetDropHeightLimit(100);
    f.button->SetCurSel(19);
    f.button->DropList();
    ASSERT_TRUE(f.button->IsListShown());
    EXPECT_EQ(f.List()->verticalScrollBar()->maximum(), 20 - rows);
    EXPECT_EQ(f.List()->TopIndex(), 20 - rows);  // the current row is scrolled into view
    EXPECT_EQ(f.List()->IndexAt(f.List()->ItemRect(19).center()), 19);
}

TEST(CDropButton, MouseChoiceClosesSetsCaptionAndPostsOnce)
{
    Fixture f;
    f.Fill({"640x480", "800x600", "1024x768"});
    f.button->SetCurSel(0);
    Deliver();
    f.page->got.clear();

    Click(f.button, QPoint(5, 5));
    ASSERT_TRUE(f.button->IsListShown());
    Click(f.List()->viewport(), f.List()->ItemRect(1).center());
    EXPECT_FALSE(f.button->IsListShown());
    EXPECT_EQ(f.button->Caption(), QStringLiteral("800x600"));
    EXPECT_EQ(f.button->GetCurSel(), 1);
    EXPECT_EQ(f.List()->GetCurSel(), 1);
    EXPECT_TRUE(f.page->got.empty());  // posted, not sent
    Deliver();
    ASSERT_EQ(f.page->got.size(), 1u);
    EXPECT_EQ(f.page->got[0].msg, WM_DROPLIST_SELECT);
    EXPECT_EQ(f.page->got[0].msg, WM_USER + 102);
    EXPECT_EQ(f.page->got[0].wParam, static_cast<WPARAM>(kId));
    EXPECT_EQ(f.page->got[0].lParam, 1);
}

TEST(CDropButton, WithoutAutoTextTheCaptionStays)
{
    Fixture f;
    f.Fill({"one", "two"});
    f.button->SetAutoText(false);
    f.button->SetCaption(QStringLiteral("fixed"));
    f.button->SetCurSel(1);
    EXPECT_EQ(f.button->Caption(), QStringLiteral("fixed"));
    f.button->DropList();
    Click(f.List()->viewport(), f.List()->ItemRect(0).center());
    EXPECT_FALSE(f.button->IsListShown());
    EXPECT_EQ(f.button->Caption(), QStringLiteral("fixed"));
    Deliver();
    ASSERT_EQ(f.page->got.size(), 1u);
    EXPECT_EQ(f.page->got[0].lParam, 0);
}

TEST(CDropButton, DisabledRowNeitherClosesNorNotifies)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    f.button->SetCurSel(0);
    f.List()->SetItemEnabled(2, false);
    EXPECT_FALSE(f.List()->IsItemEnabled(2));
    EXPECT_TRUE(f.List()->Item(2)->flags & kDropItemDisabled);
    Deliver();
    f.page->got.clear();

    f.button->DropList();
    Click(f.List()->viewport(), f.List()->ItemRect(2).center());
    EXPECT_TRUE(f.button->IsListShown());
    EXPECT_EQ(f.button->Caption(), QStringLiteral("a"));
    EXPECT_EQ(f.List()->GetCurSel(), 0);
    // A click below the rows is no choice either.
    Click(f.List()->viewport(), QPoint(5, 44 + 15));
    EXPECT_TRUE(f.button->IsListShown());
    // Enter on a disabled row does nothing.
    f.List()->SetCurSel(2);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.List(), &enter);
    EXPECT_TRUE(f.button->IsListShown());
    // A message naming a disabled row is refused too.
    EXPECT_EQ(SendMsg(f.button, WM_DROPLIST_SELECT, 2, 0), 0);
    Deliver();
    EXPECT_TRUE(f.page->got.empty());

    // Enabled again, it can be chosen.
    f.List()->SetItemEnabled(2, true);
    Click(f.List()->viewport(), f.List()->ItemRect(2).center());
    EXPECT_FALSE(f.button->IsListShown());
    Deliver();
    ASSERT_EQ(f.page->got.size(), 1u);
    EXPECT_EQ(f.page->got[0].lParam, 2);
}

TEST(CDropButton, KeyboardChoiceAndEscape)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    f.button->SetCurSel(0);
    f.button->DropList();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(f.List(), &down);
    EXPECT_EQ(f.List()->GetCurSel(), 1);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(f.List(), &esc);
    EXPECT_FALSE(f.button->IsListShown());
    EXPECT_EQ(f.List()->GetCurSel(), 0);  // abandoned: the highlight goes back
    Deliver();
    EXPECT_TRUE(f.page->got.empty());

    f.button->DropList();
    QApplication::sendEvent(f.List(), &down);
    QApplication::sendEvent(f.List(), &down);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(f.List(), &enter);
    EXPECT_FALSE(f.button->IsListShown());
    EXPECT_EQ(f.button->Caption(), QStringLiteral("c"));
    Deliver();
    ASSERT_EQ(f.page->got.size(), 1u);
    EXPECT_EQ(f.page->got[0].lParam, 2);
}

TEST(CDropButton, ClickOnTheButtonWhileOpenCloses)
{
    Fixture f;
    f.Fill({"a"});
    Click(f.button, QPoint(5, 5));
    EXPECT_TRUE(f.button->IsListShown());
    Click(f.button, QPoint(5, 5));
    EXPECT_FALSE(f.button->IsListShown());
    Click(f.button, QPoint(5, 5), Qt::RightButton);
    EXPECT_FALSE(f.button->IsListShown());
    Deliver();
    EXPECT_TRUE(f.page->got.empty());
}

TEST(CDropButton, PressOutsideThePopupClosesIt)
{
    Fixture f;
    f.Fill({"a", "b"});
    f.button->SetCurSel(0);
    f.button->DropList();
    CListWnd* popup = f.button->GetPopup();
    ASSERT_TRUE(popup->isVisible());
    // A press on the button (as the popup sees it while it holds the mouse): closes, and the
    // press is not replayed to the button, which would drop the list again.
    const QPoint onButtonGlobal = f.button->mapToGlobal(QPoint(5, 5));
    const QPointF local(popup->mapFromGlobal(onButtonGlobal));
    QMouseEvent press(QEvent::MouseButtonPress, local, QPointF(onButtonGlobal), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(popup, &press);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_TRUE(popup->testAttribute(Qt::WA_NoMouseReplay));
    EXPECT_EQ(f.List()->GetCurSel(), 0);
    Deliver();
    EXPECT_TRUE(f.page->got.empty());

    // Anywhere else outside: closes as well.
    f.button->DropList();
    ASSERT_TRUE(popup->isVisible());
    const QPoint farGlobal = f.page->mapToGlobal(QPoint(390, 290));
    QMouseEvent far(QEvent::MouseButtonPress, QPointF(popup->mapFromGlobal(farGlobal)), QPointF(farGlobal),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(popup, &far);
    EXPECT_FALSE(popup->isVisible());
    Deliver();
    EXPECT_TRUE(f.page->got.empty());
}

TEST(CDropButton, ThePointerLeavingOrAClickOutsideClosesTheListAndTheClickActs)
{
    Fixture f;
    f.Fill({"a", "b"});
    auto* confirm = new QPushButton(QStringLiteral("Confirm"), f.page.get());
    confirm->setGeometry(200, 30, 80, 24);
    confirm->show();
    int clicks = 0;
    QObject::connect(confirm, &QPushButton::clicked, [&clicks] { ++clicks; });
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.page.get()));
    // Through the window, as the pointer comes: the open popup holds the mouse.
    QWindow* window = f.page->windowHandle();
    const QPoint onButton(25, 35), onList(25, 60), onConfirm = confirm->geometry().center();

    QTest::mouseClick(window, Qt::LeftButton, {}, onButton);
    QTest::mouseMove(window, onList);
    EXPECT_TRUE(f.button->IsListShown());
    QTest::mouseMove(window, onConfirm);  // on its way to "Confirm"
    EXPECT_FALSE(f.button->IsListShown());
    QTest::mouseClick(window, Qt::LeftButton, {}, onConfirm);
    EXPECT_EQ(clicks, 1);

    QTest::mouseClick(window, Qt::LeftButton, {}, onButton);
    ASSERT_TRUE(f.button->IsListShown());
    QTest::mouseClick(window, Qt::LeftButton, {}, onConfirm);  // straight from the open list
    EXPECT_FALSE(f.button->IsListShown());
    EXPECT_EQ(clicks, 2);
    Deliver();
    EXPECT_TRUE(f.page->got.empty());
}

TEST(CDropButton, OwnerCanDifferFromParent)
{
    Fixture f;
    f.Fill({"a", "b"});
    RecordingPage other;
    SetControlOwner(f.button, &other);
    f.button->DropList();
    Click(f.List()->viewport(), f.List()->ItemRect(1).center());
    Deliver();
    EXPECT_TRUE(f.page->got.empty());
    ASSERT_EQ(other.got.size(), 1u);
    EXPECT_EQ(other.got[0].lParam, 1);
}

TEST(CDropButton, SetCurSelOutOfRangeDoesNothing)
{
    Fixture f;
    f.button->SetCaption(QStringLiteral("keep"));
    f.button->SetCurSel(0);  // empty list
    EXPECT_EQ(f.button->Caption(), QStringLiteral("keep"));
    f.Fill({"a", "b"});
    f.button->SetCurSel(1);
    for (int bad : {2, 3, -1, -5, 1 << 30}) {
        f.button->SetCurSel(bad);
        EXPECT_EQ(f.button->Caption(), QStringLiteral("b")) << bad;
        EXPECT_EQ(f.button->GetCurSel(), 1) << bad;
        EXPECT_EQ(f.List()->GetCurSel(), 1) << bad;
    }
    EXPECT_EQ(SendMsg(f.button, WM_DROPLIST_SELECT, 7, 0), 0);
    EXPECT_EQ(SendMsg(f.button, WM_DROPLIST_SELECT, static_cast<WPARAM>(-1), 0), 0);
    Deliver();
    EXPECT_TRUE(f.page->got.empty());
}

TEST(CDropButton, SetCurSelKeepsTheListCurrentIndexInStep)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    f.button->SetCurSel(2);
    EXPECT_EQ(f.List()->CurrentIndex(), 2);
    // Opening and abandoning the drop keeps the row the button shows.
    f.button->DropList();
    EXPECT_EQ(f.List()->GetCurSel(), 2);
    f.button->CloseList();
    EXPECT_EQ(f.List()->GetCurSel(), 2);
    EXPECT_EQ(f.button->Caption(), QStringLiteral("c"));
}

TEST(CDropList, ResetKeepsRowsAndRecordsTogether)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    f.button->SetCurSel(1);
    f.List()->SetItemEnabled(0, false);
    f.List()->ResetContent();
    EXPECT_EQ(f.List()->GetCount(), 0);
    EXPECT_EQ(f.List()->GetCurSel(), -1);
    EXPECT_EQ(f.List()->CurrentIndex(), -1);
    EXPECT_EQ(f.List()->Item(0), nullptr);
    EXPECT_EQ(f.List()->GetText(0), QString());
    EXPECT_EQ(f.List()->GetItemData(0), static_cast<DropItemData>(LB_ERR));
    EXPECT_FALSE(f.List()->SetItemData(0, 1));

    EXPECT_EQ(f.List()->AddString(QStringLiteral("x")), 0);
    const DropListItem* rec = f.List()->Item(0);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->text, QStringLiteral("x"));
    EXPECT_EQ(rec->flags, kDropItemAdded);  // a fresh record, not the old disabled one
    EXPECT_EQ(rec->textColor, kColorListText);
    EXPECT_EQ(rec->selectedTextColor, 0u);
    EXPECT_EQ(rec->data, 0u);
    EXPECT_EQ(f.button->DropHeight(), f.List()->ItemHeight() + 2 * kDropListPadding);
}

TEST(CDropList, DeleteStringRemovesExactlyOneRowAfterManyAdds)
{
    Fixture f;
    // More adds than a one-byte running number holds.
    for (int i = 0; i < 300; ++i)
        f.List()->AddString(QString::number(i));
    f.List()->ResetContent();
    for (int i = 0; i < 300; ++i) {
        const int idx = f.List()->AddString(QString::number(i));
        f.List()->SetItemData(idx, static_cast<DropItemData>(i));
    }
    for (int victim : {255, 0, 100}) {
        const int before = f.List()->GetCount();
        const QString next = f.List()->GetText(victim + 1);
        EXPECT_EQ(f.List()->DeleteString(victim), before - 1);
        EXPECT_EQ(f.List()->GetCount(), before - 1);
        EXPECT_EQ(f.List()->GetText(victim), next);
    }
    EXPECT_EQ(f.List()->DeleteString(-1), LB_ERR);
    EXPECT_EQ(f.List()->DeleteString(f.List()->GetCount()), LB_ERR);
    EXPECT_EQ(f.List()->GetCount(), 297);
}

TEST(CDropList, DeleteStringMovesCurrentAndSelection)
{
    Fixture f;
    f.Fill({"a", "b", "c", "d"});
    f.button->SetCurSel(2);
    f.List()->DeleteString(0);
    EXPECT_EQ(f.List()->CurrentIndex(), 1);
    EXPECT_EQ(f.List()->GetCurSel(), 1);
    EXPECT_EQ(f.List()->GetText(1), QStringLiteral("c"));
    f.List()->DeleteString(1);
    EXPECT_EQ(f.List()->CurrentIndex(), -1);
    EXPECT_EQ(f.List()->GetCurSel(), -1);
}

TEST(CDropList, SetCurSelRefusesBadIndexes)
{
    Fixture f;
    f.Fill({"a", "b"});
    EXPECT_EQ(f.List()->SetCurSel(1), 1);
    EXPECT_EQ(f.List()->SetCurSel(2), LB_ERR);
    EXPECT_EQ(f.List()->GetCurSel(), 1);
    EXPECT_EQ(f.List()->SetCurSel(-1), -1);
    EXPECT_EQ(f.List()->GetCurSel(), -1);
    EXPECT_FALSE(f.List()->SetItemEnabled(9, false));
    EXPECT_FALSE(f.List()->IsItemEnabled(9));
    EXPECT_FALSE(f.List()->SetItemTextColors(-1, 0, 0));
}

TEST(CDropList, ListFontOnlyOnce)
{
    Fixture f;
    const int row = f.List()->ItemHeight();
    f.List()->SetListFont(QFont(QStringLiteral("Liberation Sans"), 30));
    EXPECT_EQ(f.List()->ItemHeight(), row);
    f.List()->SetItemHeight(0);
    EXPECT_EQ(f.List()->ItemHeight(), row);
    f.List()->SetItemHeight(20);
    EXPECT_EQ(f.List()->ItemHeight(), 20);
}

TEST(DropItemByData, MatchNoMatchAndEmpty)
{
    Fixture f;
    EXPECT_EQ(FindDropItemByData(f.button, 100), -1);  // empty list
    f.button->SetCaption(QStringLiteral("none"));
    SelectDropItemByData(f.button, 100);
    EXPECT_EQ(f.button->Caption(), QStringLiteral("none"));
    EXPECT_EQ(f.button->GetCurSel(), -1);

    f.Fill({"a", "b", "c"});  // data 100, 101, 102
    f.List()->SetItemData(2, 101);  // a duplicate: the first match wins
    EXPECT_EQ(FindDropItemByData(f.button, 101), 1);
    EXPECT_EQ(FindDropItemByData(f.button, 100), 0);
    EXPECT_EQ(FindDropItemByData(f.button, 7), -1);
    SelectDropItemByData(f.button, 101);
    EXPECT_EQ(f.button->GetCurSel(), 1);
    EXPECT_EQ(f.button->Caption(), QStringLiteral("b"));
    SelectDropItemByData(f.button, 7);  // no match shows row 0
    EXPECT_EQ(f.button->GetCurSel(), 0);
    EXPECT_EQ(f.button->Caption(), QStringLiteral("a"));

    EXPECT_EQ(FindDropItemByData(nullptr, 100), -1);
    SelectDropItemByData(nullptr, 100);
    CDropButton uncreated;
    EXPECT_EQ(FindDropItemByData(&uncreated, 100), -1);
    SelectDropItemByData(&uncreated, 100);
    Deliver();
    EXPECT_TRUE(f.page->got.empty());  // selecting by data never notifies
}

TEST(CDropButton, PopupClosesWhenTheButtonIsHiddenDisabledOrDestroyed)
{
    Fixture f;
    f.Fill({"a"});
    f.button->DropList();
    ASSERT_TRUE(f.button->IsListShown());
    f.button->hide();
    EXPECT_FALSE(f.button->IsListShown());
    f.button->DropList();  // a hidden button does not drop
    EXPECT_FALSE(f.button->IsListShown());

    f.button->show();
    f.button->DropList();
    ASSERT_TRUE(f.button->IsListShown());
    f.page->setEnabled(false);  // disabling a parent disables the button
    EXPECT_FALSE(f.button->IsListShown());
    f.button->DropList();
    EXPECT_FALSE(f.button->IsListShown());

    f.page->setEnabled(true);
    f.button->DropList();
    ASSERT_TRUE(f.button->IsListShown());
    f.page->hide();  // hiding the page hides the button
    EXPECT_FALSE(f.button->IsListShown());

    f.page->show();
    f.button->DropList();
    QPointer<CListWnd> popup = f.button->GetPopup();
    ASSERT_TRUE(popup && popup->isVisible());
    delete f.button;
    EXPECT_TRUE(popup.isNull());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

QImage Render(QWidget* w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(CDropButton, FaceColours)
{
    Fixture f;
    f.button->SetCaption(QString());
    QImage img = Render(f.button);
    EXPECT_EQ(img.pixelColor(0, 0), ToQColor(kDropFrameColor));
    EXPECT_EQ(img.pixelColor(3, 10), ToQColor(0x101010));
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), f.button->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(f.button, &enter);
    EXPECT_TRUE(f.button->IsHovering());
    f.button->setEnabled(false);
    EXPECT_FALSE(f.button->IsHovering());
    img = Render(f.button);
    EXPECT_EQ(img.pixelColor(3, 10), ToQColor(kDropDisabledFace));
    // The arrow sits right of the caption area in the text colour, greyed while disabled.
    const QPolygon arrow = f.button->ArrowPolygon();
    const QPoint inArrow(arrow.point(2).x(), arrow.point(0).y() + 2);
    EXPECT_EQ(img.pixelColor(inArrow), ToQColor(kColorDisabledText));
    f.button->setEnabled(true);
    EXPECT_EQ(Render(f.button).pixelColor(inArrow), ToQColor(0xEBEBEB));
}

TEST(CDropList, RowColours)
{
    Fixture f;
    f.Fill({"a", "b", "c"});
    f.List()->SetBkColor(0x2E2E2E);
    f.List()->SetHighlightColor(0x50FFFF);
    f.List()->SetItemEnabled(2, false);
    f.button->SetCurSel(1);
    f.button->DropList();
    const QImage img = Render(f.List()->viewport());
    const int x = img.width() - 2;  // right of any text
    EXPECT_EQ(img.pixelColor(x, f.List()->ItemRect(0).center().y()), ToQColor(0x2E2E2E));
    EXPECT_EQ(img.pixelColor(x, f.List()->ItemRect(1).center().y()), ToQColor(0x50FFFF));
    EXPECT_EQ(img.pixelColor(x, f.List()->ItemRect(2).center().y()), ToQColor(0x2E2E2E));
}

TEST(CDropList, GrowingFromOneRowHighlightsTheShownRow)
{
    App();
    CDropList list;
    list.AddString(QStringLiteral("N/A"));
    list.SetCurrentIndex(0);
    list.SetCurSel(-1);
    list.AddString(QStringLiteral("ttyS0"));
    EXPECT_EQ(list.GetCurSel(), 0);
    // A list whose button shows nothing keeps nothing highlighted.
    CDropList empty;
    empty.AddString(QStringLiteral("a"));
    empty.AddString(QStringLiteral("b"));
    EXPECT_EQ(empty.GetCurSel(), -1);
}

} // namespace
