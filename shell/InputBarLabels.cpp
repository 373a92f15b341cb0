#include "shell/InputBarLabels.h"

#include "device/CDeviceData.h"

#include <algorithm>

namespace {

// Dual-link halves share one column: the left half's texts end before its middle, the right
// half's start after it.
enum class Half { None, Left, Right };

Half HalfOf(int k)
{
    if (k == 8 || k == 10) return Half::Left;
    if (k == 9 || k == 11) return Half::Right;
    return Half::None;
}

// A whole input's text starts leftInset pixels into its column, or, for leftInset -1, is centred
// under it (and under the input's button, which spans the column).
QRect TextRect(const QRect& icon, Half half, int top, int width, int leftInset)
{
    switch (half) {
    case Half::Left: return QRect(icon.right() - width, top, width, kInputLabelRowHeight);
    case Half::Right: return QRect(icon.left() + 1, top, width, kInputLabelRowHeight);
    case Half::None: break;
    }
    const int left = leftInset >= 0 ? icon.left() + leftInset : icon.left() + (icon.width() - width) / 2;
    return QRect(left, top, width, kInputLabelRowHeight);
}

} // namespace

bool ShowsRemark(const CDeviceData& device, int input)
{
    if (input < 0 || input >= kInputIconCount) return false;
    const InputName& row = device.inputNames[input];
    const QString remark = row.displayName.trimmed();
    return !remark.isEmpty() && remark != row.name.trimmed() && remark != DefaultInputName(input).trimmed();
}

QString ResolutionText(int hAct, int vAct, int fpsHundredths, bool interlaced)
{
    if (interlaced) return QStringLiteral("%1i %2Hz").arg(vAct * 2).arg(fpsHundredths / 100);
    return QStringLiteral("%1x%2 %3Hz").arg(hAct).arg(vAct).arg(fpsHundredths / 100);
}

std::vector<InputBarLabel> LayoutInputBarLabels(const CDeviceData& device,
                                                const std::array<QRect, kInputIconCount>& icons,
                                                const QFontMetrics& metrics)
{
    std::vector<InputBarLabel> out;
    for (int k = 0; k < kInputIconCount; ++k) {
        const InputName& row = device.inputNames[k];
        if (!row.enabled) continue;
        const QRect& icon = icons[static_cast<size_t>(k)];
        const int below = icon.top() + icon.height();
        const Half half = HalfOf(k);

        const QString name = row.name.trimmed();
        out.push_back({k, InputBarLabel::Kind::Name, TextRect(icon, half, below, metrics.horizontalAdvance(name), 16),
                       name});
        if (ShowsRemark(device, k)) {
            const QString remark = row.displayName.trimmed();
            out.push_back({k, InputBarLabel::Kind::Remark,
                           TextRect(icon, half, below + kInputLabelRowHeight, metrics.horizontalAdvance(remark), -1),
                           remark});
        }
        // A dual-link pair shows its one signal once, under the whole column.
        const int slot = SlotOfInputCode(k);
        if (device.inputState[slot] == 0 || half == Half::Left) continue;
        const InputResolution& res = device.inputReso[slot];
        const QString text = ResolutionText(res.hAct, res.vAct, res.fps, res.ile != 0);
        QRect column = icon;
        if (half == Half::Right) column = column.united(icons[static_cast<size_t>(k - 1)]);
        const int width = metrics.horizontalAdvance(text);
        out.push_back({k, InputBarLabel::Kind::Resolution,
                       QRect(column.center().x() - width / 2, below + 2 * kInputLabelRowHeight, width,
                             kInputLabelRowHeight),
                       text});
    }
    return out;
}
