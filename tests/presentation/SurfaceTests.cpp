#include "presentation/Bmp.h"
#include "presentation/Surface.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <utility>

using namespace gravlin;

namespace {

// A sheet whose pixel at (x, y) is 1 + (x + y) % 255, except a keyed hole
// of zeros in the first tile's top-left quarter.
Surface MakeSheet(int w = 640, int h = 480) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.Set(x, y, static_cast<std::uint8_t>(1 + (x + y) % 255));
    for (int y = 0; y < 20 && y < h; ++y)
        for (int x = 0; x < 20 && x < w; ++x) s.Set(x, y, 0);
    return s;
}

int CountValue(const Surface& s, std::uint8_t v) {
    int n = 0;
    for (auto p : s.Pixels) n += p == v;
    return n;
}

} // namespace

TEST(Blit, KeyedLeavesTheMapBeneathWhereTheTileIsZero) {
    Surface sheet = MakeSheet();
    Surface back(640, 480);
    back.Fill(200);
    Blit(back, 100, 50, sheet, TileRect(0, 16), true);
    EXPECT_EQ(back.At(100, 50), 200); // in the hole
    EXPECT_EQ(back.At(119, 69), 200);
    EXPECT_EQ(back.At(120, 50), sheet.At(20, 0));
    EXPECT_EQ(back.At(139, 89), sheet.At(39, 39));
    EXPECT_EQ(back.At(140, 50), 200); // right of the tile
    EXPECT_EQ(CountValue(back, 200), 640 * 480 - (1600 - 400));

    back.Fill(200);
    Blit(back, 100, 50, sheet, TileRect(0, 16), false);
    EXPECT_EQ(back.At(100, 50), 0); // unkeyed copies the zeros too
    EXPECT_EQ(CountValue(back, 200), 640 * 480 - 1600);
}

