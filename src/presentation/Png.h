#pragma once
// Writing an 8-bit picture as a PNG file (true colour, uncompressed deflate
// blocks): for screenshots and frame dumps, with no library needed.

#include "presentation/Surface.h"

#include <string>

namespace gravlin {

std::string EncodePng(const Surface& pixels, const Palette& colours);
bool WritePngFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error = nullptr);

} // namespace gravlin
