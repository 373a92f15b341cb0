#pragma once
// One QCoreApplication per test program, for tests that need an event loop but no widgets.

#include <QCoreApplication>

inline QCoreApplication* CoreTestApplication()
{
    static int argc = 1;
    static char name[] = "svp_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = new QCoreApplication(argc, argv);
    return app;
}
