#include "comm/DeviceLink.h"

#include "comm/Frame.h"
#include "comm/FrameDecoder.h"
#include "comm/PosixIo.h"
#include "comm/SerialPortNames.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <variant>

namespace comm {

std::optional<std::array<uint8_t, 4>> ReadAddressText(std::string_view text)
{
    std::array<uint8_t, 4> octets{};
    std::size_t group = 0;
    int digits = 0, value = 0;
    for (const char c : text) {
        if (c == '.') {
            if (digits == 0 || ++group == octets.size()) return std::nullopt;
            digits = value = 0;
        } else if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            if (++digits > 3 || value > 255) return std::nullopt;
            octets[group] = static_cast<uint8_t>(value);
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || group != octets.size() - 1) return std::nullopt;
    return octets;
}

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

constexpr int kSearchCommand = 69;
constexpr int kOnlineReply = 0;
constexpr int kSearchAnswer = 27;
// Sent bytes are dropped from the front of a send buffer once there are this many and they are
// at least half of it, so a peer that reads slowly costs O(1) per byte.
constexpr std::size_t kCompactSendAfter = 64 * 1024;

// Operations queued by the calling threads, applied in order by the I/O thread.
struct OpSend {
    FrameType type;
    uint8_t address;
    int cmdId;  // -1 unless a command
    std::vector<uint8_t> payload;
};
struct OpConnect { std::string ip; int port; };
struct OpDisconnect { std::string ip; };
struct OpSelectLocal { std::string ip; };
struct OpTargetIp { std::string ip; };
struct OpAdoptSerial { int fd; };
struct OpCloseSerial {};
using Op = std::variant<OpSend, OpConnect, OpDisconnect, OpSelectLocal, OpTargetIp, OpAdoptSerial, OpCloseSerial>;

struct Link {
    enum class State { Waiting, Connecting, Up };
    uint32_t id = 0;  // ReplyPacket::link of its replies; never reused
    bool serial = false;
    std::string ip;
    int port = 0;
    int fd = -1;
    State state = State::Waiting;
    std::vector<uint8_t> out;
    std::size_t outPos = 0;
    FrameDecoder decoder;
    uint16_t sequence = 0;
    uint8_t address = 0;
    bool online = false;
    Clock::time_point lastRx{};
    Clock::time_point lastProbe{};
    Clock::time_point lastOnlineReport{};
    Clock::time_point nextAttempt{};
    Clock::time_point connectStarted{};

    std::size_t Pending() const { return out.size() - outPos; }
};

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

// Whether a search answer names the address it came from: the text after its 6-byte MAC, up to
// its terminator or the end.
bool NamesItsSender(const std::vector<uint8_t>& payload, in_addr from)
{
    constexpr std::size_t kMacLength = 6;
    if (payload.size() <= kMacLength) return false;
    const auto* text = reinterpret_cast<const char*>(payload.data()) + kMacLength;
    const auto named = ReadAddressText(std::string_view(text, ::strnlen(text, payload.size() - kMacLength)));
    return named && std::memcmp(named->data(), &from.s_addr, named->size()) == 0;  // both in network order
}

// An online link repeats its report only when the processor was heard since the last one.
bool ReportDue(const Link& l) { return l.online && l.fd >= 0 && l.lastRx > l.lastOnlineReport; }

// What decides where a transfer goes, rebuilt by the I/O thread whenever a link comes or goes or
// the target changes.
struct RouteTable {
    uint32_t serial = 0;                // the serial link's id while the port is open
    std::vector<uint32_t> ids;          // the network links', in the order of netLinks
    std::vector<uint8_t> addresses;     // their processors' addresses
    std::optional<std::size_t> target;  // the one SetTargetIp chose
};

// Calls fn(i) for each network link i that a transfer to address goes to: every one for the
// broadcast address, else the one whose processor has that address, else the target, else the
// only one.
template <typename Fn>
void ForEachRouted(const RouteTable& t, uint8_t address, Fn&& fn)
{
    bool sent = false;
    for (std::size_t i = 0; i < t.ids.size(); ++i) {
        if (address == kBroadcastAddress || t.addresses[i] == address) {
            fn(i);
            sent = true;
        }
    }
    if (sent) return;
    if (t.target)
        fn(*t.target);
    else if (t.ids.size() == 1)
        fn(0);
}

// Links may take at most half the descriptors the process may open: the rest of the program (its
// windows, files and pipes) is never starved of them, whatever limit the system sets.
std::size_t LinkBound(std::size_t wanted)
{
    rlimit r{};
    if (getrlimit(RLIMIT_NOFILE, &r) != 0 || r.rlim_cur == RLIM_INFINITY) return wanted;
    return std::min<std::size_t>(wanted, std::max<rlim_t>(1, r.rlim_cur / 2));
}

}  // namespace

