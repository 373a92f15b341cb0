#include "device_test_support.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <set>

namespace {

// Arguments not named by a row are 0xEE, so a command that reads an argument it should not
// shows it in its block.
CommandArgs Args(std::initializer_list<int> prefix, int p31 = 0xEE)
{
    CommandArgs a;
    a.fill(0xEE);
    int n = 0;
    for (int v : prefix) a[n++] = static_cast<uint8_t>(v);
    a[31] = static_cast<uint8_t>(p31);
    return a;
}

// Arguments 0x80, 0x81, ... 0x9F, for the commands that copy their arguments.
CommandArgs Counting()
{
    CommandArgs a;
    for (int n = 0; n < 32; ++n) a[n] = static_cast<uint8_t>(0x80 + n);
    return a;
}

struct Row {
    const char* what;
    int id;
    CommandArgs args;
    std::function<void(CDeviceData&)> setup;
    std::string expected;  // hex of the block; bytes not written are 0x55
};

void NoSetup(CDeviceData&) {}

void OutputTiming(CDeviceData& d)
{
    auto& o = d.outputReso;
    o.resoIndex = 18;
    o.hReso = 1024; o.vReso = 768; o.fps = 6000;
    o.hTotal = 1344; o.vTotal = 806; o.hSync = 136; o.vSync = 6; o.hbp = 160; o.vbp = 29;
    o.hPol = 0; o.vPol = 1;
    d.outputFlag = 1;
}

void Picture(CDeviceData& d, float gamma)
{
    d.chnl[1].input = 9;  // DP1-R: its own records under index 8
    auto& r = d.pic[8][1];
    r.brightness = 11; r.contrast = 12; r.sharpness = 13; r.saturation = 14; r.hue = 15;
    r.colorTemp = 0x103; r.colorRed = 200; r.colorGreen = 201; r.colorBlue = 202; r.option = 0x77;
    d.picComm.picMode = 3; d.picComm.brightLevel = 17; d.picComm.gamma = gamma;
    d.picApplyAll[1] = 1;
    d.picSendFlag = 1;
    d.picCommonFlag = 0;
}

void LayerWindow2(CDeviceData& d)
{
    auto& L = d.chnl[2];
    L.hPos = 70000; L.vPos = -2; L.hAct = 1920; L.vAct = 1080; L.rotation = 0x105;
    d.layerSeeds[2].layerSendFlag = 1;
}

void Crop(CDeviceData& d)
{
    d.chnl[0].input = 8;  // DP1-L: records of index 4
    d.crop[4][0] = {1, 0, 0x0102, 0x0304, 0x0506, 0x0708, 0x0909, 0x0A0A};
}

void Splicing(CDeviceData& d)
{
    d.mosaic.mode = 0x101;
    d.mosaic.option = 0x1FF;
    d.mosaicSubOp = 0x102;
    auto& m = d.mosaic.win;
    m.hPos[3] = 0x11223344; m.vPos[3] = -1; m.hAct[3] = 1920; m.vAct[3] = 1080;
    m.hTotal[3] = 3840; m.vTotal[3] = 2160;
}

std::function<void(CDeviceData&)> LayerOnInput(int w, int code)
{
    return [w, code](CDeviceData& d) { d.chnl[w].input = static_cast<uint8_t>(code); };
}

void Logo(CDeviceData& d, uint8_t usage)
{
    d.logo.usage = usage;
    d.logo.curId = 3;
    d.logoSlot = 1;
    d.logo.onOff = 1; d.logo.pos = 1; d.logo.border = 2;
    for (int s = 0; s < 4; ++s) {
        d.logoEdit.hPos[s] = static_cast<uint16_t>(0x0100 + s); d.logoEdit.vPos[s] = static_cast<uint16_t>(0x0200 + s);
        d.logoEdit.hAct[s] = static_cast<uint16_t>(0x0300 + s); d.logoEdit.vAct[s] = static_cast<uint16_t>(0x0400 + s);
        d.logo.win.hPos[s] = static_cast<uint16_t>(0x1100 + s); d.logo.win.vPos[s] = static_cast<uint16_t>(0x1200 + s);
        d.logo.win.hAct[s] = static_cast<uint16_t>(0x1300 + s); d.logo.win.vAct[s] = static_cast<uint16_t>(0x1400 + s);
    }
}

void Edid(CDeviceData& d)
{
    d.edid[5] = {7, 0, 1920, 1080, 6000, 280, 45};
    d.edid[6] = {9, 0, 1, 2, 3, 4, 5};
    d.edid[4] = {6, 0, 0, 0, 0, 0, 0};
}

void Keyers(CDeviceData& d)
{
    d.keyer[0] = {3, 1, {}, 0x102, 3, 4, 5, 6, 7, 8, 9, 10, 11, {}};
    d.keyer[1] = {1, 0, {}, 0x0F, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, {}};
}

void Vga(CDeviceData& d)
{
    d.vga = {0x103, 0x12345678, 0x1FF, 0x21, 0x22, {0x3130, 0x3332, 0x3534, 0x3736, 0x3938, 0x4140}};
}

void Schedule(CDeviceData& d)
{
    d.taskStatus = 1;
    d.task[4] = {24, 12, 31, 23, 59, 58, 9, 0, 0x102};
    const uint8_t clock[6] = {25, 1, 2, 3, 4, 5};
    std::memcpy(d.machineTime, clock, 6);
}

void Feather(CDeviceData& d)
{
    d.feather = {1, {0x101, 2, 3, 4}, {5, 6, 7, 0x1FF}};
}

std::vector<Row> SentRows()
{
    const auto counting = Counting();
    return {
        {"read all", CMD_GET_ALL_DATA, Args({}), NoSetup, ""},
        {"preset", CMD_PRESET, Args({2, 7}), NoSetup, "02 07"},
        {"customised output timing", CMD_SET_OUTPUT_TIMING, Args({}), OutputTiming,
         "12 0004 0003 7017 4005 8800 A000 2603 0600 1D00 00 01 01"},
        {"output index cut to its low byte", CMD_SET_OUTPUT_TIMING, Args({}),
         [](CDeviceData& d) { d.outputReso.resoIndex = 0x1203; }, "03 0000 0000 0000 0000 0000 0000 0000 0000 0000 00 00 00"},
        {"picture, gamma 2.19", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 2.19f); },
         "00 03 11 16 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma 0.04", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 0.04f); },
         "00 03 11 00 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma 0.7 rounds to 7", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 0.7f); },
         "00 03 11 07 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma 1.3 rounds to 13", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 1.3f); },
         "00 03 11 0D 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma 0.05", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 0.05f); },
         "00 03 11 01 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma -1.55", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, -1.55f); },
         "00 03 11 F1 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma NaN", CMD_SET_PICTURE, Args({1}),
         [](CDeviceData& d) { Picture(d, std::numeric_limits<float>::quiet_NaN()); },
         "00 03 11 00 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"picture, gamma huge", CMD_SET_PICTURE, Args({1}), [](CDeviceData& d) { Picture(d, 1e30f); },
         "00 03 11 FF 01 01 0B 0C 0E 0F 0D 03 C8 C9 CA 01"},
        {"layer window, low 16 bits", CMD_SET_LAYER_WINDOW, Args({2}), LayerWindow2,
         "02 7011 FEFF 8007 3804 01 05"},
        {"crop", CMD_SET_CROP, Args({0, 1}), Crop, "00 01 0201 0403 0605 0807 01"},
        {"splicing window", CMD_SET_SPLICING_WINDOW, Args({3, 2}), Splicing,
         "02 01 05 03 44332211 FFFFFFFF 80070000 38040000 000F0000 70080000 02 FF"},
        {"layer input DVI-1", CMD_SET_LAYER_INPUT, Args({2}), LayerOnInput(2, 0), "02 00 00"},
        {"layer input SDI-1", CMD_SET_LAYER_INPUT, Args({2}), LayerOnInput(2, 5), "02 05 00"},
        {"layer input DP1-R", CMD_SET_LAYER_INPUT, Args({1}), LayerOnInput(1, 9), "01 04 01"},
        {"layer input DP2-L", CMD_SET_LAYER_INPUT, Args({0}), LayerOnInput(0, 10), "00 06 00"},
        {"layer input DP2-R", CMD_SET_LAYER_INPUT, Args({2}), LayerOnInput(2, 11), "02 06 01"},
        {"PIP-3", CMD_SET_PIP, Args({2}),
         [](CDeviceData& d) { d.chnl[3].onOff = 1; d.chnl[3].alpha = 0x80; d.chnl[2].alpha = 0x40; }, "03 01 80"},
        {"logo op 0 from the edit copies", CMD_LOGO, Args({0, 2}), [](CDeviceData& d) { Logo(d, 0); },
         "00 02 0201 0202 0203 0204 02 00 01 01 02"},
        {"logo op 1 from the block, current slot", CMD_LOGO, Args({1, 0}), [](CDeviceData& d) { Logo(d, 1); },
         "01 03 0311 0312 0313 0314 00 01 01 01 02"},
        {"logo op 3 from the edit copies whatever the usage", CMD_LOGO, Args({3, 0}), [](CDeviceData& d) { Logo(d, 1); },
         "03 01 0101 0102 0103 0104 00 01 01 01 02"},
        {"logo op 5 from the block, logoSlot", CMD_LOGO, Args({5, 9}), [](CDeviceData& d) { Logo(d, 1); },
         "05 01 0111 0112 0113 0114 09 01 01 01 02"},
        {"EDID input 6 uses record 5", CMD_SET_EDID, Args({6, 2}), Edid, "07 02 8007 3804 7017 1801 2D00"},
        {"EDID input 5 uses record 5", CMD_SET_EDID, Args({5, 2}), Edid, "07 02 8007 3804 7017 1801 2D00"},
        {"EDID input 7 uses record 6", CMD_SET_EDID, Args({7, 1}), Edid, "09 01 0100 0200 0300 0400 0500"},
        {"keyer set 0 for layer 3", CMD_SET_KEYER, Args({}, 3), Keyers,
         "01 02 03 04 05 06 07 08 09 0A 0B 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 03"},
        {"keyer set 1 for layer 1", CMD_SET_KEYER, Args({}, 1), Keyers,
         "00 0F 13 14 15 16 17 18 19 1A 1B 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 01"},
        {"keyer set 1 for any other layer", CMD_SET_KEYER, Args({}, 0), Keyers,
         "00 0F 13 14 15 16 17 18 19 1A 1B 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 55 00"},
        {"test pattern", CMD_SET_TEST_PATTERN, Args({}), [](CDeviceData& d) { d.testPattern = 7; }, "07"},
        {"pixel grab", CMD_PIXEL_GRAB, Args({1}), [](CDeviceData& d) { d.grabPos = {0x0102, 0x0304}; }, "01 0201 0403"},
        {"VGA adjust", CMD_VGA_ADJUST, Args({0x0A, 0x0B}), Vga,
         "0A 03 0B 7856 FF 21 22 0B 3031 3435 3839 3233 3637 4041 0B"},
        {"work mode", CMD_SET_WORK_MODE, Args({}), [](CDeviceData& d) { d.pvwMode = 2; }, "02"},
        {"fade time", CMD_SET_FADE_TIME, Args({}), [](CDeviceData& d) { d.pvwDTime = 0x105; }, "05"},
        {"schedule, the task's time", CMD_SET_SCHEDULE, Args({4, 1}), Schedule, "01 01 18 0C 1F 17 3B 3A 04 09 02"},
        {"schedule, the device clock", CMD_SET_SCHEDULE, Args({4, 0}), Schedule, "00 01 19 01 02 03 04 05 04 09 02"},
        {"schedule, other p1 also the clock", CMD_SET_SCHEDULE, Args({4, 2}), Schedule, "02 01 19 01 02 03 04 05 04 09 02"},
        {"loop out", CMD_SET_LOOP_OUT, Args({}), [](CDeviceData& d) { d.loopOutIp = 3; }, "03"},
        {"factory reset", CMD_FACTORY_RESET, Args({1, 2}), NoSetup, ""},
        {"multi machine", CMD_SET_MULTI_MACHINE, Args({}), [](CDeviceData& d) { d.multiMachine = 1; }, "01"},
        {"sync mode", CMD_SET_SYNC_MODE, Args({1, 2}), NoSetup, "01 02"},
        {"caption bitmap", CMD_CAPTION_BITMAP, counting, NoSetup, "80 81 82 83 84 85 86 87 88 89"},
        {"caption settings", CMD_CAPTION_SETTINGS, counting, NoSetup, "80 81 82 83 84 85 86 87 88 89"},
        {"stream", CMD_SET_STREAM, counting, NoSetup, "80 81 82 83 84 85 86 87 88"},
        {"raw 18", CMD_RAW18, counting, NoSetup, "80 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 90 91"},
        {"composite board", CMD_COMPOSITE_BOARD, Args({1, 0}), NoSetup, "01 00"},
        {"media key", CMD_MEDIA_KEY, Args({7, 1}), NoSetup, "07 01"},
        {"feather", CMD_SET_FEATHER, Args({9}), Feather, "01 01 05 02 06 03 07 04 FF 09"},
        {"freeze", CMD_FREEZE, Args({1}), NoSetup, "01"},
        {"LED output", CMD_LED_OUTPUT, Args({3, 4}), NoSetup, "03 04"},
        {"query input info", CMD_QUERY_INPUT_INFO, Args({255}), NoSetup, "FF"},
        {"query VGA", CMD_QUERY_VGA, Args({6}), NoSetup, "06"},
        {"query EDID input 6", CMD_QUERY_EDID, Args({6}), Edid, "07"},
        {"query EDID input 4", CMD_QUERY_EDID, Args({4}), Edid, "06"},
        {"query machine time", CMD_QUERY_MACHINE_TIME, Args({0}), NoSetup, "00"},
        {"query picture", CMD_QUERY_PICTURE, Args({2}), NoSetup, "02"},
        {"query layer window", CMD_QUERY_LAYER_WINDOW, Args({3}), NoSetup, "03"},
        {"query window 55", CMD_QUERY_WINDOW55, Args({1}), NoSetup, "01"},
        {"query splicing window", CMD_QUERY_SPLICING_WINDOW, Args({2}), NoSetup, "02"},
        {"query splicing", CMD_QUERY_SPLICING, Args({1}), NoSetup, ""},
        {"query logo", CMD_QUERY_LOGO, Args({1}), NoSetup, ""},
        {"query keyer", CMD_QUERY_KEYER, Args({3}), NoSetup, "03"},
        {"query work mode", CMD_QUERY_WORK_MODE, Args({1}), NoSetup, ""},
        {"query 62", CMD_QUERY_62, Args({1}), NoSetup, ""},
        {"query 63", CMD_QUERY_63, Args({1}), NoSetup, ""},
        {"query 65", CMD_QUERY_65, Args({1}), NoSetup, ""},
        {"query encoder", CMD_QUERY_ENCODER, Args({2}), NoSetup, "02"},
        {"query board", CMD_QUERY_BOARD, Args({1}), NoSetup, ""},
        {"query 68", CMD_QUERY_68, Args({1}), NoSetup, ""},
        {"search devices", CMD_SEARCH_DEVICES, Args({255}), NoSetup, "FF"},
        {"query caption", CMD_QUERY_CAPTION, Args({3}), NoSetup, "03"},
        {"raw 32 (71)", CMD_RAW32, counting, NoSetup,
         "80 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 90 91 92 93 94 95 96 97 98 99 9A 9B 9C 9D 9E 9F"},
        {"raw 32 (72)", CMD_RAW32_72, counting, NoSetup,
         "80 81 82 83 84 85 86 87 88 89 8A 8B 8C 8D 8E 8F 90 91 92 93 94 95 96 97 98 99 9A 9B 9C 9D 9E 9F"},
        {"query 73", CMD_QUERY_73, Args({1}), NoSetup, ""},
    };
}

}  // namespace

