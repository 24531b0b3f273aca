#include "presentation/sdl/PaletteConversion.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace gravlin {

PixelLookup MakePixelLookup(const Palette& palette) {
    PixelLookup lookup;
    for (std::size_t i = 0; i < palette.size(); ++i)
        lookup.Single[i] =
            0xff000000u | std::uint32_t{palette[i].B} << 16 | std::uint32_t{palette[i].G} << 8 | palette[i].R;
    // Two pixels written as one 64-bit word: the first one at the lower
    // address, whatever the machine's byte order.
    lookup.Pairs.resize(256 * 256);
    for (std::size_t second = 0; second < 256; ++second)
        for (std::size_t first = 0; first < 256; ++first) {
            const std::uint64_t a = lookup.Single[first], b = lookup.Single[second];
            lookup.Pairs[first | second << 8] = std::endian::native == std::endian::little ? a | b << 32 : a << 32 | b;
        }
    return lookup;
}

void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow, int rows) {
    const int begin = std::clamp(firstRow, 0, from.Height);
    const int end = std::clamp(firstRow + std::max(rows, 0), begin, from.Height);
    const std::size_t width = static_cast<std::size_t>(std::max(from.Width, 0));
    const std::uint64_t* pairs = lookup.Pairs.data();
    auto* rowStart = static_cast<unsigned char*>(to) + static_cast<std::ptrdiff_t>(begin - firstRow) * pitch;
    for (int y = begin; y < end; ++y, rowStart += pitch) {
        const std::uint8_t* src = from.Pixels.data() + static_cast<std::size_t>(y) * width;
        unsigned char* dst = rowStart;
        std::size_t x = 0;
        // Eight pixels a round: one 64-bit load of indices, four pair
        // lookups, four 64-bit stores.
        for (; x + 8 <= width; x += 8, dst += 32) {
            std::uint64_t four;
            std::memcpy(&four, src + x, 8);
            if constexpr (std::endian::native != std::endian::little)
                four = std::uint64_t{src[x]} | std::uint64_t{src[x + 1]} << 8 | std::uint64_t{src[x + 2]} << 16 |
                       std::uint64_t{src[x + 3]} << 24 | std::uint64_t{src[x + 4]} << 32 |
                       std::uint64_t{src[x + 5]} << 40 | std::uint64_t{src[x + 6]} << 48 |
                       std::uint64_t{src[x + 7]} << 56;
            const std::uint64_t p0 = pairs[four & 0xffff], p1 = pairs[four >> 16 & 0xffff];
            const std::uint64_t p2 = pairs[four >> 32 & 0xffff], p3 = pairs[four >> 48];
            std::memcpy(dst, &p0, 8);
            std::memcpy(dst + 8, &p1, 8);
            std::memcpy(dst + 16, &p2, 8);
            std::memcpy(dst + 24, &p3, 8);
        }
        for (; x < width; ++x, dst += 4) std::memcpy(dst, &lookup.Single[src[x]], 4);
    }
}

ChangedRows FindChangedRows(const std::vector<std::uint8_t>& shown, const Surface& now) {
    const std::size_t width = static_cast<std::size_t>(std::max(now.Width, 0));
    if (shown.size() != now.Pixels.size() || width == 0) return {0, now.Height};
    auto same = [&](int row) {
        const std::size_t at = static_cast<std::size_t>(row) * width;
        return std::memcmp(shown.data() + at, now.Pixels.data() + at, width) == 0;
    };
    int first = 0, end = now.Height;
    while (first < end && same(first)) ++first;
    while (end > first && same(end - 1)) --end;
    return {first, end};
}

} // namespace gravlin
