#include "comm/PosixIo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <termios.h>
#include <unistd.h>

namespace comm {

bool ParseIpv4(const std::string& text, in_addr& out)
{
    // inet_pton accepts exactly four decimal parts, which is what the program's addresses are. It
    // reads up to the first NUL: a text with one inside is not an address.
    if (text.find('\0') != std::string::npos) return false;
    return ::inet_pton(AF_INET, text.c_str(), &out) == 1;
}

std::string FormatIpv4(in_addr addr)
{
    char buf[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &addr, buf, sizeof buf);
    return buf;
}

uint8_t LastOctet(const std::string& text)
{
    in_addr a{};
    if (!ParseIpv4(text, a)) return 0;
    return static_cast<uint8_t>(ntohl(a.s_addr) & 0xFF);
}

sockaddr_in MakeSockAddr(in_addr addr, int port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr = addr;
    sa.sin_port = htons(static_cast<uint16_t>(port));
    return sa;
}

bool SetNonBlocking(int fd)
{
    const int flags = ::fcntl(fd, F_GETFL, 0);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

void CloseFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

unsigned BaudConstant(int baud)
{
    switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return 0;
    }
}

int OpenSerialDevice(const std::string& path, int baud)
{
    const speed_t speed = BaudConstant(baud);
    if (speed == 0 || path.empty()) return -1;
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) {
        CloseFd(fd);
        return -1;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSTOPB | PARENB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 ||
        ::tcsetattr(fd, TCSANOW, &tio) != 0) {
        CloseFd(fd);
        return -1;
    }
    ::tcflush(fd, TCIOFLUSH);
    return fd;
}

bool DirectedBroadcastFor(in_addr localIp, in_addr& broadcast)
{
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    bool found = false;
    for (ifaddrs* i = list; i && !found; i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || !i->ifa_netmask) continue;
        const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        if (a->sin_addr.s_addr != localIp.s_addr) continue;
        const auto* m = reinterpret_cast<const sockaddr_in*>(i->ifa_netmask);
        broadcast.s_addr = a->sin_addr.s_addr | ~m->sin_addr.s_addr;
        found = true;
    }
    ::freeifaddrs(list);
    return found;
}

}  // namespace comm
