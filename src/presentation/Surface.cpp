#include "presentation/Surface.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
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
// through the row kernel given.
template <typename KeyedKernel>
void BlitRows(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed, KeyedKernel keyedRow) {
    ClippedBlit c;
    if (!Clip(to, x, y, from, src, c)) return;
    const std::size_t fromPitch = static_cast<std::size_t>(from.Width), toPitch = static_cast<std::size_t>(to.Width);
    const std::uint8_t* s = from.Pixels.data() + c.FromY * fromPitch + c.FromX;
    std::uint8_t* d = to.Pixels.data() + c.ToY * toPitch + c.ToX;
    if (keyed) {
        for (int row = 0; row < c.Height; ++row, s += fromPitch, d += toPitch) keyedRow(d, s, c.Width);
    } else {
        for (int row = 0; row < c.Height; ++row, s += fromPitch, d += toPitch)
            std::memcpy(d, s, static_cast<std::size_t>(c.Width));
    }
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
#endif

} // namespace

void KeyedRowPortable(std::uint8_t* d, const std::uint8_t* s, int n) {
    for (int i = 0; i < n; ++i)
        if (s[i] != 0) d[i] = s[i];
}

void KeyedRow(std::uint8_t* d, const std::uint8_t* s, int n) {
#if defined(__SSE2__)
    // Blocks of sixteen, then of eight, then pixel by pixel. The blocks never
    // overlap, so no load waits on a store that only partly covers it.
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
#else
    KeyedRowPortable(d, s, n);
#endif
}

void Blit(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed) {
    BlitRows(to, x, y, from, src, keyed, KeyedRow);
}

void BlitPortable(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed) {
    BlitRows(to, x, y, from, src, keyed, KeyedRowPortable);
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
