#include "comm/RecordingCommLibrary.h"

#include <cstring>

namespace comm {

namespace {
std::string TextOf(const char* s) { return s ? std::string(s) : std::string(); }
}  // namespace

void RecordingCommLibrary::Record(RecordedCall call)
{
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

void RecordingCommLibrary::SetTargetIds(int count, const uint8_t* ids)
{
    RecordedCall c{RecordedCall::Op::SetTargetIds};
    c.id = count;
    if (ids && count > 0) c.bytes.assign(ids, ids + count);
    Record(std::move(c));
}

void RecordingCommLibrary::RegisterHandler(ReplyHandler handler, int replyId)
{
    {
        std::lock_guard lock(mutex_);
        if (replyId >= 0 && replyId < kReplyIdCount) {
            handlers_[replyId] = std::move(handler);
            ++registrations_[replyId];
        }
    }
    RecordedCall c{RecordedCall::Op::RegisterHandler};
    c.id = replyId;
    Record(std::move(c));
}

void RecordingCommLibrary::Shutdown()
{
    {
        std::lock_guard lock(mutex_);
        shutDown_ = true;
        handlers_ = {};
    }
    Record(RecordedCall{RecordedCall::Op::Shutdown});
}

void RecordingCommLibrary::ConnectNet(const char* ip, int port)
{
    RecordedCall c{RecordedCall::Op::ConnectNet};
    c.text = TextOf(ip);
    c.value = port;
    Record(std::move(c));
}

void RecordingCommLibrary::SendBlock(const void* block, uint8_t deviceAddress)
{
    RecordedCall c{RecordedCall::Op::SendBlock};
    c.deviceAddress = deviceAddress;
    if (block) {
        auto p = static_cast<const uint8_t*>(block);
        c.bytes.assign(p, p + kParamBlockSize);
    }
    Record(std::move(c));
}

void RecordingCommLibrary::SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress)
{
    RecordedCall c{RecordedCall::Op::SendCommand};
    c.id = cmdId;
    c.deviceAddress = deviceAddress;
    if (params) c.bytes.assign(params, params + kCommandBlockSize);
    Record(std::move(c));
}

void RecordingCommLibrary::SelectLocalIp(const char* ip)
{
    RecordedCall c{RecordedCall::Op::SelectLocalIp};
    c.text = TextOf(ip);
    Record(std::move(c));
}

void RecordingCommLibrary::DisconnectNet(const char* ip)
{
    RecordedCall c{RecordedCall::Op::DisconnectNet};
    c.text = TextOf(ip);
    Record(std::move(c));
}

void RecordingCommLibrary::SetTargetIp(const char* ip)
{
    RecordedCall c{RecordedCall::Op::SetTargetIp};
    c.text = TextOf(ip);
    Record(std::move(c));
}

int RecordingCommLibrary::OpenSerial(int portNumber, int baud)
{
    RecordedCall c{RecordedCall::Op::OpenSerial};
    c.id = portNumber;
    c.value = baud;
    Record(std::move(c));
    std::lock_guard lock(mutex_);
    return openSerialResult_;
}

void RecordingCommLibrary::CloseSerial() { Record(RecordedCall{RecordedCall::Op::CloseSerial}); }

void RecordingCommLibrary::GetVersion(uint8_t* out, int length)
{
    Record(RecordedCall{RecordedCall::Op::GetVersion});
    std::lock_guard lock(mutex_);
    for (int i = 0; out && i < length; ++i) out[i] = i < 2 ? version_[i] : 0;
}

void RecordingCommLibrary::SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress)
{
    RecordedCall c{RecordedCall::Op::SendData};
    c.value = static_cast<int>(offset);
    c.deviceAddress = deviceAddress;
    if (data) c.bytes.assign(data, data + length);
    Record(std::move(c));
}

void RecordingCommLibrary::SetOpenSerialResult(int result)
{
    std::lock_guard lock(mutex_);
    openSerialResult_ = result;
}

void RecordingCommLibrary::SetVersion(uint8_t major, uint8_t minor)
{
    std::lock_guard lock(mutex_);
    version_[0] = major;
    version_[1] = minor;
}

bool RecordingCommLibrary::Deliver(const ReplyPacket& packet)
{
    ReplyHandler handler;
    {
        std::lock_guard lock(mutex_);
        if (shutDown_ || packet.replyId < 0 || packet.replyId >= kReplyIdCount) return false;
        handler = handlers_[packet.replyId];
    }
    if (!handler) return false;
    handler(packet);
    return true;
}

std::vector<RecordedCall> RecordingCommLibrary::Calls() const
{
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<RecordedCall> RecordingCommLibrary::Commands() const
{
    std::lock_guard lock(mutex_);
    std::vector<RecordedCall> out;
    for (const auto& c : calls_)
        if (c.op == RecordedCall::Op::SendCommand) out.push_back(c);
    return out;
}

void RecordingCommLibrary::ClearCalls()
{
    std::lock_guard lock(mutex_);
    calls_.clear();
}

int RecordingCommLibrary::HandlerRegistrations(int replyId) const
{
    std::lock_guard lock(mutex_);
    return (replyId >= 0 && replyId < kReplyIdCount) ? registrations_[replyId] : 0;
}

}  // namespace comm
