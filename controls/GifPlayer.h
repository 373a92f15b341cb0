#pragma once
// Plays decoded GIF frames onto a canvas the size of the logical screen, applying each frame's
// disposal method. No window and no timer: the owner asks for the next frame when its delay
// has passed.

#include "controls/GifDecoder.h"

#include <cstdint>
#include <memory>
#include <vector>

class GifPlayer {
public:
    GifPlayer(std::shared_ptr<const GifImage> image, std::uint32_t background);

    // Canvas filled with the background, frame 0 current.
    void Start();
    // Saves what the current frame will cover (disposal 3) and draws it. Returns its delay in ms.
    int RenderCurrent();
    // Disposes of the current frame (2: background, 3: restore) and moves to the next; after
    // the last frame, back to frame 0 on a canvas filled with the background.
    void FinishCurrent();
    // Disposes of the current frame and keeps it current: an animation stopped on a frame
    // resumes by drawing that frame again.
    void DisposeCurrent();
    bool IsStarted() const { return !canvas_.empty(); }

    int CurrentIndex() const { return current_; }
    int FrameCount() const;
    int Width() const;
    int Height() const;
    std::uint32_t Background() const { return background_; }
    const std::vector<std::uint32_t>& Canvas() const { return canvas_; }

private:
    void FillRect(int x, int y, int w, int h, std::uint32_t color);

    std::shared_ptr<const GifImage> image_;
    std::uint32_t background_;
    std::vector<std::uint32_t> canvas_;
    std::vector<std::uint32_t> saved_;  // area under the current frame (disposal 3)
    bool haveSaved_ = false;
    int current_ = 0;
};
