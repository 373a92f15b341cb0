#pragma once
// Small POSIX helpers shared by the links and the emulator: addresses, non-blocking sockets and
// raw serial ports.

#include <cstdint>
#include <netinet/in.h>
#include <string>

namespace comm {

// Strict dotted IPv4 ("a.b.c.d", each 0..255); false otherwise.
bool ParseIpv4(const std::string& text, in_addr& out);
std::string FormatIpv4(in_addr addr);
// Last octet of a dotted IPv4 text; 0 when the text is not one.
uint8_t LastOctet(const std::string& text);

sockaddr_in MakeSockAddr(in_addr addr, int port);

bool SetNonBlocking(int fd);
// Closes fd when it is open and sets it to -1.
void CloseFd(int& fd);

// Opens a serial device raw, 8N1, no flow control, non-blocking, at the given rate.
// -1 when the device cannot be opened or the rate is not one the port supports.
int OpenSerialDevice(const std::string& path, int baud);
// The termios speed constant for a rate; 0 when unsupported.
unsigned BaudConstant(int baud);

// The broadcast address of the interface that carries localIp; false when no interface does.
bool DirectedBroadcastFor(in_addr localIp, in_addr& broadcast);

}  // namespace comm
