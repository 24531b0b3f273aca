#include "presentation/Png.h"

#include "common/Files.h"

#include <array>
#include <cstdint>

namespace gravlin {

namespace {

std::uint32_t Crc32(const std::string& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xffffffffu;
    for (std::size_t i = from; i < data.size(); ++i) c = table[(c ^ static_cast<std::uint8_t>(data[i])) & 0xff] ^ (c >> 8);
    return c ^ 0xffffffffu;
}

void PutBE32(std::string& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void Chunk(std::string& out, const char* type, const std::string& body) {
    PutBE32(out, static_cast<std::uint32_t>(body.size()));
    std::size_t start = out.size();
    out += type;
    out += body;
    PutBE32(out, Crc32(out, start));
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
    // A zlib stream of stored (uncompressed) deflate blocks.
    std::string z = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(static_cast<char>(n & 0xff));
        z.push_back(static_cast<char>(n >> 8));
        z.push_back(static_cast<char>(~n & 0xff));
        z.push_back(static_cast<char>((~n >> 8) & 0xff));
        z.append(raw, at, n);
        at += n;
    } while (at < raw.size());
    PutBE32(z, (b << 16) | a);

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
    return WriteFileAtomic(path, EncodePng(pixels, colours), error);
}

} // namespace gravlin
