#pragma once
// The real communication library: TCP links to processors, a serial link, and UDP discovery, all
// driven by one I/O thread.
//
// Calls from any thread only queue an operation and wake the I/O thread, so they never block on
// the network and keep their order (a send made after ConnectNet travels on that link). Reply
// handlers run on the I/O thread; a handler may send.
//
// Routing of a transfer to address A:
//   - command 69 (search) to 0xFF goes out as UDP datagrams to the discovery destinations;
//     processors answer with reply 27;
//   - otherwise the serial link, when open, carries everything (it is a bus: processors pick
//     their own address); opening it closes the network links, so that the program talks to
//     the port alone, and a network connect closes it in turn. A = 0xFF reaches every network
//     link; any other A goes to the network link whose processor has address A, else to the
//     link chosen by SetTargetIp, else to the only link.
// CommandsReach answers, from any thread, whether a transfer to A goes out on a given link: for
// the link a reply came over (ReplyPacket::link), whether the reply comes from a processor the
// program's commands reach.
//
// Network links: a network link's processor is the one the program connected to, and its
// address is the last octet of that IP. One address is held by one link at a time: a connect to
// a processor whose address another link holds closes that link quietly (as opening the serial
// port closes the network links: the program left that processor, which did not go offline), so
// a command to A never reaches two processors. The library keeps at most maxNetLinks network
// links whatever its callers ask: a connect to a new address past that is refused (counted in
// refusedNetLinks); a processor already linked may still be connected again.
//
// A frame on a network link that claims another address (0xFF aside) is dropped: a peer cannot
// draw the commands meant for another processor. The serial link, a bus opened with the
// broadcast address, learns its address from its frames.
//
// The I/O thread sleeps in poll() until a descriptor is ready, a caller wakes it, or the next
// deadline it keeps (probe, silence, reconnect, connect timeout) is due.
//
// Link health: every link sends a probe frame each probe interval and a processor echoes it. The
// first frame after a link comes up is reported to the program as reply 0 with online byte 1; a
// link that drops, or hears nothing for the silence timeout, is reported as reply 0 with online
// byte 0 (status and address: the processor's address). While the processor keeps answering, the
// online report is repeated every online report interval, at the first probe or echo after it is
// due (it keeps no deadline of its own): the program's watchdogs count it as a sign of life. Only
// whole frames with a good CRC count as hearing from the processor: a link that receives nothing
// but junk goes offline all the same. Network links reconnect until the operator disconnects them.
//
// Reply 0 is the library's own word: one that arrives from a peer is dropped. Reply 27 is the
// search socket's alone: one that arrives on a link is dropped, so a processor cannot make the
// program link another. The search socket is open to anyone on the network, so it takes search
// answers alone (every other frame is dropped), and only those that name the address they came
// from (a processor answers from its own address) and arrive within searchAnswerWindowMs of the
// last search.

#include "comm/CommLibrary.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace comm {

// Network links the library keeps at most: one per device address a processor can have (1..254).
constexpr std::size_t kMaxNetLinks = 254;

// Processors answer a search at once; a few seconds leave room for a busy network.
constexpr int kSearchAnswerWindowMs = 3000;

// A processor's address as its search answer writes it: four groups of one to three decimal
// digits, each 0..255, leading zeros allowed ("127.000.000.171" is 127.0.0.171); nothing for any
// other text.
std::optional<std::array<uint8_t, 4>> ReadAddressText(std::string_view text);

struct DeviceLinkOptions {
    struct Endpoint {
        std::string ip;
        int port = kDevicePort;
    };
    // Where search datagrams go. Empty: the directed broadcast of the interface that carries the
    // selected local address (255.255.255.255 before one is selected), at discoveryPort.
    std::vector<Endpoint> discoveryTargets;
    int discoveryPort = kDevicePort;
    // How long after a search its answers are taken.
    int searchAnswerWindowMs = kSearchAnswerWindowMs;
    // Port used for ConnectNet instead of the one it names: per IP, then tcpPort when nonzero.
    std::map<std::string, int> tcpPortByIp;
    int tcpPort = 0;
    // Network links kept at most; a connect to another processor past that is refused. Never more
    // than half the descriptors the process may open (RLIMIT_NOFILE when the link is made).
    std::size_t maxNetLinks = kMaxNetLinks;

    int probeIntervalMs = 1000;
    int silenceTimeoutMs = 5000;
    // How often an answering link repeats its online report; never below kMinOnlineReportMs.
    int onlineReportIntervalMs = 3000;
    int reconnectIntervalMs = 2000;
    int connectTimeoutMs = 3000;
    // Bytes a link may hold unsent. A network peer that lets more pile up is not reading: its
    // link is dropped (reported offline) and reconnected. On the serial port the unsent bytes are
    // discarded and the link reported offline until the processor answers again.
    std::size_t maxPendingBytes = 16 * 1024 * 1024;
    // Bytes read from one link per turn of the I/O thread, so that one busy link cannot starve
    // the others or the timers.
    std::size_t readBudgetBytes = 256 * 1024;
};

// Counters of the I/O thread, for diagnostics and tests.
struct DeviceLinkStats {
    uint64_t unreadDrops = 0;        // links dropped because their peer stopped reading
    std::size_t peakPending = 0;     // most bytes one link held unsent
    uint64_t bytesFed = 0;           // bytes the links' decoders were given
    uint64_t bytesExamined = 0;      // bytes those decoders read (FrameDecoder::BytesExamined)
    std::size_t peakBuffered = 0;    // most bytes one link's decoder held
    uint64_t wakeups = 0;            // times the I/O thread woke
    uint64_t connectAttempts = 0;
    uint64_t silenceDrops = 0;       // links dropped or reported offline for hearing nothing
    uint64_t wireOnlineReports = 0;  // replies 0 a peer sent, dropped
    uint64_t strayDatagramFrames = 0;  // frames on the search socket that were not search answers
    uint64_t misaddressedSearchAnswers = 0;  // search answers naming an address they did not come from
    uint64_t lateSearchAnswers = 0;    // search answers before any search or after its window
    uint64_t wireSearchAnswers = 0;    // replies 27 a link carried, dropped
    uint64_t foreignAddressFrames = 0;  // frames on a network link claiming another processor's address
    uint64_t refusedNetLinks = 0;    // connects to a new processor refused: maxNetLinks links were open
    uint64_t replacedNetLinks = 0;   // links closed for a connect to another processor of their address
};

constexpr int kMinOnlineReportMs = 1000;

constexpr uint8_t kLibraryVersionMajor = 1;
constexpr uint8_t kLibraryVersionMinor = 0;

class DeviceLink final : public CommLibrary {
public:
    explicit DeviceLink(DeviceLinkOptions options = {});
    ~DeviceLink() override;

    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

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
    bool CommandsReach(uint32_t link, uint8_t deviceAddress) const override;

    // Opens a serial device by path (pseudo-terminals in tests); nonzero when it opened.
    int OpenSerialPath(const std::string& path, int baud);
    // The target ids last set (for diagnostics and tests).
    std::vector<uint8_t> TargetIds() const;
    DeviceLinkStats Stats() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace comm
