#include "tools/emulator/EmulatorDevice.h"
#include "tools/emulator/H264Clip.h"

#include "device/CommandIds.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace emu;

namespace {

comm::Frame Command(int id, std::array<uint8_t, 32> params, uint8_t address = 7)
{
    return {comm::FrameType::Command, address, 0, comm::MakeCommandPayload(id, params.data())};
}

std::array<uint8_t, 32> P(std::initializer_list<uint8_t> bytes)
{
    std::array<uint8_t, 32> p;
    p.fill(0x55);
    std::size_t i = 0;
    for (uint8_t b : bytes) p[i++] = b;
    return p;
}

EmulatorDevice Device()
{
    EmulatorDevice d;
    d.address = 7;
    d.block = MakeSeededBlock(3);
    return d;
}

}  // namespace

TEST(EmulatorDevice, Command0AnswersTheWholeBlockWithItsAddressAsStatus)
{
    auto d = Device();
    auto r = Respond(d, Command(CMD_GET_ALL_DATA, P({})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_ALL_DATA);
    EXPECT_EQ(r[0].status, 7);
    ASSERT_EQ(r[0].payload.size(), 2360u);
    EXPECT_EQ(std::memcmp(r[0].payload.data(), &d.block, 2360), 0);
}

TEST(EmulatorDevice, Command22ReplacesTheBlock)
{
    auto d = Device();
    std::vector<uint8_t> block(2360, 0xA7);
    auto r = Respond(d, {comm::FrameType::ParamBlock, 7, 0, block});
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].replyId, REPLY_STATUS);
    EXPECT_EQ(r[1].replyId, REPLY_EVENT);
    EXPECT_EQ(r[1].payload, std::vector<uint8_t>{2});
    EXPECT_EQ(std::memcmp(&d.block, block.data(), 2360), 0);
    // A short block is refused.
    auto before = d.block;
    EXPECT_TRUE(Respond(d, {comm::FrameType::ParamBlock, 7, 0, std::vector<uint8_t>(100, 1)}).empty());
    EXPECT_EQ(std::memcmp(&d.block, &before, 2360), 0);
}

