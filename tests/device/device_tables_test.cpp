// The device state as the constructor leaves it: name tables with their exact labels (blanks
// included), the page seeds, and an untouched parameter block.

#include "device_test_support.h"

#include <cstring>

namespace {

std::vector<uint8_t> Bytes(const uint8_t* p, std::size_t n) { return {p, p + n}; }

}  // namespace

TEST_F(DeviceTest, ConstructionSendsNothingAndLeavesTheBlockZero)
{
    CDeviceData d;
    EXPECT_TRUE(rec.Calls().empty());
    const std::vector<uint8_t> zero(sizeof(DeviceParamBlock), 0);
    std::vector<uint8_t> block(sizeof(DeviceParamBlock));
    std::memcpy(block.data(), &d.Block(), block.size());
    EXPECT_EQ(block, zero);
    EXPECT_EQ(d.netMode, 1);
    EXPECT_TRUE(d.foundIp.isEmpty());
    EXPECT_EQ(d.logoSlot, 0);
    EXPECT_EQ(d.multiMachine, 0);
    EXPECT_EQ(d.previewAvailable, 0);
    EXPECT_EQ(d.fromFile, 0);
    EXPECT_EQ(d.lastLayerWindow, 0);
    EXPECT_EQ(d.outputFlag, 0);
    EXPECT_EQ(d.lastQueryWindow, 0);
    EXPECT_EQ(d.testPattern, 0);
    EXPECT_EQ(&GetDeviceData(), &GetDeviceData());
}

TEST_F(DeviceTest, GenlockAndSyncModeNames)
{
    const char* genlock[] = {" Free Run", " Lock To Main Input", " Lock To GenLock", " Lock To DVI1",
                             " Lock To DVI2", " Lock To HDMI1", " Lock To HDMI2", " Lock To DP1",
                             " Lock To DVI3", " Lock To DVI4", " Lock To HDMI3", " Lock To HDMI4", " Lock To DP2"};
    for (int n = 0; n < 13; ++n) {
        EXPECT_EQ(dev->genlockNames[n].id, n);
        EXPECT_EQ(dev->genlockNames[n].name, QString::fromLatin1(genlock[n]));
    }
    const char* sync[] = {" Auto", " Mode 1", " Mode 2"};
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(dev->syncModeNames[n].id, n);
        EXPECT_EQ(dev->syncModeNames[n].name, QString::fromLatin1(sync[n]));
    }
}

TEST_F(DeviceTest, InputNamesStartWithRowsZeroToFiveEnabled)
{
    const char* names[] = {" DVI-1 ", " HDMI-1 ", " DVI-2 ", " HDMI-2 ", " DP-1 ", " SDI-1 ",
                           " EXT-1 ", " EXT-2 ", " DP1-L ", " DP1-R ", " DP2-L ", " DP2-R "};
    for (int n = 0; n < 12; ++n) {
        SCOPED_TRACE(n);
        const auto& row = dev->inputNames[n];
        EXPECT_EQ(row.item, n);
        EXPECT_EQ(row.enabled, n < 6 ? 1 : 0);
        EXPECT_EQ(row.first, n == 0 ? 1 : 0);
        EXPECT_EQ(row.name, QString::fromLatin1(names[n]));
        EXPECT_EQ(row.displayName, row.name);
    }
}

