// Messages posted from worker threads reach the UI thread, in order, with their payloads.

#include "platform/MessageIds.h"
#include "platform/MessageTarget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>

#include "tests/support/EventLoopWait.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

QCoreApplication* App()
{
    static int argc = 1;
    static char name[] = "message_threaded_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return app;
}

struct Received {
    unsigned msg;
    WPARAM w;
    LPARAM l;
    QString text;
    bool onUiThread;
};

class Recorder : public MessageReceiver<QObject> {
public:
    LRESULT OnMessage(unsigned msg, WPARAM w, LPARAM l, const QVariant& payload) override
    {
        got.push_back({msg, w, l, payload.toString(), QThread::currentThread() == App()->thread()});
        return 0;
    }
    std::vector<Received> got;
};

TEST(MessageThreaded, PostedFromWorkerArriveOnUiThreadInOrder)
{
    App();
    Recorder r;
    constexpr int kCount = 2000;
    std::thread worker([&r] {
        for (int i = 0; i < kCount; ++i)
            PostMsg(&r, WM_DEVICE_REPLY, static_cast<WPARAM>(i % 32), i);
    });
    worker.join();
    SpinUntil([&] { return r.got.size() >= kCount; });
    ASSERT_EQ(r.got.size(), static_cast<size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(r.got[i].msg, WM_DEVICE_REPLY);
        EXPECT_EQ(r.got[i].w, static_cast<WPARAM>(i % 32));
        EXPECT_EQ(r.got[i].l, i);
        EXPECT_TRUE(r.got[i].onUiThread);
    }
}

TEST(MessageThreaded, TwoWorkersKeepTheirOwnOrder)
{
    App();
    Recorder r;
    constexpr int kEach = 1000;
    auto post = [&r](WPARAM who) {
        for (int i = 0; i < kEach; ++i)
            PostMsg(&r, WM_PAGE_NOTIFY, who, i);
    };
    std::thread a(post, 1), b(post, 2);
    a.join();
    b.join();
    SpinUntil([&] { return r.got.size() >= 2 * kEach; });
    ASSERT_EQ(r.got.size(), static_cast<size_t>(2 * kEach));
    LPARAM next[3] = {0, 0, 0};
    for (const auto& g : r.got) {
        ASSERT_TRUE(g.w == 1 || g.w == 2);
        EXPECT_EQ(g.l, next[g.w]);
        next[g.w] = g.l + 1;
    }
}

TEST(MessageThreaded, PayloadOutlivesTheSendingThread)
{
    App();
    Recorder r;
    std::thread worker([&r] {
        // The text lives on this thread's stack only; the event must carry its own copy.
        QString text = QStringLiteral("Waitting Operation...");
        PostMsg(&r, WM_BUSY_DIALOG, 1, 0, text);
        text.fill(QLatin1Char('x'));
    });
    worker.join();
    SpinUntil([&] { return !r.got.empty(); });
    ASSERT_EQ(r.got.size(), 1u);
    EXPECT_EQ(r.got[0].text, QStringLiteral("Waitting Operation..."));
}

} // namespace
