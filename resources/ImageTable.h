#pragma once
// Every picture the program uses, by resource id: its kind, size and role. The pictures
// themselves are drawn by the art generator at build time and compiled in as Qt resources.

#include <QString>

#include <span>

enum class ImageKind { Png, Bitmap, Gif, Icon };

// How the art generator draws an id.
enum class ArtStyle {
    SkinNormal, SkinSelected, SkinPressed,      // rounded button skins
    SkinLight, SkinLightSelected,               // mid-grey: dark and light captions both read
    SkinPale, SkinPaleSelected,                 // near white: for dark and red captions
    TabNormal, TabSelected,
    ToggleOff, ToggleOn,                        // switch pictograms
    CheckOff, CheckOn,
    CaptionClose, CaptionMaximise, CaptionRestore,
    ChevronDown, ChevronUp,
    Plus, Minus, Refresh, Pencil,
    InputDvi, InputHdmi, InputDp, InputSdi, InputVga, InputUsb,  // normal input pictograms
    MarkSignal, MarkNoSignal,
    SliderChannelH, SliderActiveH, SliderThumbH,
    SliderChannelV, SliderActiveV, SliderThumbV,
    ProgressChannel, ProgressActive,
    SliderBack, BodyTexture, CaptionBackCool, CaptionBackWarm,
    RotationPreview, SwitcherPicture,
    IndicatorSerial, IndicatorNetwork, IndicatorSwitcher,
    DevicePicture, TileFrame, FourView, TakeSkin,
    Splice2H, Splice2V,                          // two panels side by side / stacked
    Splice3H, Splice3V, Splice3L,                // three panels: row, column, L-shape
    Splice4Grid, Splice4H, Splice4V,             // four panels
    BusyAnimation, AppIcon,
};

struct ImageSpec {
    unsigned id;
    ImageKind kind;
    int width;
    int height;
    ArtStyle style;
    bool highlighted;  // input pictograms: the highlighted variant
    const char* role;
};

std::span<const ImageSpec> AllImageSpecs();

// The table entry of id (any kind), or null.
const ImageSpec* FindImageSpec(unsigned id);

// Path of the compiled-in picture, e.g. ":/images/png/113.png"; the generator writes the same
// relative path ("png/113.png") under its output folder.
QString ImageRelativePath(const ImageSpec& spec);
QString ImageResourcePath(const ImageSpec& spec);
