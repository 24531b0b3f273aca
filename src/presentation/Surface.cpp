#include "presentation/Surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// The AVX-512 blit is compiled for its own functions only and chosen when
// the processor has it, so the program still runs on any x86-64.
#if defined(__x86_64__) && defined(__GNUC__)
#define GRAVLIN_AVX512_BLIT 1
#include <immintrin.h>
#endif

namespace gravlin {

void Surface::Resize(int w, int h) {
    Width = std::max(0, w);
    Height = std::max(0, h);
    Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
}

void Surface::Fill(std::uint8_t value) {
    std::fill(Pixels.begin(), Pixels.end(), value);
}

namespace {

// The part of a blit that lands inside both surfaces.
struct ClippedBlit {
    int Width = 0, Height = 0;
    std::size_t FromX = 0, FromY = 0, ToX = 0, ToY = 0;
};

// False when nothing lands. The clipping is worked out in 64 bits: a tile
// rectangle or a position that comes from a damaged level may lie anywhere
// in int's range.
bool Clip(const Surface& to, int x, int y, const Surface& from, Rect src, ClippedBlit& c) {
    std::int64_t left = src.Left, top = src.Top, right = src.Right, bottom = src.Bottom;
    std::int64_t toX = x, toY = y;
    // Clip the source rectangle to the source surface, moving the
    // destination with it.
    if (left < 0) {
        toX -= left;
        left = 0;
    }
    if (top < 0) {
        toY -= top;
        top = 0;
    }
    right = std::min<std::int64_t>(right, from.Width);
    bottom = std::min<std::int64_t>(bottom, from.Height);
    // Then clip against the destination.
    if (toX < 0) {
        left -= toX;
        toX = 0;
    }
    if (toY < 0) {
        top -= toY;
        toY = 0;
    }
    right = std::min(right, left + (to.Width - toX));
    bottom = std::min(bottom, top + (to.Height - toY));
    if (right <= left || bottom <= top) return false;
    c.Width = static_cast<int>(right - left);
    c.Height = static_cast<int>(bottom - top);
    c.FromX = static_cast<std::size_t>(left);
    c.FromY = static_cast<std::size_t>(top);
    c.ToX = static_cast<std::size_t>(toX);
    c.ToY = static_cast<std::size_t>(toY);
    return true;
}

// The rows of a clipped blit: opaque rows are plain copies, keyed rows go
// through the kernel given, which copies all the rows at once.
template <typename KeyedRows>
void BlitRows(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed, KeyedRows keyedRows) {
    ClippedBlit c;
    if (!Clip(to, x, y, from, src, c)) return;
    const std::size_t fromPitch = static_cast<std::size_t>(from.Width), toPitch = static_cast<std::size_t>(to.Width);
    const std::uint8_t* s = from.Pixels.data() + c.FromY * fromPitch + c.FromX;
    std::uint8_t* d = to.Pixels.data() + c.ToY * toPitch + c.ToX;
    if (keyed) {
        keyedRows(d, toPitch, s, fromPitch, c.Width, c.Height);
    } else {
        for (int row = 0; row < c.Height; ++row, s += fromPitch, d += toPitch)
            std::memcpy(d, s, static_cast<std::size_t>(c.Width));
    }
}

void KeyedRowPortable(std::uint8_t* d, const std::uint8_t* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] != 0) d[i] = s[i];
}

void KeyedRowsPortable(std::uint8_t* d, std::size_t toPitch, const std::uint8_t* s, std::size_t fromPitch, int width,
                       int height) {
    for (; height > 0; --height, s += fromPitch, d += toPitch) KeyedRowPortable(d, s, width);
}

#if defined(__SSE2__)
// Sixteen and eight pixels of a keyed row: where the source is 0 the
// destination stays.
inline void Keyed16(std::uint8_t* d, const std::uint8_t* s) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i keep = _mm_cmpeq_epi8(sv, _mm_setzero_si128());
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(keep, dv), _mm_andnot_si128(keep, sv)));
}

inline void Keyed8(std::uint8_t* d, const std::uint8_t* s) {
    const __m128i sv = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
    const __m128i dv = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d));
    const __m128i keep = _mm_cmpeq_epi8(sv, _mm_setzero_si128());
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), _mm_or_si128(_mm_and_si128(keep, dv), _mm_andnot_si128(keep, sv)));
}

// Blocks of sixteen, then of eight, then pixel by pixel. The blocks never
// overlap, so no load waits on a store that only partly covers it.
inline void KeyedRowSse2(std::uint8_t* d, const std::uint8_t* s, int n) {
    int i = 0;
    if (n == 40) {
        // A whole row of a tile, the copy the game makes most.
        Keyed16(d, s);
        Keyed16(d + 16, s + 16);
        Keyed8(d + 32, s + 32);
        return;
    }
    for (; i + 16 <= n; i += 16) Keyed16(d + i, s + i);
    if (i + 8 <= n) {
        Keyed8(d + i, s + i);
        i += 8;
    }
    KeyedRowPortable(d + i, s + i, n - i);
}

void KeyedRowsSse2(std::uint8_t* d, std::size_t toPitch, const std::uint8_t* s, std::size_t fromPitch, int width,
                   int height) {
    for (; height > 0; --height, s += fromPitch, d += toPitch) KeyedRowSse2(d, s, width);
}
#endif

