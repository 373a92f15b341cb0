#include "tools/emulator/EmulatorDevice.h"

#include "device/CommandIds.h"
#include "tools/emulator/FactoryBlock.h"
#include "tools/emulator/ProgramPreview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace emu {
namespace {

using comm::ReplyPacket;
using Params = std::array<uint8_t, comm::kCommandBlockSize>;

uint16_t U16(const Params& p, int at) { return static_cast<uint16_t>(p[at] | (p[at + 1] << 8)); }
int32_t I32(const Params& p, int at)
{
    return static_cast<int32_t>(uint32_t(p[at]) | uint32_t(p[at + 1]) << 8 | uint32_t(p[at + 2]) << 16 |
                                uint32_t(p[at + 3]) << 24);
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return std::vector<uint8_t>(p, p + sizeof(T));
}

std::vector<uint8_t> BlockRange(const DeviceParamBlock& b, std::size_t from, std::size_t to)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&b);
    return std::vector<uint8_t>(p + from, p + to);
}

// The input index whose picture and crop records a window uses: its input code, kept in range.
int InputIndexOf(const DeviceParamBlock& b, int w) { return b.chnl[w].input % kInputIndexCount; }

// The input-name row of processor input number n (tens: the slot; units: the half of a dual-link
// input). DP-1 (40) and the second DP or composite input (60) are one input whether or not they
// run dual-link; the row names them as the whole input or as the left half by their DP mode.
// Assumed: the processor files them by its DP mode, as the program's input rows do.
int InputRowOf(const DeviceParamBlock& b, int n)
{
    switch (n) {
    case 40: return b.dpMode[0] == 1 ? 8 : 4;
    case 41: return 9;
    case 60: return b.dpMode[1] == 1 ? 10 : 6;
    case 61: return 11;
    default: return (n / 10) % kInputIndexCount;
    }
}

class Replies {
public:
    Replies(EmulatorDevice& d) : d_(d) {}

    void Add(int id, std::vector<uint8_t> payload, int32_t arg0 = 0, int32_t arg1 = 0)
    {
        ReplyPacket r;
        r.replyId = id;
        r.deviceAddress = d_.address;
        r.status = d_.address;  // the status byte of every reply names the answering processor
        r.args[0] = arg0;
        r.args[1] = arg1;
        r.payload = std::move(payload);
        if (d_.shortPayloads && !r.payload.empty()) r.payload.resize(r.payload.size() / 2);
        out_.push_back(std::move(r));
    }
    void Status() { Add(REPLY_STATUS, {0}); }
    std::vector<ReplyPacket> Take() { return std::move(out_); }

private:
    EmulatorDevice& d_;
    std::vector<ReplyPacket> out_;
};

void LayerWindowReply(EmulatorDevice& d, Replies& r, int w)
{
    const LayerWindow& l = d.block.chnl[w];
    std::vector<uint8_t> p;
    for (int32_t v : {l.hPos, l.vPos, l.hAct, l.vAct, l.rotation}) {
        auto b = BytesOf(v);
        p.insert(p.end(), b.begin(), b.end());
    }
    r.Add(REPLY_LAYER_WINDOW, p, d.outOfRangeIndexes ? 17 : w);
}

// The colour-temperature reset: own gains, neutral.
void ResetColourTemperature(PictureSettings& s)
{
    s.colorTemp = 8;
    s.colorRed = s.colorGreen = s.colorBlue = 128;
}

// The picture defaults a processor returns to; the option byte is not a picture setting.
void ResetPictureRecord(PictureSettings& s)
{
    s.brightness = 50;
    s.contrast = 50;
    s.saturation = 50;
    s.sharpness = 12;
    s.hue = 50;
    ResetColourTemperature(s);
}

void PictureReply(EmulatorDevice& d, Replies& r, int w)
{
    auto p = BytesOf(d.block.picComm);
    auto rec = BytesOf(d.block.pic[InputIndexOf(d.block, w)][w]);
    p.insert(p.end(), rec.begin(), rec.end());
    r.Add(REPLY_PICTURE, p, d.outOfRangeIndexes ? 40 : w, 0);
}

