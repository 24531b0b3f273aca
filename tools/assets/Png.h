#pragma once
// A small PNG writer (RGBA, stored deflate blocks): enough for the desktop
// icon without a compression library.

#include <cstdint>
#include <string>
#include <vector>

namespace gravlin::assets {

// `rgba` holds width * height * 4 bytes, rows top to bottom.
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba);

} // namespace gravlin::assets
