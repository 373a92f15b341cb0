#include "device/TimerSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

TEST(ManualTimerSource, RunsCallbacksInDueOrderAsTheClockAdvances)
{
    ManualTimerSource clock;
    std::vector<std::string> log;
    clock.SingleShot(100, [&] { log.push_back("b100"); });
    clock.SingleShot(40, [&] { log.push_back("a40"); });
    clock.SingleShot(100, [&] { log.push_back("c100"); });
    clock.SingleShot(-5, [&] { log.push_back("now"); });
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(clock.Pending(), 4u);

    clock.Advance(0);
    EXPECT_EQ(log, (std::vector<std::string>{"now"}));
    clock.Advance(39);
    EXPECT_EQ(log.size(), 1u);
    clock.Advance(1);
    EXPECT_EQ(log, (std::vector<std::string>{"now", "a40"}));
    clock.Advance(60);
    EXPECT_EQ(log, (std::vector<std::string>{"now", "a40", "b100", "c100"}));
    EXPECT_EQ(clock.Now(), 100);
    EXPECT_EQ(clock.Pending(), 0u);
}

TEST(ManualTimerSource, CallbacksScheduledWhileAdvancingRunWhenTheyFallDueInTheStep)
{
    ManualTimerSource clock;
    std::vector<int64_t> at;
    std::function<void()> step = [&] {
        at.push_back(clock.Now());
        if (at.size() < 5) clock.SingleShot(100, step);
    };
    clock.SingleShot(100, step);
    clock.Advance(250);
    EXPECT_EQ(at, (std::vector<int64_t>{100, 200}));
    EXPECT_EQ(clock.Now(), 250);
    clock.RunAll();
    EXPECT_EQ(at, (std::vector<int64_t>{100, 200, 300, 400, 500}));
}

QCoreApplication& App()
{
    static int argc = 1;
    static char name[] = "timer_source_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return *app;
}

template <typename Pred>
bool RunUntil(Pred pred)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < 20000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return pred();
}

TEST(QtTimerSource, ContinuesOnTheEventLoopAndNeverBeforeItsPause)
{
    App();
    QtTimerSource timers;
    std::vector<std::string> log;
    QElapsedTimer since;
    since.start();
    qint64 elapsedAtB = -1;
    timers.SingleShot(40, [&] {
        log.push_back("a");
        timers.SingleShot(30, [&] {
            log.push_back("b");
            elapsedAtB = since.elapsed();
        });
    });
    EXPECT_TRUE(log.empty());  // nothing runs inside the call
    ASSERT_TRUE(RunUntil([&] { return log.size() == 2; }));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_GE(elapsedAtB, 70 - 1);  // the pauses add up; a lower bound only
}

TEST(QtTimerSource, DestroyingTheSourceCancelsWhatIsPending)
{
    App();
    bool ran = false;
    {
        auto timers = std::make_unique<QtTimerSource>();
        timers->SingleShot(0, [&] { ran = true; });
    }
    QCoreApplication::processEvents();
    bool marker = false;
    QtTimerSource other;
    other.SingleShot(10, [&] { marker = true; });
    ASSERT_TRUE(RunUntil([&] { return marker; }));
    EXPECT_FALSE(ran);
}

}  // namespace
