// Termination signals reach the UI thread as a call; the dispositions the program was started with
// come back when the watcher goes, and a signal it was started ignoring stays ignored.

#include "platform/TerminationSignals.h"

#include "tests/support/CoreTestApplication.h"
#include "tests/support/EventLoopWait.h"

#include <csignal>

#include <gtest/gtest.h>

namespace {

void (*HandlerOf(int signal))(int)
{
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

// Sets a disposition for the test and puts the one before back afterwards.
class Disposition {
public:
    Disposition(int signal, void (*handler)(int)) : signal_(signal)
    {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, &before_);
    }
    ~Disposition() { sigaction(signal_, &before_, nullptr); }

private:
    int signal_;
    struct sigaction before_ {};
};

}  // namespace

TEST(TerminationSignals, ASignalIsHandedToTheEventLoop)
{
    CoreTestApplication();
    Disposition term(SIGTERM, SIG_DFL);
    int seen = 0;
    TerminationSignals watcher([&](int s) { seen = s; });
    ASSERT_TRUE(watcher.Installed());
    std::raise(SIGTERM);
    EXPECT_TRUE(SpinUntil([&] { return seen != 0; }, 5000));
    EXPECT_EQ(seen, SIGTERM);
}

TEST(TerminationSignals, OneAtATime)
{
    CoreTestApplication();
    TerminationSignals first([](int) {});
    TerminationSignals second([](int) {});
    EXPECT_TRUE(first.Installed());
    EXPECT_FALSE(second.Installed());
}

TEST(TerminationSignals, AnIgnoredSignalStaysIgnoredAndTheOthersComeBack)
{
    CoreTestApplication();
    Disposition hup(SIGHUP, SIG_IGN);
    Disposition term(SIGTERM, SIG_DFL);
    {
        TerminationSignals watcher([](int) {});
        ASSERT_TRUE(watcher.Installed());
        EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
        EXPECT_NE(HandlerOf(SIGTERM), SIG_DFL);
    }
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
    EXPECT_EQ(HandlerOf(SIGTERM), SIG_DFL);
}

TEST(TerminationSignals, ALaterWatcherHearsSignalsAgain)
{
    CoreTestApplication();
    Disposition intr(SIGINT, SIG_DFL);
    { TerminationSignals earlier([](int) {}); }
    int seen = 0;
    TerminationSignals later([&](int s) { seen = s; });
    ASSERT_TRUE(later.Installed());
    std::raise(SIGINT);
    EXPECT_TRUE(SpinUntil([&] { return seen != 0; }, 5000));
    EXPECT_EQ(seen, SIGINT);
}
