#include "resources/ImageTable.h"

#include <array>

namespace {
using K = ImageKind;
using S = ArtStyle;

constexpr std::array kImages = {
    // Caption buttons of every page (24 x 24 cells in the title band).
    ImageSpec{107, K::Png, 24, 24, S::CaptionClose, false, "page close button"},
    ImageSpec{1561, K::Png, 24, 24, S::CaptionMaximise, false, "page maximise button"},
    ImageSpec{1562, K::Png, 24, 24, S::CaptionRestore, false, "page maximise button, alternate (restore)"},
    // Button skins.
    ImageSpec{113, K::Png, 96, 32, S::SkinNormal, false, "common button skin"},
    ImageSpec{114, K::Png, 96, 32, S::SkinSelected, false, "common button skin, selected"},
    ImageSpec{115, K::Png, 120, 36, S::SkinNormal, false, "wide button skin, tile image"},
    ImageSpec{116, K::Png, 120, 36, S::SkinSelected, false, "wide button skin, selected"},
    ImageSpec{129, K::Png, 80, 28, S::SkinNormal, false, "small action button skin"},
    ImageSpec{147, K::Png, 80, 28, S::SkinPressed, false, "small action button skin, pressed"},
    ImageSpec{131, K::Png, 96, 30, S::TabNormal, false, "tab skin"},
    ImageSpec{132, K::Png, 96, 30, S::TabSelected, false, "tab skin, selected"},
    ImageSpec{144, K::Png, 72, 30, S::SkinNormal, false, "layer button skin"},
    ImageSpec{148, K::Png, 72, 30, S::SkinSelected, false, "layer button skin, selected"},
    ImageSpec{145, K::Png, 100, 30, S::SkinNormal, false, "lock and logo-slot button skin"},
    ImageSpec{146, K::Png, 100, 30, S::SkinSelected, false, "lock button skin, selected"},
    ImageSpec{169, K::Png, 80, 60, S::TakeSkin, false, "TAKE button skin"},
    ImageSpec{172, K::Png, 64, 40, S::SkinPale, false, "preset slot skin (black and red captions)"},
    ImageSpec{173, K::Png, 64, 40, S::SkinPaleSelected, false, "preset slot skin, selected"},
    // Light skins for the buttons whose captions are dark (or dark in one state, light in another).
    ImageSpec{2001, K::Png, 72, 30, S::SkinLight, false, "main window layer button skin"},
    ImageSpec{2002, K::Png, 72, 30, S::SkinLightSelected, false, "main window layer button skin, selected"},
    ImageSpec{2003, K::Png, 100, 30, S::SkinLight, false, "lock button skin"},
    ImageSpec{2004, K::Png, 100, 30, S::SkinLightSelected, false, "lock button skin, selected"},
    ImageSpec{2005, K::Png, 120, 36, S::SkinLight, false, "switcher panel button skin"},
    ImageSpec{2006, K::Png, 120, 36, S::SkinLightSelected, false, "switcher panel button skin, selected"},
    ImageSpec{2007, K::Png, 80, 28, S::SkinLight, false, "schedule task button skin"},
    ImageSpec{2008, K::Png, 80, 28, S::SkinLightSelected, false, "schedule task button skin, pressed"},
    // The schedule's ON/OFF switch: the track on top, room for its caption under it.
    ImageSpec{2009, K::Png, 72, 44, S::ToggleOff, false, "ON/OFF switch with a caption, off"},
    ImageSpec{2010, K::Png, 72, 44, S::ToggleOn, false, "ON/OFF switch with a caption, on"},
    ImageSpec{174, K::Png, 64, 24, S::ChevronDown, false, "side-bar expand button"},
    ImageSpec{175, K::Png, 64, 24, S::ChevronUp, false, "side-bar expand button, expanded"},
    ImageSpec{128, K::Png, 60, 26, S::ToggleOff, false, "ON/OFF switch, off"},
    ImageSpec{130, K::Png, 60, 26, S::ToggleOn, false, "ON/OFF switch, on"},
    ImageSpec{126, K::Png, 16, 16, S::CheckOff, false, "check box and splicing marker, not selected"},
    ImageSpec{125, K::Png, 16, 16, S::CheckOn, false, "check box and splicing marker, selected"},
    ImageSpec{177, K::Png, 28, 28, S::Plus, false, "add address button"},
    ImageSpec{178, K::Png, 28, 28, S::Minus, false, "remove address button"},
    ImageSpec{180, K::Png, 32, 33, S::Refresh, false, "refresh button"},
    ImageSpec{1488, K::Png, 16, 16, S::Pencil, false, "rename icon"},
    // Input pictograms, normal and highlighted (68 x 25 icon cells of the top bar).
    ImageSpec{137, K::Png, 68, 25, S::InputDvi, false, "DVI input"},
    ImageSpec{138, K::Png, 68, 25, S::InputDvi, true, "DVI input, highlighted"},
    ImageSpec{139, K::Png, 68, 25, S::InputHdmi, false, "HDMI input"},
    ImageSpec{140, K::Png, 68, 25, S::InputHdmi, true, "HDMI input, highlighted"},
    ImageSpec{135, K::Png, 68, 25, S::InputDp, false, "DP input"},
    ImageSpec{136, K::Png, 68, 25, S::InputDp, true, "DP input, highlighted"},
    ImageSpec{141, K::Png, 68, 25, S::InputSdi, false, "SDI input"},
    ImageSpec{143, K::Png, 68, 25, S::InputSdi, true, "SDI input, highlighted"},
    ImageSpec{151, K::Png, 68, 25, S::InputVga, false, "VGA input"},
    ImageSpec{153, K::Png, 68, 25, S::InputVga, true, "VGA input, highlighted"},
    ImageSpec{1585, K::Png, 68, 25, S::InputUsb, false, "USB disk input"},
    ImageSpec{1584, K::Png, 68, 25, S::InputUsb, true, "USB disk input, highlighted"},
    ImageSpec{155, K::Png, 14, 14, S::MarkSignal, false, "signal / online mark"},
    ImageSpec{157, K::Png, 14, 14, S::MarkNoSignal, false, "no-signal / offline mark"},
    // Sliders.
    ImageSpec{159, K::Png, 240, 16, S::SliderChannelH, false, "horizontal slider channel"},
    ImageSpec{163, K::Png, 240, 16, S::SliderActiveH, false, "horizontal slider channel, active part"},
    ImageSpec{161, K::Png, 14, 20, S::SliderThumbH, false, "horizontal slider thumb"},
    ImageSpec{166, K::Png, 16, 136, S::SliderChannelV, false, "vertical slider channel"},
    ImageSpec{167, K::Png, 16, 136, S::SliderActiveV, false, "vertical slider channel, active part"},
    ImageSpec{165, K::Png, 20, 14, S::SliderThumbV, false, "vertical slider thumb"},
    ImageSpec{1550, K::Png, 300, 12, S::ProgressChannel, false, "upload progress channel"},
    ImageSpec{1551, K::Png, 300, 12, S::ProgressActive, false, "upload progress channel, done part"},
    // Pictures.
    ImageSpec{121, K::Png, 120, 68, S::RotationPreview, false, "output rotation preview"},
    ImageSpec{1479, K::Png, 76, 76, S::SwitcherPicture, false, "switcher button picture"},
    ImageSpec{1485, K::Png, 32, 32, S::IndicatorSerial, false, "connection type: serial"},
    ImageSpec{1486, K::Png, 32, 32, S::IndicatorNetwork, false, "connection type: network"},
    ImageSpec{1487, K::Png, 32, 32, S::IndicatorSwitcher, false, "switcher mode indicator"},
    ImageSpec{181, K::Png, 64, 40, S::DevicePicture, false, "processor picture of a search tile"},
    ImageSpec{190, K::Png, 160, 40, S::TileFrame, false, "active LED-controller tile"},
    ImageSpec{1560, K::Png, 40, 40, S::FourView, false, "four-view button"},
    // Splicing arrangement previews (64 x 64 cells).
    ImageSpec{1503, K::Png, 64, 64, S::Splice2H, false, "two panels side by side"},
    ImageSpec{1504, K::Png, 64, 64, S::Splice2V, false, "two panels stacked"},
    ImageSpec{1511, K::Png, 64, 64, S::Splice3H, false, "three panels in a row"},
    ImageSpec{1512, K::Png, 64, 64, S::Splice3V, false, "three panels in a column"},
    ImageSpec{186, K::Png, 64, 64, S::Splice3L, false, "three panels, L arrangement"},
    ImageSpec{124, K::Png, 64, 64, S::Splice4Grid, false, "four panels, 2 x 2"},
    ImageSpec{123, K::Png, 64, 64, S::Splice4H, false, "four panels in a row"},
    ImageSpec{122, K::Png, 64, 64, S::Splice4V, false, "four panels in a column"},
    // 24-bit bitmaps.
    ImageSpec{106, K::Bitmap, 2560, 1600, S::BodyTexture, false, "dark body texture of every page"},
    ImageSpec{168, K::Bitmap, 240, 20, S::SliderBack, false, "slider background"},
    ImageSpec{1531, K::Bitmap, 3840, 128, S::CaptionBackWarm, false, "caption preview background, mode 2"},
    ImageSpec{1532, K::Bitmap, 3840, 128, S::CaptionBackCool, false, "caption preview background, mode 1"},
    // Animation and icon.
    ImageSpec{171, K::Gif, 120, 20, S::BusyAnimation, false, "busy animation of the wait dialog"},
    ImageSpec{103, K::Icon, 64, 64, S::AppIcon, false, "program icon"},
};
} // namespace

std::span<const ImageSpec> AllImageSpecs() { return kImages; }

const ImageSpec* FindImageSpec(unsigned id)
{
    for (const ImageSpec& s : kImages) {
        if (s.id == id)
            return &s;
    }
    return nullptr;
}

QString ImageRelativePath(const ImageSpec& spec)
{
    switch (spec.kind) {
    case ImageKind::Png: return QStringLiteral("png/%1.png").arg(spec.id);
    case ImageKind::Bitmap: return QStringLiteral("bmp/%1.png").arg(spec.id);
    case ImageKind::Gif: return QStringLiteral("gif/%1.gif").arg(spec.id);
    case ImageKind::Icon: return QStringLiteral("icon/%1.png").arg(spec.id);
    }
    return {};
}

QString ImageResourcePath(const ImageSpec& spec)
{
    return QStringLiteral(":/images/") + ImageRelativePath(spec);
}