TEST_F(DeviceTest, EveryCommandOfTheTableFillsItsBlockByteForByte)
{
    g_DeviceAddress = 0x42;
    for (const Row& row : SentRows()) {
        SCOPED_TRACE(row.what);
        comm::RecordingCommLibrary r;
        comm::InstallCommLibrary(&r);
        CDeviceData d;
        row.setup(d);
        d.SendCommandArgs(row.id, row.args);
        comm::InstallCommLibrary(&rec);
        const auto calls = r.Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].op, comm::RecordedCall::Op::SendCommand);
        EXPECT_EQ(calls[0].id, row.id);
        EXPECT_EQ(calls[0].deviceAddress, 0x42);
        EXPECT_EQ(Hex(calls[0].bytes), Block32(row.expected));
    }
}

TEST_F(DeviceTest, TheTableCoversEveryCommandWithACase)
{
    std::set<int> covered;
    for (const Row& row : SentRows()) covered.insert(row.id);
    for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 23, 24, 25,
                   32, 33, 34, 35, 36, 37, 48, 49, 50, 51, 52, 54, 55, 56, 57, 58, 59, 60, 62, 63, 65, 66,
                   67, 68, 69, 70, 71, 72, 73})
        EXPECT_TRUE(covered.count(id)) << "no row for command " << id;
}

