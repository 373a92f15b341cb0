#pragma once
// The serial ports the connection page offers: the machine's ports as Qt sees them, each named by
// its device name and numbered by the communication library's fixed port mapping. Tests install
// their own source (a pseudo-terminal is no port Qt lists).

#include "comm/SerialPortNames.h"

#include <functional>
#include <future>
#include <vector>

using SerialPortSource = std::function<std::vector<comm::SerialPortEntry>()>;

// Fills list with the ports, in the source's order, each number once; ports outside the mapping
// are left out. Returns whether any port was found.
bool EnumSerialPorts(std::vector<comm::SerialPortEntry>& list);

// Replaces the machine's ports with source; an empty function puts the machine's ports back.
void SetSerialPortSource(SerialPortSource source);

// The machine's ports through QSerialPortInfo.
std::vector<comm::SerialPortEntry> SystemSerialPorts();

// One scan of the machine's ports run ahead on a worker thread (asking udev takes milliseconds),
// for a first EnumSerialPorts that comes a little later.
class SerialPortScan {
public:
    // Starts the scan; nothing while a source is installed.
    void Start();
    // EnumSerialPorts, from the scan started ahead when there is one and no source was installed
    // since; otherwise it scans now.
    bool Take(std::vector<comm::SerialPortEntry>& list);

private:
    std::future<std::vector<comm::SerialPortEntry>> ahead_;
};