struct DeviceLink::Impl {
    explicit Impl(DeviceLinkOptions o)
        : options(std::move(o)), onlineReportInterval(std::max(options.onlineReportIntervalMs, kMinOnlineReportMs)),
          maxNetLinks(LinkBound(options.maxNetLinks))
    {
    }

    const DeviceLinkOptions options;
    const Ms onlineReportInterval;
    const std::size_t maxNetLinks;

    // Shared with the calling threads.
    std::mutex queueMutex;
    std::deque<Op> queue;
    int wakeFd = -1;
    std::atomic<bool> stop{false};

    mutable std::mutex statsMutex;
    DeviceLinkStats stats;
    // One more of an event the stats count; the API reads them from other threads.
    void Count(uint64_t DeviceLinkStats::*counter)
    {
        std::lock_guard lock(statsMutex);
        ++(stats.*counter);
    }

    std::mutex handlerMutex;
    std::array<ReplyHandler, kReplyIdCount> handlers{};
    bool shutDown = false;

    mutable std::mutex idsMutex;
    std::vector<uint8_t> targetIds;

    std::thread thread;

    // Written by the I/O thread under routesMutex, so that CommandsReach may read it from any
    // thread; the I/O thread, its only writer, reads it without the lock.
    mutable std::mutex routesMutex;
    RouteTable routes;

    // I/O thread only.
    uint32_t lastLinkId = 0;
    std::vector<std::unique_ptr<Link>> netLinks;
    std::unique_ptr<Link> serialLink;
    std::string localIp;
    std::string targetIp;
    int udpFd = -1;
    std::optional<Clock::time_point> lastSearch;  // search answers are taken for a while after it

    void Post(Op op);
    void Run();
    void Apply(Op& op);
    void Route(OpSend& send);
    void SendDiscovery(const OpSend& send);
    void Enqueue(Link& link, FrameType type, uint8_t address, const std::vector<uint8_t>& payload);
    void PeerNotReading(Link& link);
    void Flush(Link& link);
    void StartConnect(Link& link, Clock::time_point now);
    void Drop(Link& link, Clock::time_point now);
    void Timers(Clock::time_point now);
    // Milliseconds until the earliest deadline Timers keeps; -1 when there is none.
    int PollTimeoutMs(Clock::time_point now) const;
    void ReadFrom(Link& link, Clock::time_point now);
    void ReadUdp();
    void OnFrame(Link& link, Frame&& frame, Clock::time_point now);
    void OnDatagramFrame(Frame&& frame, const sockaddr_in& from, Clock::time_point now);
    void ReportOnline(Link& link, bool online);
    void DeliverOnline(Link& link);
    void Deliver(const ReplyPacket& packet);
    void OpenUdp();
    Link* FindNet(const std::string& ip);
    void Connect(const OpConnect& connect, Clock::time_point now);
    void UpdateRoutes();
    void CloseNetLinks();
    void CloseSerialQuietly();
    void CloseAll();
};

void DeviceLink::Impl::Post(Op op)
{
    {
        std::lock_guard lock(queueMutex);
        queue.push_back(std::move(op));
    }
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(wakeFd, &one, sizeof one);
}

void DeviceLink::Impl::Deliver(const ReplyPacket& packet)
{
    if (packet.replyId < 0 || packet.replyId >= kReplyIdCount) return;
    ReplyHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        if (shutDown) return;
        handler = handlers[packet.replyId];
    }
    if (handler) handler(packet);
}

void DeviceLink::Impl::ReportOnline(Link& link, bool online)
{
    if (link.online == online) return;
    link.online = online;
    DeliverOnline(link);
}

void DeviceLink::Impl::DeliverOnline(Link& link)
{
    link.lastOnlineReport = Clock::now();
    ReplyPacket p;
    p.replyId = kOnlineReply;
    p.deviceAddress = link.address;
    p.status = link.address;
    p.payload = {static_cast<uint8_t>(link.online ? 1 : 0)};
    p.link = link.id;
    Deliver(p);
}

