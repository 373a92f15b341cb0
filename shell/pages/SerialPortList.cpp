#include "shell/pages/SerialPortList.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <system_error>

namespace {

SerialPortSource& Source()
{
    static SerialPortSource source;
    return source;
}

} // namespace

void SetSerialPortSource(SerialPortSource source)
{
    Source() = std::move(source);
}

std::vector<comm::SerialPortEntry> SystemSerialPorts()
{
    std::vector<comm::SerialPortEntry> out;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        const std::string name = info.portName().toStdString();
        out.push_back({name, comm::SerialPortNumber(name)});
    }
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
    return out;
}

namespace {

bool AddPorts(const std::vector<comm::SerialPortEntry>& found, std::vector<comm::SerialPortEntry>& list)
{
    for (const comm::SerialPortEntry& port : found) {
        // The number must be the one the mapping gives the name: it is what "Info.ini" stores and
        // what the library opens.
        if (port.number <= 0 || comm::SerialPortNumber(port.name) != port.number) continue;
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& p) { return p.number == port.number; });
        if (!known) list.push_back(port);
    }
    return !list.empty();
}

} // namespace

bool EnumSerialPorts(std::vector<comm::SerialPortEntry>& list)
{
    return AddPorts(Source() ? Source()() : SystemSerialPorts(), list);
}

void SerialPortScan::Start()
{
    if (Source() || ahead_.valid()) return;
    try {
        ahead_ = std::async(std::launch::async, SystemSerialPorts);
    } catch (const std::system_error&) {
        // No thread to spare: Take scans then.
    }
}

bool SerialPortScan::Take(std::vector<comm::SerialPortEntry>& list)
{
    if (ahead_.valid()) {
        const std::vector<comm::SerialPortEntry> found = ahead_.get();
        if (!Source()) return AddPorts(found, list);
    }
    return EnumSerialPorts(list);
}
