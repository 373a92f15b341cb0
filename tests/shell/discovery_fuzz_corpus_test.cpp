// Replays the seed corpus of the discovery-targets fuzz target through the function the fuzzer
// calls, and checks that the seeds keep what they are there for.
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

// Only dotted decimal addresses the link can send to are kept; the rest of the list survives.
TEST(DiscoveryFuzzCorpus, MalformedAddressesAreLeftOut)
{
    const struct {
        const char* text;
        std::vector<std::string> ips;
    } rows[] = {
        {"127.0.0.1:61213, 127.0.0.2", {"127.0.0.1", "127.0.0.2"}},
        {"a.b.c.d,127.0.0.9", {"127.0.0.9"}},
        {"300.1.1.1 1.2.3 1.2.3.4.5 ... 01.2.3.4 127.0.0.8", {"127.0.0.8"}},
        {"1..2.3 +1.2.3.4 1.2.3.4x", {}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        std::vector<std::string> got;
        for (const auto& t : ParseDiscoveryTargets(QString::fromLatin1(r.text))) got.push_back(t.ip);
        EXPECT_EQ(got, r.ips);
    }
}