Link* DeviceLink::Impl::FindNet(const std::string& ip)
{
    for (auto& l : netLinks)
        if (l->ip == ip) return l.get();
    return nullptr;
}

void DeviceLink::Impl::Enqueue(Link& link, FrameType type, uint8_t address, const std::vector<uint8_t>& payload)
{
    if (link.fd < 0 || (!link.serial && link.state == Link::State::Waiting)) return;  // offline: nothing queues up
    if (link.Pending() + payload.size() + kFrameOverhead > options.maxPendingBytes) {
        PeerNotReading(link);
        return;
    }
    if (link.outPos > 0 && link.outPos == link.out.size()) {
        link.out.clear();
        link.outPos = 0;
    } else if (link.outPos >= kCompactSendAfter && link.outPos >= link.out.size() / 2) {
        link.out.erase(link.out.begin(), link.out.begin() + static_cast<std::ptrdiff_t>(link.outPos));
        link.outPos = 0;
    }
    AppendFrame(link.out, type, address, link.sequence++, payload.data(), payload.size());
    {
        std::lock_guard lock(statsMutex);
        stats.peakPending = std::max(stats.peakPending, link.Pending());
    }
    if (link.state == Link::State::Up) Flush(link);
}

void DeviceLink::Impl::PeerNotReading(Link& link)
{
    Count(&DeviceLinkStats::unreadDrops);
    if (link.serial) {
        // The port stays open; what the processor did not take is dropped.
        link.out.clear();
        link.outPos = 0;
        ReportOnline(link, false);
        return;
    }
    Drop(link, Clock::now());
}

