#pragma once
// A communication library for tests: records every call with a copy of its bytes and lets a test
// deliver replies to the registered handlers. Thread-safe; Deliver runs the handler on the caller's
// thread, the way the real library runs it on its own.

#include "comm/CommLibrary.h"

#include <array>
#include <mutex>
#include <string>
#include <vector>

namespace comm {

struct RecordedCall {
    enum class Op {
        SetTargetIds, RegisterHandler, Shutdown, ConnectNet, SendBlock, SendCommand, SelectLocalIp,
        DisconnectNet, SetTargetIp, OpenSerial, CloseSerial, GetVersion, SendData
    };
    Op op;
    int id = 0;               // command id, reply id, port number or count
    int value = 0;            // port (ConnectNet), baud (OpenSerial), offset (SendData)
    uint8_t deviceAddress = 0;
    std::string text{};       // IP texts
    std::vector<uint8_t> bytes{};  // command block, parameter block, data or target ids
};

class RecordingCommLibrary final : public CommLibrary {
public:
    void SetTargetIds(int count, const uint8_t* ids) override;
    void RegisterHandler(ReplyHandler handler, int replyId) override;
    void Shutdown() override;
    void ConnectNet(const char* ip, int port) override;
    void SendBlock(const void* block, uint8_t deviceAddress) override;
    void SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress) override;
    void SelectLocalIp(const char* ip) override;
    void DisconnectNet(const char* ip) override;
    void SetTargetIp(const char* ip) override;
    int OpenSerial(int portNumber, int baud) override;
    void CloseSerial() override;
    void GetVersion(uint8_t* out, int length) override;
    void SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress) override;

    // Test side.
    void SetOpenSerialResult(int result);
    void SetVersion(uint8_t major, uint8_t minor);
    // Runs the handler registered for packet.replyId; false when none is (or after Shutdown).
    bool Deliver(const ReplyPacket& packet);
    std::vector<RecordedCall> Calls() const;
    // Only the SendCommand calls, in order.
    std::vector<RecordedCall> Commands() const;
    void ClearCalls();
    int HandlerRegistrations(int replyId) const;

private:
    void Record(RecordedCall call);

    mutable std::mutex mutex_;
    std::vector<RecordedCall> calls_;
    std::array<ReplyHandler, kReplyIdCount> handlers_{};
    std::array<int, kReplyIdCount> registrations_{};
    bool shutDown_ = false;
    int openSerialResult_ = 1;
    uint8_t version_[2] = {1, 0};
};

}  // namespace comm
