#include "tools/emulator/ProcessorEmulator.h"

#include "comm/FrameDecoder.h"
#include "comm/PosixIo.h"
#include "device/CommandIds.h"
#include "tools/emulator/FactoryBlock.h"
#include "tools/emulator/HostileStreams.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace emu {

using Clock = std::chrono::steady_clock;

namespace {

// While flooding, a client is topped up to this many unsent bytes per turn.
constexpr std::size_t kFloodLowWater = 64 * 1024;
// Sent bytes are dropped from the front of a send buffer once there are this many and they are
// at least half of it.
constexpr std::size_t kCompactSendAfter = 64 * 1024;

}  // namespace

struct ProcessorEmulator::Io {
    // Peers and their buffers belong to the emulator's thread alone; mu guards what the API
    // shares with it (device, log, requests and switches).
    struct Peer {
        int fd = -1;
        bool serial = false;
        comm::FrameDecoder decoder;
        std::vector<uint8_t> out;
        std::size_t outPos = 0;
        uint16_t sequence = 0;
        std::size_t junkPos = 0;
        bool notReading = false;
        LinkState link;

        std::size_t Pending() const { return out.size() - outPos; }
    };

    explicit Io(const EmulatorOptions& o) : logFrames(std::max<std::size_t>(o.logFrames, 1)), logBytes(o.logBytes) {}

    mutable std::mutex mu;
    mutable std::condition_variable receivedCv;
    EmulatorDevice device;
    const std::size_t logFrames;
    const std::size_t logBytes;
    std::vector<ReceivedFrame> log;
    std::size_t logged = 0;  // bytes in log
    uint64_t receivedTotal = 0;
    bool splitWrites = false;
    int corruptCount = 0;
    bool silent = false;
    bool disconnectRequest = false;
    bool listening = true;
    bool reading = true;
    bool flood = false;
    bool crafted = false;
    uint32_t floodNumber = 0;
    uint64_t floodReplies = 0;
    std::vector<uint8_t> lastFloodBlock;
    uint8_t lastFloodStatus = 0;
    uint64_t unreadDrops = 0;
    std::vector<std::pair<comm::ReplyPacket, int>> broadcasts;  // reply, frame address (-1: own)
    std::vector<std::vector<uint8_t>> video;
    int videoChannel = 0;
    int videoIntervalMs = 40;
    bool videoOn = false;
    bool videoFromStart = false;  // a new clip begins with its first (key) picture
    std::string error;
    int clientCount = 0;

    // Thread only (after Start).
    in_addr ip{};
    int tcpPort = 0;
    int listenFd = -1;
    int udpFd = -1;
    int wakeFd = -1;
    int ptySlaveKeepAlive = -1;
    std::unique_ptr<Peer> pty;
    std::vector<std::unique_ptr<Peer>> clients;
    std::size_t videoIndex = 0;
    Clock::time_point nextVideo{};
    std::vector<uint8_t> junk;

    std::atomic<bool> stop{false};
    std::thread thread;