TEST_F(DeviceTest, OutputResolutionRows)
{
    struct Reso { uint16_t h, v, fps; const char* label; };
    const Reso rows[19] = {
        {1024, 768, 6000, "1024 x 768      60Hz"},    {1280, 1024, 6000, "1280 x 1024    60Hz"},
        {1024, 768, 12000, "1024 x 768      120Hz"},  {1280, 720, 5994, "1280 x 720    59.94Hz"},
        {1280, 720, 6000, "1280 x 720      60Hz"},    {1440, 900, 6000, "1440 x 900      60Hz"},
        {1600, 1200, 6000, "1600 x 1200    60Hz"},    {1600, 1200, 6000, "1600 x 1200 60Hz Redc."},
        {1680, 1050, 6000, "1680 x 1050    60Hz"},    {1920, 1080, 5994, "1920 x 1080    59.94Hz"},
        {1920, 1080, 6000, "1920 x 1080    60Hz"},    {1920, 1080, 5000, "1920 x 1080    50Hz"},
        {2176, 1168, 6000, "2176 x 1168    60Hz"},    {1920, 1200, 6000, "1920 x 1200    60Hz"},
        {1936, 1280, 6000, "1936 x 1280    60Hz"},    {2048, 1152, 6000, "2048 x 1152    60Hz"},
        {1024, 1280, 6000, "1024 x 1280    60Hz"},    {1536, 1536, 6000, "1536 x 1536    60Hz"},
        {1024, 768, 6000, "Customized  Resolution"}};
    for (int n = 0; n < 19; ++n) {
        SCOPED_TRACE(n);
        const auto& r = dev->outputResolutions[n];
        EXPECT_EQ(r.hAct, rows[n].h);
        EXPECT_EQ(r.vAct, rows[n].v);
        EXPECT_EQ(r.fps, rows[n].fps);
        EXPECT_EQ(r.reserved, 0);
        EXPECT_EQ(r.label, QString::fromLatin1(rows[n].label));
    }
    EXPECT_EQ(Bytes(dev->customTiming.head, 4), (std::vector<uint8_t>{18, 112, 0, 0}));
    const uint16_t timing[8] = {1024, 1024, 1024, 0, 768, 768, 768, 0};
    EXPECT_EQ(std::memcmp(dev->customTiming.values, timing, sizeof timing), 0);
}

TEST_F(DeviceTest, PictureTables)
{
    const uint8_t presets[7][10] = {
        {17, 0, 50, 50, 50, 50, 12, 128, 128, 128}, {8, 0, 50, 50, 50, 50, 12, 128, 128, 128},
        {8, 8, 50, 50, 50, 50, 12, 128, 128, 128},  {8, 15, 50, 50, 50, 50, 12, 128, 128, 128},
        {17, 0, 48, 52, 55, 50, 12, 128, 128, 128}, {17, 0, 48, 52, 45, 50, 12, 128, 128, 128},
        {17, 0, 50, 50, 0, 50, 12, 128, 128, 128}};
    for (int n = 0; n < 7; ++n) EXPECT_EQ(Bytes(dev->picModePresets[n], 10), Bytes(presets[n], 10)) << n;

    EXPECT_EQ(dev->picSendFlag, 0);
    EXPECT_EQ(dev->picCommonFlag, 1);
    EXPECT_EQ(dev->picEdit.reserved0, 0);
    EXPECT_EQ(dev->picEdit.brightLevelSeed, 17);
    EXPECT_EQ(dev->picEdit.gammaSeed, 0.0f);
    EXPECT_EQ(dev->picEdit.reserved1, 0);
    EXPECT_EQ(Bytes(dev->picEdit.resetDefaults, 9), (std::vector<uint8_t>{50, 50, 50, 12, 50, 8, 128, 128, 128}));

    for (const auto& row : dev->picRows)
        EXPECT_EQ(Bytes(row, 10), (std::vector<uint8_t>{0, 0, 50, 50, 50, 50, 50, 128, 128, 128}));

    const char* modes[] = {" Standard ", " Low Light1 ", " Low Light2 ", " Low Light3 ",
                           " Video ", " Graphic ", " Monochrome ", " User "};
    const float gammas[] = {0.1f, 0.6f, 1.1f, 1.6f, 2.1f, 2.6f, 3.1f, 3.6f};
    for (int k = 0; k < 8; ++k) {
        SCOPED_TRACE(k);
        const auto& m = dev->pictureModes[k];
        EXPECT_EQ(m.id, k + 1);
        EXPECT_FLOAT_EQ(m.gamma, gammas[k]);
        const auto t = static_cast<uint8_t>(10 * k), two = static_cast<uint8_t>(2 * k), tw = static_cast<uint8_t>(20 * k);
        EXPECT_EQ(Bytes(m.values, 9), (std::vector<uint8_t>{t, t, t, two, t, 8, tw, tw, tw}));
        EXPECT_EQ(m.name, QString::fromLatin1(modes[k]));
    }

    const char* temps[] = {" 4000K ", " 5000K ", " 6500K ", " 7500K ", " 8200K ",
                           " 9300K ", " 10000K ", " 11500K ", " User "};
    for (int k = 0; k < 9; ++k) {
        SCOPED_TRACE(k);
        const auto& c = dev->colorTemps[k];
        EXPECT_EQ(c.r, 20 * k);
        EXPECT_EQ(c.g, 20 * k);
        EXPECT_EQ(c.b, 20 * k);
        EXPECT_EQ(c.name, QString::fromLatin1(temps[k]));
    }
}

