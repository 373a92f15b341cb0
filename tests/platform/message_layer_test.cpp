// Message numbers, synchronous sends and control ids/owners.

#include "platform/ControlId.h"
#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"
#include "platform/PageNotifyCodes.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

QApplication* App()
{
    static int argc = 1;
    static char name[] = "message_layer_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}

class Page : public MessageReceiver<QWidget> {
public:
    using MessageReceiver<QWidget>::MessageReceiver;
    LRESULT OnMessage(unsigned msg, WPARAM w, LPARAM l, const QVariant& payload) override
    {
        log.push_back(msg);
        lastW = w;
        lastL = l;
        lastPayload = payload;
        if (msg == WM_EDIT_DONE)
            return static_cast<LRESULT>(w) + l;
        return 0;
    }
    std::vector<unsigned> log;
    WPARAM lastW = 0;
    LPARAM lastL = 0;
    QVariant lastPayload;
};

TEST(MessageIds, NumbersAreTheProgramsOwn)
{
    EXPECT_EQ(WM_USER, 0x0400u);
    EXPECT_EQ(WM_DROPLIST_SELECT, 0x466u);
    EXPECT_EQ(WM_DEVICE_REPLY, 0x467u);
    EXPECT_EQ(WM_SDL_RELAYOUT, 0x4A0u);
    EXPECT_EQ(WM_VALUE_CHANGED, 0x4A1u);
    EXPECT_EQ(WM_PAGE_CLOSED, 0x5A1u);
    EXPECT_EQ(WM_PAGE_NOTIFY, 0x5A4u);
    EXPECT_EQ(WM_SELECT_LAYER_INPUT, 0x5A5u);
    EXPECT_EQ(WM_LAYER_GEOMETRY, 0x5A6u);
    EXPECT_EQ(WM_MAINPAGE_RELAYOUT, 0x5A8u);
    EXPECT_EQ(WM_OUTPUT_TIMING_CHANGED, 0x5ADu);
    EXPECT_EQ(WM_SELECT_LAYER, 0x5AEu);
    EXPECT_EQ(WM_PIXEL_COLOR, 0x5AFu);
    EXPECT_EQ(WM_LAYER_SET_CHANGED, 0x5B0u);
    EXPECT_EQ(WM_BUSY_DIALOG, 0x5B1u);
    EXPECT_EQ(WM_LANGUAGE_CHANGE, 0x5B3u);
    EXPECT_EQ(WM_PROJECT_FILE, 0x5B6u);
    EXPECT_EQ(WM_TEST_PATTERN_STATE, 0x5C2u);
    EXPECT_EQ(WM_CELL_CHANGED, 0x658u);
    EXPECT_EQ(WM_CELL_SELECTED, 0x65Bu);
    EXPECT_EQ(WM_CANVAS_MENU, 0x65Du);
    EXPECT_EQ(WM_LIST_CHOICE, 0x6BCu);
    EXPECT_EQ(WM_LIST_EDIT_COMMIT, 0x6BDu);
    EXPECT_EQ(WM_LIST_CELL_CLICK, 0x6BEu);
    EXPECT_EQ(WM_EDIT_DONE, 0x720u);
    EXPECT_EQ(WM_EDIT_CHAR, 0x721u);
    EXPECT_EQ(WM_CAPTION_REMEASURE, 0x784u);
    EXPECT_EQ(WM_HEADER_CLICK, 0xD00u);
    EXPECT_EQ(NOTIFY_SHOW_SUBPAGE, 1442u);
    EXPECT_EQ(NOTIFY_TOP_BUTTONS, 1477u);
}

TEST(MessageLayer, SendRunsSynchronouslyAndReturnsTheResult)
{
    App();
    Page page;
    const LRESULT r = SendMsg(&page, WM_EDIT_DONE, 13, 44929);
    // Handled before SendMsg returned, with no event loop run.
    ASSERT_EQ(page.log.size(), 1u);
    EXPECT_EQ(page.log[0], WM_EDIT_DONE);
    EXPECT_EQ(r, 13 + 44929);
}

TEST(MessageLayer, SendInsideAHandlerNestsBeforeLaterPosts)
{
    App();
    Page page;
    PostMsg(&page, WM_PAGE_CLOSED, 0, 0);
    SendMsg(&page, WM_SELECT_LAYER, 2, 0);
    ASSERT_EQ(page.log.size(), 1u);
    QCoreApplication::processEvents();
    ASSERT_EQ(page.log.size(), 2u);
    EXPECT_EQ(page.log[0], WM_SELECT_LAYER);
    EXPECT_EQ(page.log[1], WM_PAGE_CLOSED);
}

TEST(MessageLayer, PostedPayloadIsOwnedByTheEvent)
{
    App();
    Page page;
    {
        QString path = QStringLiteral("/tmp/show.pro");
        PostMsg(&page, WM_PROJECT_FILE, 1464, 0, path);
        path.clear();
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(page.log.size(), 1u);
    EXPECT_EQ(page.lastW, 1464u);
    EXPECT_EQ(page.lastPayload.toString(), QStringLiteral("/tmp/show.pro"));
}

TEST(MessageLayer, NullTargetsAreRefused)
{
    EXPECT_FALSE(PostMsg(nullptr, WM_PAGE_NOTIFY, 1, 2));
    EXPECT_EQ(SendMsg(nullptr, WM_PAGE_NOTIFY, 1, 2), 0);
}

TEST(MessageLayer, UnhandledSendReturnsZero)
{
    App();
    QObject plain;
    EXPECT_EQ(SendMsg(&plain, WM_EDIT_DONE, 1, 2), 0);
}

TEST(ControlId, StoredReadAndFound)
{
    App();
    QWidget page;
    auto* a = new QWidget(&page);
    auto* inner = new QWidget(&page);
    auto* b = new QWidget(inner);
    EXPECT_EQ(GetControlId(a), 0);
    SetControlId(a, 1167);
    SetControlId(b, 65399);
    SetControlId(b, -5);  // refused, keeps the old id
    EXPECT_EQ(GetControlId(a), 1167);
    EXPECT_EQ(GetControlId(b), 65399);
    EXPECT_EQ(FindControlById(&page, 65399), b);
    EXPECT_EQ(FindControlById(&page, 1), nullptr);
    EXPECT_EQ(GetControlId(nullptr), 0);
}

TEST(ControlId, NotificationsGoToTheOwnerNotTheParent)
{
    App();
    Page owner;
    Page container;
    auto* button = new QWidget(&container);
    SetControlId(button, 45000);
    SetControlOwner(button, &owner);
    ASSERT_TRUE(NotifyOwner(button, WM_DROPLIST_SELECT, GetControlId(button), 3));
    QCoreApplication::processEvents();
    ASSERT_EQ(owner.log.size(), 1u);
    EXPECT_TRUE(container.log.empty());
    EXPECT_EQ(owner.lastW, 45000u);
    EXPECT_EQ(owner.lastL, 3);
}

TEST(ControlId, WithoutOwnerTheParentIsNotifiedAndADeadOwnerIsForgotten)
{
    App();
    Page container;
    auto* button = new QWidget(&container);
    EXPECT_EQ(GetControlOwner(button), &container);
    {
        auto owner = std::make_unique<Page>();
        SetControlOwner(button, owner.get());
        EXPECT_EQ(GetControlOwner(button), owner.get());
    }
    EXPECT_EQ(GetControlOwner(button), &container);
    QWidget orphan;
    EXPECT_FALSE(NotifyOwner(&orphan, WM_VALUE_CHANGED, 1, 0));
}

} // namespace
