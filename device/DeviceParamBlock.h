#pragma once
// The processor's whole configuration in its own binary layout: 2360 bytes, little-endian, every
// field at its natural alignment. Reserved and padding bytes are explicit members so that a block
// received from a processor goes back out byte for byte.

#include <cstddef>
#include <cstdint>
#include <type_traits>

static_assert(sizeof(float) == 4, "f32 fields");

constexpr int kWindowCount = 4;      // MAIN, PIP-1 .. PIP-3
constexpr int kInputSlotCount = 8;   // physical input slots
constexpr int kInputIndexCount = 12; // picture/crop record sets (slots plus dual-link halves)
constexpr int kEdidRecordCount = 7;
constexpr int kTaskCount = 10;
constexpr int kLogoSlotCount = 4;
constexpr int kKeyerCount = 2;
constexpr std::size_t kParamBlockBytes = 2360;

struct OutputResolution {
    int32_t resoIndex;
    uint16_t hReso;
    uint16_t vReso;
    uint16_t fps;
    uint16_t hTotal;
    uint16_t vTotal;
    uint16_t hSync;
    uint16_t vSync;
    uint16_t hbp;
    uint16_t vbp;
    uint8_t hPol;
    uint8_t vPol;
};
static_assert(sizeof(OutputResolution) == 0x18);

struct PictureCommon {
    int32_t picMode;
    int32_t brightLevel;
    float gamma;
};
static_assert(sizeof(PictureCommon) == 12);

struct MosaicSettings {
    int32_t mode;
    int32_t option;
    int32_t autoArr;
    // Six arrays of four, one value per window: the processor lays them out array by array.
    struct Windows {
        int32_t hPos[kWindowCount];
        int32_t vPos[kWindowCount];
        int32_t hAct[kWindowCount];
        int32_t vAct[kWindowCount];
        int32_t hTotal[kWindowCount];
        int32_t vTotal[kWindowCount];
    } win;
};
static_assert(sizeof(MosaicSettings) == 0x6C);

struct LayerWindow {
    uint8_t onOff;
    uint8_t alpha;
    uint8_t input;      // input code 0..11, a row of the input-name table
    uint8_t reserved3;
    int32_t hPos;
    int32_t vPos;
    int32_t hAct;
    int32_t vAct;
    int32_t rotation;   // 0..7
};
static_assert(sizeof(LayerWindow) == 24);

struct InputInfo {
    int32_t src;  // input type code: 3 VGA, 4 DVI, 6 HDMI, 7 SDI, 8 DP, 9 UDISK
};

struct InputResolution {
    uint8_t idx;
    uint8_t reserved1;
    uint16_t hAct;
    uint16_t vAct;
    uint16_t fps;
    uint8_t ile;
    uint8_t reserved9;
};
static_assert(sizeof(InputResolution) == 10);

struct PictureSettings {
    uint8_t brightness;
    uint8_t contrast;
    uint8_t sharpness;
    uint8_t saturation;
    uint8_t hue;
    uint8_t reserved5[3];
    int32_t colorTemp;
    uint8_t colorRed;
    uint8_t colorGreen;
    uint8_t colorBlue;
    uint8_t reserved15;
    uint8_t option;
    uint8_t reserved17[3];
};
static_assert(sizeof(PictureSettings) == 20);

struct CropWindow {
    uint8_t onOff;
    uint8_t reserved1;
    uint16_t hPos;
    uint16_t vPos;
    uint16_t hAct;
    uint16_t vAct;
    uint16_t hTotal;
    uint16_t vTotal;
};
static_assert(sizeof(CropWindow) == 14);

struct EdidTiming {
    uint8_t inputSrc;
    uint8_t reserved1;
    uint16_t hAct;
    uint16_t vAct;
    uint16_t fps;
    uint16_t hBlank;
    uint16_t vBlank;
};
static_assert(sizeof(EdidTiming) == 12);

struct ScheduleTask {
    uint8_t year;  // minus 2000
    uint8_t month;
    uint8_t day;
    uint8_t hour;
    uint8_t min;
    uint8_t sec;
    uint8_t presetId;
    uint8_t reserved7;
    int32_t option;  // 0 not used, 1 once, 2 every day
};
static_assert(sizeof(ScheduleTask) == 12);

struct LogoSettings {
    uint8_t usage;
    uint8_t curId;
    uint8_t onOff;
    uint8_t pos;
    uint8_t border;
    uint8_t reserved5;
    struct Windows {
        uint16_t hPos[kLogoSlotCount];
        uint16_t vPos[kLogoSlotCount];
        uint16_t hAct[kLogoSlotCount];
        uint16_t vAct[kLogoSlotCount];
    } win;
    uint8_t valid[kLogoSlotCount];
};
static_assert(sizeof(LogoSettings) == 42);

