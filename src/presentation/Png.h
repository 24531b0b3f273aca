#pragma once
// Writing an 8-bit picture as a PNG file (true colour, uncompressed deflate
// blocks): for screenshots, frame dumps and the desktop icon, with no
// library needed. With `keyTransparent` pixel value 0 becomes see-through.

#include "presentation/Surface.h"

#include <string>

namespace gravlin {

std::string EncodePng(const Surface& pixels, const Palette& colours, bool keyTransparent = false);
bool WritePngFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error = nullptr);

} // namespace gravlin
