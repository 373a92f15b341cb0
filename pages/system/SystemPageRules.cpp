#include "pages/system/SystemPageRules.h"

bool ResetLatch::Click(int step, bool nowPressed)
{
    if (step < 0 || step >= kSteps) return false;
    if (!nowPressed) {
        Clear();
        return false;
    }
    pressed_[static_cast<size_t>(step)] = true;
    if (step > 0 && !pressed_[static_cast<size_t>(step - 1)]) {
        pressed_[static_cast<size_t>(step)] = false;
        return false;
    }
    if (pressed_[kSteps - 1]) {
        Clear();
        return true;
    }
    return false;
}

namespace {

QString VersionLetters(const uint8_t (&letters)[4])
{
    QString out;
    for (uint8_t c : letters) {
        if (c == 0) continue;
        out += (c >= 0x20 && c < 0x7F) ? QChar(c) : QChar('?');
    }
    return out;
}

}  // namespace

QString FormatSystemInfo(const SystemInfo& info)
{
    const double volts = info.w2 / 100.0;
    const QString letters = VersionLetters(info.b4);
    QString text = QStringLiteral("Video Processor\nVersion:") + letters +
                   QString::asprintf("-%4x-%4x-%4x", info.w8[0], info.w8[1], info.w8[2]);
    if (info.b16[0] != 0) text += QString::asprintf("\nVersion2:%4x", info.w8[3]);
    text += QString::asprintf("\nsystem Voltage:%.2f V", volts);
    return text;
}

QString FormatVersionText(uint8_t libraryMajor, uint8_t libraryMinor)
{
    return QString::asprintf("%s\nSysDLL:%d.%02d", "Tarvo Serial\nVideoProcessor,1.29", libraryMajor, libraryMinor);
}

ExtBoardButtons ExtBoardRule(int row6, int row7, int row10, int row11)
{
    ExtBoardButtons b;
    b.ext2 = row7 >= 1;
    b.ext1 = row6 >= 1 || (!b.ext2 && (row10 >= 1 || row11 >= 1));
    return b;
}

DiskButtons DiskRule(int32_t slot6Source, int32_t slot7Source)
{
    DiskButtons d;
    d.disk1Enabled = slot6Source == kUdiskSourceCode;
    d.disk2Enabled = slot7Source == kUdiskSourceCode;
    if (d.disk1Enabled && !d.disk2Enabled) d.chosen = 0;
    if (d.disk2Enabled && !d.disk1Enabled) d.chosen = 1;
    return d;
}

int KeyDisk(bool disk1Pressed, bool disk2Pressed)
{
    if (disk1Pressed) return 0;
    return disk2Pressed ? 1 : 0;
}