TEST_F(DeviceTest, IdsWithoutACaseGoOutUnderTheirOwnIdAsFillBlocks)
{
    for (int id : {26, 27, 28, 29, 30, 31, 38, 40, 47, 53, 61, 64, 74, 200, 0xFFFF, -5}) {
        SCOPED_TRACE(id);
        rec.ClearCalls();
        dev->SendCommandArgs(id, Counting());
        const auto cmds = rec.Commands();
        ASSERT_EQ(cmds.size(), 1u);
        EXPECT_EQ(cmds[0].id, id);
        EXPECT_EQ(Hex(cmds[0].bytes), Block32(""));
    }
}

TEST_F(DeviceTest, DispatchLooksAtTheLow16BitsButPassesTheWholeId)
{
    dev->SendCommand(0x10000 + CMD_PRESET, 2, 7);
    const auto cmds = rec.Commands();
    ASSERT_EQ(cmds.size(), 1u);
    EXPECT_EQ(cmds[0].id, 0x10001);
    EXPECT_EQ(Hex(cmds[0].bytes), Block32("02 07"));
}

TEST_F(DeviceTest, VariadicArgumentsLandInOrder)
{
    dev->SendCommand(CMD_CAPTION_BITMAP, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    ASSERT_EQ(rec.Commands().size(), 1u);
    EXPECT_EQ(Hex(rec.Commands()[0].bytes), Block32("01 02 03 04 05 06 07 08 09 0A"));
}

TEST_F(DeviceTest, PictureAndLayerCommandsResetTheirOneShotFlags)
{
    Picture(*dev, 1.0f);
    dev->SendCommand(CMD_SET_PICTURE, 1);
    EXPECT_EQ(dev->picSendFlag, 0);
    EXPECT_EQ(dev->picCommonFlag, 1);

    for (auto& s : dev->layerSeeds) s.layerSendFlag = 1;
    dev->SendCommand(CMD_SET_LAYER_WINDOW, 2);
    EXPECT_EQ(dev->layerSeeds[2].layerSendFlag, 0);
    EXPECT_EQ(dev->layerSeeds[1].layerSendFlag, 1);  // only the window sent

    // A second send carries the reset values.
    dev->SendCommand(CMD_SET_PICTURE, 1);
    dev->SendCommand(CMD_SET_LAYER_WINDOW, 2);
    const auto cmds = rec.Commands();
    ASSERT_EQ(cmds.size(), 4u);
    EXPECT_EQ(cmds[0].bytes[0], 0);
    EXPECT_EQ(cmds[0].bytes[15], 1);
    EXPECT_EQ(cmds[2].bytes[0], 1);
    EXPECT_EQ(cmds[2].bytes[15], 0);
    EXPECT_EQ(cmds[1].bytes[9], 1);
    EXPECT_EQ(cmds[3].bytes[9], 0);
}

TEST_F(DeviceTest, EveryOneDecimalGammaFromZeroToFiveGoesOutAsItsTenths)
{
    for (int tenths = 0; tenths <= 50; ++tenths) {
        Picture(*dev, static_cast<float>(tenths) / 10.0f);
        dev->SendCommand(CMD_SET_PICTURE, 1);
        ASSERT_FALSE(rec.Commands().empty());
        EXPECT_EQ(rec.Commands().back().bytes[3], tenths) << "gamma " << tenths / 10.0;
    }
}

TEST_F(DeviceTest, WindowQueriesRecordTheQueriedWindow)
{
    uint8_t w = 0;
    for (int id : {CMD_QUERY_PICTURE, CMD_QUERY_LAYER_WINDOW, CMD_QUERY_WINDOW55, CMD_QUERY_SPLICING_WINDOW}) {
        SCOPED_TRACE(id);
        w = static_cast<uint8_t>(w + 1);
        dev->SendCommand(id, w);
        EXPECT_EQ(dev->lastQueryWindow, w);
    }
    dev->SendCommand(CMD_QUERY_SPLICING, 9);  // other queries leave it alone
    dev->SendCommand(CMD_QUERY_KEYER, 3);
    EXPECT_EQ(dev->lastQueryWindow, w);
}

TEST_F(DeviceTest, OutOfRangeIndexesSendNothingAndChangeNothing)
{
    struct Bad {
        const char* what;
        int id;
        CommandArgs args;
        std::function<void(CDeviceData&)> setup;
    };
    const std::vector<Bad> rows = {
        {"picture window 4", CMD_SET_PICTURE, Args({4}), NoSetup},
        {"picture window 255", CMD_SET_PICTURE, Args({255}), NoSetup},
        {"picture of an input code 12", CMD_SET_PICTURE, Args({0}), LayerOnInput(0, 12)},
        {"layer window 4", CMD_SET_LAYER_WINDOW, Args({4}), NoSetup},
        {"crop window 4", CMD_SET_CROP, Args({4, 1}), NoSetup},
        {"crop of an input code 200", CMD_SET_CROP, Args({3, 1}), LayerOnInput(3, 200)},
        {"splicing window 4", CMD_SET_SPLICING_WINDOW, Args({4, 0}), NoSetup},
        {"layer input window 4", CMD_SET_LAYER_INPUT, Args({4}), NoSetup},
        {"layer input code 12", CMD_SET_LAYER_INPUT, Args({1}), LayerOnInput(1, 12)},
        {"PIP 3", CMD_SET_PIP, Args({3}), NoSetup},
        {"PIP 255", CMD_SET_PIP, Args({255}), NoSetup},
        {"logo op 0 slot 4", CMD_LOGO, Args({0, 4}), NoSetup},
        {"logo op 1 current slot 4", CMD_LOGO, Args({1, 0}), [](CDeviceData& d) { d.logo.curId = 4; }},
        {"logo op 2 logoSlot 200", CMD_LOGO, Args({2, 0}), [](CDeviceData& d) { d.logoSlot = 200; }},
        {"EDID input 8", CMD_SET_EDID, Args({8, 1}), NoSetup},
        {"EDID input 255", CMD_SET_EDID, Args({255, 1}), NoSetup},
        {"schedule task 10", CMD_SET_SCHEDULE, Args({10, 1}), NoSetup},
        {"query EDID input 8", CMD_QUERY_EDID, Args({8}), NoSetup},
    };
    for (const Bad& row : rows) {
        SCOPED_TRACE(row.what);
        rec.ClearCalls();
        CDeviceData d;
        row.setup(d);
        d.picSendFlag = 1;
        d.picCommonFlag = 0;
        for (auto& s : d.layerSeeds) s.layerSendFlag = 1;
        d.SendCommandArgs(row.id, row.args);
        EXPECT_TRUE(rec.Calls().empty());
        EXPECT_EQ(d.picSendFlag, 1);
        EXPECT_EQ(d.picCommonFlag, 0);
        for (const auto& s : d.layerSeeds) EXPECT_EQ(s.layerSendFlag, 1);
    }
}

TEST_F(DeviceTest, SendAllDataSendsTheBlockAndNoCommandBlock)
{
    g_DeviceAddress = 7;
    dev->outputReso.resoIndex = 0x04030201;
    dev->cmpBoard.mode = 0x0D0C0B0A;
    dev->SendCommand(CMD_SEND_ALL_DATA, 1, 2, 3);
    const auto calls = rec.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, comm::RecordedCall::Op::SendBlock);
    EXPECT_EQ(calls[0].deviceAddress, 7);
    ASSERT_EQ(calls[0].bytes.size(), 2360u);
    EXPECT_EQ(Hex({calls[0].bytes.begin(), calls[0].bytes.begin() + 4}), "01 02 03 04");
    EXPECT_EQ(Hex({calls[0].bytes.end() - 4, calls[0].bytes.end()}), "0A 0B 0C 0D");
}