TEST(Blit, ClippedOnEverySideOfBothSurfaces) {
    Surface sheet = MakeSheet();
    struct Case {
        const char* what;
        int x, y;
        Rect src;
        int expectLeft, expectTop, expectWidth, expectHeight; // drawn area on the back buffer
    };
    const Case cases[] = {
        {"off the back's left", -10, 5, {40, 40, 80, 80}, 0, 5, 30, 40},
        {"off the back's top", 5, -15, {40, 40, 80, 80}, 5, 0, 40, 25},
        {"off the back's right", 620, 5, {40, 40, 80, 80}, 620, 5, 20, 40},
        {"off the back's bottom", 5, 470, {40, 40, 80, 80}, 5, 470, 40, 10},
        {"off the sheet's left", 5, 5, {-10, 40, 30, 80}, 15, 5, 30, 40},
        {"off the sheet's top", 5, 5, {40, -20, 80, 20}, 5, 25, 40, 20},
        {"off the sheet's right", 5, 5, {620, 40, 660, 80}, 5, 5, 20, 40},
        {"off the sheet's bottom", 5, 5, {40, 460, 80, 500}, 5, 5, 40, 20},
        {"off both corners", -5, -5, {-5, -5, 35, 35}, 0, 0, 35, 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Surface back(640, 480);
        back.Fill(0);
        Blit(back, c.x, c.y, sheet, c.src, false);
        int drawn = 640 * 480 - CountValue(back, 0);
        // Pixels of the sheet's hole are zero; the cases avoid it except the last.
        int hole = 0;
        for (int y = c.expectTop; y < c.expectTop + c.expectHeight; ++y)
            for (int x = c.expectLeft; x < c.expectLeft + c.expectWidth; ++x) {
                int sx = x - c.x + c.src.Left, sy = y - c.y + c.src.Top;
                ASSERT_EQ(back.At(x, y), sheet.At(sx, sy)) << x << "," << y;
                hole += sheet.At(sx, sy) == 0;
            }
        EXPECT_EQ(drawn, c.expectWidth * c.expectHeight - hole);
    }
}

TEST(Blit, WhollyOutsideOrPastTheSheetDrawsNothing) {
    Surface sheet = MakeSheet();
    Surface back(640, 480);
    back.Fill(7);
    const Surface before = back;
    Blit(back, 640, 0, sheet, {40, 40, 80, 80}, false);
    Blit(back, 0, 480, sheet, {40, 40, 80, 80}, false);
    Blit(back, -40, 0, sheet, {40, 40, 80, 80}, false);
    Blit(back, 0, -40, sheet, {40, 40, 80, 80}, false);
    Blit(back, 10, 10, sheet, {640, 0, 680, 40}, false);
    Blit(back, 10, 10, sheet, {80, 80, 40, 40}, false); // inside out
    Blit(back, 10, 10, sheet, {0, 0, 0, 0}, false);
    // Tile numbers past the 16 by 12 sheet lie below its bottom.
    Blit(back, 10, 10, sheet, TileRect(192, 16), true);
    Blit(back, 10, 10, sheet, TileRect(5000, 16), false);
    Blit(back, 10, 10, sheet, TileRect(-1, 16), false);
    // Codes from a damaged level file, and a damaged header's row width:
    // off the sheet, with no overflow on the way there.
    for (int tile : {858993472, INT_MAX - 1})
        for (int perRow : {16, INT_MAX}) Blit(back, 600, 440, sheet, TileRect(tile, perRow), true);
    EXPECT_EQ(TileRect(INT_MAX, 16).Top, OffSheet);
    Blit(back, INT_MAX, INT_MIN, sheet, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, false);
    Blit(back, INT_MIN, 0, sheet, {INT_MAX - 1, 0, INT_MAX, 40}, true);
    // A small or empty sheet is no danger either.
    Surface empty;
    Blit(back, 0, 0, empty, {0, 0, 40, 40}, false);
    EXPECT_EQ(back.Pixels, before.Pixels);

    // The last row of tiles on the sheet still draws.
    Blit(back, 0, 0, sheet, TileRect(191, 16), false);
    EXPECT_EQ(back.At(0, 0), sheet.At(600, 440));
}

TEST(Blit, TileRectsFollowTheSheetGrid) {
    EXPECT_EQ(TileRect(0, 16), (Rect{0, 0, 40, 40}));
    EXPECT_EQ(TileRect(17, 16), (Rect{40, 40, 80, 80}));
    EXPECT_EQ(TileRect(17, 16, 20), (Rect{20, 20, 40, 40}));
    EXPECT_EQ(TileRect(3, 0), (Rect{0, 120, 40, 160})); // no tiles per row: one a row
}

TEST(NearestColour, PicksTheClosestEntryAndSkipsTheKey) {
    Palette p{};
    for (auto& c : p) c = Rgb{128, 128, 128};
    p[0] = Rgb{255, 255, 255};
    p[5] = Rgb{250, 250, 250};
    p[9] = Rgb{250, 250, 250};
    p[20] = Rgb{255, 0, 0};
    p[21] = Rgb{200, 10, 10};
    EXPECT_EQ(NearestColour(p, {255, 255, 255}), 5); // entry 0 is the key
    EXPECT_EQ(NearestColour(p, {255, 255, 255}, true), 0);
    EXPECT_EQ(NearestColour(p, {252, 252, 252}), 5); // the lower index wins a tie
    EXPECT_EQ(NearestColour(p, {240, 0, 0}), 20);
    EXPECT_EQ(NearestColour(p, {210, 5, 5}), 21);
    EXPECT_EQ(NearestColour(p, {120, 130, 128}), 1);
}

// Every vector blit the processor has must give the same bytes as the
// pixel-at-a-time one for every tile of the shipped sheets: at every offset
// of the destination (so every alignment), and clipped by each edge of the
// screen.
TEST(Blit, FastAndPortablePathsAgreeOnEveryShippedTile) {
    for (const BlitPath path : {BlitPath::Sse2, BlitPath::Avx512}) {
        if (!HasBlitPath(path)) continue;
        for (const char* name : {"All256.DIB", "VsAll256.DIB"}) {
            std::string error;
            const auto sheet = ReadBmpFile(std::string(GRAVLIN_GAME_DIR) + "/Surfaces/" + name, &error);
            ASSERT_TRUE(sheet) << error;
            const Surface& from = sheet->Pixels;
            const int tiles = (from.Width / 40) * (from.Height / 40);
            Surface fast(ScreenWidth, ScreenHeight), portable(ScreenWidth, ScreenHeight);
            for (int i = 0; i < ScreenWidth * ScreenHeight; ++i)
                fast.Pixels[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7 % 251);
            portable.Pixels = fast.Pixels;
            auto both = [&](int x, int y, Rect src) {
                BlitWith(path, fast, x, y, from, src, true);
                BlitWith(BlitPath::Portable, portable, x, y, from, src, true);
            };
            for (int tile = 0; tile < tiles; ++tile) {
                const Rect src = TileRect(tile, from.Width / 40);
                const int x = (tile * 13) % 600 + tile % 17, y = (tile * 7) % 440;
                for (const auto& [tx, ty] : {std::pair{x, y}, std::pair{-17, y}, std::pair{ScreenWidth - 23, y},
                                             std::pair{x, -9}, std::pair{x, ScreenHeight - 31}})
                    both(tx, ty, src);
                // Rows of odd widths, as a clipped tile gives them.
                both(x, y, Rect{src.Left + tile % 40, src.Top, src.Right, src.Bottom});
                ASSERT_EQ(fast.Pixels, portable.Pixels) << name << " tile " << tile << " path " << int(path);
            }
            // Rows wider than any vector: a whole keyed strip of the sheet.
            both(-3, 5, Rect{0, 0, from.Width, 80});
            ASSERT_EQ(fast.Pixels, portable.Pixels) << name << " strip, path " << int(path);
        }
    }
}
