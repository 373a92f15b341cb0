#include "shell/pages/SerialPortList.h"

#include <QSerialPortInfo>

#include <algorithm>

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

bool EnumSerialPorts(std::vector<comm::SerialPortEntry>& list)
{
    const std::vector<comm::SerialPortEntry> found = Source() ? Source()() : SystemSerialPorts();
    for (const comm::SerialPortEntry& port : found) {
        // The number must be the one the mapping gives the name: it is what "Info.ini" stores and
        // what the library opens.
        if (port.number <= 0 || comm::SerialPortNumber(port.name) != port.number) continue;
        const bool known = std::any_of(list.begin(), list.end(), [&](const auto& p) { return p.number == port.number; });
        if (!known) list.push_back(port);
    }
    return !list.empty();
}
