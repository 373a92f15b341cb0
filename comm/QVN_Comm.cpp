#include "comm/QVN_Comm.h"

#include <atomic>

namespace comm {
namespace {

// Answers like a library with no link: sends go nowhere, the serial port never opens.
class SilentCommLibrary final : public CommLibrary {
public:
    void SetTargetIds(int, const uint8_t*) override {}
    void RegisterHandler(ReplyHandler, int) override {}
    void Shutdown() override {}
    void ConnectNet(const char*, int) override {}
    void SendBlock(const void*, uint8_t) override {}
    void SendCommand(int, const uint8_t*, uint8_t) override {}
    void SelectLocalIp(const char*) override {}
    void DisconnectNet(const char*) override {}
    void SetTargetIp(const char*) override {}
    int OpenSerial(int, int) override { return 0; }
    void CloseSerial() override {}
    void GetVersion(uint8_t* out, int length) override
    {
        for (int i = 0; out && i < length; ++i) out[i] = 0;
    }
    void SendData(uint32_t, uint32_t, const uint8_t*, uint8_t) override {}
};

SilentCommLibrary g_silent;
std::atomic<CommLibrary*> g_installed{nullptr};

}  // namespace

CommLibrary& GetCommLibrary()
{
    CommLibrary* lib = g_installed.load(std::memory_order_acquire);
    return lib ? *lib : g_silent;
}

void InstallCommLibrary(CommLibrary* library)
{
    g_installed.store(library, std::memory_order_release);
}

}  // namespace comm

using comm::GetCommLibrary;

void QVN_Comm_SetTargetIds(int count, const uint8_t* ids) { GetCommLibrary().SetTargetIds(count, ids); }
void QVN_Comm_RegisterHandler(comm::ReplyHandler handler, int replyId) { GetCommLibrary().RegisterHandler(std::move(handler), replyId); }
void QVN_Comm_Shutdown() { GetCommLibrary().Shutdown(); }
void QVN_Comm_ConnectNet(const char* ip, int port) { GetCommLibrary().ConnectNet(ip, port); }
void QVN_Comm_SendBlock(const void* block, uint8_t deviceAddress) { GetCommLibrary().SendBlock(block, deviceAddress); }
void QVN_Comm_SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress) { GetCommLibrary().SendCommand(cmdId, params, deviceAddress); }
void QVN_Comm_SelectLocalIp(const char* ip) { GetCommLibrary().SelectLocalIp(ip); }
void QVN_Comm_DisconnectNet(const char* ip) { GetCommLibrary().DisconnectNet(ip); }
void QVN_Comm_SetTargetIp(const char* ip) { GetCommLibrary().SetTargetIp(ip); }
int QVN_Comm_OpenSerial(int portNumber, int baud) { return GetCommLibrary().OpenSerial(portNumber, baud); }
void QVN_Comm_CloseSerial() { GetCommLibrary().CloseSerial(); }
void QVN_Comm_GetVersion(uint8_t* out, int length) { GetCommLibrary().GetVersion(out, length); }
bool QVN_Comm_CommandsReach(uint32_t link, uint8_t deviceAddress) { return GetCommLibrary().CommandsReach(link, deviceAddress); }
void QVN_Comm_SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress)
{
    GetCommLibrary().SendData(offset, length, data, deviceAddress);
}
