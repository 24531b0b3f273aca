#include "presentation/sdl/PaletteConversion.h"

#include <cstring>

namespace gravlin {

PixelLookup MakePixelLookup(const Palette& palette) {
    PixelLookup lookup{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        lookup[i] = 0xff000000u | std::uint32_t{palette[i].R} << 16 | std::uint32_t{palette[i].G} << 8 | palette[i].B;
    return lookup;
}

void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch) {
    const std::uint8_t* src = from.Pixels.data();
    auto* rowStart = static_cast<std::uint8_t*>(to);
    for (int y = 0; y < from.Height; ++y) {
        auto* dst = reinterpret_cast<std::uint32_t*>(rowStart);
        for (int x = 0; x < from.Width; ++x) dst[x] = lookup[src[x]];
        src += from.Width;
        rowStart += pitch;
    }
}

} // namespace gravlin
