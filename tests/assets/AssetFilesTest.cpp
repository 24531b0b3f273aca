// The generated game data: pictures, headers, sound library and music, as
// the build wrote them into the game folder.

#include "audio/SoundCues.h"
#include "audio/SoundLibrary.h"
#include "common/Files.h"
#include "presentation/Bmp.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace gravlin {
namespace {

const std::string Game = GRAVLIN_GAME_DIR;

std::string Slurp(const std::string& path) {
    std::string error;
    auto data = ReadWholeFile(path, SoundFileLimit, &error);
    EXPECT_TRUE(data.has_value()) << error;
    return data.value_or("");
}

Picture Load(const std::string& name) {
    std::string error;
    auto pic = ReadBmpFile(Game + "/Surfaces/" + name, &error);
    EXPECT_TRUE(pic.has_value()) << error;
    if (!pic) return {};
    EXPECT_EQ(pic->Pixels.Width, 640);
    EXPECT_EQ(pic->Pixels.Height, 480);
    return *pic;
}

int InkIn(const Surface& s, Rect r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += s.At(x, y) != 0;
    return n;
}

// Tiles that fill their square; every other tile is a sprite on colour 0.
bool Opaque(int t) {
    return t == 0 || t == 1 || t == 97 || t == 98 || t == 99 || t == 127 || t == 135 || t == 136;
}
// Top corners of the border: opaque, with their outer corner rounded away.
bool RoundedCorner(int t) {
    return t == 128 || t == 129;
}

TEST(PlaySheet, EveryTileIsDrawnAndSpritesKeepColourZeroAroundThem) {
    Picture p = Load("All256.DIB");
    ASSERT_EQ(p.Pixels.Width, 640);
    EXPECT_EQ(p.Colours[0], (Rgb{0, 0, 0}));
    for (int t = 0; t <= 143; ++t) {
        Rect r = TileRect(t, 16, 40);
        EXPECT_GT(InkIn(p.Pixels, r), 0) << "tile " << t << " is empty";
        if (Opaque(t)) {
            EXPECT_EQ(InkIn(p.Pixels, r), 40 * 40) << "tile " << t << " has holes";
            continue;
        }
        if (t >= 2 && t <= 5) continue; // earth being dug away still joins its neighbours
        if (RoundedCorner(t)) {
            int cornerX = t == 128 ? r.Left : r.Right - 1;
            EXPECT_EQ(p.Pixels.At(cornerX, r.Top), 0) << "tile " << t << " is not rounded";
            EXPECT_NE(p.Pixels.At(cornerX, r.Bottom - 1), 0) << "tile " << t;
            continue;
        }
        // The outermost ring of a sprite tile stays colour 0, so that no
        // sprite is cut off at its square's edge.
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(p.Pixels.At(r.Left + i, r.Top), 0) << "tile " << t << " touches its top edge";
            EXPECT_EQ(p.Pixels.At(r.Left + i, r.Bottom - 1), 0) << "tile " << t << " touches its bottom edge";
            EXPECT_EQ(p.Pixels.At(r.Left, r.Top + i), 0) << "tile " << t << " touches its left edge";
            EXPECT_EQ(p.Pixels.At(r.Right - 1, r.Top + i), 0) << "tile " << t << " touches its right edge";
        }
    }
}

// The border ring reads as one frame: every corner is the wall's plate, the
// top corners differing from it only in their rounded outer quarter, in play
// and in the level choice's preview.
TEST(BorderRing, CornersAreTheWallPlateRoundedOnlyAtTheOuterCorner) {
    for (auto [name, size] : {std::pair{"All256.DIB", 40}, std::pair{"VsAll256.DIB", 20}}) {
        Picture p = Load(name);
        ASSERT_EQ(p.Pixels.Width, 640);
        Rect wall = TileRect(127, 16, size);
        for (int corner : {98, 99, 128, 129}) {
            Rect r = TileRect(corner, 16, size);
            int differ = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    bool outerQuarter = y < size / 2 && (corner == 128 ? x < size / 2 : corner == 129 && x >= size / 2);
                    if (!outerQuarter)
                        differ += p.Pixels.At(r.Left + x, r.Top + y) != p.Pixels.At(wall.Left + x, wall.Top + y);
                }
            EXPECT_EQ(differ, 0) << name << ": tile " << corner;
        }
    }
}

TEST(PlaySheet, HeadersGiveTheGridAndTheEditorPalette) {
    EXPECT_EQ(Slurp(Game + "/Surfaces/All256.hdr"), "16\r\n12\r\n");
    std::string palette = Slurp(Game + "/Surfaces/MapBmps.hdr");
    std::vector<int> codes;
    std::size_t at = 0;
    while (at < palette.size()) {
        std::size_t end = palette.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        codes.push_back(std::stoi(palette.substr(at, end - at)));
        at = end + 2;
    }
    std::multiset<int> got(codes.begin(), codes.end());
    std::multiset<int> want = {0,   1,   6,   12,  20,  21,  22,  23,  24,  64,  68,  77,  97,  104, 105, 106,
                               107, 108, 109, 110, 111, 112, 113, 114, 127, 130, 131, 132, 134, 135, 136};
    EXPECT_EQ(got, want);
}

