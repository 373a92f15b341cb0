#include "device/ReplyHandlers.h"
#include "device/ReplyRecord.h"

#include "device/CDeviceData.h"
#include "device/CropRules.h"
#include "device/MainWindowLink.h"
#include "device/TimerSource.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace {

constexpr int kReadOutPauseMs = 200;  // after a whole block, before the read-out queries
constexpr int kReadOutMergeMs = 50;   // blocks closer than this share one read-out

bool IsWindow(int w) { return w >= 0 && w < kWindowCount; }

// Overwrites block bytes [offset, offset + N) with the payload.
template <std::size_t N>
void CopyIntoBlock(DeviceParamBlock& block, std::size_t offset, ReplyBytes<N> payload)
{
    static_assert(N <= sizeof(DeviceParamBlock));
    if (offset > sizeof(DeviceParamBlock) - N) return;
    std::memcpy(reinterpret_cast<uint8_t*>(&block) + offset, payload.data(), N);
}

}  // namespace

ReplyHandlers::ReplyHandlers(CDeviceData& device, TimerSource& timers)
    : dev_(device), timers_(timers)
{
}

void ReplyHandlers::Post(int32_t replyId, int32_t lParam)
{
    MainWindowLink* link = GetMainWindowLink();
    if (!link) return;
    const QByteArray record = CaptureReplyRecord(dev_, replyId);
    if (record.isEmpty())
        link->PostRefresh(replyId, lParam);
    else
        link->PostRecordRefresh(replyId, lParam, record);
}

void ReplyHandlers::Status(uint8_t status)
{
    if (MainWindowLink* link = GetMainWindowLink()) link->NotifyReplyStatus(status);
}

void ReplyHandlers::HideBusy()
{
    if (MainWindowLink* link = GetMainWindowLink()) link->HideBusyDialog();
}

void ReplyHandlers::OnReplyOnline(ReplyBytes<1> p, uint8_t status)
{
    dev_.onlineState = p[0];
    dev_.replyArrived = p[0];
    dev_.lastStatus = status;
    if (MainWindowLink* link = GetMainWindowLink()) link->PostOnline(p[0], status);
}

void ReplyHandlers::OnReplyPreviewMode(ReplyBytes<1> p, uint8_t)
{
    dev_.previewAvailable = p[0] != 0 ? 1 : 0;
    Post(REPLY_PREVIEW_MODE);
}

void ReplyHandlers::OnReplyAllData(ReplyBytes<2360> bytes, uint8_t status)
{
    static_assert(sizeof(DeviceParamBlock) == 2360);
    DeviceParamBlock block;
    std::memcpy(&block, bytes.data(), sizeof block);
    dev_.ParseParamBlock(block);
    dev_.allDataAwaited = 0;
    Post(REPLY_ALL_DATA);
    // Give the processor a moment after the block before the read-out chain. Blocks that follow
    // each other closely share one timer, restarted by each, so a burst reads out once, after the
    // last; blocks further apart each get their own read-out, from a few slots reused in turn.
    const int64_t now = timers_.NowMs();
    if (!(haveBlock_ && now - lastBlockMs_ < kReadOutMergeMs)) readOutSlot_ = (readOutSlot_ + 1) % readOutKeys_.size();
    haveBlock_ = true;
    lastBlockMs_ = now;
    timers_.Restart(&readOutKeys_[readOutSlot_], kReadOutPauseMs, [this, status] {
        dev_.SendCommand(CMD_QUERY_CAPTION, 0);
        dev_.SendCommand(CMD_QUERY_ENCODER, 2);
        dev_.SendCommand(CMD_QUERY_BOARD);
        dev_.SendCommand(CMD_QUERY_62);
        dev_.SendCommand(CMD_QUERY_WORK_MODE);
        dev_.SendCommand(CMD_QUERY_73);
        dev_.SendCommand(CMD_QUERY_68);
        Status(status);
    });
}