TEST(EmulatorDevice, LayerWindowSettingChangesTheBlockAndAnswersReply10)
{
    auto d = Device();
    // Window 2 at x 0x1170 y 20, 640 x 480, rotation 3.
    auto r = Respond(d, Command(CMD_SET_LAYER_WINDOW, P({2, 0x70, 0x11, 20, 0, 0x80, 2, 0xE0, 1, 1, 3})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_LAYER_WINDOW);
    EXPECT_EQ(r[0].args[0], 2);
    EXPECT_EQ(d.block.chnl[2].hPos, 0x1170);
    EXPECT_EQ(d.block.chnl[2].vAct, 480);
    EXPECT_EQ(d.block.chnl[2].rotation, 3);
    ASSERT_EQ(r[0].payload.size(), 20u);
    int32_t v[5];
    std::memcpy(v, r[0].payload.data(), 20);
    EXPECT_EQ(v[0], 0x1170);
    EXPECT_EQ(v[2], 640);
    EXPECT_EQ(v[4], 3);
}

TEST(EmulatorDevice, PictureSettingReachesOneOrAllInputsAndTheResetsActLikeAProcessor)
{
    struct Case {
        const char* what;
        uint8_t flag0, all, flag15;
        int brightness3, brightness9, colorTemp9, red3, option;  // window 1, whose input is 1
    } cases[] = {
        {"current input", 1, 0, 0, 0, 1, 1, 0, 0x21},
        {"all inputs: colour temperature stays the current input's", 1, 1, 0, 70, 1, 1, 200, 0x21},
        {"colour-temperature reset", 1, 0, 1, 0, 1, 1, 0, 0x21},
        {"picture reset: every record, option kept", 0, 1, 0, 50, 50, 8, 128, 0x21},
    };
    for (const auto& c : cases) {
        auto d = Device();
        d.block.chnl[1].input = 1;
        for (auto& row : d.block.pic)
            for (auto& s : row) {
                s = {};
                s.brightness = s.colorTemp = s.colorRed = 1;
                s.option = 0x21;
            }
        d.block.pic[3][1].brightness = 0;
        d.block.pic[3][1].colorRed = 0;
        // mode 7, bright level 17, gamma 1.5, window 1, brightness 70 ... colour temperature 2, red 200.
        auto r = Respond(d, Command(CMD_SET_PICTURE, P({c.flag0, 7, 17, 15, 1, c.all, 70, 50, 50, 50, 12, 2, 200, 201,
                                                        202, c.flag15})));
        ASSERT_EQ(r.size(), 1u) << c.what;
        EXPECT_EQ(r[0].replyId, REPLY_PICTURE) << c.what;
        EXPECT_FLOAT_EQ(d.block.picComm.gamma, 1.5f) << c.what;
        const PictureSettings& cur = d.block.pic[1][1];
        if (c.flag0 == 0) {
            EXPECT_EQ(cur.brightness, 50) << c.what;
        } else if (c.flag15 == 1) {
            EXPECT_EQ(cur.colorTemp, 8) << c.what;
            EXPECT_EQ(cur.colorRed, 128) << c.what;
        } else {
            EXPECT_EQ(cur.brightness, 70) << c.what;
            EXPECT_EQ(cur.colorTemp, 2) << c.what;
        }
        EXPECT_EQ(d.block.pic[3][1].brightness, c.brightness3) << c.what;
        EXPECT_EQ(d.block.pic[3][1].colorRed, c.red3) << c.what;
        EXPECT_EQ(d.block.pic[9][2].brightness, c.brightness9) << c.what;
        EXPECT_EQ(d.block.pic[9][1].colorTemp, c.colorTemp9) << c.what;
        EXPECT_EQ(d.block.pic[5][0].option, c.option) << c.what;
    }
}

TEST(EmulatorDevice, CropResetCoversTheWholeSource)
{
    auto d = Device();
    d.block.chnl[2].input = 2;
    d.block.crop[2][2] = {0, 0, 0, 0, 0, 0, 1920, 1080};
    auto r = Respond(d, Command(CMD_SET_CROP, P({2, 1, 10, 0, 20, 0, 100, 0, 200, 0, 0})));
    EXPECT_EQ(d.block.crop[2][2].hPos, 10);
    EXPECT_EQ(d.block.crop[2][2].vAct, 200);
    r = Respond(d, Command(CMD_SET_CROP, P({2, 1, 10, 0, 20, 0, 100, 0, 200, 0, 1})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_CROP);
    const CropWindow& c = d.block.crop[2][2];
    EXPECT_EQ(c.onOff, 1);
    EXPECT_EQ(c.hPos, 0);
    EXPECT_EQ(c.vPos, 0);
    EXPECT_EQ(c.hAct, 1920);
    EXPECT_EQ(c.vAct, 1080);
}

TEST(EmulatorDevice, LayerInputUsesTensAndUnits)
{
    auto d = Device();
    auto r = Respond(d, Command(CMD_SET_LAYER_INPUT, P({1, 6, 1})));
    EXPECT_EQ(d.block.chnl[1].input, 11);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_LAYER_STATE);
    EXPECT_EQ(r[0].args[0], 4);
    EXPECT_EQ(r[0].payload.size(), 12u);
    EXPECT_EQ(r[0].payload[5], 11);

    // DP-1 (40) and the second DP (60) are the whole input single-link, the left half dual-link.
    for (uint8_t dual : {0, 1}) {
        d.block.dpMode[0] = d.block.dpMode[1] = dual;
        Respond(d, Command(CMD_SET_LAYER_INPUT, P({0, 4, 0})));
        Respond(d, Command(CMD_SET_LAYER_INPUT, P({1, 6, 0})));
        EXPECT_EQ(d.block.chnl[0].input, dual ? 8 : 4);
        EXPECT_EQ(d.block.chnl[1].input, dual ? 10 : 6);
    }
}

TEST(EmulatorDevice, QueriesAnswerWithTheirReplies)
{
    auto d = Device();
    struct Case {
        int cmd;
        int reply;
        std::size_t size;
    } cases[] = {
        {CMD_QUERY_VGA, REPLY_VGA_DATA, 28},       {CMD_QUERY_MACHINE_TIME, REPLY_MACHINE_TIME, 6},
        {CMD_QUERY_PICTURE, REPLY_PICTURE, 32},    {CMD_QUERY_LAYER_WINDOW, REPLY_LAYER_WINDOW, 20},
        {CMD_QUERY_SPLICING, REPLY_SPLICING, 108}, {CMD_QUERY_LOGO, REPLY_LOGO, 42},
        {CMD_QUERY_KEYER, REPLY_KEYER, 20},        {CMD_QUERY_WORK_MODE, REPLY_WORK_MODE, 16},
        {CMD_QUERY_63, REPLY_LAYER_STATE, 12},     {CMD_QUERY_65, REPLY_SYSTEM_INFO, 18},
        {CMD_QUERY_ENCODER, REPLY_ENCODER_INFO, 10}, {CMD_QUERY_BOARD, REPLY_BOARD_INFO, 44},
        {CMD_QUERY_68, REPLY_PRESET_FLAGS, 10},    {CMD_QUERY_CAPTION, REPLY_CAPTION, 32},
        {CMD_QUERY_73, REPLY_FEATHER, 36},
    };
    for (const auto& c : cases) {
        if (c.cmd < 0) continue;
        auto r = Respond(d, Command(c.cmd, P({0})));
        ASSERT_FALSE(r.empty()) << c.cmd;
        EXPECT_EQ(r[0].replyId, c.reply) << c.cmd;
        EXPECT_EQ(r[0].payload.size(), c.size) << c.cmd;
    }
    auto all = Respond(d, Command(CMD_QUERY_INPUT_INFO, P({255})));
    EXPECT_EQ(all.size(), 8u);
    auto dp = Respond(d, Command(CMD_QUERY_62, P({})));
    ASSERT_EQ(dp.size(), 2u);
    EXPECT_EQ(dp[1].payload[0], 1);
}

TEST(EmulatorDevice, LogoOperationsChangeTheirSlot)
{
    auto d = Device();
    std::memset(&d.block.logo, 0, sizeof d.block.logo);
    // A capture window set in normal use frames the next capture only: no logo record answers it
    // (it would put the page's edits back).
    auto r = Respond(d, Command(CMD_LOGO, P({3, 2, 0x10, 0, 0x20, 0, 0x40, 1, 0xF0, 0, 0, 0, 0, 1, 0})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_STATUS);
    EXPECT_EQ(d.block.logo.win.hAct[2], 0);
    // Capture into slot 2: stored, at the origin, with the window's size.
    r = Respond(d, Command(CMD_LOGO, P({2, 2, 0x10, 0, 0x20, 0, 0x40, 1, 0xF0, 0, 0, 0, 0, 1, 0})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_EVENT);
    EXPECT_EQ(d.block.logo.valid[2], 1);
    EXPECT_EQ(d.block.logo.win.hPos[2], 0);
    EXPECT_EQ(d.block.logo.win.hAct[2], 0x140);
    EXPECT_EQ(d.block.logo.win.vAct[2], 0xF0);
    EXPECT_EQ(d.block.logo.pos, 1);
    // Load slot 2 at (16, 32) in logo use, on.
    Respond(d, Command(CMD_LOGO, P({1, 2, 0x10, 0, 0x20, 0, 0x40, 1, 0xF0, 0, 0, 1, 1, 0, 1})));
    EXPECT_EQ(d.block.logo.curId, 2);
    EXPECT_EQ(d.block.logo.win.hPos[2], 0x10);
    EXPECT_EQ(d.block.logo.win.vPos[2], 0x20);
    EXPECT_EQ(d.block.logo.usage, 1);
    EXPECT_EQ(d.block.logo.onOff, 1);
    EXPECT_EQ(d.block.logo.border, 1);
    // In logo use a window moves the slot's logo.
    r = Respond(d, Command(CMD_LOGO, P({3, 2, 0x30, 0, 0x40, 0, 0x40, 1, 0xF0, 0, 0, 1, 1, 0, 1})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_STATUS);
    EXPECT_EQ(d.block.logo.win.hPos[2], 0x30);
    EXPECT_EQ(d.block.logo.win.vPos[2], 0x40);
    // Clear leaves the loaded slot number alone; a slot beyond the four changes no slot.
    Respond(d, Command(CMD_LOGO, P({0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0})));
    EXPECT_EQ(d.block.logo.valid[2], 0);
    EXPECT_EQ(d.block.logo.curId, 2);
    const auto before = d.block.logo;
    Respond(d, Command(CMD_LOGO, P({2, 9, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 0, 1})));
    EXPECT_EQ(std::memcmp(&d.block.logo.win, &before.win, sizeof before.win), 0);
    EXPECT_EQ(std::memcmp(d.block.logo.valid, before.valid, sizeof before.valid), 0);
}

// Commands the program follows with the busy dialog: the processor applies each, then ends the
// wait with an event whose handling hides the dialog.
TEST(EmulatorDevice, CommandsTheProgramWaitsForEndWithAnEventOnceApplied)
{
    struct Case {
        const char* what;
        int cmd;
        std::array<uint8_t, 32> params;
        std::vector<uint8_t> event;  // empty: no event
        std::function<bool(const EmulatorDevice&)> applied;
    } cases[] = {
        {"dual", CMD_SET_WORK_MODE, P({2}), {3}, [](auto& d) { return d.block.pvwMode == 2; }},
        {"switcher off", CMD_SET_WORK_MODE, P({0}), {3}, [](auto& d) { return d.block.pvwMode == 0; }},
        {"TAKE", CMD_SET_MULTI_MACHINE, P({1}), {3},
         [](auto& d) {
             return d.multiMachine == 1 && d.block.pgmState[2] == 1 && d.block.pvwState[2] == 0 && d.block.pvwState[0] == 1;
         }},
        {"splicing on", CMD_SET_SPLICING_WINDOW, P({0, 3, 8, 0}), {11, 0}, [](auto& d) { return d.block.mosaic.mode == 3; }},
        {"arrangement", CMD_SET_SPLICING_WINDOW, P({1, 4, 3, 0}), {11, 0}, [](auto& d) { return d.block.mosaic.autoArr == 3; }},
        {"splicing off", CMD_SET_SPLICING_WINDOW, P({0, 0, 8, 0}), {}, [](auto& d) { return d.block.mosaic.mode == 0; }},
        {"splicing window", CMD_SET_SPLICING_WINDOW, P({2, 3, 8, 1, 7, 0, 0, 0}), {}, [](auto& d) { return d.block.mosaic.win.hPos[1] == 7; }},
        {"logo save", CMD_LOGO, P({2, 1, 0, 0, 0, 0, 0x40, 0, 0x20, 0, 0, 0, 0, 0, 0}), {4},
         [](auto& d) { return d.block.logo.valid[1] == 1 && d.block.logo.win.hAct[1] == 0x40; }},
        {"logo load", CMD_LOGO, P({1, 1, 9, 0, 0, 0, 0x40, 0, 0x20, 0, 0, 1, 0, 0, 0}), {4},
         [](auto& d) { return d.block.logo.curId == 1 && d.block.logo.win.hPos[1] == 9; }},
        {"logo on", CMD_LOGO, P({5, 1, 9, 0, 0, 0, 0x40, 0, 0x20, 0, 0, 1, 1, 0, 0}), {4}, [](auto& d) { return d.block.logo.onOff == 1; }},
        {"logo off", CMD_LOGO, P({5, 1, 9, 0, 0, 0, 0x40, 0, 0x20, 0, 0, 1, 0, 0, 0}), {}, [](auto& d) { return d.block.logo.onOff == 0; }},
        {"logo usage", CMD_LOGO, P({4, 1, 9, 0, 0, 0, 0x40, 0, 0x20, 0, 0, 0, 0, 0, 0}), {}, [](auto& d) { return d.block.logo.usage == 0; }},
    };
    for (const auto& c : cases) {
        auto d = Device();
        // Switcher mode: window 2 on preview, the others on program.
        d.block.pvwMode = 1;
        std::memset(d.block.pgmState, 1, sizeof d.block.pgmState);
        std::memset(d.block.pvwState, 0, sizeof d.block.pvwState);
        d.block.pgmState[2] = 0;
        d.block.pvwState[2] = 1;
        auto r = Respond(d, Command(c.cmd, c.params));
        ASSERT_FALSE(r.empty()) << c.what;
        EXPECT_TRUE(c.applied(d)) << c.what;
        int events = 0;
        for (const auto& reply : r) events += reply.replyId == REPLY_EVENT;
        if (c.event.empty()) {
            EXPECT_EQ(events, 0) << c.what;
            continue;
        }
        // One event, after every other answer.
        EXPECT_EQ(events, 1) << c.what;
        EXPECT_EQ(r.back().replyId, REPLY_EVENT) << c.what;
        EXPECT_EQ(r.back().payload, c.event) << c.what;
    }
}

TEST(EmulatorDevice, SearchAnswersWithMacAndIp)
{
    auto d = Device();
    d.ip = "127.0.0.9";
    d.mac = {1, 2, 3, 4, 5, 6};
    auto r = Respond(d, Command(CMD_SEARCH_DEVICES, P({255}), 0xFF));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_DEVICE_FOUND);
    std::vector<uint8_t> want = {1, 2, 3, 4, 5, 6};
    want.insert(want.end(), d.ip.begin(), d.ip.end());
    EXPECT_EQ(r[0].payload, want);
}

TEST(EmulatorDevice, CaptionChunkIsAcknowledgedWithEvent7)
{
    auto d = Device();
    std::vector<uint8_t> data(100, 9);
    auto r = Respond(d, {comm::FrameType::BulkData, 7, 0, comm::MakeBulkPayload(0x010203, data.data(), 100)});
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_EVENT);
    EXPECT_EQ(r[0].payload, (std::vector<uint8_t>{7, 100, 0, 1, 3, 2, 1, 0}));
}

TEST(EmulatorDevice, CaptionSettingsAreStoredAndReadBack)
{
    auto d = Device();
    Respond(d, Command(CMD_CAPTION_SETTINGS, P({2, 0, 3, 1})));                            // speed, direction
    Respond(d, Command(CMD_CAPTION_SETTINGS, P({2, 3, 10, 20, 30, 255, 40, 50, 60, 2})));  // colours, mode
    Respond(d, Command(CMD_CAPTION_SETTINGS, P({2, 4, 1, 0, 1, 1})));                      // outputs
    Respond(d, Command(CMD_CAPTION_SETTINGS, P({2, 2, 1})));                               // display on
    Respond(d, Command(CMD_CAPTION_BITMAP, P({2, 2, 0x28, 0x05, 0x20, 0, 0x58, 0x02, 0x55, 0x55})));
    auto r = Respond(d, Command(CMD_QUERY_CAPTION, P({2})));
    ASSERT_EQ(r.size(), 1u);
    ASSERT_EQ(r[0].replyId, REPLY_CAPTION);
    const auto& rec = r[0].payload;
    ASSERT_EQ(rec.size(), 32u);
    EXPECT_EQ(rec[4] | rec[5] << 8, 1320);
    EXPECT_EQ(rec[6], 32);
    EXPECT_EQ(rec[8] | rec[9] << 8, 600);
    EXPECT_EQ(rec[10], 1);
    EXPECT_EQ(rec[11], 3);
    EXPECT_EQ(rec[12], 1);
    EXPECT_EQ(rec[13], 2);
    EXPECT_EQ((std::vector<uint8_t>(rec.begin() + 16, rec.begin() + 24)), (std::vector<uint8_t>{10, 20, 30, 0, 40, 50, 60, 0}));
    EXPECT_EQ((std::vector<uint8_t>(rec.begin() + 24, rec.begin() + 29)), (std::vector<uint8_t>{1, 0, 1, 1, 2}));
    EXPECT_EQ(rec[14], 2);

    // Save answers event 8, Initialise event 10 and puts the records back.
    r = Respond(d, Command(CMD_CAPTION_SETTINGS, P({2, 1})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].payload, std::vector<uint8_t>{8});
    r = Respond(d, Command(CMD_CAPTION_SETTINGS, P({0x55, 5})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].payload, std::vector<uint8_t>{10});
    EXPECT_EQ(d.captions[2][12], 0);
    EXPECT_EQ(d.captions[2][28], 2);
    EXPECT_EQ(d.captions[2][0] | d.captions[2][1] << 8, 600);
}

TEST(EmulatorDevice, CaptionPictureIsAcceptedFilledAndPlaced)
{
    auto d = Device();
    auto r = Respond(d, Command(CMD_CAPTION_BITMAP, P({1, 0, 0x25, 0, 3, 0, 0})));  // 37 x 3
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].payload, (std::vector<uint8_t>{12, 0}));
    ASSERT_EQ(d.captionRows.size(), 24u);
    std::vector<uint8_t> rows(16, 0xA5);
    Respond(d, {comm::FrameType::BulkData, 7, 0, comm::MakeBulkPayload(8, rows.data(), 16)});
    EXPECT_EQ(d.captionRows[7], 0);
    EXPECT_EQ(d.captionRows[8], 0xA5);
    EXPECT_EQ(d.captionRows[23], 0xA5);
    // A chunk outside the picture is acknowledged but stores nothing.
    r = Respond(d, {comm::FrameType::BulkData, 7, 0, comm::MakeBulkPayload(20, rows.data(), 16)});
    EXPECT_EQ(r.size(), 1u);
    EXPECT_EQ(d.captionRows.size(), 24u);
    Respond(d, Command(CMD_CAPTION_BITMAP, P({1, 1, 0x25, 0, 3, 0, 0x10, 0, 0x20, 0})));
    EXPECT_EQ(d.captions[1][0], 0x25);
    EXPECT_EQ(d.captions[1][2], 3);
    EXPECT_EQ(d.captions[1][4], 0x10);
    EXPECT_EQ(d.captions[1][6], 0x20);

    // Too large, or refused on purpose: flag 1. Dropped acknowledgements: no reply.
    for (auto p : {P({0, 0, 0x01, 0x0F, 10, 0, 0}), P({0, 0, 10, 0, 129, 0, 0}), P({0, 0, 0, 0, 10, 0, 0})}) {
        r = Respond(d, Command(CMD_CAPTION_BITMAP, p));
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].payload, (std::vector<uint8_t>{12, 1}));
    }
    d.refuseCaptions = true;
    EXPECT_EQ(Respond(d, Command(CMD_CAPTION_BITMAP, P({1, 0, 10, 0, 10, 0, 0})))[0].payload, (std::vector<uint8_t>{12, 1}));
    d.dropChunkAcks = 1;
    EXPECT_TRUE(Respond(d, {comm::FrameType::BulkData, 7, 0, comm::MakeBulkPayload(0, rows.data(), 4)}).empty());
    EXPECT_EQ(Respond(d, {comm::FrameType::BulkData, 7, 0, comm::MakeBulkPayload(0, rows.data(), 4)}).size(), 1u);
}

