#include "tools/emulator/FactoryBlock.h"

namespace emu {
namespace {

// CEA-861 1920 x 1080 at 60 Hz: 2200 x 1125 total, 148.5 MHz.
constexpr uint16_t kWidth = 1920, kHeight = 1080, kFps = 6000;
constexpr uint16_t kHTotal = 2200, kVTotal = 1125;

}  // namespace

DeviceParamBlock FactoryBlock()
{
    DeviceParamBlock b{};
    // Row 10 of the output table, with its real timing.
    b.outputReso = OutputResolution{10, kWidth, kHeight, kFps, kHTotal, kVTotal, 44, 5, 148, 36, 1, 1};
    // " Standard " picture mode: bright level and gamma off, as its preset row has them.
    b.picComm = PictureCommon{0, 17, 0.0f};
    // Splicing off, no arrangement chosen, every splicing window the whole output.
    b.mosaic.autoArr = 8;
    for (int w = 0; w < kWindowCount; ++w) {
        b.mosaic.win.hAct[w] = b.mosaic.win.hTotal[w] = kWidth;
        b.mosaic.win.vAct[w] = b.mosaic.win.vTotal[w] = kHeight;
    }
    // MAIN on over the whole output; the PIPs off, each a quarter of the output in its own corner.
    for (int w = 0; w < kWindowCount; ++w) {
        LayerWindow& l = b.chnl[w];
        l.onOff = w == 0 ? 1 : 0;
        l.alpha = 64;
        l.input = static_cast<uint8_t>(w);
        l.hPos = w == 0 ? 0 : (w % 2) * kWidth / 2;
        l.vPos = w == 0 ? 0 : (w / 2) * kHeight / 2;
        l.hAct = w == 0 ? kWidth : kWidth / 2;
        l.vAct = w == 0 ? kHeight : kHeight / 2;
    }
    // DVI, HDMI, DVI, HDMI, DP, SDI, the composite board (showing its first source) and a USB
    // disk; every input sees a 1080p60 signal.
    const int32_t types[kInputSlotCount] = {4, 6, 4, 6, 8, 7, 6, 9};
    for (int s = 0; s < kInputSlotCount; ++s) {
        b.input[s].src = types[s];
        b.inputState[s] = 1;
        b.inputReso[s] = InputResolution{static_cast<uint8_t>(s), 0, kWidth, kHeight, kFps, 0, 0};
    }
    for (auto& row : b.pic)
        for (PictureSettings& p : row) {
            // The picture page's reset values.
            p.brightness = p.contrast = p.saturation = p.hue = 50;
            p.sharpness = 12;
            p.colorTemp = 8;
            p.colorRed = p.colorGreen = p.colorBlue = 128;
        }
    for (auto& row : b.crop)
        for (CropWindow& c : row) {
            c.hAct = c.hTotal = kWidth;
            c.vAct = c.vTotal = kHeight;
        }
    // Input 5 has no EDID record.
    for (int e = 0; e < kEdidRecordCount; ++e)
        b.edid[e] = EdidTiming{static_cast<uint8_t>(e < 5 ? e : e + 1), 0, kWidth, kHeight, kFps,
                               kHTotal - kWidth, kVTotal - kHeight};
    for (int t = 0; t < kTaskCount; ++t) b.task[t] = ScheduleTask{24, 1, 1, 0, 0, 0, static_cast<uint8_t>(t), 0, 0};
    for (int l = 0; l < kLogoSlotCount; ++l) {
        b.logo.win.hAct[l] = 320;
        b.logo.win.vAct[l] = 180;
    }
    for (int k = 0; k < kKeyerCount; ++k) {
        KeyerSettings& s = b.keyer[k];
        s.chnl = k == 0 ? 3 : 1;
        s.redH = s.greenH = s.blueH = 255;
    }
    // A composite board offering HDMI, DP and DVI on slot 6, showing a 1080p60 signal.
    CompositeBoardInfo& board = b.cmpBoard;
    board.exist = 1;
    board.ipSrc[0] = 6;
    board.ipSrc[1] = 8;
    board.ipSrc[2] = 4;
    board.actSignal = 1;
    board.actHAct = kWidth;
    board.actVAct = kHeight;
    board.actFps = kFps;
    return b;
}

}  // namespace emu