void CropReply(EmulatorDevice& d, Replies& r, int w)
{
    r.Add(REPLY_CROP, BytesOf(d.block.crop[InputIndexOf(d.block, w)][w]), d.outOfRangeIndexes ? 40 : w, 0);
}

void LayerStateReply(EmulatorDevice& d, Replies& r)
{
    std::vector<uint8_t> p;
    for (const auto& l : d.block.chnl) p.insert(p.end(), {l.onOff, l.alpha, l.input});
    r.Add(REPLY_LAYER_STATE, p, d.outOfRangeIndexes ? 99 : kWindowCount);
}

void InputSignalReply(EmulatorDevice& d, Replies& r, int slot)
{
    const InputResolution& ir = d.block.inputReso[slot];
    std::vector<uint8_t> p(10, 0);
    p[0] = static_cast<uint8_t>(d.outOfRangeIndexes ? 200 : slot);
    std::memcpy(&p[2], &ir.hAct, 2);
    std::memcpy(&p[4], &ir.vAct, 2);
    std::memcpy(&p[6], &ir.fps, 2);
    p[8] = ir.ile;
    r.Add(REPLY_INPUT_SIGNAL, p);
}

void PutU16(uint8_t* at, uint16_t v)
{
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

// A processor whose preview encoder runs says so after the program has read it and whenever it
// is asked about the stream.
void PreviewModeReply(EmulatorDevice& d, Replies& r)
{
    if (d.previewMode) r.Add(REPLY_PREVIEW_MODE, {d.previewMode});
}

void EncoderReply(EmulatorDevice& d, Replies& r, int type)
{
    if (type < 0 || type > 2) {
        r.Status();
        return;
    }
    std::vector<uint8_t> record(d.encoderRecords[type], d.encoderRecords[type] + 10);
    if (type == 0) {
        unsigned a = 0, b = 0, c = 0, e = 0;
        if (std::sscanf(d.ip.c_str(), "%u.%u.%u.%u", &a, &b, &c, &e) == 4)
            for (unsigned i = 0; i < 4; ++i) record[5 + i] = static_cast<uint8_t>(std::array<unsigned, 4>{a, b, c, e}[i]);
    }
    r.Add(REPLY_ENCODER_INFO, record);
    if (type == 2) PreviewModeReply(d, r);
}

void VgaReply(EmulatorDevice& d, Replies& r)
{
    r.Add(REPLY_VGA_DATA, std::vector<uint8_t>(d.vga, d.vga + sizeof d.vga));
}

// Command 14: (0, 0) display values, (0, 1) auto adjust, (1, 0) ADC values, (1, 1) calibrate,
// (1, 2) ADC reset, (2, x) DDC on or off. Adjustments end with event 1 (argument 1: done).
void VgaAdjust(EmulatorDevice& d, Replies& r, const Params& p)
{
    const auto put16 = [&d](int at, uint16_t v) { PutU16(d.vga + at, v); };
    const uint8_t mode = p[0], sub = p[2];
    if (mode == 0 && sub == 0) {
        put16(4, U16(p, 3));
        d.vga[6] = d.vga[7] = 0;
        d.vga[8] = p[5];
        d.vga[9] = d.vga[10] = d.vga[11] = 0;
        d.vga[12] = p[6];
        d.vga[13] = p[7];
        VgaReply(d, r);
    } else if (mode == 1 && sub == 0) {
        // The command carries the offsets first, then the gains; the record interleaves them.
        const int order[6] = {0, 2, 4, 1, 3, 5};
        for (int k = 0; k < 6; ++k) put16(14 + 2 * order[k], U16(p, 9 + 2 * k));
        VgaReply(d, r);
    } else if (mode == 1 && sub == 2) {
        for (int k = 0; k < 6; ++k) put16(14 + 2 * k, 512);
        r.Status();
    } else if (mode == 2) {
        d.ddc = sub ? 1 : 0;
        r.Status();
    } else if (sub == 1) {
        r.Add(REPLY_EVENT, {1, 1, 0});
    } else {
        r.Status();
    }
}

void WorkModeReply(EmulatorDevice& d, Replies& r) { r.Add(REPLY_WORK_MODE, BlockRange(d.block, 0x8C8, 0x8D8)); }

// The events that end the program's wait after a command it follows with the busy dialog, sent
// once the command has been applied. Where the protocol names no event for a command these are
// assumptions about the processor, each chosen so that the program's handling hides the busy
// dialog and, where it has a read-back for it, reads back what the command changed.
//
// Assumed: a work-mode change and TAKE end with event 3 (the program reads back the layer states,
// the four layer windows and the work mode).
void LayoutChanged(Replies& r) { r.Add(REPLY_EVENT, {3}); }
// Assumed: a splicing mode or arrangement that the processor has laid out ends with event 11, 0
// (the program reads back the splicing set-up and every layer and splicing window).
void SplicingLaidOut(Replies& r) { r.Add(REPLY_EVENT, {11, 0}); }
// Assumed: a logo captured, loaded or switched on ends with the plain event 4. Nothing is read
// back: the logo page already holds what it sent, and no logo record follows a logo command (the
// page's refresh would put the window the operator is typing back to the stored one).
void LogoDone(Replies& r) { r.Add(REPLY_EVENT, {4}); }

// Command 24: caption settings, stored in the caption's record.
void CaptionSettings(EmulatorDevice& d, const Params& p, Replies& r)
{
    if (p[0] == 0x55 && p[1] == 5) {  // initialise every caption
        for (int n = 0; n < 4; ++n) ResetCaptionRecord(d.captions[n], n);
        r.Add(REPLY_EVENT, {10});
        return;
    }
    if (p[0] >= 4) {
        r.Status();
        return;
    }
    uint8_t* rec = d.captions[p[0]];
    switch (p[1]) {
    case 0:
        rec[11] = p[2];  // speed
        rec[10] = p[3];  // direction
        break;
    case 1:  // kept in the processor's memory
        r.Add(REPLY_EVENT, {8});
        return;
    case 2: rec[12] = p[2]; break;
    case 3:
        rec[16] = p[2], rec[17] = p[3], rec[18] = p[4], rec[19] = 0;
        rec[20] = p[6], rec[21] = p[7], rec[22] = p[8], rec[23] = 0;
        rec[13] = p[9];
        break;
    case 4: std::memcpy(rec + 24, &p[2], 4); break;
    default: break;
    }
    r.Status();
}

// Command 23: a caption picture announced (sub 0, accepted or refused with event 12), placed
// after its rows arrived (sub 1), or its place changed (sub 2).
void CaptionBitmap(EmulatorDevice& d, const Params& p, Replies& r)
{
    if (p[0] >= 4) {
        r.Status();
        return;
    }
    uint8_t* rec = d.captions[p[0]];
    switch (p[1]) {
    case 0: {
        const uint16_t w = U16(p, 2), h = U16(p, 4);
        const bool fits = w >= 1 && w <= 3840 && h >= 1 && h <= 128 && !d.refuseCaptions;
        if (fits) {
            d.captionNo = p[0];
            d.captionWidth = w;
            d.captionHeight = h;
            d.captionRows.assign(std::size_t((w + 31) / 32 * 4) * h, 0);
            d.captionChunks = 0;
        }
        r.Add(REPLY_EVENT, {12, static_cast<uint8_t>(fits ? 0 : 1)});
        return;
    }
    case 1:
        std::memcpy(rec, &p[2], 8);  // width, height, horizontal and vertical start
        break;
    case 2:
        std::memcpy(rec + 4, &p[2], 6);  // horizontal, vertical start, display-area width
        break;
    default: break;
    }
    r.Status();
}

void ApplyCommand(EmulatorDevice& d, int id, const Params& p, Replies& r)
{
    DeviceParamBlock& b = d.block;
    const int w = p[0] % kWindowCount;
    switch (id) {
    case CMD_GET_ALL_DATA:
        r.Add(REPLY_ALL_DATA, BytesOf(b));
        PreviewModeReply(d, r);
        return;
    case CMD_PRESET:
        // A processor keeps the whole set-up in the slot and puts it back on a recall of a
        // stored slot (an empty one changes nothing).
        if (p[0] == 2 && p[1] < 10) {
            d.presetFlags[p[1]] = 1;
            d.presetBlocks[p[1]] = b;
        } else if (p[0] == 1 && p[1] < 10 && d.presetFlags[p[1]]) {
            b = d.presetBlocks[p[1]];
        }
        r.Add(REPLY_PRESET_FLAGS, std::vector<uint8_t>(d.presetFlags, d.presetFlags + 10));
        return;
    case CMD_SET_OUTPUT_TIMING: {
        OutputResolution& o = b.outputReso;
        o.resoIndex = p[0];
        o.hReso = U16(p, 1);
        o.vReso = U16(p, 3);
        o.fps = U16(p, 5);
        o.hTotal = U16(p, 7);
        o.hSync = U16(p, 9);
        o.hbp = U16(p, 11);
        o.vTotal = U16(p, 13);
        o.vSync = U16(p, 15);
        o.vbp = U16(p, 17);
        o.hPol = p[19];
        o.vPol = p[20];
        r.Add(REPLY_OUTPUT_ACK, {1});
        return;
    }
    case CMD_SET_PICTURE: {
        const int pw = p[4] % kWindowCount;
        const int pi = InputIndexOf(b, pw);
        b.picComm.picMode = p[1];
        b.picComm.brightLevel = p[2];
        b.picComm.gamma = p[3] / 10.0f;
        if (p[0] == 0) {
            // The picture reset: every record of every window back to the defaults.
            for (auto& row : b.pic)
                for (PictureSettings& s : row) ResetPictureRecord(s);
            PictureReply(d, r, pw);
            return;
        }
        // "All inputs" (byte 5) takes the window's settings into all twelve records; the colour
        // temperature row stays the current input's own.
        for (int k = 0; k < kInputIndexCount; ++k) {
            if (k != pi && p[5] == 0) continue;
            PictureSettings& s = b.pic[k][pw];
            s.brightness = p[6];
            s.contrast = p[7];
            s.saturation = p[8];
            s.hue = p[9];
            s.sharpness = p[10];
            s.colorRed = p[12];
            s.colorGreen = p[13];
            s.colorBlue = p[14];
        }
        PictureSettings& s = b.pic[pi][pw];
        s.colorTemp = p[11];
        if (p[15] == 1) ResetColourTemperature(s);
        PictureReply(d, r, pw);
        return;
    }
    case CMD_SET_LAYER_WINDOW: {
        LayerWindow& l = b.chnl[w];
        l.hPos = U16(p, 1);
        l.vPos = U16(p, 3);
        l.hAct = U16(p, 5);
        l.vAct = U16(p, 7);
        l.rotation = p[10] % 8;
        LayerWindowReply(d, r, w);
        return;
    }
    case CMD_SET_CROP: {
        CropWindow& c = b.crop[InputIndexOf(b, w)][w];
        c.onOff = p[1];
        c.hPos = U16(p, 2);
        c.vPos = U16(p, 4);
        c.hAct = U16(p, 6);
        c.vAct = U16(p, 8);
        if (p[10] == 1) {
            // The crop reset: the whole source picture.
            c.hPos = 0;
            c.vPos = 0;
            c.hAct = c.hTotal;
            c.vAct = c.vTotal;
        }
        CropReply(d, r, w);
        return;
    }
    case CMD_SET_SPLICING_WINDOW: {
        const int sw = p[3] % kWindowCount;
        b.mosaic.mode = p[1];
        // Sub-operation 1 picks an arrangement, 0 sets the mode: either way the cell in byte 2
        // becomes the arrangement (8, none, when a mode comes without one). Assumed for 0: the
        // processor keeps what it is given rather than working out an arrangement of its own.
        if (p[0] == 0 || p[0] == 1) b.mosaic.autoArr = p[2];
        b.mosaic.win.hPos[sw] = I32(p, 4);
        b.mosaic.win.vPos[sw] = I32(p, 8);
        b.mosaic.win.hAct[sw] = I32(p, 12);
        b.mosaic.win.vAct[sw] = I32(p, 16);
        b.mosaic.win.hTotal[sw] = I32(p, 20);
        b.mosaic.win.vTotal[sw] = I32(p, 24);
        r.Add(REPLY_SPLICING, BlockRange(b, 0x24, 0x90), sw);
        // Splicing switched on, a panel mode or an arrangement chosen: the processor lays the
        // picture out anew. Window edits (sub-operation 2) and switching off need no wait.
        if (p[0] == 1 || (p[0] == 0 && b.mosaic.mode != 0)) SplicingLaidOut(r);
        return;
    }
    case CMD_SET_LAYER_INPUT:
        b.chnl[w].input = static_cast<uint8_t>(InputRowOf(b, p[1] * 10 + p[2]));
        LayerStateReply(d, r);
        return;
    case CMD_SET_PIP: {
        const int k = p[0] >= 1 && p[0] <= 3 ? p[0] : 1;
        b.chnl[k].onOff = p[1];
        b.chnl[k].alpha = p[2];
        LayerStateReply(d, r);
        // Assumed: a key that moves onto or off the preview is reported with the work mode.
        if (LayerSwitched(b, k)) WorkModeReply(d, r);
        return;
    }
    case CMD_LOGO: {
        // Every operation carries the usage, on/off, top and border flags; the slot operations
        // change the slot named in byte 1.
        b.logo.usage = p[11];
        b.logo.onOff = p[12];
        b.logo.pos = p[13];
        b.logo.border = p[14];
        const int slot = p[1];
        const uint8_t op = p[0];
        if (slot < kLogoSlotCount) {
            LogoSettings::Windows& win = b.logo.win;
            switch (op) {
            case 0:  // clear
                b.logo.valid[slot] = 0;
                break;
            case 1:  // load: the slot shows at the window given
                b.logo.curId = static_cast<uint8_t>(slot);
                win.hPos[slot] = U16(p, 2);
                win.vPos[slot] = U16(p, 4);
                win.hAct[slot] = U16(p, 6);
                win.vAct[slot] = U16(p, 8);
                break;
            case 2:  // capture the window given of PIP-3's picture into the slot
                b.logo.valid[slot] = 1;
                win.hPos[slot] = 0;
                win.vPos[slot] = 0;
                win.hAct[slot] = U16(p, 6);
                win.vAct[slot] = U16(p, 8);
                break;
            case 3:
                // The window being set: in logo use the slot's logo moves there; in normal use it
                // only frames the next capture, which carries the window itself.
                if (b.logo.usage == 1) {
                    win.hPos[slot] = U16(p, 2);
                    win.vPos[slot] = U16(p, 4);
                    win.hAct[slot] = U16(p, 6);
                    win.vAct[slot] = U16(p, 8);
                }
                break;
            default:
                break;
            }
        }
        if (op == 1 || op == 2 || (op == 5 && b.logo.onOff != 0))
            LogoDone(r);
        else
            r.Status();
        return;
    }
    case CMD_SET_EDID: {
        // Sub-code 0 restores the default EDID, 1 writes size and rate, 2 also the blanking;
        // the result comes as event 0 (argument 1: done).
        for (auto& e : b.edid) {
            if (e.inputSrc != p[0]) continue;
            if (p[1] == 0) {
                e.hAct = 1920;
                e.vAct = 1080;
                e.fps = 6000;
                e.hBlank = 280;
                e.vBlank = 45;
            } else {
                e.hAct = U16(p, 2);
                e.vAct = U16(p, 4);
                e.fps = U16(p, 6);
                if (p[1] == 2) {
                    e.hBlank = U16(p, 8);
                    e.vBlank = U16(p, 10);
                }
            }
            r.Add(REPLY_EDID, BytesOf(e));
            r.Add(REPLY_EVENT, {0, 0, 1});
            return;
        }
        r.Add(REPLY_EVENT, {0, 0, 0});
        return;
    }
    case CMD_SET_TEST_PATTERN:
        d.testPattern = p[0];
        r.Status();
        return;
    case CMD_SET_KEYER: {
        KeyerSettings& k = b.keyer[p[31] == 3 ? 0 : 1];
        k.onOff = p[0];
        k.mode = p[1];
        k.redL = p[2];
        k.redH = p[3];
        k.greenL = p[4];
        k.greenH = p[5];
        k.blueL = p[6];
        k.blueH = p[7];
        k.gainIn = p[8];
        k.gainOut = p[9];
        k.gainBnd = p[10];
        r.Add(REPLY_KEYER, BytesOf(k));
        return;
    }
    case CMD_PIXEL_GRAB:
        // The colour of the grabbed pixel: red and green follow the position, so a reader can
        // tell which pixel was read.
        d.pixelGrab = p[0];
        d.grabX = U16(p, 1);
        d.grabY = U16(p, 3);
        if (d.pixelGrab) {
            r.Add(REPLY_PIXEL_COLOR, {p[1], p[2], p[3], p[4], 0x30, 0});
        } else {
            r.Status();
        }
        return;
    case CMD_VGA_ADJUST:
        VgaAdjust(d, r, p);
        return;
    case CMD_SET_WORK_MODE:
        EnterWorkMode(b, p[0] % 3);
        WorkModeReply(d, r);
        LayoutChanged(r);
        return;
    case CMD_SET_MULTI_MACHINE:
        // TAKE (ProgramPreview.h).
        d.multiMachine = p[0];
        Take(b);
        LayoutChanged(r);
        return;
    case CMD_SET_FADE_TIME:
        b.pvwDTime = p[0];
        WorkModeReply(d, r);
        return;
    case CMD_SET_SCHEDULE: {
        b.taskStatus = p[1];
        if (p[0] == 1 && p[8] < kTaskCount) {
            ScheduleTask& t = b.task[p[8]];
            t.year = p[2];
            t.month = p[3];
            t.day = p[4];
            t.hour = p[5];
            t.min = p[6];
            t.sec = p[7];
            t.presetId = p[9];
            t.option = p[10];
        } else if (p[0] == 0) {
            std::memcpy(d.machineTime, &p[2], 6);
        }
        r.Add(REPLY_SCHEDULE, BlockRange(b, 0x820, 0x89C));
        return;
    }
    case CMD_SET_LOOP_OUT:
        b.loopOutIp = p[0];
        r.Add(REPLY_LOOP_OUT, {b.loopOutIp});
        return;
    case CMD_FACTORY_RESET:
        // Back to the configuration it left the factory with.
        ++d.factoryResets;
        b = FactoryBlock();
        r.Status();
        return;
    case CMD_MEDIA_KEY:
        ++d.mediaKeys;
        d.lastMediaKey[0] = p[0];
        d.lastMediaKey[1] = p[1];
        r.Status();
        return;
    case CMD_SET_FEATHER:
        // The reply lays the state out as a byte padded to four, then shapes 0..3 and levels 0..3
        // as 32-bit values; the command carries each as one byte, shape and level by window.
        std::fill(std::begin(d.feather), std::end(d.feather), uint8_t{0});
        d.feather[0] = p[0];
        for (int n = 0; n < kWindowCount; ++n) {
            d.feather[4 + 4 * n] = p[1 + 2 * n];
            d.feather[20 + 4 * n] = p[2 + 2 * n];
        }
        r.Add(REPLY_FEATHER, std::vector<uint8_t>(d.feather, d.feather + 36));
        return;
    case CMD_FREEZE:
        b.freezeState = p[0];
        r.Add(REPLY_FREEZE_STATE, {b.freezeState});
        return;
    case CMD_SET_STREAM:
        // Stream 0 is the preview; a 255 leaves that setting as it is.
        if (p[0] == 0)
            for (int i = 1; i <= 4; ++i)
                if (p[i] != 255) d.encoderRecords[2][i + 1] = p[i];
        EncoderReply(d, r, 2);
        return;
    case CMD_LED_OUTPUT:
        if (p[1] < 4) d.ledOutput = p[1];
        r.Status();
        return;
    case CMD_CAPTION_SETTINGS:
        CaptionSettings(d, p, r);
        return;
    case CMD_CAPTION_BITMAP:
        CaptionBitmap(d, p, r);
        return;

    // Queries.
    case CMD_QUERY_INPUT_INFO:
        if (p[0] == 255)
            for (int s = 0; s < kInputSlotCount; ++s) InputSignalReply(d, r, s);
        else
            InputSignalReply(d, r, p[0] % kInputSlotCount);
        return;
    case CMD_QUERY_VGA:
        d.vga[0] = p[0];
        VgaReply(d, r);
        return;
    case CMD_QUERY_EDID:
        for (const auto& e : b.edid)
            if (e.inputSrc == p[0]) {
                r.Add(REPLY_EDID, BytesOf(e));
                return;
            }
        r.Status();
        return;
    case CMD_QUERY_MACHINE_TIME: r.Add(REPLY_MACHINE_TIME, std::vector<uint8_t>(d.machineTime, d.machineTime + 6)); return;
    case CMD_QUERY_PICTURE: PictureReply(d, r, w); return;
    case CMD_QUERY_LAYER_WINDOW:
    case CMD_QUERY_WINDOW55: LayerWindowReply(d, r, w); return;
    case CMD_QUERY_SPLICING_WINDOW: r.Add(REPLY_SPLICING, BlockRange(b, 0x24, 0x90), d.outOfRangeIndexes ? 9 : w); return;
    case CMD_QUERY_SPLICING: r.Add(REPLY_SPLICING, BlockRange(b, 0x24, 0x90), 0); return;
    case CMD_QUERY_LOGO: r.Add(REPLY_LOGO, BlockRange(b, 0x89C, 0x8C6)); return;
    case CMD_QUERY_KEYER: r.Add(REPLY_KEYER, BytesOf(b.keyer[p[0] == 3 ? 0 : 1])); return;
    case CMD_QUERY_WORK_MODE: WorkModeReply(d, r); return;
    case CMD_QUERY_62:
        for (uint8_t j = 0; j < 2; ++j)
            r.Add(REPLY_DP_MODE, {static_cast<uint8_t>(d.outOfRangeIndexes ? 7 : j), b.dpMode[j]});
        return;
    case CMD_QUERY_63: LayerStateReply(d, r); return;
    case CMD_QUERY_65: r.Add(REPLY_SYSTEM_INFO, std::vector<uint8_t>(d.systemInfo, d.systemInfo + 18)); return;
    case CMD_QUERY_ENCODER: EncoderReply(d, r, p[0]); return;
    case CMD_QUERY_BOARD: r.Add(REPLY_BOARD_INFO, BytesOf(b.cmpBoard)); return;
    case CMD_QUERY_68: r.Add(REPLY_PRESET_FLAGS, std::vector<uint8_t>(d.presetFlags, d.presetFlags + 10)); return;
    case CMD_SEARCH_DEVICES: {
        std::vector<uint8_t> p27(d.mac.begin(), d.mac.end());
        p27.insert(p27.end(), d.ip.begin(), d.ip.end());
        r.Add(REPLY_DEVICE_FOUND, p27);
        return;
    }
    case CMD_QUERY_CAPTION: {
        const int n = p[0] % 4;
        std::vector<uint8_t> rec(d.captions[n], d.captions[n] + 32);
        rec[14] = static_cast<uint8_t>(d.outOfRangeIndexes ? 9 : n);
        r.Add(REPLY_CAPTION, rec);
        return;
    }
    case CMD_QUERY_73: r.Add(REPLY_FEATHER, std::vector<uint8_t>(d.feather, d.feather + 36)); return;
    default:
        r.Status();  // accepted, nothing to report
        return;
    }
}

}  // namespace

