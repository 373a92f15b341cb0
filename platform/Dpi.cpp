#include "platform/Dpi.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

int g_DpiX = 96;
int g_DpiY = 96;

void InitDpiFromScreen()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return;
    const int x = static_cast<int>(std::lround(s->logicalDotsPerInchX()));
    const int y = static_cast<int>(std::lround(s->logicalDotsPerInchY()));
    // Refuse nonsense from a broken screen setup.
    if (x >= 48 && x <= 960)
        g_DpiX = x;
    if (y >= 48 && y <= 960)
        g_DpiY = y;
}

int ScaleByDpi(int designValue, int dpi)
{
    return static_cast<int>(static_cast<long long>(designValue) * dpi / 96);
}

int ScaleX(int designValue) { return ScaleByDpi(designValue, g_DpiX); }
int ScaleY(int designValue) { return ScaleByDpi(designValue, g_DpiY); }