void ReplyHandlers::OnReplyPixelColor(ReplyBytes<6> p, uint8_t status)
{
    dev_.grabColor[0] = ReadU16(p, 0);
    dev_.grabColor[1] = ReadU16(p, 2);
    dev_.grabColor[2] = ReadU16(p, 4);
    Post(REPLY_PIXEL_COLOR);
    Status(status);
}

void ReplyHandlers::OnReplyInputSignal(ReplyBytes<10> record, uint8_t status)
{
    const int n = record[0];
    if (n >= kInputSlotCount) return;  // not a physical slot
    CopyRecord(dev_.inputReso[n], record);
    dev_.lastSignalInput = n;
    ApplyInputSignalToCrops(dev_.Block(), n, ReadU16(record, 2), ReadU16(record, 4));
    Post(REPLY_INPUT_SIGNAL);
    Status(status);
}

void ReplyHandlers::OnReplyVgaData(ReplyBytes<28> r, uint8_t status)
{
    dev_.vga.input = r[0];  // low byte of the 32-bit value
    dev_.vga.clock = ReadU32(r, 4);
    dev_.vga.phase = ReadU32(r, 8);
    dev_.vga.hPos = r[12];
    dev_.vga.vPos = r[13];
    for (int k = 0; k < 6; ++k) dev_.vga.adc[k] = ReadU16(r, 14 + 2 * static_cast<std::size_t>(k));
    Post(REPLY_VGA_DATA);
    Status(status);
}

void ReplyHandlers::OnReplyEdid(ReplyBytes<12> r, uint8_t status)
{
    for (EdidTiming& e : dev_.edid) {
        if (e.inputSrc != r[0]) continue;
        e.inputSrc = r[0];
        e.hAct = ReadU16(r, 2);
        e.vAct = ReadU16(r, 4);
        e.fps = ReadU16(r, 6);
        e.hBlank = ReadU16(r, 8);
        e.vBlank = ReadU16(r, 10);
        break;
    }
    Post(REPLY_EDID);
    Status(status);
}

void ReplyHandlers::OnReplySchedule(ReplyBytes<124> r, uint8_t status)
{
    static_assert(offsetof(DeviceParamBlock, logo) - offsetof(DeviceParamBlock, taskStatus) == 124);
    CopyIntoBlock(dev_.Block(), offsetof(DeviceParamBlock, taskStatus), r);
    Post(REPLY_SCHEDULE);
    Status(status);
}

void ReplyHandlers::OnReplyPicture(ReplyBytes<12> common, ReplyBytes<20> record, int w, int32_t,
                                   uint8_t status)
{
    if (!IsWindow(w)) return;
    const int i = dev_.GetWindowInputIndex(w);
    if (i < 0) return;  // the window shows no input that has picture records
    dev_.picComm.picMode = ReadI32(common, 0);
    dev_.picComm.brightLevel = ReadI32(common, 4);
    dev_.picComm.gamma = ReadF32(common, 8);
    CopyRecord(dev_.pic[i][w], record);
    Post(REPLY_PICTURE);
    Status(status);
}

void ReplyHandlers::OnReplyOutputAck(std::span<const uint8_t>, uint8_t status)
{
    Post(REPLY_OUTPUT_ACK);
    Status(status);
}

void ReplyHandlers::OnReplyLayerWindow(ReplyBytes<20> p, int w, uint8_t status)
{
    if (!IsWindow(w)) return;
    LayerWindow& L = dev_.chnl[w];
    L.hPos = ReadI32(p, 0);
    L.vPos = ReadI32(p, 4);
    L.hAct = ReadI32(p, 8);
    L.vAct = ReadI32(p, 12);
    L.rotation = ReadI32(p, 16);
    dev_.lastLayerWindow = w;
    Post(REPLY_LAYER_WINDOW, w);
    Status(status);
}

void ReplyHandlers::OnReplyCrop(ReplyBytes<14> record, int w, int32_t, uint8_t status)
{
    if (!IsWindow(w)) return;
    const int i = dev_.GetWindowInputIndex(w);
    if (i < 0) return;
    CropWindow received;
    CopyRecord(received, record);
    AssignCropRecord(dev_.crop[i][w], received);
    Post(REPLY_CROP);
    Status(status);
}

