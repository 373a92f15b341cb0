// oRealEdit: typing through the filter, commit on Enter, Escape and focus loss, clamping, wheel,
// paste, and keys that must not reach the page.

#include "controls/oRealEdit.h"
#include "ControlTestSupport.h"

#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QMenu>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Fixture {
    Fixture()
    {
        edit = new oRealEdit(&page);
        SetControlId(edit, 1473);
        edit->resize(80, 24);
    }
    QApplication* app = TestApp();
    LoggingPage page;
    oRealEdit* edit;
};

TEST(oRealEdit, InitTakesRangeFormatAndValue)
{
    Fixture f;
    EXPECT_EQ(f.edit->FrameWidth(), 0);  // no frame before Init
    f.edit->Init(true, 115200, 115200, 38400, "%d");
    EXPECT_EQ(f.edit->GetMinimum(), 38400);
    EXPECT_EQ(f.edit->GetMaximum(), 115200);
    EXPECT_EQ(f.edit->text(), "115200");
    EXPECT_EQ(f.edit->TextLimit(), 6);
    EXPECT_EQ(f.edit->FrameWidth(), 2);
    EXPECT_TRUE(f.edit->isEnabled());
    EXPECT_EQ(f.edit->cursorPosition(), 6);
    f.edit->Init(false, 0, 0.5f, 1, "%.2f");
    EXPECT_EQ(f.edit->text(), "0.50");
    EXPECT_EQ(f.edit->TextLimit(), 4);
    EXPECT_FALSE(f.edit->isEnabled());
    Pump();
    EXPECT_TRUE(f.page.log.empty());
}

TEST(oRealEdit, TypingPastTheMaximumAndEnterShowsTheMaximumAndPostsOnce)
{
    Fixture f;
    f.edit->Init(true, 0, 0, 100, "%d");
    f.edit->selectAll();
    TypeText(f.edit, "150");
    EXPECT_EQ(f.edit->text(), "150");
    EXPECT_FALSE(f.edit->IsPristine());
    Pump();
    EXPECT_TRUE(f.page.Take(WM_VALUE_CHANGED).empty());  // nothing while typing
    EXPECT_TRUE(SendKey(f.edit, Qt::Key_Return));
    EXPECT_EQ(f.edit->text(), "100");
    EXPECT_FLOAT_EQ(f.edit->GetValue(), 100);
    Pump();
    const auto posted = f.page.Take(WM_VALUE_CHANGED);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].w, 1473u);
    EXPECT_EQ(posted[0].l, 0);
}

TEST(oRealEdit, EnterWithoutTypingPostsNothing)
{
    Fixture f;
    f.edit->Init(true, 0, 42, 100, "%d");
    f.edit->setCursorPosition(0);
    SendKey(f.edit, Qt::Key_Return);
    SendKey(f.edit, Qt::Key_Escape);
    SendFocus(f.edit, true);
    SendFocus(f.edit, false);
    Pump();
    EXPECT_TRUE(f.page.log.empty());
    EXPECT_EQ(f.edit->cursorPosition(), 2);  // caret to the end only
    EXPECT_TRUE(f.edit->IsPristine());
}

TEST(oRealEdit, SetValueClampsSilently)
{
    Fixture f;
    f.edit->Init(true, -100, 0, 100, "%d");
    f.edit->SetValue(250);
    EXPECT_EQ(f.edit->text(), "100");
    EXPECT_FLOAT_EQ(f.edit->GetValue(), 100);
    f.edit->SetValue(-1e30f);
    EXPECT_EQ(f.edit->text(), "-100");
    f.edit->SetValue(-7.9f);
    EXPECT_EQ(f.edit->text(), "-7");
    EXPECT_FLOAT_EQ(f.edit->GetValue(), -7);
    Pump();
    EXPECT_TRUE(f.page.log.empty());
    EXPECT_TRUE(f.edit->IsPristine());
}

