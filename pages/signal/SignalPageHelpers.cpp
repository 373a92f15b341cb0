#include "pages/signal/SignalPageHelpers.h"

#include "controls/CGdipButton.h"
#include "pagekit/DialogIds.h"
#include "pagekit/LanguageFiles.h"
#include "pagekit/UiText.h"
#include "platform/Dpi.h"

#include <cmath>
#include <limits>

namespace signalpage {

QRect DialogRect(int x, int y, int width, int height, const DialogBaseUnits& base)
{
    const int left = DluToPixelsX(x, base);
    const int top = DluToPixelsY(y, base);
    const int right = DluToPixelsX(x + width, base);
    const int bottom = DluToPixelsY(y + height, base);
    return QRect(left, top, right - left, bottom - top);
}

QRect DialogRect(int x, int y, int width, int height)
{
    return DialogRect(x, y, width, height, CurrentDialogBaseUnits());
}

QRect DesignRect(int x, int y, int width, int height)
{
    return QRect(ScaleX(x), ScaleY(y), ScaleX(width), ScaleY(height));
}

namespace {
int RoundedTimes(double value, double factor)
{
    if (std::isnan(value)) return 0;
    const double scaled = std::round(value * factor);
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (scaled <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(scaled);
}
} // namespace

int ToHundredths(double value) { return RoundedTimes(value, 100.0); }
int ToTenths(double value) { return RoundedTimes(value, 10.0); }

LayerButtonStates LayerButtonStatesFor(int pvwMode, const uint8_t (&pgmState)[4], const uint8_t (&pvwState)[4])
{
    LayerButtonStates s;
    switch (pvwMode) {
    case 1:
        for (int w = 0; w < 2; ++w) {
            if (pgmState[w]) {
                s[w] = {QStringLiteral("PGM"), false, true, false};
            } else if (pvwState[w]) {
                s[w] = {QStringLiteral("PVW"), true, false, true};
            }
        }
        s[2].caption = QStringLiteral("PIP2");
        s[3].caption = QStringLiteral("PIP3");
        break;
    case 2:
        for (int w = 0; w < 4; ++w) {
            const QString pair = (w % 2 == 0) ? QStringLiteral("1") : QStringLiteral("2");
            if (pgmState[w]) {
                s[w] = {QStringLiteral("PGM") + pair, false, true, false};
            } else if (pvwState[w]) {
                s[w] = {QStringLiteral("PVW") + pair, true, false, true};
            }
        }
        break;
    default:
        s[0] = {QStringLiteral("MAIN"), true, false, false};
        for (int w = 1; w < 4; ++w) s[w] = {QStringLiteral("PIP-%1").arg(w), true, false, false};
        break;
    }
    return s;
}

void ApplyLayerButtonState(CGdipButton* button, const LayerButtonState& state)
{
    if (!button) return;
    if (state.caption) button->setText(*state.caption);
    if (state.enabled) {
        button->setEnabled(*state.enabled);
        button->SetDisabledLook(!*state.enabled);
    }
    button->update();
}

QString ApplicationTitle()
{
    const QString title = LoadLangString(QStringLiteral("IDD%1_Title").arg(IDD_MAIN));
    return title.isEmpty() ? QStringLiteral("Tarvo Serial-VideoProcessor") : title;
}

QString SwitchCaption(bool on) { return on ? QStringLiteral("0n") : QStringLiteral("0ff"); }

QString ResultText(const QString& what, bool ok)
{
    constexpr int kOkText = 66;
    constexpr int kFailedText = 67;
    return QStringLiteral("%1 %2").arg(what, g_UiText[ok ? kOkText : kFailedText]);
}

} // namespace signalpage
