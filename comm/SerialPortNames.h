#pragma once
// One fixed mapping between the integer serial port numbers the program keeps (in the connection
// page's list and in "Info.ini" [COM] port) and the device names the operator sees:
//
//   number        device
//   1 .. 99       ttyS0 .. ttyS98        (number - 1)
//   100 .. 199    ttyUSB0 .. ttyUSB99    (number - 100)
//   200 .. 299    ttyACM0 .. ttyACM99    (number - 200)
//   1000 .. 9999  pts/0 .. pts/8999      (number - 1000; pseudo-terminals, used by tests)
//
// Every other number names no port. Device paths are "/dev/" + the name.

#include <string>
#include <vector>

namespace comm {

struct SerialPortEntry {
    std::string name;  // "ttyUSB0"
    int number = 0;    // 100
};

// "" when the number names no port.
std::string SerialPortName(int number);
// "/dev/ttyUSB0"; "" when the number names no port.
std::string SerialPortPath(int number);
// Accepts "ttyUSB0" or "/dev/ttyUSB0"; 0 when the name is outside the mapping.
int SerialPortNumber(const std::string& name);

// The serial ports present on this machine (ttyS with real hardware behind it, ttyUSB, ttyACM),
// ordered by number.
std::vector<SerialPortEntry> EnumerateSerialPorts();

}  // namespace comm
