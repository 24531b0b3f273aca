#pragma once
// Turning the 8-bit back buffer into the 32-bit pixels the screen shows.

#include "presentation/Surface.h"

#include <array>
#include <cstdint>
#include <vector>

namespace gravlin {

// The byte order of a 32-bit pixel in memory: red, green, blue, alpha (SDL's
// ABGR8888), the order software OpenGL keeps its textures in, so an upload
// is a copy; or blue, green, red, alpha (ARGB8888 and RGB888), the order of
// an X server's 24-bit windows.
enum class PixelOrder { Rgba, Bgra };

// The palette as 32-bit pixels in `Order`, alpha opaque. `Pairs` holds the pixels of
// every two neighbouring entries, indexed by first | second << 8, so that the
// conversion does one lookup for two pixels. `Red`, `Green` and `Blue` are
// the palette's channels, for processors that look up 64 bytes at once;
// in the Bgra order `Red` holds the blue channel and `Blue` the red one.
struct PixelLookup {
    PixelOrder Order = PixelOrder::Rgba;
    std::array<std::uint32_t, 256> Single{};
    std::vector<std::uint64_t> Pairs;
    std::array<std::uint8_t, 256> Red{}, Green{}, Blue{};
};

PixelLookup MakePixelLookup(const Palette& palette, PixelOrder order = PixelOrder::Rgba);

// Writes every pixel of rows [firstRow, firstRow + rows) of `from` through
// `lookup` into `to`, where row firstRow goes, rows `pitch` bytes apart (a
// locked texture's rows may be longer than the picture's). Rows outside
// `from` are not written.
void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch, int firstRow, int rows);

// The ways of converting, all giving the same bytes: by the pair table on
// any machine, or 64 pixels at a time with AVX-512's byte permutes where the
// processor has them. ConvertToPixels32 takes the fastest there is;
// ConvertToPixels32With the one given (the pair table when that is
// missing), so that tests can compare them.
enum class ConvertPath { Pairs, Vbmi };
bool HasConvertPath(ConvertPath path);
void ConvertToPixels32With(ConvertPath path, const Surface& from, const PixelLookup& lookup, void* to, int pitch,
                           int firstRow, int rows);

// Every row.
inline void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch) {
    ConvertToPixels32(from, lookup, to, pitch, 0, from.Height);
}

// The band of rows from the first that differs between two pictures of the
// same size to the last one that does; empty when they are the same.
struct ChangedRows {
    int First = 0, End = 0;
    int Count() const { return End - First; }
};

// `shown` holds the pixels of a picture of now's size as last sent.
ChangedRows FindChangedRows(const std::vector<std::uint8_t>& shown, const Surface& now);

} // namespace gravlin
