// Replays the seed corpus of the reply-dispatch fuzz target through the function the fuzzer calls:
// layer windows at both ends of the 32-bit range, in every work mode, from reply 10 and from a
// whole block, and replies the adapter refuses.
#include "../../fuzz/CorpusReplay.h"
#include "../../fuzz/shell/ReplyDispatchFuzzBody.h"

#include <gtest/gtest.h>

TEST(ReplyDispatchFuzzCorpus, EverySeedRunsClean)
{
    EXPECT_GE(fuzz_replay::ReplayCorpus(QStringLiteral(SVP_SOURCE_DIR "/fuzz/shell/corpus/reply_dispatch"),
                                        fuzz_shell::ReplyDispatchOne),
              10);
    fuzz_shell::ReplyDispatchOne(nullptr, 0);
}
