// Map drawing: tiles from the sheet, the background and actor passes, the
// level number's digit glyphs, and loading a screen picture.

#include "WorldTestLevels.h"
#include "presentation/Bmp.h"
#include "presentation/headless/HeadlessWindow.h"
#include "world/MapDrawing.h"

#include <gtest/gtest.h>
#include <memory>

namespace gravlin {
namespace {

using testing::ScratchDir;

// A sheet on which every 40-pixel tile t is filled with colour t % 250 + 1,
// but for a keyed (colour 0) pixel in its top-left corner.
Surface TileSheet() {
    Surface s(ScreenWidth, ScreenHeight);
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) {
            int tile = (y / 40) * 16 + x / 40;
            bool corner = x % 40 == 0 && y % 40 == 0;
            s.Set(x, y, corner ? 0 : static_cast<std::uint8_t>(tile % 250 + 1));
        }
    return s;
}

std::uint8_t TileColour(int tile) {
    return static_cast<std::uint8_t>(tile % 250 + 1);
}

// Whether every pixel of the rectangle has colour v.
bool Filled(const Surface& s, Rect r, std::uint8_t v) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            if (s.At(x, y) != v) return false;
    return true;
}

TEST(Tiles, Tile77OnASheetOf16PerRow) {
    EXPECT_EQ(TileRect(77, 16), (Rect{520, 160, 560, 200}));
    EXPECT_EQ(TileRect(0, 16), (Rect{0, 0, 40, 40}));
    EXPECT_EQ(TileRect(16, 16), (Rect{0, 40, 40, 80}));
}

TEST(DrawCells, CopiesEachTileKeyedAndSkipsTileZero) {
    Surface sheet = TileSheet();
    Surface back(ScreenWidth, ScreenHeight);
    back.Fill(0);
    auto w = std::make_unique<World>();
    for (Cell& c : w->Cells) c.Tile = 0;
    w->Cells[0].Tile = 77;
    w->Cells[17].Tile = 1;
    back.Set(40, 40, 200); // under the keyed corner of cell 17
    back.Set(80, 80, 201); // cell 34, Tile 0: nothing drawn over it
    DrawCells(*w, DrawTarget{back, sheet, 16});

    EXPECT_TRUE(Filled(back, Rect{1, 1, 40, 40}, TileColour(77)));
    EXPECT_TRUE(Filled(back, Rect{41, 41, 80, 80}, TileColour(1)));
    EXPECT_EQ(back.At(0, 0), 0);
    EXPECT_EQ(back.At(40, 40), 200);
    EXPECT_EQ(back.At(80, 80), 201);
    EXPECT_TRUE(Filled(back, Rect{81, 80, 640, 480}, 0));
}

TEST(DrawActors, DrawsTheFrameFromBeforeTheAdvance) {
    Surface sheet = TileSheet();
    Surface back(ScreenWidth, ScreenHeight);
    back.Fill(0);
    auto w = std::make_unique<World>();
    w->ActorCount = 3;
    auto make = [&](int i, int kind, int frame, int x, int y, bool active) {
        ActorRecord& a = w->Actors[static_cast<std::size_t>(i)];
        a.Active = active;
        a.Kind = kind;
        a.Frame = frame;
        a.X = x;
        a.Y = y;
    };
    make(0, Diamond, 6, 80, 40, true);
    make(1, Chaser, 64, 120, 40, true);
    make(2, Rock, 77, 160, 40, false);
    w->Actors[3].Active = true; // past ActorCount: never touched

    const AnimationStep nextFrame = [](World& world, int i) { ++world.Actors[static_cast<std::size_t>(i)].Frame; };
    DrawTarget target{back, sheet, 16};
    DrawActors(*w, &target, ActorSelection::AllButChasers, nextFrame);
    EXPECT_TRUE(Filled(back, Rect{81, 41, 120, 80}, TileColour(6)));
    EXPECT_EQ(w->Actors[0].Frame, 7);
    EXPECT_EQ(w->Actors[1].Frame, 64); // a chaser is not in this pass
    EXPECT_TRUE(Filled(back, Rect{120, 40, 200, 80}, 0));
    EXPECT_EQ(w->Actors[2].Frame, 77);

    DrawActors(*w, &target, ActorSelection::ChasersOnly, nextFrame);
    EXPECT_TRUE(Filled(back, Rect{121, 41, 160, 80}, TileColour(64)));
    EXPECT_EQ(w->Actors[1].Frame, 65);
    EXPECT_EQ(w->Actors[0].Frame, 7);

    // A headless frame advances the animations all the same.
    DrawActors(*w, nullptr, ActorSelection::AllButChasers, nextFrame);
    EXPECT_EQ(w->Actors[0].Frame, 8);
    EXPECT_EQ(w->Actors[3].Frame, 0);
}

