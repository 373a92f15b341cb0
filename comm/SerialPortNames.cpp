#include "comm/SerialPortNames.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace comm {
namespace {

struct Range {
    const char* prefix;
    int first;      // number of index 0
    int count;
};

constexpr Range kRanges[] = {
    {"ttyS", 1, 99},
    {"ttyUSB", 100, 100},
    {"ttyACM", 200, 100},
    {"pts/", 1000, 9000},
};

// Parses a plain decimal index (no sign, no leading zeros except "0"); -1 otherwise.
int ParseIndex(const std::string& s)
{
    if (s.empty() || s.size() > 5) return -1;
    if (s.size() > 1 && s[0] == '0') return -1;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

bool Exists(const std::string& path)
{
    struct stat st{};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string SerialPortName(int number)
{
    for (const Range& r : kRanges)
        if (number >= r.first && number < r.first + r.count) return r.prefix + std::to_string(number - r.first);
    return {};
}

std::string SerialPortPath(int number)
{
    std::string name = SerialPortName(number);
    return name.empty() ? name : "/dev/" + name;
}

int SerialPortNumber(const std::string& nameOrPath)
{
    std::string name = nameOrPath;
    if (name.rfind("/dev/", 0) == 0) name = name.substr(5);
    // Longest prefix first: "ttyS" must not swallow "ttyUSB".
    for (const Range& r : {kRanges[1], kRanges[2], kRanges[0], kRanges[3]}) {
        const std::string prefix = r.prefix;
        if (name.rfind(prefix, 0) != 0) continue;
        const int index = ParseIndex(name.substr(prefix.size()));
        if (index < 0 || index >= r.count) return 0;
        return r.first + index;
    }
    return 0;
}

std::vector<SerialPortEntry> EnumerateSerialPorts()
{
    std::vector<SerialPortEntry> out;
    DIR* dir = ::opendir("/sys/class/tty");
    if (!dir) return out;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        const int number = SerialPortNumber(name);
        if (number == 0 || name.rfind("pts", 0) == 0) continue;
        // Every ttyS node exists; only those with a device behind them are real ports.
        if (!Exists("/sys/class/tty/" + name + "/device")) continue;
        if (!Exists("/dev/" + name)) continue;
        out.push_back({name, number});
    }
    ::closedir(dir);
    std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.number < b.number; });
    return out;
}

}  // namespace comm
