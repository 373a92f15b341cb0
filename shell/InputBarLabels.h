#pragma once
// Where the input bar's texts go: under each enabled input's icon its name, then the operator's
// remark (centred under the input's button), then the resolution of a live signal, one 16-pixel
// row each, so that no text covers another. Plain geometry, so the rule is tested without painting.

#include "shell/MainWindowGeometry.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <array>
#include <vector>

class CDeviceData;

struct InputBarLabel {
    enum class Kind { Name, Remark, Resolution };
    int input = 0;
    Kind kind = Kind::Name;
    QRect rect;
    QString text;
};

inline constexpr int kInputLabelRowHeight = 16;

// The remark under an input is the operator's own text: shown only when it is neither empty nor
// the input's name (a remark that merely repeats the name would show every input twice).
bool ShowsRemark(const CDeviceData& device, int input);

// "1920x1080 60Hz", or "1080i 60Hz" for an interlaced signal (whole hertz).
QString ResolutionText(int hAct, int vAct, int fpsHundredths, bool interlaced);

std::vector<InputBarLabel> LayoutInputBarLabels(const CDeviceData& device,
                                                const std::array<QRect, kInputIconCount>& icons,
                                                const QFontMetrics& metrics);
