#include "device/CDeviceData.h"

#include "comm/QVN_Comm.h"
#include "device/PathUtils.h"

#include <cstring>

uint8_t g_DeviceAddress = kDefaultDeviceAddress;

namespace {

void SetLayerInputs(CDeviceData& d, int from, int to)
{
    for (auto& layer : d.chnl)
        if (layer.input == from) layer.input = static_cast<uint8_t>(to);
}

void EnableRow(CDeviceData& d, int row, bool on) { d.inputNames[row].enabled = on ? 1 : 0; }

}  // namespace

CDeviceData::CDeviceData()
    : DeviceParamBlock{}
{
    static const char* const genlock[13] = {
        " Free Run", " Lock To Main Input", " Lock To GenLock", " Lock To DVI1", " Lock To DVI2",
        " Lock To HDMI1", " Lock To HDMI2", " Lock To DP1", " Lock To DVI3", " Lock To DVI4",
        " Lock To HDMI3", " Lock To HDMI4", " Lock To DP2"};
    for (int n = 0; n < 13; ++n) genlockNames[n] = {n, QString::fromLatin1(genlock[n])};

    static const char* const sync[3] = {" Auto", " Mode 1", " Mode 2"};
    for (int n = 0; n < 3; ++n) syncModeNames[n] = {n, QString::fromLatin1(sync[n])};

    static const uint8_t presets[7][10] = {
        {17, 0, 50, 50, 50, 50, 12, 128, 128, 128}, {8, 0, 50, 50, 50, 50, 12, 128, 128, 128},
        {8, 8, 50, 50, 50, 50, 12, 128, 128, 128},  {8, 15, 50, 50, 50, 50, 12, 128, 128, 128},
        {17, 0, 48, 52, 55, 50, 12, 128, 128, 128}, {17, 0, 48, 52, 45, 50, 12, 128, 128, 128},
        {17, 0, 50, 50, 0, 50, 12, 128, 128, 128}};
    std::memcpy(picModePresets, presets, sizeof presets);

    picEdit.brightLevelSeed = 17;
    picEdit.gammaSeed = 0.0f;
    static const uint8_t resetDefaults[9] = {50, 50, 50, 12, 50, 8, 128, 128, 128};
    std::memcpy(picEdit.resetDefaults, resetDefaults, sizeof resetDefaults);

    for (int n = 0; n < kInputIndexCount; ++n) {
        const QString name = DefaultInputName(n);
        inputNames[n] = {n, n < 6 ? 1 : 0, n == 0 ? 1 : 0, name, name};
    }

    customTiming = {{18, 112, 0, 0}, {1024, 1024, 1024, 0, 768, 768, 768, 0}};

    struct ResoRow { uint16_t h, v, fps; const char* label; };
    static const ResoRow resos[19] = {
        {1024, 768, 6000, "1024 x 768      60Hz"},   {1280, 1024, 6000, "1280 x 1024    60Hz"},
        {1024, 768, 12000, "1024 x 768      120Hz"}, {1280, 720, 5994, "1280 x 720    59.94Hz"},
        {1280, 720, 6000, "1280 x 720      60Hz"},   {1440, 900, 6000, "1440 x 900      60Hz"},
        {1600, 1200, 6000, "1600 x 1200    60Hz"},   {1600, 1200, 6000, "1600 x 1200 60Hz Redc."},
        {1680, 1050, 6000, "1680 x 1050    60Hz"},   {1920, 1080, 5994, "1920 x 1080    59.94Hz"},
        {1920, 1080, 6000, "1920 x 1080    60Hz"},   {1920, 1080, 5000, "1920 x 1080    50Hz"},
        {2176, 1168, 6000, "2176 x 1168    60Hz"},   {1920, 1200, 6000, "1920 x 1200    60Hz"},
        {1936, 1280, 6000, "1936 x 1280    60Hz"},   {2048, 1152, 6000, "2048 x 1152    60Hz"},
        {1024, 1280, 6000, "1024 x 1280    60Hz"},   {1536, 1536, 6000, "1536 x 1536    60Hz"},
        {1024, 768, 6000, "Customized  Resolution"}};
    for (int n = 0; n < 19; ++n)
        outputResolutions[n] = {resos[n].h, resos[n].v, resos[n].fps, 0, QString::fromLatin1(resos[n].label)};

    static const uint8_t picRow[10] = {0, 0, 50, 50, 50, 50, 50, 128, 128, 128};
    for (auto& row : picRows) std::memcpy(row, picRow, sizeof picRow);

    static const char* const modes[8] = {" Standard ", " Low Light1 ", " Low Light2 ", " Low Light3 ",
                                         " Video ",    " Graphic ",    " Monochrome ", " User "};
    for (int k = 0; k < 8; ++k) {
        auto& m = pictureModes[k];
        m.id = static_cast<uint8_t>(k + 1);
        m.gamma = 0.1f + 0.5f * static_cast<float>(k);
        const uint8_t t = static_cast<uint8_t>(10 * k), two = static_cast<uint8_t>(2 * k),
                      tw = static_cast<uint8_t>(20 * k);
        const uint8_t values[9] = {t, t, t, two, t, 8, tw, tw, tw};
        std::memcpy(m.values, values, sizeof values);
        m.name = QString::fromLatin1(modes[k]);
    }

    static const char* const temps[9] = {" 4000K ", " 5000K ", " 6500K ", " 7500K ", " 8200K ",
                                         " 9300K ", " 10000K ", " 11500K ", " User "};
    for (int k = 0; k < 9; ++k) {
        const uint8_t v = static_cast<uint8_t>(20 * k);
        colorTemps[k] = {v, v, v, QString::fromLatin1(temps[k])};
    }

    for (int w = 0; w < kWindowCount; ++w)
        layerSeeds[w] = {0, 0, static_cast<uint16_t>((w % 2) * 480), static_cast<uint16_t>((w / 2) * 320), 480, 320};
    for (auto& c : cropSeeds) c = {0, 0, 32, 32};
    for (int row = 0; row < 6; ++row)
        for (int w = 0; w < 4; ++w) mosaicSeeds[row][w] = row < 2 ? 0 : 32;
    for (int n = 0; n < 3; ++n) pipSeeds[n] = {0, 64, static_cast<uint8_t>(n + 1)};
    for (auto& e : edidSeeds) e = {0, 1024, 768, 60, 0};
    std::memset(keyerRangeLow, 0, sizeof keyerRangeLow);
    std::memset(keyerRangeHigh, 255, sizeof keyerRangeHigh);
    for (int n = 0; n < kTaskCount; ++n) taskSeeds[n] = {16, 8, 7, 12, 0, 0, static_cast<uint8_t>(n), 0};
}

