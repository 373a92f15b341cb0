// Turning a received block into the input naming the pages show: slot types, DP dual-link
// halves, the composite board, the input index of a window, and the queries a block triggers.

#include "device/PathUtils.h"
#include "device_test_support.h"

#include <cstring>

namespace {

// A block whose slots all carry DVI (type 4), no input active, DP modes that change nothing.
DeviceParamBlock QuietBlock()
{
    DeviceParamBlock b{};
    for (auto& in : b.input) in.src = 4;
    b.dpMode[0] = 2;
    b.dpMode[1] = 2;
    return b;
}

std::string Enabled(const CDeviceData& d)
{
    std::string s;
    for (const auto& row : d.inputNames) s += row.enabled ? '1' : '0';
    return s;
}

std::vector<int> LayerInputs(const CDeviceData& d)
{
    std::vector<int> v;
    for (const auto& L : d.chnl) v.push_back(L.input);
    return v;
}

void SetLayerInputs(DeviceParamBlock& b, std::initializer_list<int> codes)
{
    int w = 0;
    for (int c : codes) b.chnl[w++].input = static_cast<uint8_t>(c);
}

}  // namespace

TEST_F(DeviceTest, UdiskSlotsAreEnabledAndRenamed)
{
    DeviceParamBlock b = QuietBlock();
    b.input[6].src = 9;
    b.input[7].src = 9;
    dev->ParseParamBlock(b);
    EXPECT_EQ(dev->inputNames[6].name, " UDISK-1");
    EXPECT_EQ(dev->inputNames[7].name, " UDISK-2");
    EXPECT_EQ(Enabled(*dev), "111111110000");
    EXPECT_EQ(dev->inputNames[6].displayName, " EXT-1 ");  // only the name follows the type
    EXPECT_EQ(dev->inputNames[7].displayName, " EXT-2 ");
}

