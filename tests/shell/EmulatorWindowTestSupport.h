#pragma once
// The real main window and communication library against a processor emulator on a loopback
// address: started by the test, taken down in the right order (window, library, emulator).

#include "DispatchTestSupport.h"
#include "LinkTestSupport.h"

#include "comm/QVN_Comm.h"

class EmulatorWindowTest : public TempAppDirTest {
protected:
    void SetUp() override
    {
        TestApp();
        TempAppDirTest::SetUp();
        g_IniPath = InfoIni();
    }
    void TearDown() override
    {
        if (window_) window_->SetCallTrace(nullptr);
        window_.reset();
        if (link_) QVN_Comm_Shutdown();
        comm::InstallCommLibrary(nullptr);
        link_.reset();
        if (emulator_) emulator_->Stop();
        TempAppDirTest::TearDown();
    }

    // An emulator at ip, the library pointed at it, and a shown main window.
    KordalDlg& StartWithEmulator(const std::string& ip)
    {
        emulator_ = StartEmulator(ip);
        comm::DeviceLinkOptions options;
        options.tcpPortByIp[emulator_->Ip()] = emulator_->TcpPort();
        link_ = std::make_unique<comm::DeviceLink>(options);
        comm::InstallCommLibrary(link_.get());
        window_ = std::make_unique<KordalDlg>();
        window_->move(0, 0);
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }

    std::unique_ptr<emu::ProcessorEmulator> emulator_;
    std::unique_ptr<comm::DeviceLink> link_;
    std::unique_ptr<KordalDlg> window_;
};