void CDeviceData::ParseParamBlock(const DeviceParamBlock& block)
{
    for (auto& row : inputNames) row.enabled = 0;
    Block() = block;

    for (int n = 0; n < kInputSlotCount; ++n) {
        const int32_t type = input[n].src;
        if (type >= 0 && type <= 9) {
            EnableRow(*this, n, true);
            if (n == 6 || n == 7) {
                const bool six = n == 6;
                switch (type) {
                case 3: inputNames[n].name = six ? " VGA-1" : " VGA-2"; break;
                case 4: inputNames[n].name = six ? " DVI-3" : " DVI-4"; break;
                case 6: inputNames[n].name = six ? " HDMI-3" : " HDMI-4"; break;
                case 7: inputNames[n].name = six ? " SDI-2" : " SDI-3"; break;
                case 8: if (six) inputNames[n].name = " DP-2"; break;
                case 9: inputNames[n].name = six ? " UDISK-1" : " UDISK-2"; break;
                default: break;
                }
            }
            if (type == 3) SendCommand(CMD_QUERY_VGA, n);
        }
        if (inputState[n] != 0 && fromFile == 0) SendCommand(CMD_QUERY_INPUT_INFO, n);
    }

    if (fromFile == 1) {
        ApplyCompositeBoard(cmpBoard);
        feather.onOff = 0;
    }
    fromFile = 0;
    UpdateDpInputs();
}

QString DefaultInputName(int row)
{
    static const char* const names[kInputIndexCount] = {
        " DVI-1 ", " HDMI-1 ", " DVI-2 ", " HDMI-2 ", " DP-1 ", " SDI-1 ",
        " EXT-1 ", " EXT-2 ", " DP1-L ", " DP1-R ", " DP2-L ", " DP2-R "};
    if (row < 0 || row >= kInputIndexCount) return {};
    return QString::fromLatin1(names[row]);
}

