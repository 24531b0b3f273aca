// The level checker: each face-value fault is found, and a sound level
// passes without findings.

#include "LevelCheck.h"
#include "WorldTestLevels.h"

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
    for (const auto& f : CheckLevelLines(ToLines(codes))) out.push_back((f.Error ? "E:" : "W:") + f.Text);
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
    EXPECT_TRUE(Check(rich).empty());
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
    EXPECT_TRUE(Has(Check(codes), "E:", "no player start"));
    codes = SoundLevel();
    codes[At(5, 1)] = PlayerStart;
    EXPECT_TRUE(Has(Check(codes), "E:", "2 player starts"));
    codes = SoundLevel();
    codes[At(14, 10)] = Earth;
    EXPECT_TRUE(Has(Check(codes), "E:", "no book"));
    codes = SoundLevel();
    codes[At(5, 9)] = Book;
    EXPECT_TRUE(Has(Check(codes), "E:", "2 books"));
    codes = EarthLevel();
    EXPECT_TRUE(Has(Check(codes), "E:", "nothing to collect"));

    codes = SoundLevel();
    codes[At(7, 7)] = TeleportEntrance1;
    codes[At(0, 5)] = TeleportExit1; // on the border: does not count
    auto f = Check(codes);
    EXPECT_TRUE(Has(f, "E:", "teleport entrance 1"));
    EXPECT_TRUE(Has(f, "W:", "forced border"));

    codes = SoundLevel();
    codes[At(2, 2)] = Chaser;
    EXPECT_TRUE(Has(Check(codes), "E:", "no chaser home"));
    codes = SoundLevel();
    codes[At(3, 3)] = LockedDiamondB;
    codes[At(9, 9)] = KeyA;
    EXPECT_TRUE(Has(Check(codes), "E:", "(23) but no key"));
    EXPECT_FALSE(Has(Check(codes), "E:", "(22)"));

    // An egg with rocks only below it or two columns away: a warning only.
    codes = SoundLevel();
    codes[At(5, 5)] = Egg;
    codes[At(5, 8)] = Rock;
    codes[At(7, 2)] = Rock;
    f = Check(codes);
    EXPECT_TRUE(Has(f, "W:", "egg at cell 85"));
    EXPECT_FALSE(Has(f, "E:", ""));
    codes[At(4, 1)] = Rock;
    EXPECT_TRUE(Check(codes).empty());
}

} // namespace
} // namespace gravlin
