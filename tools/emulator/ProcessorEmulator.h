#pragma once
// An emulated processor on loopback: TCP (client links), UDP (search) and optionally a
// pseudo-terminal (serial link), answering through EmulatorDevice on its own thread. It logs
// every frame it receives, and can be told to misbehave.

#include "comm/Frame.h"
#include "tools/emulator/EmulatorDevice.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace emu {

struct EmulatorOptions {
    std::string ip = "127.0.0.1";  // must be a loopback address
    int tcpPort = 0;               // 0: any free port
    int udpPort = 0;               // 0: any free port; -1: no UDP
    bool pty = false;              // also serve a pseudo-terminal
    int address = -1;              // device address; -1: last octet of ip
    std::array<uint8_t, 6> mac{0x02, 0x5E, 0x00, 0x00, 0x00, 0x00};  // last byte: address when 0
    uint32_t blockSeed = 1;
};

enum class Transport { Tcp, Udp, Serial };

struct ReceivedFrame {
    Transport transport;
    comm::Frame frame;
    std::vector<uint8_t> bytes;  // the frame as it came over the wire
};

class ProcessorEmulator {
public:
    explicit ProcessorEmulator(EmulatorOptions options = {});
    ~ProcessorEmulator();

    // Binds and starts the thread; false (with Error()) when a socket could not be opened.
    bool Start();
    void Stop();
    std::string Error() const;

    std::string Ip() const { return options_.ip; }
    int TcpPort() const { return tcpPort_; }
    int UdpPort() const { return udpPort_; }
    std::string PtyPath() const { return ptyPath_; }
    uint8_t Address() const;
    std::array<uint8_t, 6> Mac() const;

    std::vector<uint8_t> Block() const;
    void SetBlock(const DeviceParamBlock& block);
    // A copy of everything the emulated processor holds (block, VGA record, pattern, grab).
    EmulatorDevice State() const;

    // Misbehaviour.
    void SetSplitWrites(bool on);          // every byte in its own write
    void CorruptNextReplies(int count);    // the next count frames go out with a wrong CRC
    void SetSilent(bool on);               // receive and log, answer nothing (probes included)
    void DisconnectClients();              // close every TCP client now
    void SetListening(bool on);            // off: close clients and refuse connections
    void SetOutOfRangeIndexes(bool on);
    void SetShortPayloads(bool on);

    // Preview: streams the clip as reply 26 (args[0] = channel), one packet per interval, looped.
    void StartVideo(std::vector<std::vector<uint8_t>> packets, int channel, int intervalMs);
    void StopVideo();

    // Sends a reply to every connected client and the pseudo-terminal.
    void Broadcast(const comm::ReplyPacket& reply);

    std::vector<ReceivedFrame> Received() const;
    std::size_t ReceivedCount() const;
    void ClearReceived();
    // Waits until pred holds for the log; false on timeout.
    bool WaitReceived(const std::function<bool(const std::vector<ReceivedFrame>&)>& pred,
                      std::chrono::milliseconds timeout) const;
    int ClientCount() const;

    struct Io;

private:
    EmulatorOptions options_;
    int tcpPort_ = 0;
    int udpPort_ = 0;
    std::string ptyPath_;
    std::unique_ptr<Io> io_;
};

}  // namespace emu
