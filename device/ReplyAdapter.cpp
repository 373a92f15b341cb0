#include "device/ReplyAdapter.h"

#include "comm/QVN_Comm.h"
#include "device/CDeviceData.h"
#include "device/CommandIds.h"
#include "device/DeviceParamBlock.h"
#include "device/ReplyHandlers.h"
#include "device/VideoPacketSink.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace {

constexpr std::size_t kMacLength = 6;

// Per reply: the payload bytes it needs, and whether it changes what the program holds of the
// processor (its configuration and state, what the pages show and the project saves). Those are
// taken only from the processor the commands go to; the rest the search page needs from every
// processor it watches, or holds nothing: the online report (0) and the status (23) keep its
// tiles alive, a search answer (27) comes from no link, and video (26) only passes through to the
// preview, on the communication thread.
struct ReplyRule {
    std::size_t length;
    bool changesHeld;
};

constexpr std::array<ReplyRule, 32> kRules = {{
    {1, false},     // 0 online
    {1, true},      // 1 preview mode
    {2360, true},   // 2 whole block
    {6, true},      // 3 pixel colour
    {10, true},     // 4 input signal
    {28, true},     // 5 VGA
    {12, true},     // 6 EDID
    {124, true},    // 7 schedule
    {32, true},     // 8 picture: 12-byte common part, then the 20-byte record
    {0, true},      // 9 output acknowledgement (payload ignored)
    {20, true},     // 10 layer window
    {14, true},     // 11 crop
    {108, true},    // 12 splicing
    {6, true},      // 13 machine time
    {0, true},      // 14 layer state: 3 bytes per counted layer
    {42, true},     // 15 logo
    {20, true},     // 16 keyer
    {10, true},     // 17 preset flags
    {1, true},      // 18 loop-out
    {18, true},     // 19 system info
    {16, true},     // 20 work mode
    {2, true},      // 21 DP mode
    {8, true},      // 22 input state
    {0, false},     // 23 status (payload ignored)
    {1, true},      // 24 event: at least the code, more by event
    {32, true},     // 25 caption
    {0, false},     // 26 video data
    {0, false},     // 27 device found: MAC, then the IP text
    {10, true},     // 28 encoder
    {44, true},     // 29 composite board
    {36, true},     // 30 feather
    {1, true},      // 31 freeze
}};

std::atomic<uint64_t> g_otherProcessorReplies{0};

template <std::size_t N>
ReplyBytes<N> At(const std::vector<uint8_t>& payload, std::size_t offset = 0)
{
    return ReplyBytes<N>(payload.data() + offset, N);
}

bool IsWindow(int32_t w) { return w >= 0 && w < kWindowCount; }

// A window whose layer shows an input that has picture and crop records.
bool HasInputRecords(ReplyHandlers& h, int32_t w) { return IsWindow(w) && h.Device().GetWindowInputIndex(w) >= 0; }

}  // namespace

std::size_t ReplyPayloadLength(int replyId)
{
    if (replyId < 0 || replyId >= static_cast<int>(kRules.size())) return 0;
    return kRules[static_cast<std::size_t>(replyId)].length;
}

uint64_t RepliesFromOtherProcessors() { return g_otherProcessorReplies.load(std::memory_order_relaxed); }

