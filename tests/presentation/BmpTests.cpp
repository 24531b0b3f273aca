#include "presentation/Bmp.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace gravlin;

namespace {

void Put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void Put16(std::string& b, std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xff));
    b.push_back(static_cast<char>(v >> 8));
}
void Set32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// A bitmap file with a 40-byte header and 256 palette entries, whose pixel
// data is given as it stands in the file.
std::string MakeBmp(std::int32_t width, std::int32_t height, const std::string& data, std::uint16_t bits = 8,
                    std::uint32_t compression = 0) {
    std::string b = "BM";
    std::uint32_t offset = 14 + 40 + 1024;
    Put32(b, offset + static_cast<std::uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, compression);
    Put32(b, static_cast<std::uint32_t>(data.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int i = 0; i < 256; ++i) {
        b.push_back(static_cast<char>(i));       // blue
        b.push_back(static_cast<char>(255 - i)); // green
        b.push_back(static_cast<char>(i / 2));   // red
        b.push_back(0);
    }
    return b + data;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

} // namespace

TEST(DecodeBmp, BottomUpTopDownAndPaddedRows) {
    // 3 by 2: rows padded to 4 bytes.
    std::string error;
    auto up = DecodeBmp(MakeBmp(3, 2, Bytes({4, 5, 6, 0, 1, 2, 3, 0})), &error);
    ASSERT_TRUE(up) << error;
    EXPECT_EQ(up->Pixels.Width, 3);
    EXPECT_EQ(up->Pixels.Height, 2);
    // The file's first row is the bottom one.
    EXPECT_EQ(up->Pixels.Pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(up->Colours[7], (Rgb{3, 248, 7}));

    auto down = DecodeBmp(MakeBmp(3, -2, Bytes({1, 2, 3, 0, 4, 5, 6, 0})), &error);
    ASSERT_TRUE(down) << error;
    EXPECT_EQ(down->Pixels.Pixels, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(DecodeBmp, RoundTripsWhatEncodeBmpWrites) {
    Surface s(641, 3);
    for (std::size_t i = 0; i < s.Pixels.size(); ++i) s.Pixels[i] = static_cast<std::uint8_t>(i * 7);
    Palette p{};
    for (int i = 0; i < 256; ++i) p[i] = Rgb{static_cast<std::uint8_t>(i), 1, static_cast<std::uint8_t>(255 - i)};
    std::string error;
    auto back = DecodeBmp(EncodeBmp(s, p), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->Pixels.Pixels, s.Pixels);
    EXPECT_EQ(back->Colours, p);
}

TEST(DecodeBmp, Rle8RunsAbsoluteRunsDeltaAndEnd) {
    // 6 by 3, bottom-up. Bottom row: run of 3 x 9, absolute 1 2 3. Middle
    // row: delta to x=2, run 2 x 7. Top row: run 6 x 8, end of bitmap.
    std::string data = Bytes({3, 9, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 2, 7, 0, 0, 6, 8, 0, 1});
    std::string error;
    auto pic = DecodeBmp(MakeBmp(6, 3, data, 8, 1), &error);
    ASSERT_TRUE(pic) << error;
    EXPECT_EQ(pic->Pixels.Pixels, (std::vector<std::uint8_t>{8, 8, 8, 8, 8, 8, 0, 0, 7, 7, 0, 0, 9, 9, 9, 1, 2, 3}));
    // Runs that overshoot the picture are cut off, not written past it.
    auto wide = DecodeBmp(MakeBmp(2, 1, Bytes({255, 4, 0, 1}), 8, 1), &error);
    ASSERT_TRUE(wide) << error;
    EXPECT_EQ(wide->Pixels.Pixels, (std::vector<std::uint8_t>{4, 4}));
    // An absolute run that runs past the end of the file is an error.
    EXPECT_FALSE(DecodeBmp(MakeBmp(8, 1, Bytes({0, 8, 1, 2}), 8, 1), &error));
    EXPECT_NE(error.find("RLE8"), std::string::npos) << error;
}

TEST(DecodeBmp, EveryKindOfBadFileIsAClearError) {
    const std::string good = MakeBmp(4, 2, std::string(8, '\1'));
    struct Case {
        const char* what;
        std::string bytes;
        const char* expect; // a word the message must hold
    };
    std::string badOffset = good;
    Set32(badOffset, 10, 1'000'000);
    std::string hugeOffset = good;
    Set32(hugeOffset, 10, 0xffffffffu);
    std::string hugeHeader = good;
    Set32(hugeHeader, 14, 0xfffffff0u);
    const Case cases[] = {
        {"empty", "", "short"},
        {"not a bitmap", "PK" + good.substr(2), "BM"},
        {"truncated header", good.substr(0, 30), "header"},
        {"header size past the end", hugeHeader, "header"},
        {"truncated pixels", good.substr(0, good.size() - 1), "truncated pixel"},
        {"24-bit", MakeBmp(4, 2, std::string(24, '\1'), 24), "8 bits"},
        {"1-bit", MakeBmp(4, 2, std::string(8, '\1'), 1), "8 bits"},
        {"zero width", MakeBmp(0, 2, std::string(8, '\1')), "impossible"},
        {"negative width", MakeBmp(-4, 2, std::string(8, '\1')), "impossible"},
        {"huge", MakeBmp(100000, 100000, std::string(8, '\1')), "impossible"},
        // A kilobyte of RLE8 that would cost 272 MB: more than 4096 a side.
        {"RLE8 of 16384 by 16384", MakeBmp(16384, 16384, std::string(1000, '\0'), 8, 1), "impossible"},
        {"one past 4096", MakeBmp(4097, 1, std::string(4100, '\1')), "impossible"},
        {"most negative height", MakeBmp(4, INT32_MIN, std::string(8, '\1')), "impossible"},
        {"offset past the end", badOffset, "offset"},
        {"offset at 4 GB", hugeOffset, "offset"},
        {"unknown compression", MakeBmp(4, 2, std::string(8, '\1'), 8, 3), "compression"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(DecodeBmp(c.bytes, &error)) << c.what;
        EXPECT_NE(error.find(c.expect), std::string::npos) << c.what << ": " << error;
    }
}

TEST(ReadBmpFile, MissingFileNamesTheFile) {
    std::string error;
    EXPECT_FALSE(ReadBmpFile("no-such-folder/All256.DIB", &error));
    EXPECT_NE(error.find("no-such-folder/All256.DIB"), std::string::npos) << error;
}
