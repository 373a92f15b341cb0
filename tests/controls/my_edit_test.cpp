// CMyEdit: Enter, Escape and focus loss reported as WM_EDIT_DONE, characters as WM_EDIT_CHAR.

#include "controls/CMyEdit.h"
#include "ControlTestSupport.h"

#include "platform/ControlId.h"
#include "platform/MessageIds.h"

#include <QDialog>

#include <gtest/gtest.h>

namespace {

TEST(CMyEdit, ReportsKeysCharactersAndFocusLoss)
{
    TestApp();
    LoggingPage page;
    auto* edit = new CMyEdit(&page);
    SetControlId(edit, 0xAF80);
    edit->setMaxLength(15);
    TypeText(edit, "10.1");
    SendKey(edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ(edit->text(), "10.");
    edit->setCursorPosition(0);
    SendKey(edit, Qt::Key_Return);
    EXPECT_EQ(edit->cursorPosition(), 3);
    SendKey(edit, Qt::Key_Escape);
    SendFocus(edit, false);
    SendFocus(edit, false, Qt::PopupFocusReason);  // its own context menu: no report
    Pump();
    const auto chars = page.Take(WM_EDIT_CHAR);
    ASSERT_EQ(chars.size(), 5u);
    EXPECT_EQ(chars[0].w, static_cast<WPARAM>('1'));
    EXPECT_EQ(chars[2].w, static_cast<WPARAM>('.'));
    EXPECT_EQ(chars[4].w, 8u);
    const auto done = page.Take(WM_EDIT_DONE);
    ASSERT_EQ(done.size(), 3u);
    EXPECT_EQ(done[0].w, 13u);
    EXPECT_EQ(done[0].l, 0xAF80);
    EXPECT_EQ(done[1].w, 27u);
    EXPECT_EQ(done[2].w, 13u);
}

TEST(CMyEdit, EnterAndEscapeDoNotCloseTheDialog)
{
    TestApp();
    QDialog dialog;
    auto* edit = new CMyEdit(&dialog);
    dialog.show();
    SendKey(edit, Qt::Key_Return);
    SendKey(edit, Qt::Key_Escape);
    Pump();
    EXPECT_TRUE(dialog.isVisible());
}

TEST(CMyEdit, DrawsTheFrameByEnabledState)
{
    TestApp();
    CMyEdit edit;
    edit.resize(150, 26);
    EXPECT_EQ(edit.grab().toImage().pixelColor(75, 0), QColor(0xEF, 0x9C, 0x00));
    edit.setEnabled(false);
    EXPECT_EQ(edit.grab().toImage().pixelColor(75, 0), QColor(0x10, 0x10, 0x10));
}

} // namespace
