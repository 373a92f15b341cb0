// Replays the seed corpus of the discovery-targets fuzz target through the function the fuzzer
// calls (what the parser keeps is checked in discovery_targets_test).
#include "../../fuzz/CorpusReplay.h"
#include "../../fuzz/shell/DiscoveryFuzzBody.h"

#include <gtest/gtest.h>

TEST(DiscoveryFuzzCorpus, EverySeedRunsClean)
{
    EXPECT_GE(fuzz_replay::ReplayCorpus(QStringLiteral(SVP_SOURCE_DIR "/fuzz/shell/corpus/discovery_targets"),
                                        fuzz_shell::DiscoveryTargetsOne),
              5);
    fuzz_shell::DiscoveryTargetsOne(nullptr, 0);
}

