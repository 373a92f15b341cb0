#pragma once
// An emulated processor on loopback: TCP (client links), UDP (search) and optionally a
// pseudo-terminal (serial link), answering through EmulatorDevice on its own thread. It logs
// the frames it receives (the latest ones: the log is bounded), and can be told to misbehave.
//
// It stays responsive to every client whatever one of them does: a client that does not read
// is dropped once kMaxUnsentBytes wait for it, each client is read at most kReadBudgetBytes per
// turn, and no lock is held while writing.

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
#include <utility>
#include <vector>

namespace emu {

struct EmulatorOptions {
    std::string ip = "127.0.0.1";  // must be a loopback address
    int tcpPort = 0;               // 0: any free port
    int udpPort = 0;               // 0: any free port; -1: no UDP
    bool pty = false;              // also serve a pseudo-terminal
    // Device address; -1: the last octet of ip, which is what the library expects of a processor
    // it reaches over TCP (it drops TCP frames in another address). Others suit the serial port.
    int address = -1;
    std::array<uint8_t, 6> mac{0x02, 0x5E, 0x00, 0x00, 0x00, 0x00};  // last byte: address when 0
    // 0: the configuration of a processor out of the box (FactoryBlock); otherwise a block of
    // noise made from this seed (MakeSeededBlock).
    uint32_t blockSeed = 0;
    // The received-frame log keeps at most this many frames and bytes (the oldest go first).
    std::size_t logFrames = 4096;
    std::size_t logBytes = 16 * 1024 * 1024;
};

constexpr std::size_t kMaxUnsentBytes = 8 * 1024 * 1024;
constexpr std::size_t kReadBudgetBytes = 256 * 1024;

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
    // A copy of everything the emulated processor holds (block, clock, counters), taken under the lock.
    EmulatorDevice DeviceState() const;
    // The feathering state as reply 30 carries it (36 bytes).
    std::vector<uint8_t> Feather() const;

    // Misbehaviour.
    void SetSplitWrites(bool on);          // every byte in its own write
    void CorruptNextReplies(int count);    // the next count frames go out with a wrong CRC
    void SetSilent(bool on);               // receive and log, answer nothing (probes included)
    void DisconnectClients();              // close every TCP client now
    void SetListening(bool on);            // off: close clients and refuse connections
    void SetOutOfRangeIndexes(bool on);
    void SetShortPayloads(bool on);
    void SetReading(bool on);              // off: read nothing from TCP clients (they back up)
    // Sends whole blocks (reply 2) and status replies (reply 23) to every client as fast as it
    // reads them, each block stamped with a running number in its last four bytes and each
    // status 0x80 | that number's low seven bits (no other reply has the high bit set).
    void SetReplyFlood(bool on);
    // Sends CraftedHeaderStream bytes (HostileStreams.h) to every client as fast as it reads them,
    // and nothing else: no answers, no probe echoes.
    void SetCraftedHeaders(bool on);
    // The last flood block and status sent, and how many replies the flood sent.
    std::vector<uint8_t> LastFloodBlock() const;
    uint8_t LastFloodStatus() const;
    uint64_t FloodReplies() const;
    // TCP clients dropped because kMaxUnsentBytes waited for them.
    uint64_t UnreadDrops() const;
    bool WaitUnreadDrops(uint64_t count, std::chrono::milliseconds timeout) const;

    void SetRefuseCaptions(bool on);       // every caption picture refused (event 12, flag 1)
    void DropChunkAcks(int count);         // the next count caption chunks go unacknowledged

    // Caption state: the rows received for the last accepted picture (top row first), its
    // announced size, the chunks received, and the 32-byte record of caption n (0..3).
    std::vector<uint8_t> CaptionRows() const;
    std::pair<int, int> CaptionSize() const;
    uint32_t CaptionChunks() const;
    std::array<uint8_t, 32> CaptionRecord(int n) const;

    // Preview: streams the clip as reply 26 (args[0] = channel), one packet per interval, looped.
    // While it streams the processor reports preview available (reply 1) after a full read and
    // with the stream settings.
    void StartVideo(std::vector<std::vector<uint8_t>> packets, int channel, int intervalMs);
    void StopVideo();

    // Sends a reply to every connected client and the pseudo-terminal, in frames of the given
    // address (-1: the processor's own).
    void Broadcast(const comm::ReplyPacket& reply, int frameAddress = -1);

    std::vector<ReceivedFrame> Received() const;
    std::size_t ReceivedCount() const;  // frames in the log
    uint64_t ReceivedTotal() const;      // frames received since the start, logged or not
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
