#pragma once
// A page under test talking through the real communication library to a processor emulator on a
// loopback address.

#include "LinkTestSupport.h"
#include "tests/support/PageFixture.h"

#include "comm/QVN_Comm.h"
#include "device/MainWindowLink.h"
#include "device/UiReplyRelay.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

// The emulator's block as the program's structure.
inline DeviceParamBlock EmulatorBlockOf(const emu::ProcessorEmulator& e)
{
    DeviceParamBlock b;
    const auto bytes = e.Block();
    std::memcpy(&b, bytes.data(), std::min(bytes.size(), sizeof b));
    return b;
}

template <class Page>
class EmulatorPageFixture : public PageFixture<Page> {
protected:
    // Starts an emulator on ip and connects to it the way the program does; link stands for the
    // main window. The library keeps its own timings: a loaded test machine must not look like a
    // silent processor.
    void ConnectEmulator(const std::string& ip, MainWindowLink* link)
    {
        emulator = StartEmulator(ip);
        comm::DeviceLinkOptions options;
        options.tcpPortByIp[emulator->Ip()] = emulator->TcpPort();
        deviceLink = std::make_unique<comm::DeviceLink>(options);
        comm::InstallCommLibrary(deviceLink.get());
        SetMainWindowLink(link);
        RegisterReplyHandlers();
        savedAddress_ = g_DeviceAddress;
        g_DeviceAddress = emulator->Address();
        ASSERT_TRUE(GetDeviceData().ConnectDeviceByIp(QString::fromStdString(emulator->Ip())));
    }
    void TearDown() override
    {
        QVN_Comm_Shutdown();
        SetMainWindowLink(nullptr);
        comm::InstallCommLibrary(nullptr);
        deviceLink.reset();
        if (emulator) emulator->Stop();
        g_DeviceAddress = savedAddress_;
        PageFixture<Page>::TearDown();
    }
    DeviceParamBlock EmulatorBlock() const { return EmulatorBlockOf(*emulator); }

    std::unique_ptr<emu::ProcessorEmulator> emulator;
    std::unique_ptr<comm::DeviceLink> deviceLink;

private:
    uint8_t savedAddress_ = 0;
};