#if defined(GRAVLIN_AVX512_BLIT)
// A keyed row with AVX-512: a mask register marks the source pixels that
// are not 0 and one blend picks them over the destination. Every run of a
// whole tile row is a plain load, blend and store, with no branch on what
// the pixels hold: measured, masked stores and branches on wholly opaque
// runs were both slower.
#define GRAVLIN_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,bmi2")))

GRAVLIN_AVX512 inline void Keyed32Avx512(std::uint8_t* d, const std::uint8_t* s) {
    __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __mmask32 opaque = _mm256_test_epi8_mask(v, v);
    v = _mm256_mask_blend_epi8(opaque, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d)), v);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), v);
}

GRAVLIN_AVX512 inline void Keyed8Avx512(std::uint8_t* d, const std::uint8_t* s) {
    __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
    const __mmask16 opaque = _mm_test_epi8_mask(v, v);
    v = _mm_mask_blend_epi8(opaque, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d)), v);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(d), v);
}

// Fewer than eight pixels: only the lanes of `lanes` are loaded (the others
// read as 0 and cannot fault) and so only they can be stored.
GRAVLIN_AVX512 inline void KeyedShort(std::uint8_t* d, const std::uint8_t* s, __mmask16 lanes) {
    const __m128i v = _mm_maskz_loadu_epi8(lanes, s);
    _mm_mask_storeu_epi8(d, _mm_test_epi8_mask(v, v), v);
}

GRAVLIN_AVX512 void KeyedRowsAvx512(std::uint8_t* d, std::size_t toPitch, const std::uint8_t* s, std::size_t fromPitch,
                                    int width, int height) {
    if (width == 40) {
        // A whole row of a tile, the copy the game makes most, without the
        // loops' branches.
        for (; height > 0; --height, s += fromPitch, d += toPitch) {
            Keyed32Avx512(d, s);
            Keyed8Avx512(d + 32, s + 32);
        }
        return;
    }
    const int whole = width & ~31, eights = width & ~7;
    const __mmask16 rest = static_cast<__mmask16>(_bzhi_u32(0xFFFFu, static_cast<unsigned>(width - eights)));
    for (; height > 0; --height, s += fromPitch, d += toPitch) {
        int i = 0;
        for (; i < whole; i += 32) Keyed32Avx512(d + i, s + i);
        for (; i < eights; i += 8) Keyed8Avx512(d + i, s + i);
        if (rest != 0) KeyedShort(d + eights, s + eights, rest);
    }
}
#endif

BlitPath FastestBlitPath() {
    static const BlitPath fastest = [] {
        for (BlitPath path : {BlitPath::Avx512, BlitPath::Sse2})
            if (HasBlitPath(path)) return path;
        return BlitPath::Portable;
    }();
    return fastest;
}

} // namespace

bool HasBlitPath(BlitPath path) {
    switch (path) {
    case BlitPath::Portable: return true;
    case BlitPath::Sse2:
#if defined(__SSE2__)
        return true;
#else
        return false;
#endif
    case BlitPath::Avx512:
#if defined(GRAVLIN_AVX512_BLIT)
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
               __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("bmi2");
#else
        return false;
#endif
    }
    return false;
}

namespace {

using KeyedRows = void (*)(std::uint8_t*, std::size_t, const std::uint8_t*, std::size_t, int, int);

// The row kernel of a path the processor has.
KeyedRows KernelOf(BlitPath path) {
    switch (path) {
#if defined(GRAVLIN_AVX512_BLIT)
    case BlitPath::Avx512: return KeyedRowsAvx512;
#endif
#if defined(__SSE2__)
    case BlitPath::Sse2: return KeyedRowsSse2;
#endif
    default: return KeyedRowsPortable;
    }
}

} // namespace

void BlitWith(BlitPath path, Surface& to, int x, int y, const Surface& from, Rect src, bool keyed) {
    BlitRows(to, x, y, from, src, keyed, HasBlitPath(path) ? KernelOf(path) : KeyedRowsPortable);
}

void Blit(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed) {
    // Chosen once: the processor does not change while the game runs.
    static const KeyedRows fastest = KernelOf(FastestBlitPath());
    BlitRows(to, x, y, from, src, keyed, fastest);
}

int NearestColour(const Palette& palette, Rgb colour, bool allowZero) {
    int best = allowZero ? 0 : 1;
    long bestDistance = LONG_MAX;
    for (int i = allowZero ? 0 : 1; i < 256; ++i) {
        long dr = palette[i].R - colour.R, dg = palette[i].G - colour.G, db = palette[i].B - colour.B;
        long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

Rect TileRect(int tile, int tilesPerRow, int size) {
    if (tilesPerRow <= 0) tilesPerRow = 1;
    // Negative tile numbers have no place on a sheet: put them off it.
    if (tile < 0) return Rect{-size, -size, 0, 0};
    // In 64 bits, and held at OffSheet: a huge code from a level file, or a
    // huge row width from the header, gives a rectangle past the sheet's
    // edge, which draws nothing, instead of an overflow.
    auto place = [size](std::int64_t n) { return static_cast<int>(std::min<std::int64_t>(n * size, OffSheet)); };
    const int left = place(tile % tilesPerRow);
    const int top = place(tile / tilesPerRow);
    return Rect{left, top, left + size, top + size};
}

} // namespace gravlin