DeviceParamBlock MakeSeededBlock(uint32_t seed)
{
    DeviceParamBlock b;
    auto* bytes = reinterpret_cast<uint8_t*>(&b);
    uint32_t x = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < sizeof b; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<uint8_t>(x);
    }
    b.outputReso.resoIndex = 0;
    b.outputReso.hReso = 1920;
    b.outputReso.vReso = 1080;
    b.outputReso.fps = 6000;
    b.picComm.gamma = 2.2f;
    for (int w = 0; w < kWindowCount; ++w) {
        b.chnl[w].input = static_cast<uint8_t>(w);
        b.chnl[w].rotation = 0;
        b.chnl[w].hPos = 0;
        b.chnl[w].vPos = 0;
        b.chnl[w].hAct = 1920 / (w + 1);
        b.chnl[w].vAct = 1080 / (w + 1);
        // Out of the box the main layer is on and the PIPs off, every window on neither program
        // nor preview.
        b.chnl[w].onOff = w == 0 ? 1 : 0;
        b.chnl[w].alpha = 64;
        b.pgmState[w] = 0;
        b.pvwState[w] = 0;
    }
    for (int s = 0; s < kInputSlotCount; ++s) {
        b.input[s].src = 4;
        b.inputReso[s] = InputResolution{static_cast<uint8_t>(s), 0, 1920, 1080, 6000, 0, 0};
    }
    for (int e = 0; e < kEdidRecordCount; ++e) b.edid[e].inputSrc = static_cast<uint8_t>(e < 5 ? e : e + 1);
    b.pvwMode = 0;
    b.dpMode[0] = b.dpMode[1] = 0;
    b.logo.curId = 0;
    b.keyer[0].chnl = 3;
    b.keyer[1].chnl = 1;
    // What a processor out of the box shows: normal work mode, no splicing, no logo layer, nothing
    // frozen.
    b.mosaic.mode = 0;
    b.mosaic.option = 0;
    b.mosaic.autoArr = 8;
    b.logo.usage = 0;
    b.logo.onOff = 0;
    b.logo.pos = 0;
    b.logo.border = 0;
    b.freezeState = 0;
    b.loopOutIp = 0;
    // A composite board offering HDMI, DP and DVI on slot 6, showing a 1080p60 HDMI signal.
    b.cmpBoard.exist = 1;
    b.cmpBoard.ipSrc[0] = 6;
    b.cmpBoard.ipSrc[1] = 8;
    b.cmpBoard.ipSrc[2] = 4;
    b.cmpBoard.actNoSrc = 0;
    b.cmpBoard.actSignal = 1;
    b.cmpBoard.actHAct = 1920;
    b.cmpBoard.actVAct = 1080;
    b.cmpBoard.actFps = 6000;
    b.cmpBoard.actInterlace = 0;
    b.cmpBoard.actDual = 0;
    b.cmpBoard.mode = 0;
    return b;
}

