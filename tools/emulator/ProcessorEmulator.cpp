#include "tools/emulator/ProcessorEmulator.h"

#include "comm/FrameDecoder.h"
#include "comm/PosixIo.h"
#include "device/CommandIds.h"

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

struct ProcessorEmulator::Io {
    struct Peer {
        int fd = -1;
        bool serial = false;
        comm::FrameDecoder decoder;
        std::vector<uint8_t> out;
        uint16_t sequence = 0;
    };

    mutable std::mutex mu;
    mutable std::condition_variable receivedCv;
    EmulatorDevice device;
    std::vector<ReceivedFrame> log;
    bool splitWrites = false;
    int corruptCount = 0;
    bool silent = false;
    bool disconnectRequest = false;
    bool listening = true;
    std::vector<comm::ReplyPacket> broadcasts;
    std::vector<std::vector<uint8_t>> video;
    int videoChannel = 0;
    int videoIntervalMs = 40;
    bool videoOn = false;
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

    std::atomic<bool> stop{false};
    std::thread thread;

    void Wake()
    {
        const uint64_t one = 1;
        [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
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

    // Encodes one frame for a peer; mu held.
    void Queue(Peer& peer, comm::FrameType type, const std::vector<uint8_t>& payload)
    {
        if (silent) return;
        const std::size_t begin = peer.out.size();
        comm::AppendFrame(peer.out, type, device.address, peer.sequence++, payload.data(), payload.size());
        if (corruptCount > 0) {
            --corruptCount;
            peer.out.back() ^= 0x5A;
        }
        (void)begin;
    }

    void QueueReplies(Peer& peer, const std::vector<comm::ReplyPacket>& replies)
    {
        for (const auto& r : replies) Queue(peer, comm::FrameType::Reply, comm::MakeReplyPayload(r));
    }

    // mu held.
    void Flush(Peer& peer)
    {
        std::size_t done = 0;
        while (peer.fd >= 0 && done < peer.out.size()) {
            const std::size_t chunk = splitWrites ? 1 : peer.out.size() - done;
            const ssize_t n = peer.serial ? ::write(peer.fd, peer.out.data() + done, chunk)
                                          : ::send(peer.fd, peer.out.data() + done, chunk, MSG_NOSIGNAL);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
            if (!peer.serial) comm::CloseFd(peer.fd);
            break;
        }
        peer.out.erase(peer.out.begin(), peer.out.begin() + static_cast<std::ptrdiff_t>(done));
    }

    // mu held.
    void OnFrame(Peer* peer, Transport transport, comm::Frame&& frame, const sockaddr_in* from)
    {
        log.push_back({transport, frame, comm::EncodeFrame(frame)});
        receivedCv.notify_all();
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
        if (peer) QueueReplies(*peer, Respond(device, frame));
    }

    void ReadPeer(Peer& peer, Transport transport)
    {
        uint8_t buf[65536];
        for (int rounds = 0; rounds < 16 && peer.fd >= 0; ++rounds) {
            const ssize_t n = ::read(peer.fd, buf, sizeof buf);
            if (n > 0) {
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

    void ApplyRequests(Clock::time_point now)
    {
        std::lock_guard lock(mu);
        if (disconnectRequest || !listening) {
            for (auto& c : clients) comm::CloseFd(c->fd);
            disconnectRequest = false;
        }
        if (!listening && listenFd >= 0) comm::CloseFd(listenFd);
        if (listening && listenFd < 0) OpenListener();
        std::vector<Peer*> all;
        for (auto& c : clients) all.push_back(c.get());
        if (pty) all.push_back(pty.get());
        for (const auto& r : broadcasts)
            for (Peer* p : all) QueueReplies(*p, {r});
        broadcasts.clear();
        if (videoOn && !video.empty() && now >= nextVideo) {
            // A steady rate, as the processor's encoder sends: the next picture is due one interval
            // after this one was due, not after the poll that noticed it (unless far behind).
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
        for (Peer* p : all) Flush(*p);
        std::erase_if(clients, [](const auto& c) { return c->fd < 0; });
        clientCount = static_cast<int>(clients.size());
    }

    void Run()
    {
        std::vector<pollfd> fds;
        std::vector<Peer*> peers;
        while (!stop.load(std::memory_order_acquire)) {
            ApplyRequests(Clock::now());
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
            {
                std::lock_guard lock(mu);
                for (auto& c : clients) {
                    fds.push_back({c->fd, static_cast<short>(POLLIN | (c->out.empty() ? 0 : POLLOUT)), 0});
                    peers.push_back(c.get());
                }
                if (pty) {
                    fds.push_back({pty->fd, static_cast<short>(POLLIN | (pty->out.empty() ? 0 : POLLOUT)), 0});
                    peers.push_back(pty.get());
                }
            }
            if (::poll(fds.data(), fds.size(), 10) <= 0) continue;
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
                if (fds[i].revents & (POLLIN | POLLHUP | POLLERR))
                    ReadPeer(*p, p->serial ? Transport::Serial : Transport::Tcp);
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

ProcessorEmulator::ProcessorEmulator(EmulatorOptions options) : options_(std::move(options)), io_(std::make_unique<Io>())
{
    EmulatorDevice& d = io_->device;
    d.ip = options_.ip;
    d.address = options_.address >= 0 ? static_cast<uint8_t>(options_.address) : comm::LastOctet(options_.ip);
    d.mac = options_.mac;
    if (d.mac[5] == 0) d.mac[5] = d.address;
    d.block = MakeDefaultBlock(options_.blockSeed);
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

void ProcessorEmulator::DisconnectClients()
{
    {
        std::lock_guard lock(io_->mu);
        io_->disconnectRequest = true;
    }
    io_->Wake();
}

void ProcessorEmulator::SetListening(bool on)
{
    {
        std::lock_guard lock(io_->mu);
        io_->listening = on;
    }
    io_->Wake();
}

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

void ProcessorEmulator::StartVideo(std::vector<std::vector<uint8_t>> packets, int channel, int intervalMs)
{
    {
        std::lock_guard lock(io_->mu);
        io_->video = std::move(packets);
        io_->videoChannel = channel;
        io_->videoIntervalMs = intervalMs > 0 ? intervalMs : 40;
        io_->videoOn = true;
    }
    io_->Wake();
}

void ProcessorEmulator::StopVideo()
{
    std::lock_guard lock(io_->mu);
    io_->videoOn = false;
}

void ProcessorEmulator::Broadcast(const comm::ReplyPacket& reply)
{
    {
        std::lock_guard lock(io_->mu);
        io_->broadcasts.push_back(reply);
    }
    io_->Wake();
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