// The level choice: the codes a level can show, the rectangles copied from it.
const int LevelCodes[] = {0,   1,   6,   12,  20,  21,  22,  23,  24,  62,  64,  68,  77,  97,  98,  99,  104, 105, 106,
                          107, 108, 109, 110, 111, 112, 113, 114, 127, 128, 129, 130, 131, 132, 133, 134, 135, 136};
const Rect Labels[] = {
    {8, 188, 78, 212}, {200, 186, 286, 220}, {0, 260, 288, 419}, {354, 24, 568, 40}, {0, 434, 512, 450}};
const int DigitLeft[10] = {0, 23, 29, 48, 67, 83, 103, 122, 138, 157};
const int DigitRight[10] = {23, 29, 48, 67, 83, 103, 122, 138, 156, 175};

bool Overlap(Rect a, Rect b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}
bool Contains(Rect r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

TEST(LevelChoiceSheet, TilesDigitsAndLabelsSitInTheirRectangles) {
    Picture p = Load("VsAll256.DIB");
    ASSERT_EQ(p.Pixels.Width, 640);
    for (int code : LevelCodes) {
        Rect r = TileRect(code, 16, 20);
        if (code != 0) {
            EXPECT_GT(InkIn(p.Pixels, r), 0) << "tile " << code;
        }
        for (Rect l : Labels) EXPECT_FALSE(Overlap(r, l)) << "tile " << code;
    }
    EXPECT_EQ(InkIn(p.Pixels, TileRect(0, 16, 20)), 0) << "empty cells preview black";
    for (Rect l : Labels) EXPECT_GT(InkIn(p.Pixels, l), 0);
    // Each digit glyph spans its whole rectangle.
    for (int d = 0; d < 10; ++d) {
        Rect r{DigitLeft[d], 226, DigitRight[d], 248};
        int x0 = 640, y0 = 480, x1 = -1, y1 = -1;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (p.Pixels.At(x, y) != 0) {
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x);
                    y1 = std::max(y1, y);
                }
        EXPECT_EQ(x0, r.Left) << "digit " << d;
        EXPECT_EQ(x1, r.Right - 1) << "digit " << d;
        EXPECT_EQ(y0, r.Top) << "digit " << d;
        EXPECT_EQ(y1, r.Bottom - 1) << "digit " << d;
    }
    // Nothing outside the tile grid, the digits and the labels.
    const Rect tiles{0, 0, 320, 180};
    int stray = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (p.Pixels.At(x, y) == 0 || Contains(tiles, x, y)) continue;
            bool known = y >= 226 && y < 248 && x < 175;
            for (Rect l : Labels) known = known || Contains(l, x, y);
            if (!known) ++stray;
        }
    EXPECT_EQ(stray, 0);
    // The title strip and the key help are copied to fixed places on the
    // screen, left of the screen's middle: their texts land centred there.
    struct Strip {
        Rect Source;
        int ScreenLeft;
    };
    for (Strip s : {Strip{{354, 24, 568, 40}, 204}, Strip{{0, 434, 512, 450}, 24}}) {
        int x0 = 640, x1 = -1;
        for (int y = s.Source.Top; y < s.Source.Bottom; ++y)
            for (int x = s.Source.Left; x < s.Source.Right; ++x)
                if (p.Pixels.At(x, y) != 0) {
                    x0 = std::min(x0, x);
                    x1 = std::max(x1, x);
                }
        ASSERT_GE(x1, x0);
        EXPECT_GT(x0, s.Source.Left) << "text cut off";
        EXPECT_LT(x1, s.Source.Right - 1) << "text cut off";
        int left = x0 - s.Source.Left + s.ScreenLeft, right = 640 - 1 - (x1 - s.Source.Left + s.ScreenLeft);
        EXPECT_LE(std::abs(left - right), 1)
            << "strip at y " << s.Source.Top << ": margins " << left << " and " << right;
    }
}

TEST(ScreenPictures, NameColoursAreInThePalettesAndMenuImagesAreDrawn) {
    for (const char* name : {"Userbits.DIB", "VsAll256.DIB"}) {
        Picture p = Load(name);
        EXPECT_NE(std::find(p.Colours.begin(), p.Colours.end(), Rgb{0, 255, 255}), p.Colours.end()) << name;
        EXPECT_NE(std::find(p.Colours.begin(), p.Colours.end(), Rgb{0, 128, 0}), p.Colours.end()) << name;
    }
    Picture menu = Load("Userbits.DIB");
    for (int n : {6, 7, 8, 9, 20, 21}) {
        Rect r{200 * (n % 3), 40 * (n / 3), 200 * (n % 3) + 200, 40 * (n / 3) + 40};
        EXPECT_GT(InkIn(menu.Pixels, r), 200) << "image " << n;
    }
    // Highlighted items stand out: much more ink than their plain twins.
    for (auto [lit, plain] : {std::pair{20, 21}, {6, 7}, {8, 9}}) {
        Rect a{200 * (lit % 3), 40 * (lit / 3), 200 * (lit % 3) + 200, 40 * (lit / 3) + 40};
        Rect b{200 * (plain % 3), 40 * (plain / 3), 200 * (plain % 3) + 200, 40 * (plain / 3) + 40};
        EXPECT_GT(InkIn(menu.Pixels, a), 3 * InkIn(menu.Pixels, b));
    }
    for (const char* name : {"All256Intro.DIB", "Help256.DIB"}) {
        Picture p = Load(name);
        EXPECT_GT(InkIn(p.Pixels, {0, 0, 640, 480}), 640 * 480 / 2) << name;
    }
}