TEST_F(DeviceTest, PageSeeds)
{
    for (int w = 0; w < 4; ++w) {
        SCOPED_TRACE(w);
        const auto& s = dev->layerSeeds[w];
        EXPECT_EQ(s.reserved, 0);
        EXPECT_EQ(s.layerSendFlag, 0);
        EXPECT_EQ(s.x, (w % 2) * 480);
        EXPECT_EQ(s.y, (w / 2) * 320);
        EXPECT_EQ(s.width, 480);
        EXPECT_EQ(s.height, 320);
    }
    for (const auto& c : dev->cropSeeds) {
        EXPECT_EQ(c.a, 0);
        EXPECT_EQ(c.b, 0);
        EXPECT_EQ(c.c, 32);
        EXPECT_EQ(c.d, 32);
    }
    EXPECT_EQ(dev->cropSeedA, 2);
    EXPECT_EQ(dev->cropSeedB, 4);
    EXPECT_EQ(dev->mosaicCell, 5);
    EXPECT_EQ(dev->mosaicSubOp, 0);
    EXPECT_EQ(dev->mosaicSeedFlag, 1);
    for (int row = 0; row < 6; ++row)
        for (int w = 0; w < 4; ++w) EXPECT_EQ(dev->mosaicSeeds[row][w], row < 2 ? 0 : 32) << row << "," << w;
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(dev->pipSeeds[n].value, 0);
        EXPECT_EQ(dev->pipSeeds[n].size, 64);
        EXPECT_EQ(dev->pipSeeds[n].number, n + 1);
    }
    EXPECT_EQ(dev->grabPos.x, 0);
    EXPECT_EQ(dev->grabPos.y, 0);
    for (const auto& e : dev->edidSeeds) {
        EXPECT_EQ(e.reserved, 0);
        EXPECT_EQ(e.hAct, 1024);
        EXPECT_EQ(e.vAct, 768);
        EXPECT_EQ(e.fps, 60);
        EXPECT_EQ(e.value, 0u);
    }
    const LogoEditCopy zeroLogo{};
    EXPECT_EQ(std::memcmp(&dev->logoEdit, &zeroLogo, sizeof zeroLogo), 0);
    for (int n = 0; n < 3; ++n)
        for (int k = 0; k < 13; ++k) {
            EXPECT_EQ(dev->keyerRangeLow[n][k], 0);
            EXPECT_EQ(dev->keyerRangeHigh[n][k], 255);
        }
    EXPECT_EQ(dev->seedWord600, 0x600u);
    for (int n = 0; n < 10; ++n) {
        const auto& t = dev->taskSeeds[n];
        const std::vector<int> got{t.year, t.month, t.day, t.hour, t.minute, t.second, t.preset, t.option};
        EXPECT_EQ(got, (std::vector<int>{16, 8, 7, 12, 0, 0, n, 0})) << n;
    }
}
