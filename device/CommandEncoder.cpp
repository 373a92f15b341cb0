// The one door through which every request leaves the program: fills a 32-byte command block
// from the arguments and the device state. Each call fills its own block, so a send from a page
// and a follow-up query from a reply handler can never mix their bytes.

#include "device/CDeviceData.h"

#include "comm/QVN_Comm.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

void Put16(CommandBlock& b, int at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(CommandBlock& b, int at, uint32_t v)
{
    for (int n = 0; n < 4; ++n) b[at + n] = static_cast<uint8_t>(v >> (8 * n));
}

uint8_t Low(int32_t v) { return static_cast<uint8_t>(v); }

// Gamma goes out as gamma times ten rounded to nearest, low byte: the edit's one-decimal values
// are floats (0.7f is 0.69999...), so truncating would send 0.7 as 6. NaN and values beyond the
// integer range would be undefined to convert; they send 0 and the saturated value.
uint8_t GammaTimesTen(float gamma)
{
    const double v = static_cast<double>(gamma) * 10.0;
    if (!std::isfinite(v)) return 0;
    const double t = std::round(v);
    if (t >= static_cast<double>(std::numeric_limits<int32_t>::max())) return Low(std::numeric_limits<int32_t>::max());
    if (t <= static_cast<double>(std::numeric_limits<int32_t>::min())) return Low(std::numeric_limits<int32_t>::min());
    return Low(static_cast<int32_t>(t));
}

bool IsWindow(int w) { return w >= 0 && w < kWindowCount; }

// EDID commands address a record by input number: record p up to 5, record p - 1 above.
int EdidRecord(int p) { return p > 5 ? p - 1 : p; }
bool IsEdidRecord(int e) { return e >= 0 && e < kEdidRecordCount; }

}  // namespace

