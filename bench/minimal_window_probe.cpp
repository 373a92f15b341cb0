// The reference for start-up figures: the smallest Qt 6 Widgets program that shows a window.
#include "ProbeSupport.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstShowProbe probe;
    QWidget window;
    window.resize(1280, 800);
    window.show();
    return app.exec();
}
