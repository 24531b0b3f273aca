#include "presentation/Png.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

using namespace gravlin;

namespace {

std::uint32_t Be32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<std::uint8_t>(b.at(at + static_cast<std::size_t>(i)));
    return v;
}

struct Decoded {
    std::uint32_t Width = 0, Height = 0;
    int ColourType = -1;
    std::string Scanlines;
};

// Reads the file back as a viewer would: signature, chunks with their
// checksums, IHDR first and IEND last, the IDAT stream inflated.
Decoded Decode(const std::string& png) {
    Decoded d;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string idat, order;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        std::uint32_t length = Be32(png, at);
        std::string type = png.substr(at + 4, 4);
        EXPECT_LE(at + 12 + length, png.size()) << type << " runs past the end";
        if (at + 12 + length > png.size()) break;
        const auto* typeAndBody = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        EXPECT_EQ(Be32(png, at + 8 + length), crc32(0, typeAndBody, length + 4)) << type << " checksum";
        std::string body = png.substr(at + 8, length);
        if (type == "IHDR") {
            d.Width = Be32(body, 0);
            d.Height = Be32(body, 4);
            EXPECT_EQ(body[8], 8) << "bit depth";
            d.ColourType = body[9];
        }
        if (type == "IDAT") idat += body;
        order += type + " ";
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(order, "IHDR IDAT IEND ");
    uLongf size = static_cast<uLongf>(d.Height) * (1 + 4 * d.Width);
    d.Scanlines.assign(size, '\0');
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(d.Scanlines.data()), &size,
                         reinterpret_cast<const Bytef*>(idat.data()), static_cast<uLong>(idat.size())),
              Z_OK);
    d.Scanlines.resize(size);
    return d;
}

} // namespace

TEST(Png, DecodesToTheScreensColoursAndIsCompressed) {
    // A screen-sized picture: flat areas, as the game's screens are, and a
    // band where every pixel differs from its neighbours.
    Surface s(640, 480);
    Palette pal{};
    for (int i = 0; i < 256; ++i) {
        auto v = static_cast<std::uint8_t>(i);
        pal[v] = Rgb{v, static_cast<std::uint8_t>(255 - v), static_cast<std::uint8_t>(v * 7)};
    }
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            s.Set(x, y, static_cast<std::uint8_t>(y < 40 ? (x * 31 + y * 17) % 256 : (x / 40 + y / 40) % 3));

    for (bool key : {false, true}) {
        std::string png = EncodePng(s, pal, key);
        Decoded d = Decode(png);
        ASSERT_EQ(d.Width, 640u);
        ASSERT_EQ(d.Height, 480u);
        EXPECT_EQ(d.ColourType, key ? 6 : 2);
        const std::size_t channels = key ? 4 : 3, row = 1 + channels * 640;
        ASSERT_EQ(d.Scanlines.size(), row * 480);
        int wrong = 0;
        for (int y = 0; y < 480; ++y) {
            EXPECT_EQ(d.Scanlines[static_cast<std::size_t>(y) * row], 0) << "filter of row " << y;
            for (int x = 0; x < 640; ++x) {
                const std::uint8_t v = s.At(x, y);
                const auto* p = reinterpret_cast<const std::uint8_t*>(d.Scanlines.data()) +
                                static_cast<std::size_t>(y) * row + 1 + channels * static_cast<std::size_t>(x);
                const Rgb& c = pal[v];
                wrong += p[0] != c.R || p[1] != c.G || p[2] != c.B || (key && p[3] != (v == 0 ? 0 : 255));
            }
        }
        EXPECT_EQ(wrong, 0);
        // Stored uncompressed this is 900 KB or more.
        EXPECT_LT(png.size(), 100000u);
    }
}
