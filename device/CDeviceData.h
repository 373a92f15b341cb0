#pragma once
// The one device-state object: the processor's parameter block (as its base, so that block fields
// read as dev.chnl[w].input), the status fields replies fill, the one-shot flags the command
// encoder reads, the name tables the pages show and the seeds of the pages' edit fields.
// Read and written on the UI thread only.

#include "device/CommandIds.h"
#include "device/DeviceParamBlock.h"

#include <QString>

#include <array>
#include <cstdint>

// The address byte passed with every transfer: 110 at start, 0xFF while searching, otherwise the
// last octet of the chosen processor's IPv4 address.
extern uint8_t g_DeviceAddress;
constexpr uint8_t kDefaultDeviceAddress = 110;

using CommandBlock = std::array<uint8_t, 32>;
using CommandArgs = std::array<uint8_t, 32>;
constexpr uint8_t kCommandFill = 0x55;

struct SystemInfo {
    uint8_t b0;
    uint16_t w2;
    uint8_t b4[4];
    uint16_t w8[4];
    uint8_t b16[2];
};
static_assert(sizeof(SystemInfo) == 18);

struct VgaState {
    uint32_t input;
    uint32_t clock;
    uint32_t phase;
    uint8_t hPos;
    uint8_t vPos;
    uint16_t adc[6];
};

struct FeatherState {
    uint8_t onOff;
    int32_t shape[4];
    int32_t level[4];
};

struct NamedId {
    int32_t id;
    QString name;
};

struct InputName {
    int32_t item;
    int32_t enabled;
    int32_t first;
    QString name;
    QString displayName;
};

struct OutputResolutionName {
    uint16_t hAct;
    uint16_t vAct;
    uint16_t fps;  // times 100
    uint16_t reserved;
    QString label;
};

struct PictureModeName {
    uint8_t id;
    float gamma;
    uint8_t values[9];
    QString name;
};

struct ColorTempName {
    uint8_t r, g, b;
    QString name;
};

struct PictureEditSeed {
    uint8_t reserved0;
    uint8_t brightLevelSeed;  // 17
    float gammaSeed;          // 0.0
    uint8_t reserved1;
    // brightness, contrast, saturation, sharpness, hue, colour-temperature row, red, green, blue
    uint8_t resetDefaults[9];
};

struct CustomTimingSeed {
    uint8_t head[4];     // 18, 112, 0, 0
    uint16_t values[8];  // 1024, 1024, 1024, 0, 768, 768, 768, 0
};

struct LayerSeed {
    uint8_t reserved;
    int32_t layerSendFlag;  // sent as byte 9 of command 4, cleared after
    uint16_t x, y, width, height;
};

struct CropSeed {
    int32_t a;
    int32_t b;
    uint16_t c;  // 32
    uint16_t d;  // 32
};

struct PipSeed {
    int32_t value;
    uint16_t size;  // 64
    uint8_t number; // n + 1
};

struct GrabPosition {
    uint16_t x;
    uint16_t y;
};

struct EdidSeed {
    uint16_t reserved;
    uint16_t hAct;  // 1024
    uint16_t vAct;  // 768
    uint16_t fps;   // 60
    uint32_t value;
};

struct LogoEditCopy {
    uint16_t hPos[kLogoSlotCount];
    uint16_t vPos[kLogoSlotCount];
    uint16_t hAct[kLogoSlotCount];
    uint16_t vAct[kLogoSlotCount];
};

struct TaskSeed {
    uint8_t year, month, day, hour, minute, second, preset, option;
};

class CDeviceData : public DeviceParamBlock {
public:
    CDeviceData();
    CDeviceData(const CDeviceData&) = delete;
    CDeviceData& operator=(const CDeviceData&) = delete;

    DeviceParamBlock& Block() { return *this; }
    const DeviceParamBlock& Block() const { return *this; }

    // Applies a whole block from reply 2 or from a project file (fromFile set by the reader).
    void ParseParamBlock(const DeviceParamBlock& block);
    void UpdateDpInputs();
    void ApplyCompositeBoard(const CompositeBoardInfo& rec);
    // Input index (0..11) of window w for pic and crop; -1 when w or its input code is out of range.
    int GetWindowInputIndex(int w) const;
    // Opens the network link to port 61213 of the address the text names, in its one form; false,
    // and nothing opened, when the text is no IPv4 address (comm::ReadAddressText).
    bool ConnectDeviceByIp(const QString& ip);

