#pragma once
// Shared by the device tests: a fresh device state per test with a recording communication
// library installed for the test's length, and hex helpers for comparing command blocks.

#include "comm/QVN_Comm.h"
#include "comm/RecordingCommLibrary.h"
#include "device/CDeviceData.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_DeviceAddress = kDefaultDeviceAddress;
        comm::InstallCommLibrary(&rec);
    }
    void TearDown() override
    {
        comm::InstallCommLibrary(nullptr);
        g_DeviceAddress = kDefaultDeviceAddress;
    }

    // The ids of the commands sent so far, in order.
    std::vector<int> SentIds() const
    {
        std::vector<int> ids;
        for (const auto& c : rec.Commands()) ids.push_back(c.id);
        return ids;
    }

    comm::RecordingCommLibrary rec;
    std::unique_ptr<CDeviceData> dev = std::make_unique<CDeviceData>();
};

// "02 07 ..." for the bytes given.
inline std::string Hex(const std::vector<uint8_t>& bytes)
{
    std::string out;
    char buf[4];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", b);
        if (!out.empty()) out += ' ';
        out += buf;
    }
    return out;
}

// A 32-byte command block written as hex, blanks ignored; bytes not written are the 0x55 fill.
inline std::string Block32(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    std::string digits;
    for (char ch : hex)
        if (std::isxdigit(static_cast<unsigned char>(ch))) digits += ch;
    for (std::size_t n = 0; n + 1 < digits.size(); n += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(n, 2), nullptr, 16)));
    while (bytes.size() < 32) bytes.push_back(kCommandFill);
    return Hex(bytes);
}
