// libFuzzer target: the GIF reader and player on arbitrary bytes.

#include "controls/GifDecoder.h"
#include "controls/GifPlayer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    (void)WalkGif(data, size);
    auto gif = DecodeGif(data, size);
    if (!gif)
        return 0;
    const std::size_t frames = gif->frames.size();
    GifPlayer player(std::make_shared<const GifImage>(std::move(*gif)), 0xFF404040u);
    for (std::size_t i = 0; i <= frames; ++i) {
        player.RenderCurrent();
        player.FinishCurrent();
    }
    return 0;
}
