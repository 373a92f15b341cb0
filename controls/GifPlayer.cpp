#include "controls/GifPlayer.h"

#include <algorithm>

GifPlayer::GifPlayer(std::shared_ptr<const GifImage> image, std::uint32_t background)
    : image_(std::move(image)), background_(background | 0xFF000000u)
{
    Start();
}

int GifPlayer::FrameCount() const { return image_ ? static_cast<int>(image_->frames.size()) : 0; }
int GifPlayer::Width() const { return image_ ? image_->width : 0; }
int GifPlayer::Height() const { return image_ ? image_->height : 0; }

void GifPlayer::Start()
{
    canvas_.assign(static_cast<std::size_t>(Width()) * static_cast<std::size_t>(Height()), background_);
    saved_.clear();
    haveSaved_ = false;
    current_ = 0;
}

void GifPlayer::FillRect(int x, int y, int w, int h, std::uint32_t color)
{
    const int W = Width();
    for (int row = y; row < y + h; ++row)
        std::fill_n(canvas_.begin() + static_cast<std::ptrdiff_t>(row) * W + x, w, color);
}

int GifPlayer::RenderCurrent()
{
    if (FrameCount() == 0)
        return GifDelayMs(0);
    const GifFrame& f = image_->frames[static_cast<std::size_t>(current_)];
    const int W = Width();
    // Frames are clipped to the screen by the decoder.
    haveSaved_ = false;
    if (f.disposal == 3) {
        saved_.resize(f.pixels.size());
        for (int row = 0; row < f.height; ++row)
            std::copy_n(canvas_.begin() + static_cast<std::ptrdiff_t>(f.y + row) * W + f.x, f.width,
                        saved_.begin() + static_cast<std::ptrdiff_t>(row) * f.width);
        haveSaved_ = true;
    }
    for (int row = 0; row < f.height; ++row) {
        const std::uint32_t* src = f.pixels.data() + static_cast<std::size_t>(row) * f.width;
        std::uint32_t* dst = canvas_.data() + static_cast<std::size_t>(f.y + row) * W + f.x;
        for (int col = 0; col < f.width; ++col) {
            if (src[col] >> 24)
                dst[col] = src[col];
        }
    }
    return GifDelayMs(f.delay);
}

void GifPlayer::FinishCurrent()
{
    if (FrameCount() == 0)
        return;
    DisposeCurrent();
    ++current_;
    if (current_ >= FrameCount()) {
        current_ = 0;
        std::fill(canvas_.begin(), canvas_.end(), background_);
    }
}

void GifPlayer::DisposeCurrent()
{
    if (FrameCount() == 0 || canvas_.empty())
        return;
    const GifFrame& f = image_->frames[static_cast<std::size_t>(current_)];
    const int W = Width();
    if (f.disposal == 2) {
        FillRect(f.x, f.y, f.width, f.height, background_);
    } else if (f.disposal == 3 && haveSaved_) {
        for (int row = 0; row < f.height; ++row)
            std::copy_n(saved_.begin() + static_cast<std::ptrdiff_t>(row) * f.width, f.width,
                        canvas_.begin() + static_cast<std::ptrdiff_t>(f.y + row) * W + f.x);
    }
    haveSaved_ = false;
}
