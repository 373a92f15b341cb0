#include "platform/DialogUnits.h"

#include "platform/Dpi.h"

namespace {
int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    const long long p = static_cast<long long>(a) * b;
    const long long half = (c > 0 ? c : -c) / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}
} // namespace

DialogBaseUnits CurrentDialogBaseUnits()
{
    DialogBaseUnits b;
    b.x = MulDivRound(6, g_DpiX, 96);
    b.y = MulDivRound(13, g_DpiY, 96);
    return b;
}

int DluToPixelsX(int dlu, const DialogBaseUnits& base) { return MulDivRound(dlu, base.x, 4); }
int DluToPixelsY(int dlu, const DialogBaseUnits& base) { return MulDivRound(dlu, base.y, 8); }
int DluToPixelsX(int dlu) { return DluToPixelsX(dlu, CurrentDialogBaseUnits()); }
int DluToPixelsY(int dlu) { return DluToPixelsY(dlu, CurrentDialogBaseUnits()); }
QSize DluToPixels(QSize dlu) { return QSize(DluToPixelsX(dlu.width()), DluToPixelsY(dlu.height())); }