void DeviceLink::Impl::Flush(Link& link)
{
    while (link.fd >= 0 && link.Pending() > 0) {
        const ssize_t n = link.serial
            ? ::write(link.fd, link.out.data() + link.outPos, link.Pending())
            : ::send(link.fd, link.out.data() + link.outPos, link.Pending(), MSG_NOSIGNAL);
        if (n > 0) {
            link.outPos += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        Drop(link, Clock::now());
        return;
    }
    if (link.Pending() == 0) {
        link.out.clear();
        link.outPos = 0;
    }
}

void DeviceLink::Impl::Drop(Link& link, Clock::time_point now)
{
    if (link.serial) {
        // A serial port that fails stays closed until the program opens it again.
        CloseFd(link.fd);
    } else {
        CloseFd(link.fd);
        link.state = Link::State::Waiting;
        link.nextAttempt = now + Ms(options.reconnectIntervalMs);
    }
    link.out.clear();
    link.outPos = 0;
    link.decoder.Reset();
    ReportOnline(link, false);
}

void DeviceLink::Impl::StartConnect(Link& link, Clock::time_point now)
{
    in_addr remote{};
    if (!ParseIpv4(link.ip, remote)) {
        link.nextAttempt = now + Ms(options.reconnectIntervalMs);
        return;
    }
    Count(&DeviceLinkStats::connectAttempts);
    link.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (link.fd < 0) {
        link.nextAttempt = now + Ms(options.reconnectIntervalMs);
        return;
    }
    int one = 1;
    ::setsockopt(link.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    in_addr local{};
    if (!localIp.empty() && ParseIpv4(localIp, local)) {
        // Leave through the adapter the operator chose; when it is gone, let the system choose.
        sockaddr_in la = MakeSockAddr(local, 0);
        ::bind(link.fd, reinterpret_cast<sockaddr*>(&la), sizeof la);
    }
    sockaddr_in ra = MakeSockAddr(remote, link.port);
    link.state = Link::State::Connecting;
    link.connectStarted = now;
    link.decoder.Reset();
    if (::connect(link.fd, reinterpret_cast<sockaddr*>(&ra), sizeof ra) == 0) {
        link.state = Link::State::Up;
        link.lastRx = now;
        link.lastProbe = now;
        Enqueue(link, FrameType::Probe, link.address, {});
    } else if (errno != EINPROGRESS) {
        CloseFd(link.fd);
        link.state = Link::State::Waiting;
        link.nextAttempt = now + Ms(options.reconnectIntervalMs);
    }
}

void DeviceLink::Impl::OpenUdp()
{
    CloseFd(udpFd);
    udpFd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (udpFd < 0) return;
    int one = 1;
    ::setsockopt(udpFd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
    in_addr local{};
    if (!localIp.empty() && ParseIpv4(localIp, local)) {
        sockaddr_in la = MakeSockAddr(local, 0);
        if (::bind(udpFd, reinterpret_cast<sockaddr*>(&la), sizeof la) != 0) {
            sockaddr_in any = MakeSockAddr(in_addr{htonl(INADDR_ANY)}, 0);
            ::bind(udpFd, reinterpret_cast<sockaddr*>(&any), sizeof any);
        }
    }
}

void DeviceLink::Impl::SendDiscovery(const OpSend& send)
{
    if (udpFd < 0) OpenUdp();
    if (udpFd < 0) return;
    lastSearch = Clock::now();
    std::vector<uint8_t> frame;
    AppendFrame(frame, send.type, send.address, 0, send.payload.data(), send.payload.size());
    std::vector<sockaddr_in> dests;
    if (!options.discoveryTargets.empty()) {
        for (const auto& t : options.discoveryTargets) {
            in_addr a{};
            if (ParseIpv4(t.ip, a)) dests.push_back(MakeSockAddr(a, t.port));
        }
    } else {
        in_addr local{}, bcast{};
        bcast.s_addr = htonl(INADDR_BROADCAST);
        if (!localIp.empty() && ParseIpv4(localIp, local)) DirectedBroadcastFor(local, bcast);
        dests.push_back(MakeSockAddr(bcast, options.discoveryPort));
    }
    for (const auto& d : dests)
        ::sendto(udpFd, frame.data(), frame.size(), 0, reinterpret_cast<const sockaddr*>(&d), sizeof d);
}

void DeviceLink::Impl::Route(OpSend& send)
{
    if (send.type == FrameType::Command && send.cmdId == kSearchCommand && send.address == kBroadcastAddress) {
        // Not on the serial port: an answer there is not taken (only the search socket's are).
        SendDiscovery(send);
        return;
    }
    if (serialLink && serialLink->fd >= 0) Enqueue(*serialLink, send.type, send.address, send.payload);
    // No link comes or goes while the transfer is queued on them (a drop only closes its socket).
    ForEachRouted(routes, send.address, [&](std::size_t i) { Enqueue(*netLinks[i], send.type, send.address, send.payload); });
}

void DeviceLink::Impl::UpdateRoutes()
{
    RouteTable t;
    if (serialLink) t.serial = serialLink->id;
    for (std::size_t i = 0; i < netLinks.size(); ++i) {
        t.ids.push_back(netLinks[i]->id);
        t.addresses.push_back(netLinks[i]->address);
        if (!targetIp.empty() && netLinks[i]->ip == targetIp) t.target = i;
    }
    std::lock_guard lock(routesMutex);
    routes = std::move(t);
}

void DeviceLink::Impl::Connect(const OpConnect& c, Clock::time_point now)
{
    // As opening the serial port closes the network links: the program talks over the link it
    // opened last, never over both.
    CloseSerialQuietly();
    Link* l = FindNet(c.ip);
    if (l && l->port == c.port && l->fd >= 0) return;  // already linked or linking
    if (!l) {
        const uint8_t address = LastOctet(c.ip);
        // The processor whose address this one takes is left, as the serial port's is: quietly.
        const auto holder = std::find_if(netLinks.begin(), netLinks.end(), [&](const auto& h) { return h->address == address; });
        if (holder != netLinks.end()) {
            CloseFd((*holder)->fd);
            netLinks.erase(holder);
            Count(&DeviceLinkStats::replacedNetLinks);
        } else if (netLinks.size() >= maxNetLinks) {
            Count(&DeviceLinkStats::refusedNetLinks);
            return;
        }
        auto link = std::make_unique<Link>();
        link->id = ++lastLinkId;
        link->ip = c.ip;
        link->address = address;
        netLinks.push_back(std::move(link));
        l = netLinks.back().get();
        UpdateRoutes();
    }
    if (l->fd >= 0) Drop(*l, now);
    l->port = c.port;
    StartConnect(*l, now);
}

void DeviceLink::Impl::Apply(Op& op)
{
    const auto now = Clock::now();
    if (auto* s = std::get_if<OpSend>(&op)) {
        Route(*s);
    } else if (auto* c = std::get_if<OpConnect>(&op)) {
        Connect(*c, now);
    } else if (auto* d = std::get_if<OpDisconnect>(&op)) {
        for (auto it = netLinks.begin(); it != netLinks.end(); ++it) {
            if ((*it)->ip != d->ip) continue;
            CloseFd((*it)->fd);
            ReportOnline(**it, false);
            netLinks.erase(it);
            UpdateRoutes();
            break;
        }
    } else if (auto* sl = std::get_if<OpSelectLocal>(&op)) {
        localIp = sl->ip;
        if (udpFd >= 0) OpenUdp();
    } else if (auto* t = std::get_if<OpTargetIp>(&op)) {
        targetIp = t->ip;
        UpdateRoutes();
    } else if (auto* a = std::get_if<OpAdoptSerial>(&op)) {
        CloseNetLinks();
        if (serialLink) {
            CloseFd(serialLink->fd);
            ReportOnline(*serialLink, false);
        }
        serialLink = std::make_unique<Link>();
        serialLink->id = ++lastLinkId;
        serialLink->serial = true;
        serialLink->fd = a->fd;
        serialLink->state = Link::State::Up;
        serialLink->address = kBroadcastAddress;
        serialLink->lastRx = now;
        serialLink->lastProbe = now;
        UpdateRoutes();
        Enqueue(*serialLink, FrameType::Probe, kBroadcastAddress, {});
    } else if (std::get_if<OpCloseSerial>(&op)) {
        if (serialLink) {
            CloseFd(serialLink->fd);
            ReportOnline(*serialLink, false);
            serialLink.reset();
            UpdateRoutes();
        }
    }
}

void DeviceLink::Impl::OnFrame(Link& link, Frame&& frame, Clock::time_point now)
{
    if (!link.serial && frame.address != link.address && frame.address != kBroadcastAddress) {
        // A network link reaches the processor the program connected to, and that one alone: a
        // frame in another's name would let it stand in for that processor.
        Count(&DeviceLinkStats::foreignAddressFrames);
        return;
    }
    link.lastRx = now;
    if (link.serial && frame.address != kBroadcastAddress) link.address = frame.address;
    ReportOnline(link, true);
    if (frame.type != FrameType::Reply) return;  // probes only keep the link alive
    ReplyPacket packet;
    if (!ReadReplyPayload(frame.payload, packet)) return;
    if (packet.replyId == kOnlineReply) {
        // A link's state is ours to report: a peer claiming it would make the program show a
        // healthy link down, or read the processor again, at its word.
        Count(&DeviceLinkStats::wireOnlineReports);
        return;
    }
    if (packet.replyId == kSearchAnswer) {
        // Only a search finds processors: one on a link would make the program link another.
        Count(&DeviceLinkStats::wireSearchAnswers);
        return;
    }
    packet.deviceAddress = link.serial ? frame.address : link.address;
    packet.link = link.id;
    Deliver(packet);
}

// Anyone on the network can reach the search socket: it takes search answers and nothing else,
// during a search, and only from the processor each one names.
void DeviceLink::Impl::OnDatagramFrame(Frame&& frame, const sockaddr_in& from, Clock::time_point now)
{
    ReplyPacket packet;
    if (frame.type != FrameType::Reply || !ReadReplyPayload(frame.payload, packet) || packet.replyId != kSearchAnswer) {
        Count(&DeviceLinkStats::strayDatagramFrames);
        return;
    }
    if (!lastSearch || now - *lastSearch > Ms(options.searchAnswerWindowMs)) {
        Count(&DeviceLinkStats::lateSearchAnswers);
        return;
    }
    if (!NamesItsSender(packet.payload, from.sin_addr)) {
        Count(&DeviceLinkStats::misaddressedSearchAnswers);
        return;
    }
    packet.deviceAddress = frame.address;
    Deliver(packet);
}

void DeviceLink::Impl::ReadFrom(Link& link, Clock::time_point now)
{
    uint8_t buf[64 * 1024];
    // What is left over waits for the next turn: poll reports the link readable again at once.
    for (std::size_t budget = options.readBudgetBytes; budget > 0 && link.fd >= 0;) {
        if (stop.load(std::memory_order_acquire)) return;
        const ssize_t n = ::read(link.fd, buf, std::min(sizeof buf, budget));
        if (n > 0) {
            budget -= static_cast<std::size_t>(n);
            const uint64_t fedBefore = link.decoder.BytesFed();
            const uint64_t examinedBefore = link.decoder.BytesExamined();
            link.decoder.Feed(buf, static_cast<std::size_t>(n),
                              [&](Frame&& f) { OnFrame(link, std::move(f), now); });
            std::lock_guard lock(statsMutex);
            stats.bytesFed += link.decoder.BytesFed() - fedBefore;
            stats.bytesExamined += link.decoder.BytesExamined() - examinedBefore;
            stats.peakBuffered = std::max(stats.peakBuffered, link.decoder.Buffered());
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        // End of stream, or an error (a serial adapter pulled out, a pty whose peer closed).
        if (link.serial && n == 0) return;  // a pseudo-terminal without a peer reads 0: not fatal
        Drop(link, now);
        return;
    }
}

void DeviceLink::Impl::ReadUdp()
{
    uint8_t buf[65536];
    for (int rounds = 0; rounds < 64; ++rounds) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = ::recvfrom(udpFd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &length);
        if (n <= 0) return;
        if (length < sizeof from || from.sin_family != AF_INET) continue;
        const auto now = Clock::now();
        FrameDecoder decoder;  // one datagram holds whole frames; nothing carries over
        decoder.Feed(buf, static_cast<std::size_t>(n), [&](Frame&& f) { OnDatagramFrame(std::move(f), from, now); });
    }
}

void DeviceLink::Impl::Timers(Clock::time_point now)
{
    auto probe = [&](Link& l) {
        if (now - l.lastProbe >= Ms(options.probeIntervalMs)) {
            l.lastProbe = now;
            Enqueue(l, FrameType::Probe, l.serial ? kBroadcastAddress : l.address, {});
        }
        // No deadline of its own: the repeat waits for the next time the thread is awake anyway
        // (this probe, or the echo of the last one), so it costs no wake-up.
        if (ReportDue(l) && now - l.lastOnlineReport >= onlineReportInterval) DeliverOnline(l);
    };
    for (auto& lp : netLinks) {
        Link& l = *lp;
        switch (l.state) {
        case Link::State::Waiting:
            if (now >= l.nextAttempt) StartConnect(l, now);
            break;
        case Link::State::Connecting:
            if (now - l.connectStarted >= Ms(options.connectTimeoutMs)) Drop(l, now);
            break;
        case Link::State::Up:
            if (now - l.lastRx >= Ms(options.silenceTimeoutMs)) {
                Count(&DeviceLinkStats::silenceDrops);
                Drop(l, now);
                break;
            }
            probe(l);
            break;
        }
    }
    if (serialLink && serialLink->fd >= 0) {
        if (serialLink->online && now - serialLink->lastRx >= Ms(options.silenceTimeoutMs)) {
            Count(&DeviceLinkStats::silenceDrops);
            ReportOnline(*serialLink, false);  // the port stays open: the processor may come back
        }
        probe(*serialLink);
    }
}

int DeviceLink::Impl::PollTimeoutMs(Clock::time_point now) const
{
    std::optional<Clock::time_point> next;
    auto due = [&](Clock::time_point t) {
        if (!next || t < *next) next = t;
    };
    for (const auto& lp : netLinks) {
        const Link& l = *lp;
        switch (l.state) {
        case Link::State::Waiting: due(l.nextAttempt); break;
        case Link::State::Connecting: due(l.connectStarted + Ms(options.connectTimeoutMs)); break;
        case Link::State::Up:
            due(l.lastRx + Ms(options.silenceTimeoutMs));
            due(l.lastProbe + Ms(options.probeIntervalMs));
            break;
        }
    }
    if (serialLink && serialLink->fd >= 0) {
        due(serialLink->lastProbe + Ms(options.probeIntervalMs));
        if (serialLink->online) due(serialLink->lastRx + Ms(options.silenceTimeoutMs));
    }
    if (!next) return -1;
    if (*next <= now) return 0;
    // Rounded up: waking a little early would only find nothing due and sleep again.
    const auto ms = std::chrono::ceil<Ms>(*next - now).count();
    return static_cast<int>(std::min<int64_t>(ms, 60 * 60 * 1000));
}

void DeviceLink::Impl::Run()
{
    std::vector<pollfd> fds;
    std::vector<Link*> owners;
    while (!stop.load(std::memory_order_acquire)) {
        std::deque<Op> ops;
        {
            std::lock_guard lock(queueMutex);
            ops.swap(queue);
        }
        for (auto& op : ops) {
            Apply(op);
            if (stop.load(std::memory_order_acquire)) break;
        }
        Timers(Clock::now());

        fds.clear();
        owners.clear();
        fds.push_back({wakeFd, POLLIN, 0});
        owners.push_back(nullptr);
        auto add = [&](Link& l) {
            if (l.fd < 0) return;
            short ev = POLLIN;
            if (l.state == Link::State::Connecting || l.Pending() > 0) ev |= POLLOUT;
            if (l.state == Link::State::Connecting) ev = POLLOUT;
            fds.push_back({l.fd, ev, 0});
            owners.push_back(&l);
        };
        for (auto& l : netLinks) add(*l);
        if (serialLink) add(*serialLink);
        const std::size_t udpIndex = fds.size();
        if (udpFd >= 0) fds.push_back({udpFd, POLLIN, 0});

        const int ready = ::poll(fds.data(), fds.size(), PollTimeoutMs(Clock::now()));
        Count(&DeviceLinkStats::wakeups);
        if (ready <= 0) continue;
        if (fds[0].revents & POLLIN) {
            uint64_t v;
            [[maybe_unused]] auto n = ::read(wakeFd, &v, sizeof v);
        }
        const auto now = Clock::now();
        for (std::size_t i = 1; i < owners.size(); ++i) {
            Link& l = *owners[i];
            const short re = fds[i].revents;
            if (!re || l.fd != fds[i].fd) continue;
            if (l.state == Link::State::Connecting) {
                int err = 0;
                socklen_t len = sizeof err;
                ::getsockopt(l.fd, SOL_SOCKET, SO_ERROR, &err, &len);
                if (err != 0 || (re & (POLLERR | POLLHUP))) {
                    Drop(l, now);
                    continue;
                }
                l.state = Link::State::Up;
                l.lastRx = now;
                l.lastProbe = now;
                // The probe goes after whatever the program queued while connecting.
                AppendFrame(l.out, FrameType::Probe, l.address, l.sequence++, nullptr, 0);
                Flush(l);
                continue;
            }
            if (re & (POLLIN | POLLHUP | POLLERR)) ReadFrom(l, now);
            if (l.fd >= 0 && (re & POLLOUT)) Flush(l);
        }
        if (udpFd >= 0 && udpIndex < fds.size() && (fds[udpIndex].revents & POLLIN)) ReadUdp();
    }
    CloseAll();
}

// The program switched to the serial port, which carries its commands alone from now on. The
// network processors did not go offline (the program left them), so nothing is reported.
void DeviceLink::Impl::CloseNetLinks()
{
    for (auto& l : netLinks) CloseFd(l->fd);
    netLinks.clear();
    UpdateRoutes();
}

// The program switched to the network, which carries its commands alone from now on; the serial
// processor did not go offline either.
void DeviceLink::Impl::CloseSerialQuietly()
{
    if (!serialLink) return;
    CloseFd(serialLink->fd);
    serialLink.reset();
    UpdateRoutes();
}

void DeviceLink::Impl::CloseAll()
{
    CloseNetLinks();
    CloseSerialQuietly();
    CloseFd(udpFd);
    // Serial descriptors adopted by operations never applied.
    std::lock_guard lock(queueMutex);
    for (auto& op : queue)
        if (auto* a = std::get_if<OpAdoptSerial>(&op)) CloseFd(a->fd);
    queue.clear();
}

DeviceLink::DeviceLink(DeviceLinkOptions options) : impl_(std::make_unique<Impl>(std::move(options)))
{
    impl_->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    impl_->thread = std::thread([this] { impl_->Run(); });
}

DeviceLink::~DeviceLink()
{
    Shutdown();
    if (impl_->thread.joinable()) impl_->thread.join();
    CloseFd(impl_->wakeFd);
}

void DeviceLink::Shutdown()
{
    {
        std::lock_guard lock(impl_->handlerMutex);
        impl_->shutDown = true;
        impl_->handlers = {};
    }
    impl_->stop.store(true, std::memory_order_release);
    const uint64_t one = 1;
    [[maybe_unused]] auto n = ::write(impl_->wakeFd, &one, sizeof one);
    // From inside a handler the I/O thread cannot join itself; it ends after the handler and the
    // destructor joins it. Either way no handler runs after this returns.
    if (std::this_thread::get_id() != impl_->thread.get_id() && impl_->thread.joinable()) impl_->thread.join();
}

bool DeviceLink::CommandsReach(uint32_t link, uint8_t deviceAddress) const
{
    if (link == 0) return false;  // a search answer: no link's
    std::lock_guard lock(impl_->routesMutex);
    const RouteTable& t = impl_->routes;
    bool reached = link == t.serial;
    ForEachRouted(t, deviceAddress, [&](std::size_t i) { reached = reached || t.ids[i] == link; });
    return reached;
}

void DeviceLink::SetTargetIds(int count, const uint8_t* ids)
{
    std::lock_guard lock(impl_->idsMutex);
    impl_->targetIds.clear();
    if (ids && count > 0) impl_->targetIds.assign(ids, ids + std::min(count, 256));
}

DeviceLinkStats DeviceLink::Stats() const
{
    std::lock_guard lock(impl_->statsMutex);
    return impl_->stats;
}

std::vector<uint8_t> DeviceLink::TargetIds() const
{
    std::lock_guard lock(impl_->idsMutex);
    return impl_->targetIds;
}

void DeviceLink::RegisterHandler(ReplyHandler handler, int replyId)
{
    if (replyId < 0 || replyId >= kReplyIdCount) return;
    std::lock_guard lock(impl_->handlerMutex);
    if (impl_->shutDown) return;
    impl_->handlers[replyId] = std::move(handler);
}

void DeviceLink::ConnectNet(const char* ip, int port)
{
    const std::string text = Text(ip);
    in_addr a{};
    if (!ParseIpv4(text, a)) return;
    const auto& o = impl_->options;
    if (auto it = o.tcpPortByIp.find(text); it != o.tcpPortByIp.end())
        port = it->second;
    else if (o.tcpPort > 0)
        port = o.tcpPort;
    if (port <= 0 || port > 65535) return;
    impl_->Post(OpConnect{text, port});
}

void DeviceLink::SendBlock(const void* block, uint8_t deviceAddress)
{
    if (!block) return;
    const auto* p = static_cast<const uint8_t*>(block);
    impl_->Post(OpSend{FrameType::ParamBlock, deviceAddress, -1, std::vector<uint8_t>(p, p + kParamBlockSize)});
}

void DeviceLink::SendCommand(int cmdId, const uint8_t* params, uint8_t deviceAddress)
{
    impl_->Post(OpSend{FrameType::Command, deviceAddress, cmdId, MakeCommandPayload(cmdId, params)});
}

void DeviceLink::SelectLocalIp(const char* ip) { impl_->Post(OpSelectLocal{Text(ip)}); }

void DeviceLink::DisconnectNet(const char* ip) { impl_->Post(OpDisconnect{Text(ip)}); }

void DeviceLink::SetTargetIp(const char* ip) { impl_->Post(OpTargetIp{Text(ip)}); }

int DeviceLink::OpenSerial(int portNumber, int baud) { return OpenSerialPath(SerialPortPath(portNumber), baud); }

int DeviceLink::OpenSerialPath(const std::string& path, int baud)
{
    if (impl_->stop.load()) return 0;
    const int fd = OpenSerialDevice(path, baud);
    if (fd < 0) return 0;
    impl_->Post(OpAdoptSerial{fd});
    return 1;
}

void DeviceLink::CloseSerial() { impl_->Post(OpCloseSerial{}); }

void DeviceLink::GetVersion(uint8_t* out, int length)
{
    for (int i = 0; out && i < length; ++i)
        out[i] = i == 0 ? kLibraryVersionMajor : i == 1 ? kLibraryVersionMinor : 0;
}

void DeviceLink::SendData(uint32_t offset, uint32_t length, const uint8_t* data, uint8_t deviceAddress)
{
    if ((!data && length) || length > kMaxBulkData) return;
    impl_->Post(OpSend{FrameType::BulkData, deviceAddress, -1, MakeBulkPayload(offset, data, length)});
}

}  // namespace comm