void CDeviceData::UpdateDpInputs()
{
    if (dpMode[0] == 0) {
        EnableRow(*this, 4, true);
        EnableRow(*this, 8, false);
        EnableRow(*this, 9, false);
        SetLayerInputs(*this, 8, 4);
        SetLayerInputs(*this, 9, 4);
    } else if (dpMode[0] == 1) {
        EnableRow(*this, 4, false);
        EnableRow(*this, 8, true);
        EnableRow(*this, 9, true);
        SetLayerInputs(*this, 4, 8);
    }

    if (input[6].src != 8) return;
    if (dpMode[1] == 0) {
        inputNames[6].name = " DP-2";
        EnableRow(*this, 6, true);
        EnableRow(*this, 10, false);
        EnableRow(*this, 11, false);
        SetLayerInputs(*this, 10, 6);
        SetLayerInputs(*this, 11, 6);
    } else if (dpMode[1] == 1) {
        EnableRow(*this, 6, false);
        EnableRow(*this, 10, true);
        EnableRow(*this, 11, true);
        SetLayerInputs(*this, 6, 10);
        inputNames[10].name = " DP2-L ";
        inputNames[11].name = " DP2-R ";
    }
}

void CDeviceData::ApplyCompositeBoard(const CompositeBoardInfo& rec)
{
    cmpBoard = rec;
    if (!cmpBoard.exist) return;

    // actNoSrc picks one of the three offered sources; anything else names no source.
    const int32_t act = cmpBoard.actNoSrc;
    if (act >= 0 && act < 3) input[6].src = cmpBoard.ipSrc[act];
    inputReso[6].hAct = cmpBoard.actHAct;
    inputReso[6].vAct = cmpBoard.actVAct;
    inputReso[6].fps = cmpBoard.actFps;
    inputReso[6].ile = cmpBoard.actInterlace;
    dpMode[1] = cmpBoard.actDual;

    const int32_t type = input[6].src;
    if (type == 8) {
        inputNames[6].name = " DP-2";
    } else if (type == 6) {
        if (act == 0) inputNames[6].name = " DVI-3*";
        else if (act == 1) inputNames[6].name = " HDMI-3";
    }

    if (type != 8 && type != 6) return;
    if (cmpBoard.actDual == 0) {
        EnableRow(*this, 6, true);
        EnableRow(*this, 10, false);
        EnableRow(*this, 11, false);
        SetLayerInputs(*this, 10, 6);
        SetLayerInputs(*this, 11, 6);
    } else if (cmpBoard.actDual == 1) {
        EnableRow(*this, 6, false);
        EnableRow(*this, 10, true);
        EnableRow(*this, 11, true);
        SetLayerInputs(*this, 6, 10);
        if (type == 8) {
            inputNames[10].name = " DP2-L ";
            inputNames[11].name = " DP2-R ";
        } else if (act == 0) {
            inputNames[10].name = " DVI3*-L ";
            inputNames[11].name = " DVI3*-R ";
        } else if (act == 1) {
            inputNames[10].name = " HDMI3-L ";
            inputNames[11].name = " HDMI3-R ";
        }
    }
}

int CDeviceData::GetWindowInputIndex(int w) const
{
    if (w < 0 || w >= kWindowCount) return -1;
    const int c = chnl[w].input;
    const bool composite = input[6].src == 6 && cmpBoard.exist != 0;
    const int32_t act = cmpBoard.actNoSrc;
    switch (c) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 7:
        return c;
    case 6:
        if (!composite) return 6;
        return act == 0 ? 10 : act == 1 ? 6 : 0;
    case 8:
        return 4;
    case 9:
        return 8;
    case 10:
        if (input[6].src == 8) return 6;
        if (composite) return act == 0 ? 10 : act == 1 ? 6 : 0;
        if (input[6].src == 6) return 6;
        return 0;
    case 11:
        if (composite) return act == 0 ? 11 : act == 1 ? 9 : 0;
        if (input[6].src == 6) return 0;
        return 9;
    default:
        return -1;  // no such input code: no record belongs to it
    }
}

bool CDeviceData::ConnectDeviceByIp(const QString& ip)
{
    // Read as the library reads an address, so that nothing it would refuse counts as a connect;
    // the link is known by the address in its one form ("127.000.000.033" is 127.0.0.33).
    const QByteArray text = CanonicalIp(ip).toUtf8();
    if (text.isEmpty()) return false;
    QVN_Comm_ConnectNet(text.constData(), comm::kDevicePort);
    return true;
}

CDeviceData& GetDeviceData()
{
    static CDeviceData data;
    return data;
}

int MapInputCode(int code)
{
    switch (code) {
    case 8: return 40;
    case 9: return 41;
    case 10: return 60;
    case 11: return 61;
    default: return code * 10;
    }
}

int SlotOfInputCode(int code)
{
    if (code < 0 || code >= kInputIndexCount) return -1;
    return MapInputCode(code) / 10;
}
