#include "Png.h"

#include <algorithm>
#include <array>

namespace gravlin::assets {

namespace {

std::uint32_t Crc(const std::string& data, std::size_t from) {
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

void Be32(std::string& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

void Chunk(std::string& out, const char* type, const std::string& body) {
    Be32(out, static_cast<std::uint32_t>(body.size()));
    std::size_t start = out.size();
    out += type;
    out += body;
    Be32(out, Crc(out, start));
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgba) {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0); // no filter
        raw.append(reinterpret_cast<const char*>(rgba.data()) + static_cast<std::size_t>(y) * width * 4, static_cast<std::size_t>(width) * 4);
    }
    // zlib stream of stored blocks.
    std::string z = "\x78\x01";
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
    std::uint32_t a = 1, b = 0;
    for (char ch : raw) {
        a = (a + static_cast<std::uint8_t>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    Be32(z, (b << 16) | a);

    std::string out = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    Be32(ihdr, static_cast<std::uint32_t>(width));
    Be32(ihdr, static_cast<std::uint32_t>(height));
    ihdr += std::string("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA
    Chunk(out, "IHDR", ihdr);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", "");
    return out;
}

} // namespace gravlin::assets
