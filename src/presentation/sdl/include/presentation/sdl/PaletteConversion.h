#pragma once
// Turning the 8-bit back buffer into the 32-bit pixels the screen shows.

#include "presentation/Surface.h"

#include <array>
#include <cstdint>

namespace gravlin {

// One 32-bit pixel (0xAARRGGBB, alpha opaque) for each palette entry.
using PixelLookup = std::array<std::uint32_t, 256>;

PixelLookup MakePixelLookup(const Palette& palette);

// Writes every pixel of `from` through `lookup` into `to`, rows `pitch` bytes
// apart (the pitch of a locked texture); `to` holds at least from.Height rows.
void ConvertToPixels32(const Surface& from, const PixelLookup& lookup, void* to, int pitch);

} // namespace gravlin
