// "Info.ini" [Search] Destinations points the machine search at chosen addresses (an emulator on
// this machine); malformed entries (only dotted decimal addresses the link can send to are kept)
// are left out and the rest of the list survives.

#include "tests/support/AppDirTestSupport.h"

#include "device/IniFile.h"
#include "shell/DiscoveryTargets.h"

namespace {

TEST(DiscoveryTargets, ParsesAddressesWithOptionalPorts)
{
    const struct {
        const char* text;
        std::vector<std::pair<std::string, int>> expected;
    } cases[] = {
        {"", {}},
        {"127.0.0.1", {{"127.0.0.1", 61213}}},
        {"127.0.0.1:7000, 127.0.0.2", {{"127.0.0.1", 7000}, {"127.0.0.2", 61213}}},
        {"127.0.0.3 127.0.0.4:1", {{"127.0.0.3", 61213}, {"127.0.0.4", 1}}},
        {"host:1, 127.0.0.1:0, 127.0.0.1:65536, 127.0.0.1:x, 1.2.3:5, 127.0.0.1:2:3, 127.0.0.9", {{"127.0.0.9", 61213}}},
        {"a.b.c.d,127.0.0.9", {{"127.0.0.9", 61213}}},
        {"300.1.1.1 1.2.3 1.2.3.4.5 ... 01.2.3.4 127.0.0.8", {{"127.0.0.8", 61213}}},
        {"1..2.3 +1.2.3.4 1.2.3.4x", {}},
    };
    for (const auto& c : cases) {
        const auto targets = ParseDiscoveryTargets(QString::fromLatin1(c.text));
        std::vector<std::pair<std::string, int>> got;
        for (const auto& t : targets) got.emplace_back(t.ip, t.port);
        EXPECT_EQ(got, c.expected) << c.text;
    }
}

class DiscoveryFromIni : public TempAppDirTest {};

TEST_F(DiscoveryFromIni, TheLibraryOptionsTakeTheKey)
{
    EXPECT_TRUE(DeviceLinkOptionsFromIni(InfoIni()).discoveryTargets.empty());
    IniWriteString(InfoIni(), QStringLiteral("Search"), QStringLiteral("Destinations"), QStringLiteral("127.0.0.5:61300"));
    const auto options = DeviceLinkOptionsFromIni(InfoIni());
    ASSERT_EQ(options.discoveryTargets.size(), 1u);
    EXPECT_EQ(options.discoveryTargets[0].ip, "127.0.0.5");
    EXPECT_EQ(options.discoveryTargets[0].port, 61300);
}

} // namespace