TEST(EmulatorDevice, MisbehaviourGivesOutOfRangeIndexesAndShortPayloads)
{
    auto d = Device();
    d.outOfRangeIndexes = true;
    auto r = Respond(d, Command(CMD_QUERY_INPUT_INFO, P({2})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_GE(r[0].payload[0], 8);
    EXPECT_GT(Respond(d, Command(CMD_QUERY_63, P({})))[0].args[0], 4);
    d.shortPayloads = true;
    EXPECT_EQ(Respond(d, Command(CMD_GET_ALL_DATA, P({})))[0].payload.size(), 1180u);
}

TEST(H264Clip, EncodesAShortAnnexBClip)
{
    std::string error;
    auto clip = EncodeTestClip(160, 96, 10, &error);
    ASSERT_EQ(clip.size(), 10u) << error;
    for (const auto& p : clip) {
        ASSERT_GE(p.size(), 4u);
        EXPECT_TRUE((p[0] == 0 && p[1] == 0 && p[2] == 1) || (p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 1));
    }
    EXPECT_TRUE(EncodeTestClip(15, 96, 10, &error).empty());
}

TEST(EmulatorDevice, FactoryResetClearsTheScheduleAndMediaKeysAreCounted)
{
    auto d = Device();
    d.block.loopOutIp = 5;
    d.block.taskStatus = 1;
    d.block.task[2].option = 2;
    auto r = Respond(d, Command(CMD_FACTORY_RESET, P({})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_STATUS);
    EXPECT_EQ(d.factoryResets, 1);
    EXPECT_EQ(d.block.loopOutIp, 0);
    EXPECT_EQ(d.block.taskStatus, 0);
    for (const ScheduleTask& t : d.block.task) EXPECT_EQ(t.option, 0);

    r = Respond(d, Command(CMD_MEDIA_KEY, P({6, 1})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_STATUS);
    EXPECT_EQ(d.mediaKeys, 1);
    EXPECT_EQ(d.lastMediaKey[0], 6);
    EXPECT_EQ(d.lastMediaKey[1], 1);
}

TEST(EmulatorDevice, APresetKeepsTheBlockAndARecallPutsItBack)
{
    auto d = Device();
    const DeviceParamBlock saved = d.block;
    Respond(d, Command(CMD_PRESET, P({2, 4})));
    EXPECT_EQ(d.presetFlags[4], 1);
    d.block.outputReso.hReso = static_cast<uint16_t>(saved.outputReso.hReso + 1);
    // An empty slot changes nothing.
    Respond(d, Command(CMD_PRESET, P({1, 5})));
    EXPECT_EQ(d.block.outputReso.hReso, saved.outputReso.hReso + 1);
    auto r = Respond(d, Command(CMD_PRESET, P({1, 4})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].replyId, REPLY_PRESET_FLAGS);
    EXPECT_EQ(std::memcmp(&d.block, &saved, sizeof saved), 0);
    // A slot beyond the ten is ignored.
    Respond(d, Command(CMD_PRESET, P({2, 10})));
    Respond(d, Command(CMD_PRESET, P({1, 200})));
    EXPECT_EQ(std::memcmp(&d.block, &saved, sizeof saved), 0);
}
