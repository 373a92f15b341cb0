// Reply 24: the processor reports that something it was asked to do has happened. Most events
// hide the busy dialog; some start a read-back of what the event changed.

#include "device/CDeviceData.h"
#include "device/MainWindowLink.h"
#include "device/ReplyHandlers.h"
#include "device/TimerSource.h"

namespace {

constexpr int kAfterLayoutChangeMs = 40;   // event 3: before the layer windows are read back
constexpr int kPerSplicingWindowMs = 100;  // event 11: after each window's two queries

}  // namespace

std::size_t ReplyHandlers::EventPayloadLength(uint8_t eventCode)
{
    switch (eventCode) {
    case 0: case 1: return 3;
    case 7: return 8;
    case 5: case 6: case 9: case 11: case 12: return 2;
    default: return 1;
    }
}

void ReplyHandlers::OnReplyEvent(std::span<const uint8_t> p, uint8_t status)
{
    if (p.empty() || p.size() < EventPayloadLength(p[0])) return;
    const uint8_t code = p[0];
    switch (code) {
    case 0:
    case 1:
        dev_.eventCode = code;
        dev_.eventArg[0] = p[1];
        dev_.eventArg[1] = p[2];
        HideBusy();
        Post(REPLY_EVENT, 0);
        break;
    case 2:
    case 4:
        HideBusy();
        break;
    case 3:
        dev_.SendCommand(CMD_QUERY_63);
        timers_.SingleShot(kAfterLayoutChangeMs, [this, status] { QueryLayerWindowsThenFinish(status); });
        return;  // the chain reports the status at its end
    case 5:
        if (p[1] == 1) {
            dev_.SendCommand(CMD_QUERY_65);
            dev_.SendCommand(CMD_QUERY_BOARD);
            dev_.SendCommand(CMD_QUERY_INPUT_INFO, 255);
            HideBusy();
        }
        break;
    case 6:
        if (p[1] == 0) {
            dev_.SendCommand(CMD_QUERY_63);
            dev_.SendCommand(CMD_QUERY_SPLICING);
            for (int w = 0; w < kWindowCount; ++w) dev_.SendCommand(CMD_QUERY_LAYER_WINDOW, w);
            dev_.SendCommand(CMD_QUERY_WORK_MODE);
            dev_.SendCommand(CMD_QUERY_LOGO);
        } else {
            dev_.SendCommand(CMD_GET_ALL_DATA);
        }
        break;
    case 7:
        dev_.eventCode = code;
        dev_.ackValue = ReadU16(p, 1);
        dev_.ackStatus = p[3];
        dev_.ackOffset = ReadU32(p, 4);
        Post(REPLY_EVENT, 0);
        break;
    case 8:
        HideBusy();
        Post(REPLY_EVENT, 8);
        break;
    case 9:
    case 12:
        dev_.eventCode = code;
        dev_.eventArg[0] = p[1];
        Post(REPLY_EVENT, 0);
        break;
    case 10:
        HideBusy();
        Post(REPLY_EVENT, 10);
        break;
    case 11:
        if (p[1] != 0) {
            dev_.SendCommand(CMD_GET_ALL_DATA);
            break;
        }
        dev_.SendCommand(CMD_QUERY_SPLICING);
        QuerySplicingWindowFrom(0, status);
        return;  // the chain reports the status at its end
    default:
        break;
    }
    Status(status);
}

void ReplyHandlers::QueryLayerWindowsThenFinish(uint8_t status)
{
    for (int w = 0; w < kWindowCount; ++w) dev_.SendCommand(CMD_QUERY_LAYER_WINDOW, w);
    dev_.SendCommand(CMD_QUERY_WORK_MODE);
    HideBusy();
    Status(status);
}

void ReplyHandlers::QuerySplicingWindowFrom(int w, uint8_t status)
{
    if (w >= kWindowCount) {
        HideBusy();
        Status(status);
        return;
    }
    dev_.SendCommand(CMD_QUERY_LAYER_WINDOW, w);
    dev_.SendCommand(CMD_QUERY_SPLICING_WINDOW, w);
    timers_.SingleShot(kPerSplicingWindowMs, [this, w, status] { QuerySplicingWindowFrom(w + 1, status); });
}