bool CDeviceData::BuildCommandBlock(int cmdId, const CommandArgs& p, CommandBlock& b)
{
    b.fill(kCommandFill);
    switch (cmdId & 0xFFFF) {
    case CMD_PRESET:
        b[0] = p[0];
        b[1] = p[1];
        break;
    case CMD_SET_OUTPUT_TIMING:
        b[0] = Low(outputReso.resoIndex);
        Put16(b, 1, outputReso.hReso);
        Put16(b, 3, outputReso.vReso);
        Put16(b, 5, outputReso.fps);
        Put16(b, 7, outputReso.hTotal);
        Put16(b, 9, outputReso.hSync);
        Put16(b, 11, outputReso.hbp);
        Put16(b, 13, outputReso.vTotal);
        Put16(b, 15, outputReso.vSync);
        Put16(b, 17, outputReso.vbp);
        b[19] = outputReso.hPol;
        b[20] = outputReso.vPol;
        b[21] = outputFlag;
        break;
    case CMD_SET_PICTURE: {
        const int w = p[0];
        const int i = GetWindowInputIndex(w);
        if (i < 0) return false;
        const PictureSettings& r = pic[i][w];
        b[0] = Low(picCommonFlag);
        b[1] = Low(picComm.picMode);
        b[2] = Low(picComm.brightLevel);
        b[3] = GammaTimesTen(picComm.gamma);
        b[4] = static_cast<uint8_t>(w);
        b[5] = Low(picApplyAll[w]);
        b[6] = r.brightness;
        b[7] = r.contrast;
        b[8] = r.saturation;
        b[9] = r.hue;
        b[10] = r.sharpness;
        b[11] = Low(r.colorTemp);
        b[12] = r.colorRed;
        b[13] = r.colorGreen;
        b[14] = r.colorBlue;
        b[15] = Low(picSendFlag);
        picSendFlag = 0;
        picCommonFlag = 1;
        break;
    }
    case CMD_SET_LAYER_WINDOW: {
        const int w = p[0];
        if (!IsWindow(w)) return false;
        const LayerWindow& L = chnl[w];
        b[0] = static_cast<uint8_t>(w);
        Put16(b, 1, static_cast<uint32_t>(L.hPos));
        Put16(b, 3, static_cast<uint32_t>(L.vPos));
        Put16(b, 5, static_cast<uint32_t>(L.hAct));
        Put16(b, 7, static_cast<uint32_t>(L.vAct));
        b[9] = Low(layerSeeds[w].layerSendFlag);
        b[10] = Low(L.rotation);
        layerSeeds[w].layerSendFlag = 0;
        break;
    }
    case CMD_SET_CROP: {
        const int w = p[0];
        const int i = GetWindowInputIndex(w);
        if (i < 0) return false;
        const CropWindow& c = crop[i][w];
        b[0] = static_cast<uint8_t>(w);
        b[1] = c.onOff;
        Put16(b, 2, c.hPos);
        Put16(b, 4, c.vPos);
        Put16(b, 6, c.hAct);
        Put16(b, 8, c.vAct);
        b[10] = p[1];
        break;
    }
    case CMD_SET_SPLICING_WINDOW: {
        const int w = p[0];
        if (!IsWindow(w)) return false;
        b[0] = p[1];
        b[1] = Low(mosaic.mode);
        b[2] = mosaicCell;
        b[3] = static_cast<uint8_t>(w);
        Put32(b, 4, static_cast<uint32_t>(mosaic.win.hPos[w]));
        Put32(b, 8, static_cast<uint32_t>(mosaic.win.vPos[w]));
        Put32(b, 12, static_cast<uint32_t>(mosaic.win.hAct[w]));
        Put32(b, 16, static_cast<uint32_t>(mosaic.win.vAct[w]));
        Put32(b, 20, static_cast<uint32_t>(mosaic.win.hTotal[w]));
        Put32(b, 24, static_cast<uint32_t>(mosaic.win.vTotal[w]));
        b[28] = Low(mosaicSubOp);
        b[29] = Low(mosaic.option);
        break;
    }
    case CMD_SET_LAYER_INPUT: {
        const int w = p[0];
        if (!IsWindow(w) || chnl[w].input >= kInputIndexCount) return false;
        const int c = MapInputCode(chnl[w].input);
        b[0] = static_cast<uint8_t>(w);
        b[1] = static_cast<uint8_t>(c / 10);
        b[2] = static_cast<uint8_t>(c % 10);
        break;
    }
    case CMD_SET_PIP: {
        const int k = p[0] + 1;
        if (k < 1 || k > 3) return false;
        b[0] = static_cast<uint8_t>(k);
        b[1] = chnl[k].onOff;
        b[2] = chnl[k].alpha;
        break;
    }
    case CMD_LOGO: {
        const int op = p[0];
        const int s = op == 0 ? p[1] : op == 1 ? logo.curId : logoSlot;
        if (s < 0 || s >= kLogoSlotCount) return false;
        const bool fromEdit = logo.usage == 0 || op == 3;
        const uint16_t h = fromEdit ? logoEdit.hPos[s] : logo.win.hPos[s];
        const uint16_t v = fromEdit ? logoEdit.vPos[s] : logo.win.vPos[s];
        const uint16_t wd = fromEdit ? logoEdit.hAct[s] : logo.win.hAct[s];
        const uint16_t ht = fromEdit ? logoEdit.vAct[s] : logo.win.vAct[s];
        b[0] = static_cast<uint8_t>(op);
        b[1] = static_cast<uint8_t>(s);
        Put16(b, 2, h);
        Put16(b, 4, v);
        Put16(b, 6, wd);
        Put16(b, 8, ht);
        b[10] = p[1];
        b[11] = logo.usage;
        b[12] = logo.onOff;
        b[13] = logo.pos;
        b[14] = logo.border;
        break;
    }
    case CMD_SET_EDID: {
        const int e = EdidRecord(p[0]);
        if (!IsEdidRecord(e)) return false;
        const EdidTiming& r = edid[e];
        b[0] = r.inputSrc;
        b[1] = p[1];
        Put16(b, 2, r.hAct);
        Put16(b, 4, r.vAct);
        Put16(b, 6, r.fps);
        Put16(b, 8, r.hBlank);
        Put16(b, 10, r.vBlank);
        break;
    }
    case CMD_SET_KEYER: {
        const KeyerSettings& k = p[31] == 3 ? keyer[0] : keyer[1];
        b[0] = k.onOff;
        b[1] = Low(k.mode);
        b[2] = k.redL;
        b[3] = k.redH;
        b[4] = k.greenL;
        b[5] = k.greenH;
        b[6] = k.blueL;
        b[7] = k.blueH;
        b[8] = k.gainIn;
        b[9] = k.gainOut;
        b[10] = k.gainBnd;
        b[31] = p[31];
        break;
    }
    case CMD_SET_TEST_PATTERN:
        b[0] = testPattern;
        break;
    case CMD_PIXEL_GRAB:
        b[0] = p[0];
        Put16(b, 1, grabPos.x);
        Put16(b, 3, grabPos.y);
        break;
    case CMD_VGA_ADJUST:
        b[0] = p[0];
        b[1] = static_cast<uint8_t>(vga.input);
        b[2] = p[1];
        Put16(b, 3, vga.clock);
        b[5] = static_cast<uint8_t>(vga.phase);
        b[6] = vga.hPos;
        b[7] = vga.vPos;
        b[8] = p[1];
        Put16(b, 9, vga.adc[0]);
        Put16(b, 11, vga.adc[2]);
        Put16(b, 13, vga.adc[4]);
        Put16(b, 15, vga.adc[1]);
        Put16(b, 17, vga.adc[3]);
        Put16(b, 19, vga.adc[5]);
        b[21] = p[1];
        break;
    case CMD_SET_WORK_MODE:
        b[0] = pvwMode;
        break;
    case CMD_SET_FADE_TIME:
        b[0] = Low(pvwDTime);
        break;
    case CMD_SET_SCHEDULE: {
        const int t = p[0];
        if (t >= kTaskCount) return false;
        b[0] = p[1];
        b[1] = taskStatus;
        if (p[1] == 1) {
            const ScheduleTask& task = this->task[t];
            const uint8_t when[6] = {task.year, task.month, task.day, task.hour, task.min, task.sec};
            std::memcpy(&b[2], when, 6);
        } else {
            std::memcpy(&b[2], machineTime, 6);
        }
        b[8] = static_cast<uint8_t>(t);
        b[9] = task[t].presetId;
        b[10] = Low(task[t].option);
        break;
    }
    case CMD_SET_LOOP_OUT:
        b[0] = loopOutIp;
        break;
    case CMD_SET_MULTI_MACHINE:
        b[0] = multiMachine;
        break;
    case CMD_SET_SYNC_MODE:
    case CMD_COMPOSITE_BOARD:
    case CMD_MEDIA_KEY:
    case CMD_LED_OUTPUT:
        b[0] = p[0];
        b[1] = p[1];
        break;
    case CMD_CAPTION_BITMAP:
    case CMD_CAPTION_SETTINGS:
        std::memcpy(b.data(), p.data(), 10);
        break;
    case CMD_SET_STREAM:
        std::memcpy(b.data(), p.data(), 9);
        break;
    case CMD_RAW18:
        std::memcpy(b.data(), p.data(), 18);
        break;
    case CMD_SET_FEATHER:
        b[0] = feather.onOff;
        for (int n = 0; n < 4; ++n) {
            b[1 + 2 * n] = Low(feather.shape[n]);
            b[2 + 2 * n] = Low(feather.level[n]);
        }
        b[9] = p[0];
        break;
    case CMD_FREEZE:
    case CMD_QUERY_INPUT_INFO:
    case CMD_QUERY_VGA:
    case CMD_QUERY_MACHINE_TIME:
    case CMD_QUERY_KEYER:
    case CMD_QUERY_ENCODER:
    case CMD_SEARCH_DEVICES:
    case CMD_QUERY_CAPTION:
        b[0] = p[0];
        break;
    case CMD_QUERY_EDID: {
        const int e = EdidRecord(p[0]);
        if (!IsEdidRecord(e)) return false;
        b[0] = edid[e].inputSrc;
        break;
    }
    case CMD_QUERY_PICTURE:
    case CMD_QUERY_LAYER_WINDOW:
    case CMD_QUERY_WINDOW55:
    case CMD_QUERY_SPLICING_WINDOW:
        lastQueryWindow = p[0];
        b[0] = p[0];
        break;
    case CMD_RAW32:
    case CMD_RAW32_72:
        std::memcpy(b.data(), p.data(), 32);
        break;
    default:
        // No parameters (queries, reset, read-all) or an id without a case: 32 bytes of 0x55.
        break;
    }
    return true;
}

void CDeviceData::SendCommandArgs(int cmdId, const CommandArgs& args)
{
    if ((cmdId & 0xFFFF) == CMD_SEND_ALL_DATA) {
        uint8_t block[kParamBlockBytes];
        std::memcpy(block, &Block(), sizeof block);
        QVN_Comm_SendBlock(block, g_DeviceAddress);
        return;
    }
    CommandBlock block;
    if (!BuildCommandBlock(cmdId, args, block)) return;
    if ((cmdId & 0xFFFF) == CMD_GET_ALL_DATA) allDataAwaited = 1;
    QVN_Comm_SendCommand(cmdId, block.data(), g_DeviceAddress);
}