struct KeyerSettings {
    uint8_t chnl;
    uint8_t onOff;
    uint8_t reserved2[2];
    int32_t mode;
    uint8_t redL;
    uint8_t redH;
    uint8_t greenL;
    uint8_t greenH;
    uint8_t blueL;
    uint8_t blueH;
    uint8_t gainIn;
    uint8_t gainOut;
    uint8_t gainBnd;
    uint8_t reserved17[3];
};
static_assert(sizeof(KeyerSettings) == 20);

struct CompositeBoardInfo {
    uint8_t exist;
    uint8_t reserved1[3];
    int32_t ipSrc[3];
    int32_t actNoSrc;
    uint8_t actSignal;
    uint8_t reserved21;
    uint16_t actHAct;
    uint16_t reserved24;
    uint16_t actVAct;
    uint16_t reserved28;
    uint16_t actFps;
    uint16_t reserved32;
    uint8_t actInterlace;
    uint8_t reserved35;
    uint8_t actDual;
    uint8_t reserved37[3];
    int32_t mode;
};
static_assert(sizeof(CompositeBoardInfo) == 44);

struct DeviceParamBlock {
    OutputResolution outputReso;                         // 0x000
    PictureCommon picComm;                               // 0x018
    MosaicSettings mosaic;                               // 0x024
    LayerWindow chnl[kWindowCount];                      // 0x090
    InputInfo input[kInputSlotCount];                    // 0x0F0
    uint8_t inputState[kInputSlotCount];                 // 0x110
    InputResolution inputReso[kInputSlotCount];          // 0x118
    PictureSettings pic[kInputIndexCount][kWindowCount]; // 0x168
    CropWindow crop[kInputIndexCount][kWindowCount];     // 0x528
    uint8_t dpMode[2];                                   // 0x7C8
    uint8_t reserved7CA[2];                              // 0x7CA
    EdidTiming edid[kEdidRecordCount];                   // 0x7CC
    uint8_t taskStatus;                                  // 0x820
    uint8_t reserved821[3];                              // 0x821
    ScheduleTask task[kTaskCount];                       // 0x824
    LogoSettings logo;                                   // 0x89C
    uint8_t reserved8C6[2];                              // 0x8C6
    uint8_t pvwMode;                                     // 0x8C8
    uint8_t reserved8C9[3];                              // 0x8C9
    int32_t pvwDTime;                                    // 0x8CC
    uint8_t pgmState[kWindowCount];                      // 0x8D0
    uint8_t pvwState[kWindowCount];                      // 0x8D4
    KeyerSettings keyer[kKeyerCount];                    // 0x8D8
    uint8_t loopOutIp;                                   // 0x900
    uint8_t freezeState;                                 // 0x901
    uint8_t reserved902[2];                              // 0x902
    int32_t syncLockMode;                                // 0x904
    int32_t syncMode;                                    // 0x908
    CompositeBoardInfo cmpBoard;                         // 0x90C
};

