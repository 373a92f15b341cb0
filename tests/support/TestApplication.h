#pragma once
// One QApplication per test program: offscreen, or on the X server for *_x11_test programs (at
// 96 DPI, so that pictures are in design pixels).

#include <QApplication>

inline QApplication* PageTestApplication()
{
    static int argc = 1;
    static char name[] = "svp_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        // No session bus: SDL's libdbus would fork a bus launcher from this threaded process,
        // which can hang under the sanitizers' allocators.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/svp-test-bus");
#ifdef SVP_X11_TEST
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_FONT_DPI", "96");
#endif
        return new QApplication(argc, argv);
    }();
    return app;
}