    // Fills one command block from the arguments and the device state and hands it to the
    // communication library; command 22 sends the parameter block instead. A command whose
    // window, record, task or slot index is out of range is not sent.
    template <typename... Args>
    void SendCommand(int cmdId, Args... args)
    {
        static_assert(sizeof...(Args) <= 32, "at most 32 byte arguments");
        CommandArgs a{static_cast<uint8_t>(args)...};
        SendCommandArgs(cmdId, a);
    }
    void SendCommandArgs(int cmdId, const CommandArgs& args);
    // The encoder proper: false when the command must not be sent. Applies the command's side
    // effects (one-shot flags, lastQueryWindow) only when it returns true.
    bool BuildCommandBlock(int cmdId, const CommandArgs& args, CommandBlock& out);

    // --- status and exchange fields ---
    uint16_t grabColor[3] = {};
    SystemInfo sysInfo = {};
    VgaState vga = {};
    uint8_t machineTime[6] = {};
    uint8_t caption[4][32] = {};
    uint8_t logoSlot = 0;
    uint8_t eventCode = 0;
    uint8_t eventArg[2] = {};
    uint8_t encoderInfo[10] = {};
    uint32_t ackOffset = 0;
    uint32_t ackValue = 0;
    uint8_t ackStatus = 0;
    uint8_t multiMachine = 0;
    uint8_t previewAvailable = 0;
    uint8_t fromFile = 0;
    QString foundIp;
    uint8_t foundMac[6] = {};
    uint8_t presetStored[10] = {};
    uint8_t logoDirty = 0;
    uint32_t onlineState = 0;
    uint8_t netMode = 1;
    int32_t lastSignalInput = 0;
    int32_t picApplyAll[4] = {};
    int32_t lastLayerWindow = 0;
    FeatherState feather = {};
    uint32_t replyArrived = 0;
    uint8_t lastStatus = 0;
    // Command 0 went out and no reply 2 has come since (the busy dialog's watchdog reads it).
    uint8_t allDataAwaited = 0;

    // --- name tables ---
    NamedId genlockNames[13];
    NamedId syncModeNames[3];
    uint8_t picModePresets[7][10];
    int32_t picSendFlag = 0;
    int32_t picCommonFlag = 1;
    PictureEditSeed picEdit = {};
    InputName inputNames[kInputIndexCount];
    CustomTimingSeed customTiming = {};
    uint8_t outputFlag = 0;
    OutputResolutionName outputResolutions[19];
    uint8_t picRows[32][10];
    PictureModeName pictureModes[8];
    ColorTempName colorTemps[9];

    // --- page seeds ---
    LayerSeed layerSeeds[kWindowCount];
    CropSeed cropSeeds[32];
    uint8_t cropSeedA = 2;
    uint8_t cropSeedB = 4;
    uint8_t mosaicCell = 5;  // selected splicing preview cell; 8 means none
    int32_t mosaicSubOp = 0;
    uint8_t mosaicSeedFlag = 1;
    int32_t mosaicSeeds[6][4];
    PipSeed pipSeeds[3];
    GrabPosition grabPos = {};
    EdidSeed edidSeeds[kEdidRecordCount];
    LogoEditCopy logoEdit = {};
    uint8_t keyerRangeLow[3][13];
    uint8_t keyerRangeHigh[3][13];
    uint32_t seedWord600 = 0x600;
    TaskSeed taskSeeds[kTaskCount];
    uint8_t lastQueryWindow = 0;
    uint8_t testPattern = 0;
};

// The process-wide device state, built on first use.
CDeviceData& GetDeviceData();

// The name an input row starts with (" DVI-1 ", ..., " DP2-R "); empty for a row out of range.
QString DefaultInputName(int row);

// The processor's input number of an input code (command 7 sends it as tens and units): 40, 41
// for the dual-link halves 8, 9 of slot 4, 60, 61 for the halves 10, 11 of slot 6, else code x 10.
int MapInputCode(int code);
// The physical slot (0..7) whose signal an input code carries (the dual-link halves read slots 4
// and 6), or -1 for a code outside the input table.
int SlotOfInputCode(int code);
