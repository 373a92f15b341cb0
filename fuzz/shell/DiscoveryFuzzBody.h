#pragma once
// One input of the discovery-targets fuzz target: the bytes as the "Info.ini" [Search]
// Destinations value. Every entry that comes out must be an address the link can send to and a
// port a datagram can go to. The libFuzzer entry point and the corpus replay test both call this.

#include "comm/PosixIo.h"
#include "shell/DiscoveryTargets.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace fuzz_shell {

inline void DiscoveryTargetsOne(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto targets = ParseDiscoveryTargets(text);
    // At most one target per entry, and an entry has at least seven characters ("1.2.3.4").
    if (targets.size() > std::size_t(text.size()) / 7) std::abort();
    for (const auto& t : targets) {
        in_addr a{};
        if (t.ip.size() < 7 || t.ip.size() > 15 || t.ip.find('\0') != std::string::npos || !comm::ParseIpv4(t.ip, a))
            std::abort();
        if (t.port < 1 || t.port > 65535) std::abort();
    }
}

}  // namespace fuzz_shell