void ResetCaptionRecord(uint8_t (&rec)[32], int n)
{
    std::memset(rec, 0, sizeof rec);
    PutU16(rec, 600);
    PutU16(rec + 2, 60);
    PutU16(rec + 8, 600);
    rec[14] = static_cast<uint8_t>(n);
    rec[16] = 0xFF;  // red text on black
    rec[24 + n] = 1;
    rec[28] = static_cast<uint8_t>(n);
}

std::vector<uint8_t> ChunkAck(uint32_t offset, uint32_t length, uint8_t status)
{
    return {7,
            static_cast<uint8_t>(length),
            static_cast<uint8_t>(length >> 8),
            status,
            static_cast<uint8_t>(offset),
            static_cast<uint8_t>(offset >> 8),
            static_cast<uint8_t>(offset >> 16),
            static_cast<uint8_t>(offset >> 24)};
}

std::vector<ReplyPacket> Respond(EmulatorDevice& device, const comm::Frame& frame, LinkState* link)
{
    Replies r(device);
    switch (frame.type) {
    case comm::FrameType::Command: {
        int32_t id = 0;
        Params params{};
        if (!comm::ReadCommandPayload(frame.payload, id, params)) return {};
        ApplyCommand(device, id, params, r);
        if (link && id == CMD_GET_ALL_DATA) link->fullRead = true;
        // Assumed: once per link, when the program has read the whole configuration and the
        // queries that follow it (the preset flags come last), the processor prompts it to ask
        // for the system information (event 5 with 1).
        if (link && id == CMD_QUERY_68 && link->fullRead && !link->systemInfoAnnounced) {
            link->systemInfoAnnounced = true;
            r.Add(REPLY_EVENT, {5, 1});
        }
        break;
    }
    case comm::FrameType::ParamBlock:
        if (frame.payload.size() != sizeof(DeviceParamBlock)) return {};
        std::memcpy(&device.block, frame.payload.data(), sizeof(DeviceParamBlock));
        r.Status();
        // Taken whole: the plain completion event, which ends the program's wait.
        r.Add(REPLY_EVENT, {2});
        break;
    case comm::FrameType::BulkData: {
        uint32_t offset = 0, length = 0;
        const uint8_t* data = nullptr;
        if (!comm::ReadBulkPayload(frame.payload, offset, data, length)) return {};
        auto& rows = device.captionRows;
        if (offset <= rows.size() && length <= rows.size() - offset) std::memcpy(rows.data() + offset, data, length);
        ++device.captionChunks;
        if (device.dropChunkAcks > 0) {
            --device.dropChunkAcks;
            break;
        }
        r.Add(REPLY_EVENT, ChunkAck(offset, length, 1));
        break;
    }
    default:
        break;
    }
    return r.Take();
}

}  // namespace emu
