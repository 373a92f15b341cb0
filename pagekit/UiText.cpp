#include "pagekit/UiText.h"

namespace {

// English defaults, index = text number. Blanks and spellings stay exactly as the program has
// always shown them: list entries carry their padding, and the language files mirror these texts.
constexpr const char* const kUiTextDefaults[] = {
    "Picture Mode", // 0
    "Color Temperature", // 1
    "Output Resolution", // 2
    "Rotate", // 3
    "Input Source", // 4
    "Automatic Arrangement", // 5
    "Manual Arrangement", // 6
    "Sync Mode", // 7
    "PIP3 Usage", // 8
    "Position", // 9
    "Clear", // 10
    "Files", // 11
    "Operate", // 12
    "Chroma Keyer", // 13
    "Keyer Mode", // 14
    "EDID Selcet", // 15
    "More", // 16
    "Display Adjustment", // 17
    "ADC Adjustment", // 18
    "DDC Setting", // 19
    "Test Pattern", // 20
    "Pixel Grab", // 21
    "Date And Time", // 22
    "Machine Time", // 23
    "Local Time", // 24
    "Schedule", // 25
    "Task Edit", // 26
    "Loopout Setting", // 27
    "Switch Mode", // 28
    "System Information", // 29
    "Factory Reset", // 30
    "Please Select A Ip", // 31
    "Select the Machine ?", // 32
    "Edid Apply", // 33
    "VGA Adjustment", // 34
    "Password Is Error", // 35
    "Preset is Invalid", // 36
    "Save The Preset?", // 37
    "Tips", // 38
    "The Machine Is Offline", // 39
    "SWITCH ON", // 40
    "SWITCH OFF", // 41
    " User ", // 42
    " White On Black1", // 43
    " White On Black2", // 44
    " Black On White1", // 45
    " Black On White2", // 46
    " Green On Black1", // 47
    " Green On Black2", // 48
    " Green On White1", // 49
    " Green On White2", // 50
    " Red On Black1", // 51
    " Red On Black2", // 52
    " Red On White1", // 53
    " Red On White2", // 54
    "PIP3 Is Off", // 55
    "Restart The Machine", // 56
    " Standard ", // 57
    " Low Light1 ", // 58
    " Low Light2 ", // 59
    " Low Light3 ", // 60
    " Video ", // 61
    " Graphic ", // 62
    " Monochrome ", // 63
    " User ", // 64
    "Waitting Operation ...", // 65
    "Ok", // 66
    "Failed", // 67
    "Picture Setting", // 68
    "Output Setting", // 69
    "Image Crop", // 70
    "Misc Settings", // 71
    "PIP Settings", // 72
    "Logo Settings", // 73
    "Chroma Keyer Settings", // 74
    "EDID Settings", // 75
    "VGA Adjustment", // 76
    "Test Pattern", // 77
    "Time/Task Management", // 78
    "Misc Settings", // 79
    "Load", // 80
    "Save", // 81
    "Getting Data From Desitination... ", // 82
    "Search Desitination Machine... ", // 83
    "Set Data To Desitination...", // 84
    "Connect Failed!", // 85
    "Switcher Mode", // 86
    "Connection Type", // 87
    "Connection Status", // 88
    "File Setting", // 89
    "Multi-Machine Mode", // 90
    "Com Connection", // 91
    "Network Connection", // 92
    "Connection Setting", // 93
    "Search Machines", // 94
    "Local Ip Address", // 95
    "Customized  Resolution", // 96
    "Setting", // 97
    "Switcher Mode", // 98
    "Logo Position is changed, please Load logo", // 99
    " Free Run", // 100
    " Lock To Main Input", // 101
    " Lock To Genlock", // 102
    " Lock To DVI1", // 103
    " Lock To DVI2", // 104
    " Lock To HDMI1", // 105
    " Lock To HDMI2", // 106
    " Lock To DP1", // 107
    " Lock To DVI3", // 108
    " Lock To DVI4", // 109
    " Lock To HDMI3", // 110
    " Lock To HDMI4", // 111
    " Lock To DP2", // 112
    " Auto", // 113
    " Mode 1", // 114
    " Mode 2", // 115
    " Opaque", // 116
    " Translucent", // 117
    " Transparent", // 118
    " Freeze", // 119
    " Speed 1", // 120
    " Speed 2", // 121
    " Speed 3", // 122
    " Left", // 123
    " Right", // 124
    "Caption Setting", // 125
    "Local Preview", // 126
    "Display Area", // 127
    "Caption Input", // 128
    "Send Caption Time Out", // 129
    "Caption 1", // 130
    "Caption 2", // 131
    "Caption 3", // 132
    "Caption 4", // 133
    "Video Display Setting", // 134
    "Reset Caption ?", // 135
    "In Serial Interface mode Take Function is not available", // 136
    "Video Display", // 137
    "Fluency", // 138
    "Standard Definition", // 139
    "High Definition", // 140
    "Ultra Clear", // 141
    "Update Failure", // 142
    "Success, Pls Restart the Machine", // 143
    "Update", // 144
    "Fixed to HDMI", // 145
    "Fixed to DP", // 146
    "Auto", // 147
    "Auto(Default HDMI)", // 148
    "Auto(Default DP)", // 149
    "Port Switch Method", // 150
    "Media Player Setting", // 151
    "Chroma Keyer On PIP3", // 152
    "Chroma Keyer On PIP1", // 153
    "Rectangle", // 154
    "Rectangle Left", // 155
    "Rectangle Right", // 156
    "Rectangle Up", // 157
    "Rectangle Down", // 158
    "Feathering", // 159
    "PIP3 Input Source Is  Signal Off", // 160
};
static_assert(sizeof(kUiTextDefaults) / sizeof(kUiTextDefaults[0]) == kUiTextCount,
              "one default per UI text");

std::array<QString, kUiTextCount> MakeDefaults()
{
    std::array<QString, kUiTextCount> texts;
    for (int n = 0; n < kUiTextCount; ++n)
        texts[static_cast<size_t>(n)] = QString::fromUtf8(kUiTextDefaults[n]);
    return texts;
}

} // namespace

std::array<QString, kUiTextCount> g_UiText = MakeDefaults();

QString UiTextDefault(int n)
{
    if (n < 0 || n >= kUiTextCount)
        return QString();
    return QString::fromUtf8(kUiTextDefaults[n]);
}

QString UiText(int n)
{
    if (n < 0 || n >= kUiTextCount)
        return QString();
    return g_UiText[static_cast<size_t>(n)];
}

void SetUiText(int n, const QString& text)
{
    if (n < 0 || n >= kUiTextCount)
        return;
    g_UiText[static_cast<size_t>(n)] = text;
}

void ResetUiTextDefaults()
{
    g_UiText = MakeDefaults();
}
