#pragma once
// What a video channel hands to its render targets, and what a target must offer.
#include <cstdint>

// One decoded picture in tight planar 4:2:0 planes: the luma pitch equals the width, the
// chroma pitch half of it (rounded up). Valid only during the call that receives it.
struct VideoPicture {
    const uint8_t* y = nullptr;
    const uint8_t* u = nullptr;
    const uint8_t* v = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t lumaPitch = 0;
    int32_t chromaPitch = 0;
};

// Kinds of entries in a channel's target table.
enum VideoTargetKind : int32_t {
    kVideoTargetCell = 0,  // a layer cell of the layout canvas
    kVideoTargetView = 1,  // one of the four views of the four-view window
};

// A render target of a video channel: a layer cell or a four-view view. RenderFrame runs on
// the channel's render thread while the channel holds its target lock; a target serialises
// it with the destruction of its own drawing objects by a lock of its own, and must never
// take the channel's target lock from inside it.
class IVideoTarget {
public:
    virtual ~IVideoTarget() = default;
    // Draws the whole mosaic; the target picks its own source rectangle.
    virtual void RenderFrame(const VideoPicture& picture) = 0;
    // Whether a view's window exists and is visible. Kept up to date by the UI thread and
    // read on the render thread, so it must not touch a widget.
    virtual bool IsShown() const { return true; }
};
