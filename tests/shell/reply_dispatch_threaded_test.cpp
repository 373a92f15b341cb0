// Replies posted from another thread reach the dispatcher on the UI thread, all of them, in the
// order they were posted.

#include "DispatchTestSupport.h"

#include <QThread>

#include <thread>

namespace {

class ReplyQueueTest : public MainWindowTest {};

TEST_F(ReplyQueueTest, ThousandRepliesFromAnotherThreadArriveInOrderOnTheUiThread)
{
    KordalDlg& w = Window();
    ResetDeviceForDispatch();
    QCoreApplication::processEvents();
    QStringList calls;
    w.SetCallTrace(&calls);
    const int before = w.RepliesReceived();

    // Three replies whose trace names their lParam, so the order can be read back.
    auto replyOf = [](int i) { return i % 2 == 0 ? REPLY_SPLICING : REPLY_CAPTION; };
    auto paramOf = [](int i) { return i % 2 == 0 ? i % 256 : i % 4; };
    constexpr int kCount = 1000;
    std::thread poster([&] {
        for (int i = 0; i < kCount; ++i) w.PostRefresh(replyOf(i), paramOf(i));
    });
    poster.join();

    ASSERT_TRUE(SpinUntil([&] { return w.RepliesReceived() - before >= kCount; }, 20000));
    QCoreApplication::processEvents();
    w.SetCallTrace(nullptr);

    QStringList expected;
    for (int i = 0; i < kCount; ++i) {
        expected << (replyOf(i) == REPLY_SPLICING ? QStringLiteral("MMosaicDlg::RefreshFromDevice(%1)")
                                                  : QStringLiteral("MSubTitleDlg::LoadOutputCaption(%1)"))
                        .arg(paramOf(i));
    }
    EXPECT_EQ(w.RepliesReceived() - before, kCount);
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(w.LastReplyId(), replyOf(kCount - 1));
    EXPECT_EQ(w.LastReplyParam(), paramOf(kCount - 1));
}

}  // namespace
