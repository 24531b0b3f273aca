#include "presentation/sdl/PaletteConversion.h"

#include <algorithm>
#include <bit>
#include <cstring>

// The AVX-512 conversion is compiled for its own function only and chosen
// when the processor has it, so the program still runs on any x86-64.
#if defined(__x86_64__) && defined(__GNUC__)
#define GRAVLIN_VBMI_CONVERSION 1
#include <immintrin.h>
#endif

namespace gravlin {

PixelLookup MakePixelLookup(const Palette& palette, PixelOrder order) {
    PixelLookup lookup;
    lookup.Order = order;
    const bool bgra = order == PixelOrder::Bgra;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::uint32_t first = bgra ? palette[i].B : palette[i].R, third = bgra ? palette[i].R : palette[i].B;
        lookup.Single[i] = 0xff000000u | third << 16 | std::uint32_t{palette[i].G} << 8 | first;
    }
    // Two pixels written as one 64-bit word: the first one at the lower
    // address, whatever the machine's byte order.
    lookup.Pairs.resize(256 * 256);
    for (std::size_t second = 0; second < 256; ++second)
        for (std::size_t first = 0; first < 256; ++first) {
            const std::uint64_t a = lookup.Single[first], b = lookup.Single[second];
            lookup.Pairs[first | second << 8] = std::endian::native == std::endian::little ? a | b << 32 : a << 32 | b;
        }
    for (std::size_t i = 0; i < palette.size(); ++i) {
        lookup.Red[i] = bgra ? palette[i].B : palette[i].R;
        lookup.Green[i] = palette[i].G;
        lookup.Blue[i] = bgra ? palette[i].R : palette[i].B;
    }
    return lookup;
}

