#pragma once
// Golden pictures of the screens: the 8-bit screen and its palette, kept as
// run-length encoded 8-bit bitmaps under tests/shell/golden/. Setting
// GRAVLIN_BLESS=1 writes the pictures of the current build as the new golden
// ones instead of comparing.

#include "presentation/Surface.h"

#include <gtest/gtest.h>
#include <string>

namespace gravlin::testing {

// An 8-bit bottom-up bitmap with RLE8 compressed rows and a 256-entry palette.
std::string EncodeBmpRle8(const Surface& pixels, const Palette& colours);

// Whether this run writes golden pictures instead of comparing with them.
bool Blessing();

// The folder of the golden pictures in the source tree.
std::string GoldenDir();

// Compares a screen with the golden picture `name` (or writes it when
// blessing). On a difference the screen is written beside the test as
// `name`.actual.bmp, and the message says how many pixels and palette
// entries differ and where the first pixel is.
::testing::AssertionResult MatchesGolden(const std::string& name, const Surface& pixels, const Palette& colours);

} // namespace gravlin::testing
