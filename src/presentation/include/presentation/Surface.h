#pragma once
// 8-bit surfaces in memory and the rectangle copies the game draws with.
// Pixel value 0 is the colour key: a keyed copy leaves the destination
// unchanged wherever the source pixel is 0.

#include <array>
#include <cstdint>
#include <vector>

namespace gravlin {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

struct Rgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const Rgb&) const = default;
};

using Palette = std::array<Rgb, 256>;

// A rectangle with right and bottom exclusive.
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const Rect&) const = default;
};

struct Surface {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels; // row-major, Width * Height

    Surface() = default;
    Surface(int w, int h) { Resize(w, h); }
    void Resize(int w, int h);
    void Fill(std::uint8_t value);
    std::uint8_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    void Set(int x, int y, std::uint8_t v) { Pixels[static_cast<std::size_t>(y) * Width + x] = v; }
};

// Copies the rectangle `src` of `from` to `to` with its top-left corner at
// (x, y), with or without the colour key. Whatever falls outside either
// surface is clipped away; a rectangle wholly outside draws nothing.
void Blit(Surface& to, int x, int y, const Surface& from, Rect src, bool keyed);

// The ways a keyed copy can be made, all giving the same bytes: a pixel at a
// time on any machine, sixteen at a time with SSE2, a row at a time with
// AVX-512 where the processor has it. Blit takes the fastest there is;
// BlitWith takes the one given (the portable one when that is missing), so
// that tests can compare them.
enum class BlitPath { Portable, Sse2, Avx512 };
bool HasBlitPath(BlitPath path);
void BlitWith(BlitPath path, Surface& to, int x, int y, const Surface& from, Rect src, bool keyed);

// The palette entry nearest to a colour (squared distance; the lowest index
// wins a tie). Entry 0 is the colour key and is chosen only when `allowZero`.
int NearestColour(const Palette& palette, Rgb colour, bool allowZero = false);

// Where TileRect puts a tile whose place lies further right or down than
// this: past the edge of any picture the game accepts.
constexpr int OffSheet = 1 << 24;

// The 40 by 40 rectangle of tile `tile` on a sheet with `tilesPerRow` tiles a
// row; `size` is the tile size (40 on the play sheet, 20 on the level choice).
// Any tile number gives a rectangle: one off the sheet draws nothing.
Rect TileRect(int tile, int tilesPerRow, int size = 40);

} // namespace gravlin
