#pragma once
// The reply handlers: one per reply id, each with the parameter list of its reply. A handler
// stores what the processor said in the device state, tells the main window (a posted
// WM_DEVICE_REPLY through MainWindowLink), and for most replies then reports the status byte.
// Some send follow-up queries; pauses between them are single-shot timers that continue the
// sequence later, so nothing ever sleeps.
//
// Handlers run on the UI thread (UiReplyRelay queues them there). Video data (reply 26) is not
// here: it is handled on the communication thread (VideoPacketSink.h).
//
// Indexes that would reach outside a table drop the whole reply: nothing stored, posted or
// reported. The reply adapter (ReplyAdapter.h) has already checked lengths and indexes; the
// handlers check indexes again because they are callable on their own.

#include "device/ReplyBytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class CDeviceData;
class TimerSource;

constexpr std::size_t kMaxIpTextLength = 15;  // "255.255.255.255"

class ReplyHandlers {
public:
    ReplyHandlers(CDeviceData& device, TimerSource& timers);

    CDeviceData& Device() { return dev_; }

    void OnReplyOnline(ReplyBytes<1> payload, uint8_t status);                      // 0
    void OnReplyPreviewMode(ReplyBytes<1> payload, uint8_t status);                 // 1
    void OnReplyAllData(ReplyBytes<2360> block, uint8_t status);                    // 2
    void OnReplyPixelColor(ReplyBytes<6> payload, uint8_t status);                  // 3
    void OnReplyInputSignal(ReplyBytes<10> record, uint8_t status);                 // 4
    void OnReplyVgaData(ReplyBytes<28> record, uint8_t status);                     // 5
    void OnReplyEdid(ReplyBytes<12> record, uint8_t status);                        // 6
    void OnReplySchedule(ReplyBytes<124> record, uint8_t status);                   // 7
    void OnReplyPicture(ReplyBytes<12> common, ReplyBytes<20> record, int window, int32_t unused,
                        uint8_t status);                                            // 8
    void OnReplyOutputAck(std::span<const uint8_t> payload, uint8_t status);        // 9
    void OnReplyLayerWindow(ReplyBytes<20> payload, int window, uint8_t status);    // 10
    void OnReplyCrop(ReplyBytes<14> record, int window, int32_t unused, uint8_t status);  // 11
    void OnReplySplicing(ReplyBytes<108> payload, int32_t index, uint8_t status);   // 12
    void OnReplyMachineTime(ReplyBytes<6> payload, uint8_t status);                 // 13
    // triples: 3 bytes (onOff, alpha, input) per layer, at least 3 * count of them.
    void OnReplyLayerState(std::span<const uint8_t> triples, int count, uint8_t status);  // 14
    void OnReplyLogo(ReplyBytes<42> payload, uint8_t status);                       // 15
    void OnReplyKeyer(ReplyBytes<20> record, uint8_t status);                       // 16
    void OnReplyPresetFlags(ReplyBytes<10> payload, uint8_t status);                // 17
    void OnReplyLoopOut(ReplyBytes<1> payload, uint8_t status);                     // 18
    void OnReplySystemInfo(ReplyBytes<18> record, uint8_t status);                  // 19
    void OnReplyWorkMode(ReplyBytes<16> payload, uint8_t status);                   // 20
    void OnReplyDpMode(ReplyBytes<2> payload, uint8_t status);                      // 21
    void OnReplyInputState(ReplyBytes<8> payload, uint8_t address);                 // 22
    void OnReplyStatus(std::span<const uint8_t> payload, uint8_t status);           // 23
    // payload[0] is the event code; events read up to 8 bytes (EventPayloadLength).
    void OnReplyEvent(std::span<const uint8_t> payload, uint8_t status);            // 24
    void OnReplyCaption(ReplyBytes<32> record, uint8_t status);                     // 25
    // ipText: the IP text (8-bit characters, no terminator), absent when missing; mac likewise.
    void OnReplyDeviceFound(std::optional<std::string_view> ipText,
                            std::optional<ReplyBytes<6>> mac);                      // 27
    void OnReplyEncoderInfo(ReplyBytes<10> payload, uint8_t status);                // 28
    void OnReplyBoardInfo(ReplyBytes<44> record, uint8_t status);                   // 29
    void OnReplyFeather(ReplyBytes<36> payload, uint8_t status);                    // 30
    void OnReplyFreezeState(ReplyBytes<1> payload, uint8_t status);                 // 31

    // Bytes reply 24 needs for an event code (the code byte included).
    static std::size_t EventPayloadLength(uint8_t eventCode);
    // A dotted IPv4 text of at most 15 characters: four groups of 1 to 3 digits, each at most 255.
    static bool IsFoundIpText(std::string_view text);

private:
    void Post(int32_t replyId, int32_t lParam = 0);
    void Status(uint8_t status);
    void HideBusy();
    void QueryLayerWindowsThenFinish(uint8_t status);
    void QuerySplicingWindowFrom(int w, uint8_t status);

    CDeviceData& dev_;
    TimerSource& timers_;
    // Timer keys of the read-out after a block. Blocks 50 ms or more apart take the next slot; a
    // read-out is pending for 200 ms after its last block, so at most five are pending at once.
    std::array<char, 8> readOutKeys_{};
    std::size_t readOutSlot_ = 0;
    int64_t lastBlockMs_ = 0;
    bool haveBlock_ = false;
};