TEST_F(DeviceTest, SlotsSixAndSevenAreNamedByType)
{
    struct Row { int type; const char* six; const char* seven; };
    const Row rows[] = {
        {3, " VGA-1", " VGA-2"},   {4, " DVI-3", " DVI-4"}, {6, " HDMI-3", " HDMI-4"},
        {7, " SDI-2", " SDI-3"},   {8, " DP-2", " EXT-2 "},  {9, " UDISK-1", " UDISK-2"},
        {0, " EXT-1 ", " EXT-2 "}, {5, " EXT-1 ", " EXT-2 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        CDeviceData d;
        DeviceParamBlock b = QuietBlock();
        b.input[6].src = row.type;
        b.input[7].src = row.type;
        d.ParseParamBlock(b);
        EXPECT_EQ(d.inputNames[6].name, QString::fromLatin1(row.six));
        EXPECT_EQ(d.inputNames[7].name, QString::fromLatin1(row.seven));
        EXPECT_EQ(Enabled(d), "111111110000");
    }
}

TEST_F(DeviceTest, SlotsOfUnknownTypeStayDisabled)
{
    DeviceParamBlock b = QuietBlock();
    b.input[0].src = -1;
    b.input[3].src = 10;
    b.input[7].src = 0x7FFFFFFF;
    // Rows enabled before the block are cleared first.
    dev->inputNames[10].enabled = 1;
    dev->ParseParamBlock(b);
    EXPECT_EQ(Enabled(*dev), "011011100000");
    EXPECT_EQ(dev->inputNames[7].name, " EXT-2 ");
}

TEST_F(DeviceTest, ABlockQueriesItsVgaSlotsAndActiveInputs)
{
    DeviceParamBlock b = QuietBlock();
    b.input[2].src = 3;
    b.input[6].src = 3;
    b.inputState[1] = 1;
    b.inputState[6] = 5;
    b.input[5].src = 12;  // inactive unknown slot: nothing
    b.inputState[7] = 1;
    b.input[7].src = 12;  // active unknown slot: still asked for its signal
    g_DeviceAddress = 9;
    dev->ParseParamBlock(b);
    const auto cmds = rec.Commands();
    ASSERT_EQ(SentIds(), (std::vector<int>{CMD_QUERY_INPUT_INFO, CMD_QUERY_VGA, CMD_QUERY_VGA,
                                           CMD_QUERY_INPUT_INFO, CMD_QUERY_INPUT_INFO}));
    const std::vector<std::string> expected = {Block32("01"), Block32("02"), Block32("06"), Block32("06"),
                                               Block32("07")};
    for (std::size_t n = 0; n < cmds.size(); ++n) {
        EXPECT_EQ(Hex(cmds[n].bytes), expected[n]) << n;
        EXPECT_EQ(cmds[n].deviceAddress, 9);
    }
}

TEST_F(DeviceTest, AProjectLoadAsksForNoSignalsAndAppliesTheBoard)
{
    DeviceParamBlock b = QuietBlock();
    b.input[2].src = 3;
    for (auto& s : b.inputState) s = 1;
    b.cmpBoard.exist = 1;
    b.cmpBoard.ipSrc[0] = 4;
    b.cmpBoard.ipSrc[1] = 6;
    b.cmpBoard.actNoSrc = 1;
    b.cmpBoard.actHAct = 1920;
    dev->feather.onOff = 1;
    dev->fromFile = 1;
    dev->ParseParamBlock(b);
    EXPECT_EQ(SentIds(), (std::vector<int>{CMD_QUERY_VGA}));
    EXPECT_EQ(dev->feather.onOff, 0);
    EXPECT_EQ(dev->fromFile, 0);
    EXPECT_EQ(dev->input[6].src, 6);
    EXPECT_EQ(dev->inputReso[6].hAct, 1920);
    EXPECT_EQ(dev->inputNames[6].name, " HDMI-3");
}

TEST_F(DeviceTest, AReceivedBlockKeepsFeatherAndLeavesTheBoardAlone)
{
    DeviceParamBlock b = QuietBlock();
    b.cmpBoard.exist = 1;
    b.cmpBoard.ipSrc[1] = 6;
    b.cmpBoard.actNoSrc = 1;
    dev->feather.onOff = 1;
    dev->fromFile = 7;  // anything but 1 counts as "not from a file"
    dev->ParseParamBlock(b);
    EXPECT_EQ(dev->feather.onOff, 1);
    EXPECT_EQ(dev->fromFile, 0);
    EXPECT_EQ(dev->input[6].src, 4);
    EXPECT_EQ(dev->inputNames[6].name, " DVI-3");
}

TEST_F(DeviceTest, SecondDpInDualLinkMovesItsLayersToTheLeftHalf)
{
    DeviceParamBlock b = QuietBlock();
    b.input[6].src = 8;
    b.dpMode[1] = 1;
    SetLayerInputs(b, {0, 6, 2, 6});
    dev->ParseParamBlock(b);
    EXPECT_EQ(LayerInputs(*dev), (std::vector<int>{0, 10, 2, 10}));
    EXPECT_EQ(dev->inputNames[10].name, " DP2-L ");
    EXPECT_EQ(dev->inputNames[11].name, " DP2-R ");
    EXPECT_EQ(Enabled(*dev), "111111010011");
}

TEST_F(DeviceTest, DpInputsFollowTheirModes)
{
    struct Row {
        const char* what;
        int dp0, dp1, src6;
        std::vector<int> before, after;
        const char* enabled;  // rows 0..11, starting from all enabled
        const char* name6;
    };
    const Row rows[] = {
        {"DP-1 single", 0, 2, 4, {8, 9, 4, 1}, {4, 4, 4, 1}, "111111110011", " EXT-1 "},
        {"DP-1 dual", 1, 2, 4, {4, 9, 8, 4}, {8, 9, 8, 8}, "111101111111", " EXT-1 "},
        {"DP-1 other mode", 2, 2, 4, {4, 9, 8, 11}, {4, 9, 8, 11}, "111111111111", " EXT-1 "},
        {"DP-2 single", 2, 0, 8, {10, 11, 6, 3}, {6, 6, 6, 3}, "111111111100", " DP-2"},
        {"DP-2 dual", 2, 1, 8, {6, 11, 10, 6}, {10, 11, 10, 10}, "111111011111", " EXT-1 "},
        {"DP-2 other mode", 2, 5, 8, {6, 10, 11, 0}, {6, 10, 11, 0}, "111111111111", " EXT-1 "},
        {"second mode ignored without a DP in slot 6", 2, 0, 6, {10, 11, 6, 0}, {10, 11, 6, 0}, "111111111111", " EXT-1 "},
        {"both dual", 1, 1, 8, {4, 6, 8, 10}, {8, 10, 8, 10}, "111101011111", " EXT-1 "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CDeviceData d;
        for (auto& r : d.inputNames) r.enabled = 1;
        d.dpMode[0] = static_cast<uint8_t>(row.dp0);
        d.dpMode[1] = static_cast<uint8_t>(row.dp1);
        d.input[6].src = row.src6;
        for (int w = 0; w < 4; ++w) d.chnl[w].input = static_cast<uint8_t>(row.before[w]);
        d.UpdateDpInputs();
        EXPECT_EQ(LayerInputs(d), row.after);
        EXPECT_EQ(Enabled(d), row.enabled);
        EXPECT_EQ(d.inputNames[6].name, QString::fromLatin1(row.name6));
    }
}

TEST_F(DeviceTest, CompositeBoardNamesAndMovesTheSecondInput)
{
    struct Row {
        const char* what;
        int exist, ipSrc1, actNoSrc, actDual;
        int src6;  // input[6].src afterwards (4 before)
        const char *name6, *name10, *name11;
        const char* enabled;  // rows 0..11, starting from "111111100000"
        std::vector<int> after;  // layers start on 6, 10, 11, 3
    };
    // ipSrc = {6, ipSrc1, 0}: actNoSrc 0 picks the board's DVI source, 1 its second source.
    const Row rows[] = {
        {"no board", 0, 6, 1, 1, 4, " EXT-1 ", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
        {"DP single", 1, 8, 1, 0, 8, " DP-2", " DP2-L ", " DP2-R ", "111111100000", {6, 6, 6, 3}},
        {"DP dual", 1, 8, 1, 1, 8, " DP-2", " DP2-L ", " DP2-R ", "111111000011", {10, 10, 11, 3}},
        {"DVI single", 1, 6, 0, 0, 6, " DVI-3*", " DP2-L ", " DP2-R ", "111111100000", {6, 6, 6, 3}},
        {"DVI dual", 1, 6, 0, 1, 6, " DVI-3*", " DVI3*-L ", " DVI3*-R ", "111111000011", {10, 10, 11, 3}},
        {"HDMI single", 1, 6, 1, 0, 6, " HDMI-3", " DP2-L ", " DP2-R ", "111111100000", {6, 6, 6, 3}},
        {"HDMI dual", 1, 6, 1, 1, 6, " HDMI-3", " HDMI3-L ", " HDMI3-R ", "111111000011", {10, 10, 11, 3}},
        {"other type", 1, 7, 1, 1, 7, " EXT-1 ", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
        {"other dual value", 1, 8, 1, 2, 8, " DP-2", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
        {"third source", 1, 6, 2, 1, 0, " EXT-1 ", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
        {"no such source", 1, 6, 3, 1, 4, " EXT-1 ", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
        {"negative source", 1, 6, -1, 0, 4, " EXT-1 ", " DP2-L ", " DP2-R ", "111111100000", {6, 10, 11, 3}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CDeviceData d;
        for (int n = 0; n < 8; ++n) d.input[n].src = 4;
        for (int w = 0; w < 4; ++w) d.chnl[w].input = static_cast<uint8_t>(std::vector<int>{6, 10, 11, 3}[w]);
        d.inputNames[6].enabled = 1;
        CompositeBoardInfo board{};
        std::memset(&board, 0xA5, sizeof board);  // reserved bytes are kept too
        board.exist = static_cast<uint8_t>(row.exist);
        board.ipSrc[0] = 6;
        board.ipSrc[1] = row.ipSrc1;
        board.ipSrc[2] = 0;
        board.actNoSrc = row.actNoSrc;
        board.actDual = static_cast<uint8_t>(row.actDual);
        board.actHAct = 3840;
        board.actVAct = 1080;
        board.actFps = 6000;
        board.actInterlace = 1;
        d.ApplyCompositeBoard(board);
        EXPECT_EQ(std::memcmp(&d.cmpBoard, &board, sizeof board), 0);
        EXPECT_EQ(d.input[6].src, row.src6);
        EXPECT_EQ(d.inputNames[6].name, QString::fromLatin1(row.name6));
        EXPECT_EQ(d.inputNames[10].name, QString::fromLatin1(row.name10));
        EXPECT_EQ(d.inputNames[11].name, QString::fromLatin1(row.name11));
        EXPECT_EQ(Enabled(d), row.enabled);
        EXPECT_EQ(LayerInputs(d), row.after);
        if (row.exist) {
            EXPECT_EQ(d.inputReso[6].hAct, 3840);
            EXPECT_EQ(d.inputReso[6].vAct, 1080);
            EXPECT_EQ(d.inputReso[6].fps, 6000);
            EXPECT_EQ(d.inputReso[6].ile, 1);
            EXPECT_EQ(d.dpMode[1], row.actDual);
        } else {
            EXPECT_EQ(d.inputReso[6].hAct, 0);
            EXPECT_EQ(d.dpMode[1], 0);
        }
    }
}

TEST_F(DeviceTest, WindowInputIndexOverItsTable)
{
    enum Board { None, Dvi, Hdmi, Odd };  // composite board absent, or present with actNoSrc 0, 1, 2
    struct Row { int code; int src6; Board board; int expected; };
    const Row rows[] = {
        {0, 4, None, 0}, {1, 4, None, 1}, {2, 4, None, 2}, {3, 4, None, 3}, {4, 4, None, 4},
        {5, 4, None, 5}, {7, 4, None, 7}, {7, 6, Dvi, 7},
        {6, 4, None, 6}, {6, 6, None, 6}, {6, 6, Dvi, 10}, {6, 6, Hdmi, 6}, {6, 6, Odd, 0}, {6, 8, Dvi, 6},
        {8, 4, None, 4}, {8, 6, Dvi, 4},
        {9, 4, None, 8}, {9, 6, Hdmi, 8},
        {10, 8, None, 6}, {10, 8, Dvi, 6}, {10, 6, None, 6}, {10, 6, Dvi, 10}, {10, 6, Hdmi, 6},
        {10, 6, Odd, 0}, {10, 4, None, 0}, {10, 9, Dvi, 0},
        {11, 6, Dvi, 11}, {11, 6, Hdmi, 9}, {11, 6, Odd, 0}, {11, 6, None, 0}, {11, 8, None, 9},
        {11, 4, Dvi, 9},
        {12, 4, None, -1}, {255, 6, Dvi, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " src6 " << row.src6 << " board " << row.board);
        CDeviceData d;
        d.input[6].src = row.src6;
        d.cmpBoard.exist = row.board != None;
        d.cmpBoard.actNoSrc = row.board == Dvi ? 0 : row.board == Hdmi ? 1 : 2;
        for (int w = 0; w < 4; ++w) {
            d.chnl[w].input = static_cast<uint8_t>(row.code);
            EXPECT_EQ(d.GetWindowInputIndex(w), row.expected) << "window " << w;
        }
    }
    EXPECT_EQ(dev->GetWindowInputIndex(-1), -1);
    EXPECT_EQ(dev->GetWindowInputIndex(4), -1);
}

TEST_F(DeviceTest, InputCodesMapToProcessorInputNumbers)
{
    const int expected[12] = {0, 10, 20, 30, 40, 50, 60, 70, 40, 41, 60, 61};
    for (int code = 0; code < 12; ++code) EXPECT_EQ(MapInputCode(code), expected[code]) << code;
    EXPECT_EQ(MapInputCode(12), 120);
}

TEST_F(DeviceTest, InputCodesToSlots)
{
    const int number[] = {0, 10, 20, 30, 40, 50, 60, 70, 40, 41, 60, 61};
    const int slot[] = {0, 1, 2, 3, 4, 5, 6, 7, 4, 4, 6, 6};
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(MapInputCode(c), number[c]) << c;
        EXPECT_EQ(SlotOfInputCode(c), slot[c]) << c;
    }
    for (int c : {12, 13, 200, 255, -1}) EXPECT_EQ(SlotOfInputCode(c), -1) << c;
}

TEST_F(DeviceTest, ConnectByIpChecksTheTextFirst)
{
    for (const char* refused : {"192.168.1", "", "300.0.0.1", "abc.def.ghi.jkl"}) EXPECT_FALSE(dev->ConnectDeviceByIp(refused)) << refused;
    EXPECT_TRUE(rec.Calls().empty());

    EXPECT_TRUE(dev->ConnectDeviceByIp("127.000.000.001"));
    const auto calls = rec.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].op, comm::RecordedCall::Op::ConnectNet);
    EXPECT_EQ(calls[0].text, "127.0.0.1");
    EXPECT_EQ(calls[0].value, 61213);
}

TEST_F(DeviceTest, ReapplyingTheOwnBlockIsSafe)
{
    dev->input[6].src = 9;
    dev->chnl[1].input = 8;
    dev->fromFile = 1;
    dev->ParseParamBlock(dev->Block());
    EXPECT_EQ(dev->inputNames[6].name, " UDISK-1");
    EXPECT_EQ(dev->chnl[1].input, 4);
}