void ReplyHandlers::OnReplySplicing(ReplyBytes<108> p, int32_t index, uint8_t status)
{
    // Laid out as block bytes 0x24..0x8F; the option word at 4 stays ours.
    dev_.mosaic.mode = ReadI32(p, 0);
    dev_.mosaic.autoArr = ReadI32(p, 8);
    static_assert(sizeof(MosaicSettings::Windows) == 96);
    CopyRecord(dev_.mosaic.win, p.subspan<12, 96>());
    Post(REPLY_SPLICING, index);
    Status(status);
}

void ReplyHandlers::OnReplyMachineTime(ReplyBytes<6> p, uint8_t status)
{
    std::memcpy(dev_.machineTime, p.data(), sizeof dev_.machineTime);
    Post(REPLY_MACHINE_TIME);
    Status(status);
}

void ReplyHandlers::OnReplyLayerState(std::span<const uint8_t> t, int count, uint8_t status)
{
    if (count < 0 || count > kWindowCount) return;
    if (t.size() < static_cast<std::size_t>(count) * 3) return;
    for (int n = 0; n < count; ++n) {
        const std::size_t at = static_cast<std::size_t>(n) * 3;
        dev_.chnl[n].onOff = t[at];
        dev_.chnl[n].alpha = t[at + 1];
        dev_.chnl[n].input = t[at + 2];
    }
    Post(REPLY_LAYER_STATE);
    Status(status);
}

void ReplyHandlers::OnReplyLogo(ReplyBytes<42> p, uint8_t status)
{
    // Laid out as block bytes 0x89C..0x8C5; the byte after the border is not the processor's to set.
    LogoSettings& logo = dev_.logo;
    logo.usage = p[0];
    logo.curId = p[1];
    logo.onOff = p[2];
    logo.pos = p[3];
    logo.border = p[4];
    CopyRecord(logo.win, p.subspan<6, 32>());
    std::memcpy(logo.valid, p.data() + 38, sizeof logo.valid);
    Post(REPLY_LOGO);
    Status(status);
}

void ReplyHandlers::OnReplyKeyer(ReplyBytes<20> r, uint8_t status)
{
    // The record names the layer it keys: 3 is set 0, 1 is set 1.
    if (r[0] == 3) CopyRecord(dev_.keyer[0], r);
    else if (r[0] == 1) CopyRecord(dev_.keyer[1], r);
    Post(REPLY_KEYER);
    Status(status);
}

void ReplyHandlers::OnReplyPresetFlags(ReplyBytes<10> p, uint8_t status)
{
    std::memcpy(dev_.presetStored, p.data(), sizeof dev_.presetStored);
    Post(REPLY_PRESET_FLAGS);
    HideBusy();
    Status(status);
}

void ReplyHandlers::OnReplyLoopOut(ReplyBytes<1> p, uint8_t status)
{
    dev_.loopOutIp = p[0];
    Post(REPLY_LOOP_OUT);
    Status(status);
}

void ReplyHandlers::OnReplySystemInfo(ReplyBytes<18> r, uint8_t status)
{
    CopyRecord(dev_.sysInfo, r);
    Post(REPLY_SYSTEM_INFO);
    Status(status);
}

void ReplyHandlers::OnReplyWorkMode(ReplyBytes<16> p, uint8_t status)
{
    static_assert(offsetof(DeviceParamBlock, keyer) - offsetof(DeviceParamBlock, pvwMode) == 16);
    CopyIntoBlock(dev_.Block(), offsetof(DeviceParamBlock, pvwMode), p);
    Post(REPLY_WORK_MODE);
    Status(status);
}

void ReplyHandlers::OnReplyDpMode(ReplyBytes<2> p, uint8_t status)
{
    const int j = p[0];
    if (j >= static_cast<int>(sizeof dev_.dpMode)) return;  // only DP-1 and the second DP
    dev_.dpMode[j] = p[1];
    dev_.UpdateDpInputs();
    Post(REPLY_DP_MODE);
    Status(status);
}