bool DispatchReply(ReplyHandlers& h, const comm::ReplyPacket& packet)
{
    const int id = packet.replyId;
    if (id < 0 || id >= comm::kReplyIdCount) return false;
    const std::vector<uint8_t>& p = packet.payload;
    if (p.size() < ReplyPayloadLength(id)) return false;
    if (kRules[static_cast<std::size_t>(id)].changesHeld && !QVN_Comm_CommandsReach(packet.link, g_DeviceAddress)) {
        g_otherProcessorReplies.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    const uint8_t st = packet.status;
    const int32_t a0 = packet.args[0];
    const int32_t a1 = packet.args[1];

    switch (id) {
    case REPLY_ONLINE: h.OnReplyOnline(At<1>(p), st); break;
    case REPLY_PREVIEW_MODE: h.OnReplyPreviewMode(At<1>(p), st); break;
    case REPLY_ALL_DATA: h.OnReplyAllData(At<2360>(p), st); break;
    case REPLY_PIXEL_COLOR: h.OnReplyPixelColor(At<6>(p), st); break;
    case REPLY_INPUT_SIGNAL:
        if (p[0] >= kInputSlotCount) return false;
        h.OnReplyInputSignal(At<10>(p), st);
        break;
    case REPLY_VGA_DATA: h.OnReplyVgaData(At<28>(p), st); break;
    case REPLY_EDID: h.OnReplyEdid(At<12>(p), st); break;
    case REPLY_SCHEDULE: h.OnReplySchedule(At<124>(p), st); break;
    case REPLY_PICTURE:
        if (!HasInputRecords(h, a0)) return false;
        h.OnReplyPicture(At<12>(p), At<20>(p, 12), a0, a1, st);
        break;
    case REPLY_OUTPUT_ACK: h.OnReplyOutputAck(p, st); break;
    case REPLY_LAYER_WINDOW:
        if (!IsWindow(a0)) return false;
        h.OnReplyLayerWindow(At<20>(p), a0, st);
        break;
    case REPLY_CROP:
        if (!HasInputRecords(h, a0)) return false;
        h.OnReplyCrop(At<14>(p), a0, a1, st);
        break;
    case REPLY_SPLICING: h.OnReplySplicing(At<108>(p), a0, st); break;
    case REPLY_MACHINE_TIME: h.OnReplyMachineTime(At<6>(p), st); break;
    case REPLY_LAYER_STATE:
        if (a0 < 0 || a0 > kWindowCount) return false;
        if (p.size() < static_cast<std::size_t>(a0) * 3) return false;
        h.OnReplyLayerState(p, a0, st);
        break;
    case REPLY_LOGO: h.OnReplyLogo(At<42>(p), st); break;
    case REPLY_KEYER: h.OnReplyKeyer(At<20>(p), st); break;
    case REPLY_PRESET_FLAGS: h.OnReplyPresetFlags(At<10>(p), st); break;
    case REPLY_LOOP_OUT: h.OnReplyLoopOut(At<1>(p), st); break;
    case REPLY_SYSTEM_INFO: h.OnReplySystemInfo(At<18>(p), st); break;
    case REPLY_WORK_MODE: h.OnReplyWorkMode(At<16>(p), st); break;
    case REPLY_DP_MODE:
        if (p[0] > 1) return false;
        h.OnReplyDpMode(At<2>(p), st);
        break;
    case REPLY_INPUT_STATE: h.OnReplyInputState(At<8>(p), packet.deviceAddress); break;
    case REPLY_STATUS: h.OnReplyStatus(p, st); break;
    case REPLY_EVENT:
        if (p.size() < ReplyHandlers::EventPayloadLength(p[0])) return false;
        h.OnReplyEvent(p, st);
        break;
    case REPLY_CAPTION:
        if (p[14] > 3) return false;
        h.OnReplyCaption(At<32>(p), st);
        break;
    case REPLY_VIDEO_DATA:
        // An empty payload is the end of the stream and is passed on as such.
        if (a0 < 0 || a0 >= kPreviewChannelCount) return false;
        OnReplyVideoData(p.data(), p.size(), a0);
        break;
    case REPLY_DEVICE_FOUND: {
        // MAC first, then the text up to its terminator (or the end). Either part missing is
        // passed on as missing: the handler then still hides the busy dialog.
        std::optional<ReplyBytes<6>> mac;
        std::optional<std::string_view> ip;
        if (p.size() >= kMacLength) {
            mac = At<6>(p);
            const auto* text = reinterpret_cast<const char*>(p.data() + kMacLength);
            const std::size_t room = p.size() - kMacLength;
            const std::size_t length = static_cast<std::size_t>(std::find(text, text + room, '\0') - text);
            if (length > 0) ip = std::string_view(text, length);
        }
        h.OnReplyDeviceFound(ip, mac);
        break;
    }
    case REPLY_ENCODER_INFO: h.OnReplyEncoderInfo(At<10>(p), st); break;
    case REPLY_BOARD_INFO: h.OnReplyBoardInfo(At<44>(p), st); break;
    case REPLY_FEATHER: h.OnReplyFeather(At<36>(p), st); break;
    case REPLY_FREEZE_STATE: h.OnReplyFreezeState(At<1>(p), st); break;
    default: return false;
    }
    return true;
}
