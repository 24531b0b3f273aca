#include "presentation/Png.h"

#include "common/Files.h"

#include <cstdint>
#include <zlib.h>

namespace gravlin {

namespace {

void PutBE32(std::string& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void Chunk(std::string& out, const char* type, const std::string& body) {
    PutBE32(out, static_cast<std::uint32_t>(body.size()));
    std::size_t start = out.size();
    out += type;
    out += body;
    const auto* typeAndBody = reinterpret_cast<const Bytef*>(out.data() + start);
    PutBE32(out, static_cast<std::uint32_t>(crc32(0, typeAndBody, static_cast<uInt>(out.size() - start))));
}

} // namespace

std::string EncodePng(const Surface& px, const Palette& colours, bool keyTransparent) {
    // Raw scanlines: filter byte 0, then RGB (or RGBA).
    const std::size_t channels = keyTransparent ? 4 : 3;
    std::string raw;
    raw.reserve(static_cast<std::size_t>(px.Height) * (1 + channels * static_cast<std::size_t>(px.Width)));
    for (int y = 0; y < px.Height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < px.Width; ++x) {
            const std::uint8_t v = px.At(x, y);
            const Rgb& c = colours[v];
            raw.push_back(static_cast<char>(c.R));
            raw.push_back(static_cast<char>(c.G));
            raw.push_back(static_cast<char>(c.B));
            if (keyTransparent) raw.push_back(static_cast<char>(v == 0 ? 0 : 255));
        }
    }
    // The scanlines as one zlib stream at zlib's default level.
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::string z(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(z.data()), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    z.resize(packedSize);

    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBE32(header, static_cast<std::uint32_t>(px.Width));
    PutBE32(header, static_cast<std::uint32_t>(px.Height));
    // Bit depth 8, colour type 2 (RGB) or 6 (RGBA).
    header += std::string(keyTransparent ? "\x08\x06\x00\x00\x00" : "\x08\x02\x00\x00\x00", 5);
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", "");
    return out;
}

bool WritePngFile(const std::string& path, const Surface& pixels, const Palette& colours, std::string* error) {
    std::string png = EncodePng(pixels, colours);
    if (png.empty()) {
        if (error) *error = path + ": the picture cannot be compressed";
        return false;
    }
    return WriteFileAtomic(path, png, error);
}

} // namespace gravlin