    void Wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
    }

    // A flag the thread reads under mu, set from the API; the thread is woken to act on it at once.
    void Switch(bool Io::*flag, bool on)
    {
        {
            std::lock_guard lock(mu);
            this->*flag = on;
        }
        Wake();
    }

    bool OpenListener()
    {
        listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (listenFd < 0) return false;
        int one = 1;
        ::setsockopt(listenFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in sa = comm::MakeSockAddr(ip, tcpPort);
        if (::bind(listenFd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(listenFd, 8) != 0) {
            comm::CloseFd(listenFd);
            return false;
        }
        socklen_t len = sizeof sa;
        ::getsockname(listenFd, reinterpret_cast<sockaddr*>(&sa), &len);
        tcpPort = ntohs(sa.sin_port);
        return true;
    }

    // Room for n more bytes to a peer; a TCP client that lets too much pile up is not reading and
    // is dropped, the pseudo-terminal loses what waits for it.
    bool MakeRoom(Peer& peer, std::size_t n)
    {
        if (peer.notReading) return false;
        if (peer.Pending() + n > kMaxUnsentBytes) {
            if (peer.serial) {
                peer.out.clear();
                peer.outPos = 0;
                return true;
            }
            peer.notReading = true;
            ++unreadDrops;
            receivedCv.notify_all();
            return false;
        }
        if (peer.outPos > 0 && peer.outPos == peer.out.size()) {
            peer.out.clear();
            peer.outPos = 0;
        } else if (peer.outPos >= kCompactSendAfter && peer.outPos >= peer.out.size() / 2) {
            peer.out.erase(peer.out.begin(), peer.out.begin() + static_cast<std::ptrdiff_t>(peer.outPos));
            peer.outPos = 0;
        }
        return true;
    }

    // Encodes one frame for a peer, in the processor's address unless given another; mu held.
    void Queue(Peer& peer, comm::FrameType type, const std::vector<uint8_t>& payload, int address = -1)
    {
        if (silent || crafted) return;
        if (!MakeRoom(peer, payload.size() + comm::kFrameOverhead)) return;
        const auto to = static_cast<uint8_t>(address >= 0 ? address : device.address);
        comm::AppendFrame(peer.out, type, to, peer.sequence++, payload.data(), payload.size());
        if (corruptCount > 0) {
            --corruptCount;
            peer.out.back() ^= 0x5A;
        }
    }

    void QueueReplies(Peer& peer, const std::vector<comm::ReplyPacket>& replies)
    {
        for (const auto& r : replies) Queue(peer, comm::FrameType::Reply, comm::MakeReplyPayload(r));
    }

    // mu held.
    void TopUpFlood(Peer& peer)
    {
        while (!peer.notReading && peer.Pending() < kFloodLowWater) {
            ++floodNumber;
            comm::ReplyPacket block;
            block.replyId = REPLY_ALL_DATA;
            block.deviceAddress = device.address;
            block.status = device.address;
            const auto* b = reinterpret_cast<const uint8_t*>(&device.block);
            block.payload.assign(b, b + sizeof(DeviceParamBlock));
            for (int k = 0; k < 4; ++k)
                block.payload[sizeof(DeviceParamBlock) - 4 + k] = static_cast<uint8_t>(floodNumber >> (8 * k));
            comm::ReplyPacket status;
            status.replyId = REPLY_STATUS;
            status.deviceAddress = device.address;
            status.status = static_cast<uint8_t>(0x80 | (floodNumber & 0x7F));
            QueueReplies(peer, {block, status});
            floodReplies += 2;
            lastFloodBlock = std::move(block.payload);
            lastFloodStatus = status.status;
        }
    }

    // mu held.
    void TopUpCrafted(Peer& peer)
    {
        while (!peer.notReading && peer.Pending() < kFloodLowWater) {
            const std::size_t n = std::min<std::size_t>(kFloodLowWater, junk.size() - peer.junkPos);
            if (!MakeRoom(peer, n)) return;
            peer.out.insert(peer.out.end(), junk.begin() + static_cast<std::ptrdiff_t>(peer.junkPos),
                            junk.begin() + static_cast<std::ptrdiff_t>(peer.junkPos + n));
            peer.junkPos = (peer.junkPos + n) % junk.size();
        }
    }

    // Thread only, no lock: the peer's buffer is the thread's own.
    void Flush(Peer& peer, bool split)
    {
        while (peer.fd >= 0 && peer.Pending() > 0) {
            const std::size_t chunk = split ? 1 : peer.Pending();
            const uint8_t* from = peer.out.data() + peer.outPos;
            const ssize_t n = peer.serial ? ::write(peer.fd, from, chunk) : ::send(peer.fd, from, chunk, MSG_NOSIGNAL);
            if (n > 0) {
                peer.outPos += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            if (!peer.serial) comm::CloseFd(peer.fd);
            return;
        }
        if (peer.Pending() == 0) {
            peer.out.clear();
            peer.outPos = 0;
        }
    }

    // mu held.
    void Log(Transport transport, const comm::Frame& frame)
    {
        ++receivedTotal;
        ReceivedFrame entry{transport, frame, comm::EncodeFrame(frame)};
        logged += entry.bytes.size();
        log.push_back(std::move(entry));
        if (log.size() > logFrames || logged > logBytes) {
            // Drop the older half (at least the oldest frame), so trimming costs O(1) per frame.
            std::size_t drop = std::max<std::size_t>(1, log.size() / 2);
            for (std::size_t i = 0; i < drop; ++i) logged -= log[i].bytes.size();
            log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(drop));
        }
        receivedCv.notify_all();
    }

    // mu held.
    void OnFrame(Peer* peer, Transport transport, comm::Frame&& frame, const sockaddr_in* from)
    {
        Log(transport, frame);
        const bool forMe = frame.address == device.address || frame.address == comm::kBroadcastAddress;
        // A TCP link is point to point: the connection chose the processor. On a serial bus and
        // for datagrams the address decides.
        if (transport != Transport::Tcp && !forMe) return;
        if (frame.type == comm::FrameType::Probe) {
            if (peer) Queue(*peer, comm::FrameType::Probe, {});
            return;
        }
        if (transport == Transport::Udp) {
            int32_t id = 0;
            std::array<uint8_t, comm::kCommandBlockSize> params{};
            if (frame.type != comm::FrameType::Command || !comm::ReadCommandPayload(frame.payload, id, params) ||
                id != CMD_SEARCH_DEVICES || silent || !from)
                return;
            std::vector<uint8_t> datagram;
            for (const auto& r : Respond(device, frame)) {
                auto payload = comm::MakeReplyPayload(r);
                comm::AppendFrame(datagram, comm::FrameType::Reply, device.address, 0, payload.data(), payload.size());
            }
            ::sendto(udpFd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(from), sizeof *from);
            return;
        }
        if (peer) QueueReplies(*peer, Respond(device, frame, &peer->link));
    }

    void ReadPeer(Peer& peer, Transport transport)
    {
        uint8_t buf[65536];
        for (std::size_t budget = kReadBudgetBytes; budget > 0 && peer.fd >= 0;) {
            const ssize_t n = ::read(peer.fd, buf, std::min(sizeof buf, budget));
            if (n > 0) {
                budget -= static_cast<std::size_t>(n);
                std::lock_guard lock(mu);
                peer.decoder.Feed(buf, static_cast<std::size_t>(n),
                                  [&](comm::Frame&& f) { OnFrame(&peer, transport, std::move(f), nullptr); });
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
            if (peer.serial) return;  // the library side of the pty closed: wait for it to reopen
            comm::CloseFd(peer.fd);
            return;
        }
    }

    void ReadUdp()
    {
        uint8_t buf[65536];
        for (int rounds = 0; rounds < 16; ++rounds) {
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = ::recvfrom(udpFd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n <= 0) return;
            comm::FrameDecoder decoder;
            std::lock_guard lock(mu);
            decoder.Feed(buf, static_cast<std::size_t>(n),
                         [&](comm::Frame&& f) { OnFrame(nullptr, Transport::Udp, std::move(f), &from); });
        }
    }

    // Applies what the API asked for and queues what is due; returns the poll timeout.
    int ApplyRequests(Clock::time_point now)
    {
        std::vector<Peer*> all;
        bool split = false;
        int timeout = -1;
        {
            std::lock_guard lock(mu);
            if (disconnectRequest || !listening) {
                for (auto& c : clients) comm::CloseFd(c->fd);
                disconnectRequest = false;
            }
            if (!listening && listenFd >= 0) comm::CloseFd(listenFd);
            if (listening && listenFd < 0) OpenListener();
            for (auto& c : clients) all.push_back(c.get());
            if (pty) all.push_back(pty.get());
            for (const auto& [r, address] : broadcasts)
                for (Peer* p : all) Queue(*p, comm::FrameType::Reply, comm::MakeReplyPayload(r), address);
            broadcasts.clear();
            if (videoFromStart) {
                videoIndex = 0;
                videoFromStart = false;
            }
            if (videoOn && !video.empty() && now >= nextVideo) {
                // A steady rate, as the processor's encoder sends: the next picture is due one
                // interval after this one was due, not after the poll that noticed it (unless far
                // behind).
                nextVideo += std::chrono::milliseconds(videoIntervalMs);
                if (nextVideo < now) nextVideo = now + std::chrono::milliseconds(videoIntervalMs);
                comm::ReplyPacket r;
                r.replyId = REPLY_VIDEO_DATA;
                r.deviceAddress = device.address;
                r.status = device.address;
                r.args[0] = device.outOfRangeIndexes ? 9 : videoChannel;
                r.payload = video[videoIndex++ % video.size()];
                if (device.shortPayloads) r.payload.resize(r.payload.size() / 2);
                for (Peer* p : all) QueueReplies(*p, {r});
            }
            if (videoOn && !video.empty())
                timeout = static_cast<int>(std::max<int64_t>(
                    0, std::chrono::ceil<std::chrono::milliseconds>(nextVideo - now).count()));
            for (Peer* p : all) {
                if (p->serial) continue;
                if (crafted) TopUpCrafted(*p);
                else if (flood && !silent) TopUpFlood(*p);
            }
            split = splitWrites;
        }
        for (Peer* p : all) {
            if (p->notReading) comm::CloseFd(p->fd);
            Flush(*p, split);
        }
        std::lock_guard lock(mu);
        std::erase_if(clients, [](const auto& c) { return c->fd < 0; });
        clientCount = static_cast<int>(clients.size());
        // A flooding client that took everything gets more at once.
        if (flood || crafted)
            for (auto& c : clients)
                if (c->Pending() < kFloodLowWater) timeout = 0;
        return timeout;
    }

    void Run()
    {
        std::vector<pollfd> fds;
        std::vector<Peer*> peers;
        while (!stop.load(std::memory_order_acquire)) {
            const int timeout = ApplyRequests(Clock::now());
            fds.clear();
            peers.clear();
            fds.push_back({wakeFd, POLLIN, 0});
            peers.push_back(nullptr);
            const std::size_t listenIndex = fds.size();
            fds.push_back({listenFd, POLLIN, 0});
            peers.push_back(nullptr);
            const std::size_t udpIndex = fds.size();
            fds.push_back({udpFd, POLLIN, 0});
            peers.push_back(nullptr);
            bool read = true;
            {
                std::lock_guard lock(mu);
                read = reading;
            }
            for (auto& c : clients) {
                const short in = read ? POLLIN : 0;
                fds.push_back({c->fd, static_cast<short>(in | (c->Pending() ? POLLOUT : 0)), 0});
                peers.push_back(c.get());
            }
            if (pty) {
                fds.push_back({pty->fd, static_cast<short>(POLLIN | (pty->Pending() ? POLLOUT : 0)), 0});
                peers.push_back(pty.get());
            }
            if (::poll(fds.data(), fds.size(), timeout) <= 0) continue;
            if (fds[0].revents & POLLIN) {
                uint64_t v;
                [[maybe_unused]] auto n = ::read(wakeFd, &v, sizeof v);
            }
            if (listenFd >= 0 && (fds[listenIndex].revents & POLLIN)) {
                const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
                if (fd >= 0) {
                    int one = 1;
                    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
                    auto peer = std::make_unique<Peer>();
                    peer->fd = fd;
                    std::lock_guard lock(mu);
                    clients.push_back(std::move(peer));
                }
            }
            if (udpFd >= 0 && (fds[udpIndex].revents & POLLIN)) ReadUdp();
            for (std::size_t i = udpIndex + 1; i < fds.size(); ++i) {
                Peer* p = peers[i];
                if (!p || !fds[i].revents || p->fd != fds[i].fd) continue;
                const bool tcp = !p->serial;
                if ((fds[i].revents & (POLLIN | POLLHUP | POLLERR)) && (read || !tcp))
                    ReadPeer(*p, tcp ? Transport::Tcp : Transport::Serial);
            }
        }
    }

    void CloseAll()
    {
        for (auto& c : clients) comm::CloseFd(c->fd);
        clients.clear();
        if (pty) comm::CloseFd(pty->fd);
        pty.reset();
        comm::CloseFd(ptySlaveKeepAlive);
        comm::CloseFd(listenFd);
        comm::CloseFd(udpFd);
        comm::CloseFd(wakeFd);
    }
};

ProcessorEmulator::ProcessorEmulator(EmulatorOptions options)
    : options_(std::move(options)), io_(std::make_unique<Io>(options_))
{
    EmulatorDevice& d = io_->device;
    d.ip = options_.ip;
    d.address = options_.address >= 0 ? static_cast<uint8_t>(options_.address) : comm::LastOctet(options_.ip);
    d.mac = options_.mac;
    if (d.mac[5] == 0) d.mac[5] = d.address;
    d.block = options_.blockSeed ? MakeSeededBlock(options_.blockSeed) : FactoryBlock();
    io_->junk = CraftedHeaderStream(1000);
}

ProcessorEmulator::~ProcessorEmulator() { Stop(); }

bool ProcessorEmulator::Start()
{
    Io& io = *io_;
    auto fail = [&](const std::string& what) {
        std::lock_guard lock(io.mu);
        io.error = what + ": " + std::strerror(errno);
        io.CloseAll();
        return false;
    };
    if (!comm::ParseIpv4(options_.ip, io.ip) || (ntohl(io.ip.s_addr) >> 24) != 127) {
        std::lock_guard lock(io.mu);
        io.error = "the emulator listens on loopback addresses (127.0.0.0/8) only";
        return false;
    }
    io.wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (io.wakeFd < 0) return fail("eventfd");
    io.tcpPort = options_.tcpPort;
    if (!io.OpenListener()) return fail("tcp listen");
    tcpPort_ = io.tcpPort;
    if (options_.udpPort >= 0) {
        io.udpFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        sockaddr_in sa = comm::MakeSockAddr(io.ip, options_.udpPort);
        if (io.udpFd < 0 || ::bind(io.udpFd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) return fail("udp bind");
        socklen_t len = sizeof sa;
        ::getsockname(io.udpFd, reinterpret_cast<sockaddr*>(&sa), &len);
        udpPort_ = ntohs(sa.sin_port);
    }
    if (options_.pty) {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return fail("pty");
        char name[128] = {};
        if (::ptsname_r(master, name, sizeof name) != 0) return fail("ptsname");
        ptyPath_ = name;
        comm::SetNonBlocking(master);
        // Holding the slave open keeps the master readable while the library has the port closed,
        // and makes it raw before the library's first byte, so nothing is echoed back.
        io.ptySlaveKeepAlive = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (io.ptySlaveKeepAlive >= 0) {
            termios tio{};
            ::tcgetattr(io.ptySlaveKeepAlive, &tio);
            ::cfmakeraw(&tio);
            ::tcsetattr(io.ptySlaveKeepAlive, TCSANOW, &tio);
        }
        io.pty = std::make_unique<Io::Peer>();
        io.pty->fd = master;
        io.pty->serial = true;
    }
    io.thread = std::thread([&io] { io.Run(); });
    return true;
}

void ProcessorEmulator::Stop()
{
    if (!io_->thread.joinable()) return;
    io_->stop.store(true, std::memory_order_release);
    io_->Wake();
    io_->thread.join();
    std::lock_guard lock(io_->mu);
    io_->CloseAll();
}

std::string ProcessorEmulator::Error() const
{
    std::lock_guard lock(io_->mu);
    return io_->error;
}

uint8_t ProcessorEmulator::Address() const
{
    std::lock_guard lock(io_->mu);
    return io_->device.address;
}

std::array<uint8_t, 6> ProcessorEmulator::Mac() const
{
    std::lock_guard lock(io_->mu);
    return io_->device.mac;
}

std::vector<uint8_t> ProcessorEmulator::Block() const
{
    std::lock_guard lock(io_->mu);
    const auto* p = reinterpret_cast<const uint8_t*>(&io_->device.block);
    return std::vector<uint8_t>(p, p + sizeof(DeviceParamBlock));
}

EmulatorDevice ProcessorEmulator::DeviceState() const
{
    std::lock_guard lock(io_->mu);
    return io_->device;
}

std::vector<uint8_t> ProcessorEmulator::Feather() const
{
    std::lock_guard lock(io_->mu);
    return std::vector<uint8_t>(std::begin(io_->device.feather), std::end(io_->device.feather));
}

void ProcessorEmulator::SetBlock(const DeviceParamBlock& block)
{
    std::lock_guard lock(io_->mu);
    io_->device.block = block;
}

void ProcessorEmulator::SetSplitWrites(bool on)
{
    std::lock_guard lock(io_->mu);
    io_->splitWrites = on;
}

void ProcessorEmulator::CorruptNextReplies(int count)
{
    std::lock_guard lock(io_->mu);
    io_->corruptCount = count;
}

void ProcessorEmulator::SetSilent(bool on)
{
    std::lock_guard lock(io_->mu);
    io_->silent = on;
}

void ProcessorEmulator::DisconnectClients() { io_->Switch(&Io::disconnectRequest, true); }

void ProcessorEmulator::SetListening(bool on) { io_->Switch(&Io::listening, on); }

void ProcessorEmulator::SetOutOfRangeIndexes(bool on)
{
    std::lock_guard lock(io_->mu);
    io_->device.outOfRangeIndexes = on;
}

void ProcessorEmulator::SetShortPayloads(bool on)
{
    std::lock_guard lock(io_->mu);
    io_->device.shortPayloads = on;
}

void ProcessorEmulator::SetRefuseCaptions(bool on)
{
    std::lock_guard lock(io_->mu);
    io_->device.refuseCaptions = on;
}

void ProcessorEmulator::DropChunkAcks(int count)
{
    std::lock_guard lock(io_->mu);
    io_->device.dropChunkAcks = count;
}

std::vector<uint8_t> ProcessorEmulator::CaptionRows() const
{
    std::lock_guard lock(io_->mu);
    return io_->device.captionRows;
}

std::pair<int, int> ProcessorEmulator::CaptionSize() const
{
    std::lock_guard lock(io_->mu);
    return {io_->device.captionWidth, io_->device.captionHeight};
}

uint32_t ProcessorEmulator::CaptionChunks() const
{
    std::lock_guard lock(io_->mu);
    return io_->device.captionChunks;
}

std::array<uint8_t, 32> ProcessorEmulator::CaptionRecord(int n) const
{
    std::array<uint8_t, 32> out{};
    std::lock_guard lock(io_->mu);
    if (n >= 0 && n < 4) std::copy(std::begin(io_->device.captions[n]), std::end(io_->device.captions[n]), out.begin());
    return out;
}

void ProcessorEmulator::StartVideo(std::vector<std::vector<uint8_t>> packets, int channel, int intervalMs)
{
    {
        std::lock_guard lock(io_->mu);
        io_->video = std::move(packets);
        io_->videoChannel = channel;
        io_->videoIntervalMs = intervalMs > 0 ? intervalMs : 40;
        io_->videoOn = true;
        io_->videoFromStart = true;
        io_->device.previewMode = 1;
    }
    io_->Wake();
}

void ProcessorEmulator::StopVideo()
{
    std::lock_guard lock(io_->mu);
    io_->videoOn = false;
    io_->device.previewMode = 0;
}

void ProcessorEmulator::Broadcast(const comm::ReplyPacket& reply, int frameAddress)
{
    {
        std::lock_guard lock(io_->mu);
        io_->broadcasts.emplace_back(reply, frameAddress);
    }
    io_->Wake();
}

void ProcessorEmulator::SetReading(bool on) { io_->Switch(&Io::reading, on); }

void ProcessorEmulator::SetReplyFlood(bool on) { io_->Switch(&Io::flood, on); }

void ProcessorEmulator::SetCraftedHeaders(bool on) { io_->Switch(&Io::crafted, on); }

std::vector<uint8_t> ProcessorEmulator::LastFloodBlock() const
{
    std::lock_guard lock(io_->mu);
    return io_->lastFloodBlock;
}

uint8_t ProcessorEmulator::LastFloodStatus() const
{
    std::lock_guard lock(io_->mu);
    return io_->lastFloodStatus;
}

uint64_t ProcessorEmulator::FloodReplies() const
{
    std::lock_guard lock(io_->mu);
    return io_->floodReplies;
}

uint64_t ProcessorEmulator::UnreadDrops() const
{
    std::lock_guard lock(io_->mu);
    return io_->unreadDrops;
}

bool ProcessorEmulator::WaitUnreadDrops(uint64_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(io_->mu);
    return io_->receivedCv.wait_for(lock, timeout, [&] { return io_->unreadDrops >= count; });
}

uint64_t ProcessorEmulator::ReceivedTotal() const
{
    std::lock_guard lock(io_->mu);
    return io_->receivedTotal;
}

std::vector<ReceivedFrame> ProcessorEmulator::Received() const
{
    std::lock_guard lock(io_->mu);
    return io_->log;
}

std::size_t ProcessorEmulator::ReceivedCount() const
{
    std::lock_guard lock(io_->mu);
    return io_->log.size();
}

void ProcessorEmulator::ClearReceived()
{
    std::lock_guard lock(io_->mu);
    io_->log.clear();
    io_->logged = 0;
}

bool ProcessorEmulator::WaitReceived(const std::function<bool(const std::vector<ReceivedFrame>&)>& pred,
                                     std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(io_->mu);
    return io_->receivedCv.wait_for(lock, timeout, [&] { return pred(io_->log); });
}

int ProcessorEmulator::ClientCount() const
{
    std::lock_guard lock(io_->mu);
    return io_->clientCount;
}

}  // namespace emu
