#include "shell/PortSwitchTexts.h"

namespace {

const PortSwitchTexts kDvi3 = {QStringLiteral("Fixed to DVI3*"), QStringLiteral("Auto(DVI3* Default)"),
                               QStringLiteral("固定 DVI3*"), QStringLiteral("自动(DVI3* 优先)")};
const PortSwitchTexts kHdmi3 = {QStringLiteral("Fixed to HDMI3"), QStringLiteral("Auto(HDMI3 Default)"),
                                QStringLiteral("固定 HDMI3"), QStringLiteral("自动(HDMI3 优先)")};
const PortSwitchTexts kDp2 = {QStringLiteral("Fixed to DP2"), QStringLiteral("Auto(DP2 Default)"),
                              QStringLiteral("固定 DP2"), QStringLiteral("自动(DP2 优先)")};

} // namespace

bool PortSwitchTextsFor(int source, int typeCode, PortSwitchTexts& out)
{
    if (source != 0 && source != 1) return false;
    if (typeCode == 6) {
        out = source == 0 ? kDvi3 : kHdmi3;
        return true;
    }
    if (typeCode == 8) {
        out = kDp2;
        return true;
    }
    return false;
}

int PortSwitchFixedTextId(int source)
{
    return source == 0 ? 145 : source == 1 ? 146 : -1;
}

int PortSwitchAutoTextId(int source)
{
    return source == 0 ? 148 : source == 1 ? 149 : -1;
}
