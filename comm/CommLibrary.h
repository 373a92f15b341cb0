#pragma once
// The device communication library as the program sees it: the operations it calls and the
// reply it gets back. The program calls the free QVN_Comm_* functions (QVN_Comm.h); they forward
// to whichever implementation is installed (the real transports, or a recording one in tests).

#include <cstdint>
#include <functional>
#include <vector>

namespace comm {

constexpr int kDevicePort = 61213;
constexpr int kReplyIdCount = 32;
constexpr std::size_t kCommandBlockSize = 32;
constexpr std::size_t kParamBlockSize = 2360;
constexpr uint8_t kBroadcastAddress = 0xFF;

// One reply as the library decodes it, before the reply adapter splits it into the parameter
// list of its handler. Payload bytes are owned by the packet.
//   args[0]: window (replies 8, 10, 11), index (12), count (14), channel (26)
//   args[1]: the extra 32-bit value of replies 8 and 11 (carried, not used)
//   reply 22: deviceAddress is the address byte the handler compares
//   reply 27: payload = 6-byte MAC followed by the IPv4 text (no terminator needed)
struct ReplyPacket {
    int replyId = 0;
    uint8_t deviceAddress = 0;   // address of the processor that answered
    uint8_t status = 0;
    int32_t args[2] = {0, 0};
    std::vector<uint8_t> payload;
    // The link it came over, as the library numbers its links (CommandsReach); 0 for none: a
    // search answer, or a reply from a library that keeps no links.
    uint32_t link = 0;
};

// Called on the library's own thread, once per reply of the id it was registered for.
using ReplyHandler = std::function<void(const ReplyPacket&)>;

class CommLibrary {
public:
    virtual ~CommLibrary() = default;

    virtual void SetTargetIds(int count, const uint8_t* ids) = 0;
    virtual void RegisterHandler(ReplyHandler handler, int replyId) = 0;
    // After Shutdown returns no handler is called again.
    virtual void Shutdown() = 0;
    virtual void ConnectNet(const char* ip, int port) = 0;
    // block: the 2360-byte parameter block, valid only during the call.
    virtual void SendBlock(const void* block, uint8_t deviceAddress) = 0;
    // params: the 32-byte command block, copied before the call returns.
    virtual void SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress) = 0;
    virtual void SelectLocalIp(const char* ip) = 0;
    virtual void DisconnectNet(const char* ip) = 0;
    virtual void SetTargetIp(const char* ip) = 0;
    // Nonzero when the port opened.
    virtual int OpenSerial(int portNumber, int baud) = 0;
    virtual void CloseSerial() = 0;
    // out[0] major, out[1] minor.
    virtual void GetVersion(uint8_t* out, int length) = 0;
    virtual void SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress) = 0;
    // Whether a transfer to deviceAddress made now goes out on the link a reply came over
    // (ReplyPacket::link): the reply then comes from a processor the program's commands reach.
    // Any thread. A library that keeps no links of its own answers yes for every reply.
    virtual bool CommandsReach(uint32_t link, uint8_t deviceAddress) const { return true; }
};

// The process-wide library. Until one is installed a silent one answers (every send is dropped,
// OpenSerial fails). Install before the main window registers its handlers; the caller keeps
// ownership and must uninstall (nullptr) before destroying it.
CommLibrary& GetCommLibrary();
void InstallCommLibrary(CommLibrary* library);

}  // namespace comm