std::vector<short> Samples(const std::string& wave, const WaveFormat& f) {
    std::vector<short> s(f.DataBytes / 2);
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<short>(static_cast<unsigned char>(wave[f.DataOffset + 2 * i]) |
                                  static_cast<unsigned char>(wave[f.DataOffset + 2 * i + 1]) << 8);
    return s;
}

TEST(Sounds, LibraryHoldsEveryCueAsCleanPcm) {
    std::string error;
    auto lib = ReadSoundLibrary(Game + "/Sounds/Soundlib.dxw", &error);
    ASSERT_TRUE(lib.has_value()) << error;
    for (const char* name : CueNames) {
        auto it = std::find_if(lib->begin(), lib->end(), [&](const SoundEntry& e) { return e.Name == name; });
        ASSERT_NE(it, lib->end()) << name;
        auto f = ParseWave(it->Wave, &error);
        ASSERT_TRUE(f.has_value()) << name << ": " << error;
        EXPECT_EQ(f->SampleRate, 44100) << name;
        EXPECT_EQ(f->BitsPerSample, 16) << name;
        EXPECT_EQ(f->Channels, 1) << name;
        std::vector<short> s = Samples(it->Wave, *f);
        ASSERT_GT(s.size(), 44100u / 20) << name;
        EXPECT_LT(s.size(), 44100u * 3) << name << " is short";
        int peak = 0;
        for (short v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 8000) << name << " is audible";
        EXPECT_LT(peak, 32000) << name << " stays below full scale";
        if (std::string(name) == "hyper") {
            // It loops while a teleport flies: the end runs on into the start.
            int largestStep = 0;
            for (std::size_t i = 1; i < s.size(); ++i) largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
            EXPECT_LE(std::abs(s.front() - s.back()), largestStep);
            EXPECT_LT(std::abs(s.front()), 600);
        } else {
            // No click where it starts or stops.
            EXPECT_LT(std::abs(s.front()), 600) << name;
            EXPECT_LT(std::abs(s.back()), 600) << name;
        }
    }
    // The rotating variants differ from one another.
    std::set<std::string> waves;
    for (const auto& e : *lib) waves.insert(e.Wave);
    EXPECT_EQ(waves.size(), lib->size());
}

TEST(Sounds, MusicIsALongStereoLoopWithoutASeam) {
    std::string wave = Slurp(Game + "/Sounds/Bass2.wav"), error;
    auto f = ParseWave(wave, &error);
    ASSERT_TRUE(f.has_value()) << error;
    EXPECT_EQ(f->SampleRate, 44100);
    EXPECT_EQ(f->Channels, 2);
    EXPECT_EQ(f->BitsPerSample, 16);
    double seconds = static_cast<double>(f->DataBytes) / (44100.0 * 4);
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    std::vector<short> s = Samples(wave, *f);
    ASSERT_GE(s.size(), 4u);
    // The last frame leads into the first as smoothly as any two neighbours.
    int largestStep = 0;
    for (std::size_t i = 2; i < s.size(); ++i) largestStep = std::max(largestStep, std::abs(s[i] - s[i - 2]));
    EXPECT_LE(std::abs(s[0] - s[s.size() - 2]), largestStep);
    EXPECT_LE(std::abs(s[1] - s[s.size() - 1]), largestStep);
    EXPECT_LT(std::abs(s[0] - s[s.size() - 2]), 3000);
}

TEST(Generator, WritesTheSameBytesEveryTime) {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "gravlin-assets-again";
    std::filesystem::remove_all(dir);
    std::string command = std::string("\"") + GRAVLIN_ASSETS_TOOL + "\" \"" + dir.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* file : {"Surfaces/All256.DIB", "Surfaces/All256Intro.DIB", "Surfaces/Help256.DIB",
                             "Surfaces/Userbits.DIB", "Surfaces/VsAll256.DIB", "Surfaces/All256.hdr",
                             "Surfaces/MapBmps.hdr", "Sounds/Soundlib.dxw", "Sounds/Bass2.wav"})
        EXPECT_TRUE(Slurp((dir / file).string()) == Slurp(Game + "/" + file)) << file << " differs";
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace gravlin
