#pragma once
// Writing an 8-bit picture as a PNG file (true colour, compressed with zlib
// at its default level): for screenshots, frame dumps and the desktop icon.
// With `keyTransparent` pixel value 0 becomes see-through.

#include "presentation/Surface.h"

#include <string>

namespace gravlin {

// The whole file; empty only if zlib fails (out of memory).
std::string EncodePng(const Surface& pixels, const Palette& colours, bool keyTransparent = false);
bool WritePngFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error = nullptr);

} // namespace gravlin
