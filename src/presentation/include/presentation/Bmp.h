#pragma once
// 256-colour device-independent bitmaps (".DIB" / ".bmp"): the format of every
// picture of the game. Reading checks every size and offset against the file,
// so a damaged file gives a clear error instead of a crash.

#include "presentation/Surface.h"

#include <optional>
#include <string>

namespace gravlin {

struct Picture {
    Surface Pixels;
    Palette Colours{};
};

// Reads an 8-bit bitmap from memory: bottom-up or top-down rows, padded rows,
// uncompressed or RLE8. On failure returns nullopt and sets `error` to the
// reason (what was expected, and where).
std::optional<Picture> DecodeBmp(const std::string& bytes, std::string* error);

// Reads an 8-bit bitmap file (found without regard to letter case). Errors
// name the file.
std::optional<Picture> ReadBmpFile(const std::string& path, std::string* error);

// Encodes an uncompressed bottom-up 8-bit bitmap with a 256-entry palette.
std::string EncodeBmp(const Surface& pixels, const Palette& colours);

// Writes an 8-bit bitmap atomically.
bool WriteBmpFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error = nullptr);

} // namespace gravlin