static_assert(std::is_trivially_copyable_v<DeviceParamBlock>);
static_assert(std::is_standard_layout_v<DeviceParamBlock>);
static_assert(sizeof(DeviceParamBlock) == kParamBlockBytes);
static_assert(offsetof(DeviceParamBlock, outputReso) == 0x000);
static_assert(offsetof(DeviceParamBlock, outputReso.vPol) == 0x017);
static_assert(offsetof(DeviceParamBlock, picComm.gamma) == 0x020);
static_assert(offsetof(DeviceParamBlock, mosaic.mode) == 0x024);
static_assert(offsetof(DeviceParamBlock, mosaic.option) == 0x028);
static_assert(offsetof(DeviceParamBlock, mosaic.autoArr) == 0x02C);
static_assert(offsetof(DeviceParamBlock, mosaic.win.hPos) == 0x030);
static_assert(offsetof(DeviceParamBlock, mosaic.win.vPos) == 0x040);
static_assert(offsetof(DeviceParamBlock, mosaic.win.hAct) == 0x050);
static_assert(offsetof(DeviceParamBlock, mosaic.win.vAct) == 0x060);
static_assert(offsetof(DeviceParamBlock, mosaic.win.hTotal) == 0x070);
static_assert(offsetof(DeviceParamBlock, mosaic.win.vTotal) == 0x080);
static_assert(offsetof(DeviceParamBlock, chnl) == 0x090);
static_assert(offsetof(DeviceParamBlock, input) == 0x0F0);
static_assert(offsetof(DeviceParamBlock, inputState) == 0x110);
static_assert(offsetof(DeviceParamBlock, inputReso) == 0x118);
static_assert(offsetof(DeviceParamBlock, pic) == 0x168);
static_assert(offsetof(DeviceParamBlock, pic[2][3]) == 0x244);
static_assert(offsetof(DeviceParamBlock, crop) == 0x528);
// The last crop record ends right where dpMode begins (0x528 + 14 * 47 = 0x7BA).
static_assert(offsetof(DeviceParamBlock, crop[11][3]) == 0x7BA);
static_assert(offsetof(DeviceParamBlock, crop[11][3]) + sizeof(CropWindow) == 0x7C8);
static_assert(offsetof(DeviceParamBlock, dpMode) == 0x7C8);
static_assert(offsetof(DeviceParamBlock, edid) == 0x7CC);
static_assert(offsetof(DeviceParamBlock, taskStatus) == 0x820);
static_assert(offsetof(DeviceParamBlock, task) == 0x824);
static_assert(offsetof(DeviceParamBlock, logo.usage) == 0x89C);
static_assert(offsetof(DeviceParamBlock, logo.border) == 0x8A0);
static_assert(offsetof(DeviceParamBlock, logo.win.hPos) == 0x8A2);
static_assert(offsetof(DeviceParamBlock, logo.win.vPos) == 0x8AA);
static_assert(offsetof(DeviceParamBlock, logo.win.hAct) == 0x8B2);
static_assert(offsetof(DeviceParamBlock, logo.win.vAct) == 0x8BA);
static_assert(offsetof(DeviceParamBlock, logo.valid) == 0x8C2);
static_assert(offsetof(DeviceParamBlock, pvwMode) == 0x8C8);
static_assert(offsetof(DeviceParamBlock, pvwDTime) == 0x8CC);
static_assert(offsetof(DeviceParamBlock, pgmState) == 0x8D0);
static_assert(offsetof(DeviceParamBlock, pvwState) == 0x8D4);
static_assert(offsetof(DeviceParamBlock, keyer) == 0x8D8);
static_assert(offsetof(DeviceParamBlock, loopOutIp) == 0x900);
static_assert(offsetof(DeviceParamBlock, freezeState) == 0x901);
static_assert(offsetof(DeviceParamBlock, syncLockMode) == 0x904);
static_assert(offsetof(DeviceParamBlock, syncMode) == 0x908);
static_assert(offsetof(DeviceParamBlock, cmpBoard) == 0x90C);
static_assert(offsetof(DeviceParamBlock, cmpBoard.actNoSrc) == 0x91C);
static_assert(offsetof(DeviceParamBlock, cmpBoard.mode) == 0x934);

// Offsets inside the records, as the processor lays them out.
static_assert(offsetof(OutputResolution, hReso) == 0x04 && offsetof(OutputResolution, fps) == 0x08);
static_assert(offsetof(OutputResolution, hSync) == 0x0E && offsetof(OutputResolution, vbp) == 0x14);
static_assert(offsetof(OutputResolution, hPol) == 0x16);
static_assert(offsetof(LayerWindow, input) == 2 && offsetof(LayerWindow, hPos) == 4);
static_assert(offsetof(LayerWindow, vAct) == 16 && offsetof(LayerWindow, rotation) == 20);
static_assert(offsetof(InputResolution, hAct) == 2 && offsetof(InputResolution, fps) == 6);
static_assert(offsetof(InputResolution, ile) == 8);
static_assert(offsetof(PictureSettings, hue) == 4 && offsetof(PictureSettings, colorTemp) == 8);
static_assert(offsetof(PictureSettings, colorRed) == 12 && offsetof(PictureSettings, colorBlue) == 14);
static_assert(offsetof(PictureSettings, option) == 16);
static_assert(offsetof(CropWindow, hPos) == 2 && offsetof(CropWindow, vTotal) == 12);
static_assert(offsetof(EdidTiming, hAct) == 2 && offsetof(EdidTiming, vBlank) == 10);
static_assert(offsetof(ScheduleTask, presetId) == 6 && offsetof(ScheduleTask, option) == 8);
static_assert(offsetof(KeyerSettings, mode) == 4 && offsetof(KeyerSettings, redL) == 8);
static_assert(offsetof(KeyerSettings, gainIn) == 14 && offsetof(KeyerSettings, gainBnd) == 16);
static_assert(offsetof(CompositeBoardInfo, ipSrc) == 4 && offsetof(CompositeBoardInfo, actSignal) == 20);
static_assert(offsetof(CompositeBoardInfo, actHAct) == 22 && offsetof(CompositeBoardInfo, actVAct) == 26);
static_assert(offsetof(CompositeBoardInfo, actFps) == 30 && offsetof(CompositeBoardInfo, actInterlace) == 34);
static_assert(offsetof(CompositeBoardInfo, actDual) == 36 && offsetof(CompositeBoardInfo, mode) == 40);
static_assert(offsetof(DeviceParamBlock, keyer[1]) == 0x8EC);
static_assert(offsetof(DeviceParamBlock, edid[6]) == 0x814);
static_assert(offsetof(DeviceParamBlock, task[9]) == 0x890);
