#include "Golden.h"

#include "common/Files.h"
#include "presentation/Bmp.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>

namespace gravlin::testing {

namespace {

void Put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}
void Put16(std::string& b, std::uint16_t v) {
    b.push_back(static_cast<char>(v & 0xff));
    b.push_back(static_cast<char>(v >> 8));
}

// One row in RLE8: runs of three or more equal pixels as (count, value),
// stretches of other pixels as absolute runs (0, count, bytes, padding to a
// word); stretches too short for an absolute run are written as runs.
void EncodeRow(const std::uint8_t* row, int width, std::string& out) {
    auto runAt = [&](int i) {
        int n = 1;
        while (i + n < width && n < 255 && row[i + n] == row[i]) ++n;
        return n;
    };
    int i = 0;
    while (i < width) {
        const int run = runAt(i);
        if (run >= 3) {
            out.push_back(static_cast<char>(run));
            out.push_back(static_cast<char>(row[i]));
            i += run;
            continue;
        }
        int end = i;
        while (end < width && end - i < 255 && runAt(end) < 3) ++end;
        const int n = end - i;
        if (n < 3) {
            for (int k = i; k < end; ++k) {
                out.push_back(1);
                out.push_back(static_cast<char>(row[k]));
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<char>(n));
            out.append(reinterpret_cast<const char*>(row + i), static_cast<std::size_t>(n));
            if (n & 1) out.push_back(0);
        }
        i = end;
    }
    out.push_back(0); // end of the row
    out.push_back(0);
}

} // namespace

std::string EncodeBmpRle8(const Surface& px, const Palette& colours) {
    std::string data;
    for (int y = px.Height - 1; y >= 0; --y)
        EncodeRow(&px.Pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(px.Width)], px.Width, data);
    data.push_back(0); // end of the bitmap
    data.push_back(1);

    const std::uint32_t dataOffset = 14 + 40 + 256 * 4;
    std::string b = "BM";
    Put32(b, dataOffset + static_cast<std::uint32_t>(data.size()));
    Put32(b, 0);
    Put32(b, dataOffset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(px.Width));
    Put32(b, static_cast<std::uint32_t>(px.Height));
    Put16(b, 1);
    Put16(b, 8);
    Put32(b, 1); // RLE8
    Put32(b, static_cast<std::uint32_t>(data.size()));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 256);
    Put32(b, 0);
    for (const Rgb& c : colours) {
        b.push_back(static_cast<char>(c.B));
        b.push_back(static_cast<char>(c.G));
        b.push_back(static_cast<char>(c.R));
        b.push_back(0);
    }
    return b + data;
}

bool Blessing() {
    const char* bless = std::getenv("GRAVLIN_BLESS");
    return bless && std::string(bless) == "1";
}

std::string GoldenDir() {
    return std::string(GRAVLIN_SOURCE_DIR) + "/tests/shell/golden/";
}

::testing::AssertionResult MatchesGolden(const std::string& name, const Surface& pixels, const Palette& colours) {
    const std::string path = GoldenDir() + name + ".bmp";
    if (Blessing()) {
        std::filesystem::create_directories(GoldenDir());
        std::string error;
        if (!WriteFileAtomic(path, EncodeBmpRle8(pixels, colours), &error))
            return ::testing::AssertionFailure() << "cannot bless " << path << ": " << error;
        return ::testing::AssertionSuccess();
    }
    std::string error;
    auto golden = ReadBmpFile(path, &error);
    if (!golden) return ::testing::AssertionFailure() << error << " (make it with GRAVLIN_BLESS=1)";
    if (golden->Pixels.Width != pixels.Width || golden->Pixels.Height != pixels.Height)
        return ::testing::AssertionFailure()
               << name << ": the golden picture is " << golden->Pixels.Width << " by " << golden->Pixels.Height
               << ", the screen " << pixels.Width << " by " << pixels.Height;
    int paletteDiffs = 0, pixelDiffs = 0, firstX = -1, firstY = -1;
    for (std::size_t i = 0; i < colours.size(); ++i) paletteDiffs += !(golden->Colours[i] == colours[i]);
    for (int y = 0; y < pixels.Height; ++y)
        for (int x = 0; x < pixels.Width; ++x) {
            const std::size_t at =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(pixels.Width) + static_cast<std::size_t>(x);
            if (golden->Pixels.Pixels[at] == pixels.Pixels[at]) continue;
            if (pixelDiffs++ == 0) firstX = x, firstY = y;
        }
    if (paletteDiffs == 0 && pixelDiffs == 0) return ::testing::AssertionSuccess();
    const std::string actual = name + ".actual.bmp";
    WriteBmpFile(actual, pixels, colours);
    auto failure = ::testing::AssertionFailure();
    failure << name << ": " << pixelDiffs << " pixels and " << paletteDiffs << " palette entries differ";
    if (pixelDiffs) failure << ", the first at (" << firstX << ", " << firstY << ")";
    failure << "; the screen is in " << std::filesystem::absolute(actual).string()
            << " (GRAVLIN_BLESS=1 makes it the golden picture)";
    return failure;
}

} // namespace gravlin::testing