void ReplyHandlers::OnReplyInputState(ReplyBytes<8> p, uint8_t address)
{
    if (address != g_DeviceAddress) return;  // another processor on the line
    std::memcpy(dev_.inputState, p.data(), sizeof dev_.inputState);
    Post(REPLY_INPUT_STATE);
    Status(address);
}

void ReplyHandlers::OnReplyStatus(std::span<const uint8_t>, uint8_t status) { Status(status); }

void ReplyHandlers::OnReplyCaption(ReplyBytes<32> r, uint8_t status)
{
    const int n = r[14];  // output index
    if (n >= 4) return;
    std::memcpy(dev_.caption[n], r.data(), sizeof dev_.caption[n]);
    Post(REPLY_CAPTION, n);
    Status(status);
}

bool ReplyHandlers::IsFoundIpText(std::string_view text)
{
    if (text.empty() || text.size() > kMaxIpTextLength) return false;
    int groups = 0;
    int digits = 0;
    int value = 0;
    for (char ch : text) {
        if (ch == '.') {
            if (digits == 0) return false;
            ++groups;
            digits = 0;
            value = 0;
        } else if (ch >= '0' && ch <= '9') {
            value = value * 10 + (ch - '0');
            if (++digits > 3 || value > 255) return false;
        } else {
            return false;
        }
    }
    return digits > 0 && groups == 3;
}

void ReplyHandlers::OnReplyDeviceFound(std::optional<std::string_view> ipText,
                                       std::optional<ReplyBytes<6>> mac)
{
    if (ipText && mac && IsFoundIpText(*ipText)) {
        const QString ip = QString::fromLatin1(ipText->data(), static_cast<qsizetype>(ipText->size()));
        std::array<uint8_t, 6> macBytes{};
        std::memcpy(macBytes.data(), mac->data(), macBytes.size());
        dev_.foundIp = ip;
        std::memcpy(dev_.foundMac, macBytes.data(), sizeof dev_.foundMac);
        // The values travel with the post: another answer may overwrite the fields before the
        // dispatcher runs.
        if (MainWindowLink* link = GetMainWindowLink()) link->PostDeviceFound(ip, macBytes);
    }
    HideBusy();
}

void ReplyHandlers::OnReplyEncoderInfo(ReplyBytes<10> p, uint8_t status)
{
    std::memcpy(dev_.encoderInfo, p.data(), sizeof dev_.encoderInfo);
    Post(REPLY_ENCODER_INFO);
    if (p[0] == 0) dev_.SendCommand(CMD_QUERY_ENCODER, 1);
    else if (p[0] == 2) dev_.SendCommand(CMD_QUERY_ENCODER, 0);
    Status(status);
}

void ReplyHandlers::OnReplyBoardInfo(ReplyBytes<44> r, uint8_t status)
{
    CompositeBoardInfo board;
    CopyRecord(board, r);
    dev_.ApplyCompositeBoard(board);
    Post(REPLY_BOARD_INFO);
    dev_.SendCommand(CMD_QUERY_EDID, 5);
    dev_.SendCommand(CMD_QUERY_SPLICING);
    Status(status);
}

void ReplyHandlers::OnReplyFeather(ReplyBytes<36> p, uint8_t status)
{
    dev_.feather.onOff = p[0];
    for (int k = 0; k < 4; ++k) {
        dev_.feather.shape[k] = ReadI32(p, 4 + 4 * static_cast<std::size_t>(k));
        dev_.feather.level[k] = ReadI32(p, 20 + 4 * static_cast<std::size_t>(k));
    }
    Post(REPLY_FEATHER);
    Status(status);
}

void ReplyHandlers::OnReplyFreezeState(ReplyBytes<1> p, uint8_t status)
{
    dev_.freezeState = p[0];
    Post(REPLY_FREEZE_STATE);
    Status(status);
}
