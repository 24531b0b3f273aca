// The level check: each face-value fault is found, and a sound level
// passes without findings.

#include "WorldTestLevels.h"
#include "world/CellNames.h"
#include "world/LevelCheck.h"

#include <gtest/gtest.h>

namespace gravlin {
namespace {

using testing::At;
using testing::EarthLevel;
using testing::ToLines;

LevelCodes SoundLevel() {
    LevelCodes codes = EarthLevel();
    codes[At(4, 4)] = Diamond;
    return codes;
}

// The findings as "E:text" / "W:text", for readable failures.
std::vector<std::string> Check(const LevelCodes& codes) {
    std::vector<std::string> out;
    for (const auto& f : CheckLevelCodes(codes)) out.push_back((f.Error ? "E:" : "W:") + f.Text);
    return out;
}

bool Has(const std::vector<std::string>& findings, const std::string& prefix, const std::string& part) {
    for (const auto& f : findings)
        if (f.rfind(prefix, 0) == 0 && f.find(part) != std::string::npos) return true;
    return false;
}

TEST(LevelCheck, SoundLevelHasNoFindings) {
    EXPECT_TRUE(Check(SoundLevel()).empty());
    LevelCodes rich = SoundLevel();
    rich[At(2, 2)] = Chaser;
    rich[At(2, 8)] = ChaserHome;
    rich[At(3, 3)] = LockedDiamondA;
    rich[At(9, 9)] = KeyA;
    rich[At(5, 5)] = Egg;
    rich[At(6, 1)] = Rock;
    rich[At(7, 7)] = TeleportEntrance1 + 3;
    rich[At(8, 8)] = TeleportExit1 + 3;
    EXPECT_TRUE(Check(rich).empty()) << ::testing::PrintToString(Check(rich));
}

TEST(LevelCheck, FileShapeFaults) {
    TextList lines = ToLines(SoundLevel());
    lines.resize(191);
    auto f = CheckLevelLines(lines);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(f[0].Error);
    lines = ToLines(SoundLevel());
    lines[7] = "seven";
    f = CheckLevelLines(lines);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_NE(f[0].Text.find("line 8"), std::string::npos);
    lines = ToLines(SoundLevel());
    lines.push_back("0");
    f = CheckLevelLines(lines);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_FALSE(f[0].Error);
    f = CheckLevelFile("no such folder/Level001.bkg");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(f[0].Error);
}

TEST(LevelCheck, EachFaceValueFault) {
    LevelCodes codes = SoundLevel();
    codes[At(1, 1)] = Earth;
    EXPECT_TRUE(Has(Check(codes), "E:", "Player start (24): none"));
    codes = SoundLevel();
    codes[At(5, 1)] = PlayerStart;
    EXPECT_TRUE(Has(Check(codes), "E:", "Player start (24): 2 on the map, at (1, 1), (5, 1)"));
    codes = SoundLevel();
    codes[At(14, 10)] = Earth;
    EXPECT_TRUE(Has(Check(codes), "E:", "Book (134): none"));
    codes = SoundLevel();
    codes[At(5, 9)] = Book;
    EXPECT_TRUE(Has(Check(codes), "E:", "Book (134): 2 on the map"));
    codes = EarthLevel();
    EXPECT_TRUE(Has(Check(codes), "E:", "Nothing to collect"));

    codes = SoundLevel();
    codes[At(7, 7)] = TeleportEntrance1;
    codes[At(0, 5)] = TeleportExit1; // on the border: does not count
    auto f = Check(codes);
    EXPECT_TRUE(Has(f, "E:", "Teleport entrance 1 (105) at (7, 7): no Teleport exit 1 (110)"));
    EXPECT_TRUE(Has(f, "W:", "forced border"));

    codes = SoundLevel();
    codes[At(2, 2)] = Chaser;
    EXPECT_TRUE(Has(Check(codes), "E:", "no Chaser home (68)"));
    codes = SoundLevel();
    codes[At(3, 3)] = LockedDiamondB;
    codes[At(9, 9)] = KeyA;
    EXPECT_TRUE(Has(Check(codes), "E:", "Locked diamond B (23) at (3, 3): no Key B (21)"));
    EXPECT_FALSE(Has(Check(codes), "E:", "(22)"));

    // A number the game does not know: a warning.
    codes = SoundLevel();
    codes[At(6, 6)] = 999;
    EXPECT_EQ(Check(codes),
              (std::vector<std::string>{"W:Not a cell code: 999 at (6, 6) (nothing enters such a cell)"}));
}

// Walls, deadly tiles, weed and the closed book are what the player never
// passes; a teleport leads on to its exit; rocks, earth and locked diamonds
// are no walls.
TEST(LevelCheck, WhatTheWallsShutAwayFromThePlayer) {
    LevelCodes codes = SoundLevel();
    // A room of wall around (9, 5), with a diamond, a key and a chaser in it.
    for (int col = 8; col <= 10; ++col)
        for (int row = 4; row <= 6; ++row) codes[At(col, row)] = StaticWall2;
    codes[At(9, 5)] = Diamond;
    codes[At(3, 3)] = LockedDiamondA;
    codes[At(3, 4)] = KeyA;
    auto f = Check(codes);
    EXPECT_EQ(f, (std::vector<std::string>{"E:Diamond (6) at (9, 5): walled off from the player"}));
    codes[At(3, 4)] = Earth;
    codes[At(9, 5)] = KeyA;
    EXPECT_TRUE(Has(Check(codes), "E:", "Key A (20) at (9, 5): walled off from the player, so Locked diamond A (22)"));

    // A teleport into the room: everything in it is within reach.
    codes[At(9, 5)] = Diamond;
    codes[At(5, 5)] = TeleportEntrance1;
    codes[At(9, 5)] = TeleportExit1;
    codes[At(3, 4)] = KeyA;
    EXPECT_TRUE(Check(codes).empty()) << ::testing::PrintToString(Check(codes));

    // The book behind a row of deadly tiles and weed, rocks and locked
    // diamonds in the way count as passable.
    codes = SoundLevel();
    codes[At(13, 10)] = Hazard1;
    codes[At(13, 9)] = Weed;
    codes[At(14, 9)] = Hazard2;
    codes[At(2, 1)] = Rock;
    codes[At(1, 2)] = LockedDiamondA;
    codes[At(5, 5)] = KeyA;
    f = Check(codes);
    EXPECT_EQ(f, (std::vector<std::string>{"E:Book (134) at (14, 10): walled off from the player"}))
        << ::testing::PrintToString(f);
}

TEST(LevelCheck, AnEggNeedsARockOrWeedInItsPartOfTheMap) {
    LevelCodes codes = SoundLevel();
    codes[At(5, 5)] = Egg;
    // A rock walled away from the egg does not count; one anywhere in its
    // part of the map does (it can be pushed, and the monster walks).
    for (int i = 1; i <= 4; ++i) codes[At(11, i)] = codes[At(10 + i, 5)] = StaticWall;
    codes[At(12, 2)] = Rock;
    auto f = Check(codes);
    EXPECT_TRUE(Has(f, "W:", "Egg (12) at (5, 5): no rock or weed"));
    EXPECT_FALSE(Has(f, "E:", ""));
    codes[At(2, 9)] = Weed;
    EXPECT_TRUE(Check(codes).empty());
    codes[At(2, 9)] = Earth;
    codes[At(7, 10)] = Rock;
    EXPECT_TRUE(Check(codes).empty());
}

TEST(CellNames, EveryCodeOfTheTableHasANameAndOthersHaveNone) {
    EXPECT_EQ(NamedCode(Rock), "Rock (77)");
    EXPECT_EQ(NamedCode(TeleportExit5), "Teleport exit 5 (114)");
    EXPECT_EQ(NamedCode(StaticWall3), "Wall 3 (136)");
    EXPECT_EQ(NamedCode(-5), "-5 (no cell code)");
    int named = 0;
    for (int code = -10; code < 1100; ++code) named += IsCellCode(code);
    EXPECT_EQ(named, 38);
    EXPECT_FALSE(IsCellCode(2));
    EXPECT_FALSE(IsCellCode(WeedGrowing));
}

} // namespace
} // namespace gravlin