TEST(oRealEdit, EscapeAndFocusLossCommitAfterTyping)
{
    Fixture f;
    f.edit->Init(true, 0, 10, 100, "%d");
    SendFocus(f.edit, true);
    SendKey(f.edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(f.edit->text(), "1");
    SendKey(f.edit, Qt::Key_Escape);
    Pump();
    EXPECT_EQ(f.page.Take(WM_VALUE_CHANGED).size(), 1u);
    EXPECT_FLOAT_EQ(f.edit->GetValue(), 1);
    f.page.log.clear();
    TypeText(f.edit, "7");
    SendFocus(f.edit, false);
    Pump();
    EXPECT_EQ(f.page.Take(WM_VALUE_CHANGED).size(), 1u);
    EXPECT_FLOAT_EQ(f.edit->GetValue(), 17);
    // A second focus loss without focus in between does nothing.
    f.page.log.clear();
    SendFocus(f.edit, false);
    Pump();
    EXPECT_TRUE(f.page.log.empty());
}

TEST(oRealEdit, DeleteKeyCountsAsTyping)
{
    Fixture f;
    f.edit->Init(true, 0, 55, 100, "%d");
    f.edit->setCursorPosition(0);
    SendKey(f.edit, Qt::Key_Delete);
    EXPECT_EQ(f.edit->text(), "5");
    EXPECT_FALSE(f.edit->IsPristine());
}

TEST(oRealEdit, RefusedCharactersLeaveTheTextAlone)
{
    Fixture f;
    f.edit->Init(true, 0, 0, 100, "%d");
    f.edit->selectAll();
    TypeText(f.edit, "ab-.1x2345");
    EXPECT_EQ(f.edit->text(), "123");  // letters, sign and point refused; limit 3
    f.edit->Init(true, -10, 0, 10, "%.1f");
    f.edit->selectAll();
    TypeText(f.edit, "-00.5.");
    EXPECT_EQ(f.edit->text(), "-0.5");
}

TEST(oRealEdit, PasteGoesThroughTheFilter)
{
    Fixture f;
    f.edit->Init(true, 0, 0, 100, "%d");
    f.edit->selectAll();
    QGuiApplication::clipboard()->setText("9x-9.9999");
    SendKey(f.edit, Qt::Key_V, QString(), Qt::ControlModifier);
    EXPECT_EQ(f.edit->text(), "999");
    // Input methods too.
    f.edit->selectAll();
    QInputMethodEvent im;
    im.setCommitString("-4a2");
    QCoreApplication::sendEvent(f.edit, &im);
    EXPECT_EQ(f.edit->text(), "42");
    // And the context menu's paste action.
    f.edit->selectAll();
    QGuiApplication::clipboard()->setText("abc1");
    std::unique_ptr<QMenu> menu(f.edit->CreateFilteredContextMenu());
    ASSERT_TRUE(menu);
    QAction* paste = nullptr;
    for (QAction* a : menu->actions()) {
        if (oRealEdit::IsPasteAction(a))
            paste = a;
    }
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(f.edit->text(), "1");
    EXPECT_FALSE(f.edit->acceptDrops());
}

TEST(oRealEdit, WheelNotchesStepAndClampWithoutNotifying)
{
    Fixture f;
    f.edit->Init(true, 0, 99, 100, "%d");
    auto wheel = [&](int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWheelEvent e(QPointF(5, 5), f.edit->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.edit, &e);
    };
    wheel(120);
    EXPECT_EQ(f.edit->text(), "100");
    wheel(120);
    EXPECT_EQ(f.edit->text(), "100");
    wheel(-120);
    EXPECT_EQ(f.edit->text(), "99");
    wheel(-240);                      // not exactly one notch
    wheel(-120, Qt::ControlModifier); // keys held
    EXPECT_EQ(f.edit->text(), "99");
    Pump();
    EXPECT_TRUE(f.page.log.empty());
}

TEST(oRealEdit, EnterAndEscapeDoNotCloseTheDialog)
{
    TestApp();
    QDialog dialog;
    auto* edit = new oRealEdit(&dialog);
    edit->Init(true, 0, 5, 100, "%d");
    dialog.show();
    edit->setFocus();
    SendKey(edit, Qt::Key_Return);
    SendKey(edit, Qt::Key_Escape);
    SendKey(edit, Qt::Key_Enter);
    Pump();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    // Nor do they count as shortcuts of the page.
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(edit, &over);
    EXPECT_TRUE(over.isAccepted());
}

// The frame shows whether the edit takes input, whichever way it was switched: by Init, by the
// page's setEnabled, or with the page itself.
TEST(oRealEdit, EditFrameColourFollowsWhetherItTakesInput)
{
    const QColor accent(0xEF, 0x9C, 0x00), dark(0x10, 0x10, 0x10);  // 0x9CEF, 0x101010
    const struct {
        bool init;
        int setEnabled;  // -1: not called
        bool pageEnabled;
        QColor frame;
    } cases[] = {
        {true, -1, true, accent}, {false, -1, true, dark}, {true, 0, true, dark},
        {false, 1, true, accent}, {true, -1, false, dark}, {true, 1, false, dark},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.edit->Init(c.init, 0, 5, 100, "%d");
        if (c.setEnabled >= 0) f.edit->setEnabled(c.setEnabled != 0);
        f.page.setEnabled(c.pageEnabled);
        const QImage picture = f.edit->grab().toImage();
        EXPECT_EQ(picture.pixelColor(40, 0), c.frame) << c.init << c.setEnabled << c.pageEnabled;
        EXPECT_EQ(picture.pixelColor(40, 12).rgb() & 0xFFFFFF, 0x101010u);
        EXPECT_EQ(f.edit->isEnabled(), c.frame == accent);
    }
}

} // namespace