namespace {

// The rows to convert, clipped to the picture, and where the first goes.
struct ConversionRows {
    int Begin = 0, End = 0;
    std::size_t Width = 0;
    unsigned char* First = nullptr;
};

ConversionRows RowsToConvert(const Surface& from, void* to, int pitch, int firstRow, int rows) {
    ConversionRows r;
    r.Begin = std::clamp(firstRow, 0, from.Height);
    r.End = std::clamp(firstRow + std::max(rows, 0), r.Begin, from.Height);
    r.Width = static_cast<std::size_t>(std::max(from.Width, 0));
    r.First = static_cast<unsigned char*>(to) + static_cast<std::ptrdiff_t>(r.Begin - firstRow) * pitch;
    return r;
}

// The pixels of a row from `x` on, one lookup each.
void ConvertSingles(const std::uint8_t* src, unsigned char* dst, std::size_t x, std::size_t width,
                    const PixelLookup& lookup) {
    for (; x < width; ++x) std::memcpy(dst + x * 4, &lookup.Single[src[x]], 4);
}

void ConvertByPairs(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow, int rows) {
    const ConversionRows r = RowsToConvert(from, to, pitch, firstRow, rows);
    const std::uint64_t* pairs = lookup.Pairs.data();
    unsigned char* rowStart = r.First;
    for (int y = r.Begin; y < r.End; ++y, rowStart += pitch) {
        const std::uint8_t* src = from.Pixels.data() + static_cast<std::size_t>(y) * r.Width;
        unsigned char* dst = rowStart;
        std::size_t x = 0;
        // Eight pixels a round: one 64-bit load of indices, four pair
        // lookups, four 64-bit stores.
        for (; x + 8 <= r.Width; x += 8, dst += 32) {
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
        ConvertSingles(src, rowStart, x, r.Width, lookup);
    }
}

#if defined(GRAVLIN_VBMI_CONVERSION)
#define GRAVLIN_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// One channel of 64 pixels: the 256-byte table is four registers; a
// two-table byte permute looks up the low 128 entries and the high 128,
// and each index's top bit picks between them.
GRAVLIN_VBMI inline __m512i LookUp64(__m512i indices, __mmask64 high, const std::array<std::uint8_t, 256>& table) {
    const std::uint8_t* t = table.data();
    const __m512i low = _mm512_permutex2var_epi8(_mm512_loadu_si512(t), indices, _mm512_loadu_si512(t + 64));
    const __m512i upper = _mm512_permutex2var_epi8(_mm512_loadu_si512(t + 128), indices, _mm512_loadu_si512(t + 192));
    return _mm512_mask_blend_epi8(high, low, upper);
}

// Sixty-four pixels a round: three channel lookups, then the bytes
// interleaved into red, green, blue, alpha. The interleave works within
// each 128-bit lane, so the indices are first put in the order that makes
// its four results whole runs of sixteen pixels: index 16m + 4k + j moves
// to 16k + 4m + j.
GRAVLIN_VBMI void ConvertByVbmi(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow,
                                int rows) {
    const ConversionRows r = RowsToConvert(from, to, pitch, firstRow, rows);
    alignas(64) std::uint8_t order[64];
    for (int k = 0; k < 4; ++k)
        for (int m = 0; m < 4; ++m)
            for (int j = 0; j < 4; ++j) order[16 * k + 4 * m + j] = static_cast<std::uint8_t>(16 * m + 4 * k + j);
    const __m512i reorder = _mm512_load_si512(order);
    const __m512i alpha = _mm512_set1_epi8(static_cast<char>(0xff));
    unsigned char* rowStart = r.First;
    for (int y = r.Begin; y < r.End; ++y, rowStart += pitch) {
        const std::uint8_t* src = from.Pixels.data() + static_cast<std::size_t>(y) * r.Width;
        unsigned char* dst = rowStart;
        std::size_t x = 0;
        for (; x + 64 <= r.Width; x += 64, dst += 256) {
            const __m512i indices = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, reorder, _mm512_loadu_si512(src + x));
            const __mmask64 high = _mm512_movepi8_mask(indices);
            const __m512i red = LookUp64(indices, high, lookup.Red);
            const __m512i green = LookUp64(indices, high, lookup.Green);
            const __m512i blue = LookUp64(indices, high, lookup.Blue);
            const __m512i rgLow = _mm512_unpacklo_epi8(red, green), rgHigh = _mm512_unpackhi_epi8(red, green);
            const __m512i baLow = _mm512_unpacklo_epi8(blue, alpha), baHigh = _mm512_unpackhi_epi8(blue, alpha);
            _mm512_storeu_si512(dst, _mm512_unpacklo_epi16(rgLow, baLow));
            _mm512_storeu_si512(dst + 64, _mm512_unpackhi_epi16(rgLow, baLow));
            _mm512_storeu_si512(dst + 128, _mm512_unpacklo_epi16(rgHigh, baHigh));
            _mm512_storeu_si512(dst + 192, _mm512_unpackhi_epi16(rgHigh, baHigh));
        }
        ConvertSingles(src, rowStart, x, r.Width, lookup);
    }
}
#endif

ConvertPath FastestConvertPath() {
    static const ConvertPath fastest = HasConvertPath(ConvertPath::Vbmi) ? ConvertPath::Vbmi : ConvertPath::Pairs;
    return fastest;
}

} // namespace

bool HasConvertPath(ConvertPath path) {
    switch (path) {
    case ConvertPath::Pairs: return true;
    case ConvertPath::Vbmi:
#if defined(GRAVLIN_VBMI_CONVERSION)
        return std::endian::native == std::endian::little && __builtin_cpu_supports("avx512f") &&
               __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
#else
        return false;
#endif
    }
    return false;
}

void ConvertToPixels32With(ConvertPath path, const Surface& from, const PixelLookup& lookup, void* to, int pitch,
                           int firstRow, int rows) {
#if defined(GRAVLIN_VBMI_CONVERSION)
    if (path == ConvertPath::Vbmi && HasConvertPath(path))
        return ConvertByVbmi(from, lookup, to, pitch, firstRow, rows);
#endif
    (void)path;
    ConvertByPairs(from, lookup, to, pitch, firstRow, rows);
}

void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow, int rows) {
    ConvertToPixels32With(FastestConvertPath(), from, lookup, to, pitch, firstRow, rows);
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