// A level-choice picture whose digit d is drawn in colour 10 + d, with its
// bottom-left pixel in the transparent colour.
Surface DigitSheet() {
    Surface s(ScreenWidth, ScreenHeight);
    s.Fill(250);
    for (int d = 0; d <= 9; ++d) {
        Rect r = DigitRect(d);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) s.Set(x, y, static_cast<std::uint8_t>(10 + d));
        s.Set(r.Left, r.Bottom - 1, 0);
    }
    return s;
}

// Checks that exactly the given glyphs were drawn at y 120, opaque.
void ExpectGlyphs(int level, std::vector<std::pair<int, int>> glyphs) {
    Surface sheet = DigitSheet();
    Surface back(ScreenWidth, ScreenHeight);
    back.Fill(99);
    DrawLevelNumber(DrawTarget{back, sheet, 16}, level);
    Surface expected(ScreenWidth, ScreenHeight);
    expected.Fill(99);
    for (auto [digit, x] : glyphs) {
        Rect r = DigitRect(digit);
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int sx = r.Left; sx < r.Right; ++sx) expected.Set(x + sx - r.Left, 120 + y - r.Top, sheet.At(sx, y));
    }
    EXPECT_EQ(back.Pixels, expected.Pixels) << "level " << level;
}

TEST(DrawLevelNumber, GlyphsAndPositions) {
    EXPECT_EQ(DigitRect(0), (Rect{0, 226, 23, 248}));
    EXPECT_EQ(DigitRect(1), (Rect{23, 226, 29, 248}));
    EXPECT_EQ(DigitRect(8), (Rect{138, 226, 156, 248}));
    EXPECT_EQ(DigitRect(9), (Rect{157, 226, 175, 248}));
    ExpectGlyphs(7, {{7, 66}});
    ExpectGlyphs(12, {{1, 54}, {2, 66}});
    ExpectGlyphs(20, {{2, 46}, {0, 66}});
    ExpectGlyphs(99, {{9, 46}, {9, 66}});
    ExpectGlyphs(0, {});
    ExpectGlyphs(100, {});
}

TEST(LoadScreenPicture, PaletteAndPixelsBecomeTheSheet) {
    ScratchDir dir("picture");
    Surface pixels(ScreenWidth, ScreenHeight);
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) pixels.Set(x, y, static_cast<std::uint8_t>((x + y) % 256));
    Palette colours{};
    for (int i = 0; i < 256; ++i)
        colours[static_cast<std::size_t>(i)] = Rgb{static_cast<std::uint8_t>(i), 3, static_cast<std::uint8_t>(255 - i)};
    ASSERT_TRUE(WriteBmpFile(dir.File("Pic.DIB"), pixels, colours));

    HeadlessWindow window;
    Surface sheet(ScreenWidth, ScreenHeight);
    sheet.Fill(7);
    std::string error;
    ASSERT_TRUE(LoadScreenPicture(window, sheet, dir.Dir(), "pic.dib", &error)) << error;
    EXPECT_EQ(sheet.Pixels, pixels.Pixels);
    EXPECT_EQ(window.CurrentPalette(), colours);

    sheet.Fill(7);
    EXPECT_FALSE(LoadScreenPicture(window, sheet, dir.Dir(), "Missing.DIB", &error));
    EXPECT_NE(error.find("Missing.DIB"), std::string::npos) << error;
    EXPECT_TRUE(Filled(sheet, Rect{0, 0, ScreenWidth, ScreenHeight}, 7));
}

} // namespace
} // namespace gravlin
