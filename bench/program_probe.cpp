// The program as app/main.cpp starts it, with the first-show probe. With "--connect IP" it
// connects to a processor at IP once its window is shown, as the connection page would.
#include "ProbeSupport.h"

#include "device/CDeviceData.h"
#include "shell/KordalApp.h"
#include "shell/KordalDlg.h"

#include <cstring>
#include <memory>

int main(int argc, char** argv)
{
    QString connectTo;
    for (int i = 1; i + 1 < argc; ++i)
        if (!std::strcmp(argv[i], "--connect")) connectTo = QString::fromLatin1(argv[i + 1]);
    KordalApp app(argc, argv);
    FirstShowProbe probe([&] {
        if (!connectTo.isEmpty()) GetDeviceData().ConnectDeviceByIp(connectTo);
    });
    app.SetMainWindowFactory([] { return std::make_unique<KordalDlg>(); });
    return app.Run();
}
