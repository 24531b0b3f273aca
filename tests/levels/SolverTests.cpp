// The solver's plan text, its key scripts, its position hash, and a search
// over a small level played by the real game folder.
#include "Solver.h"
#include "common/Files.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gravlin {
namespace {

TEST(SolverPlan, ParsesStepsCountsWaitsAndComments) {
    std::string error;
    auto plan = ParsePlan("R3 dl # then wait\nW25 U", &error);
    ASSERT_TRUE(plan) << error;
    ASSERT_EQ(plan->size(), 6u);
    EXPECT_EQ((*plan)[0], (PlanStep{1, 0}));
    EXPECT_EQ((*plan)[2], (PlanStep{1, 0}));
    EXPECT_EQ((*plan)[3], (PlanStep{10, 0}));
    EXPECT_EQ((*plan)[4], (PlanStep{0, 25}));
    EXPECT_EQ((*plan)[5], (PlanStep{3, 0}));
    EXPECT_FALSE(ParsePlan("R Q", &error));
    EXPECT_NE(error.find("Q"), std::string::npos);
    EXPECT_FALSE(ParsePlan("R0", &error));
}

TEST(SolverPlan, KeyScriptPressesAndReleasesOnlyWhatChanges) {
    const std::vector<TimedStep> steps{{1, {1, 0}}, {11, {1, 0}}, {21, {12, 0}}, {31, {0, 10}}, {41, {2, 0}}};
    const std::string script = KeyScript(steps, {"a header"});
    EXPECT_EQ(script, "# a header\n1 +Right\n21 +Down\n31 -Right\n31 -Down\n41 +Left\n");
    EXPECT_EQ(PlanText(steps), "R2 DR W10 L");
}

class SolverOnLevel : public ::testing::Test {
  protected:
    // A small level: the player, earth, two diamonds behind a wall, a rock
    // over one of them, and the book.
    std::string WriteLevel() {
        return WriteLevel({"P:::::::::::::", ":::::::::::::", "::O:::::::::::", "::*:::#:::::::", "::::::#::::*::",
                           "::::::#:::::::", "::::::::::::::", "::::::::::::::", "::::::::::::::", ":::::::::::::X"});
    }
    std::string WriteLevel(const std::array<const char*, 10>& rows) {
        std::string text;
        for (int cell = 0; cell < MapCellCount; ++cell) {
            const int col = cell % 16, row = cell / 16;
            int code = 127;
            if (cell == 0)
                code = 128;
            else if (cell == 15)
                code = 129;
            else if (cell == 176)
                code = 98;
            else if (cell == 191)
                code = 99;
            else if (col > 0 && col < 15 && row > 0 && row < 11) {
                const std::string line = rows[row - 1];
                const char ch =
                    static_cast<std::size_t>(col - 1) < line.size() ? line[static_cast<std::size_t>(col - 1)] : ':';
                code = ch == 'P'   ? 24
                       : ch == 'O' ? 77
                       : ch == '*' ? 6
                       : ch == '#' ? 97
                       : ch == 'X' ? 134
                       : ch == 'W' ? 104
                       : ch == '.' ? 0
                                   : 1;
            }
            text += std::to_string(code) + "\r\n";
        }
        const std::string path = (std::filesystem::temp_directory_path() / "gravlin-solver-test.bkg").string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

TEST_F(SolverOnLevel, SearchFindsAWinThatThePlanRunnerRepeats) {
    SolverLevel level;
    level.DataDir = GRAVLIN_GAME_DIR;
    level.MapFile = WriteLevel();
    std::string error;
    auto start = PrepareStartWorld(level, &error);
    ASSERT_TRUE(start) << error;
    EXPECT_EQ(start->DiamondTarget, 2);

    SearchOptions options;
    options.Quiet = true;
    const SearchResult found = SearchSolution(*start, options);
    ASSERT_TRUE(found.Found);
    ASSERT_FALSE(found.Steps.empty());
    EXPECT_EQ(found.Steps.front().Frame, 1); // the first frame a key can act in

    // The same moves, played as a written plan, win at the same frame.
    std::vector<PlanStep> plan;
    for (const TimedStep& t : found.Steps) plan.push_back(t.Step);
    const SearchResult again = RunPlan(*start, plan);
    EXPECT_TRUE(again.Found);
    EXPECT_EQ(again.Frames, found.Frames);
}

TEST_F(SolverOnLevel, BlockedStepsLeaveThePlayUntouchedAndPositionsHashByContent) {
    SolverLevel level;
    level.DataDir = GRAVLIN_GAME_DIR;
    level.MapFile = WriteLevel();
    std::string error;
    auto start = PrepareStartWorld(level, &error);
    ASSERT_TRUE(start) << error;

    PlanRunner play(*start);
    const std::uint64_t before = StateHash(play.Now(), false);
    EXPECT_FALSE(play.Apply(PlanStep{3, 0})); // up, into the border
    EXPECT_EQ(play.Frame(), 1);
    EXPECT_TRUE(play.Steps().empty());
    EXPECT_EQ(StateHash(play.Now(), false), before);

    // Right then left again: back where it started, with one earth dug.
    PlanRunner walk(*start);
    ASSERT_TRUE(walk.Apply(PlanStep{1, 0}));
    ASSERT_TRUE(walk.Apply(PlanStep{2, 0}));
    EXPECT_EQ(walk.Frame(), 21);
    EXPECT_EQ(walk.Now().Player.PlayerCell, start->Player.PlayerCell);
    EXPECT_NE(StateHash(walk.Now(), false), before);
    EXPECT_EQ(StateHash(walk.Now(), false, true), StateHash(play.Now(), false, true));
}

TEST_F(SolverOnLevel, WeedCutsARouteOnlyWhereThePlayerPasses) {
    // A walled bed of weed whose one way out is the empty cell above it, in
    // row 2; the weed can grow no further than that cell.
    SolverLevel level;
    level.DataDir = GRAVLIN_GAME_DIR;
    level.MapFile =
        WriteLevel({"P:::::::::::*X", ":::::.::::::::", "::::#WWW#:::::", "::::#WWW#:::::", "::::#####:::::",
                    "::::::::::::::", "::::::::::::::", "::::::::::::::", "::::::::::::::", "::::::::::::::"});
    std::string error;
    auto start = PrepareStartWorld(level, &error);
    ASSERT_TRUE(start) << error;
    auto keysOf = [&](const char* planText) {
        std::vector<HeldDir> keys;
        const SearchResult played = RunPlan(*start, *ParsePlan(planText, nullptr));
        EXPECT_TRUE(played.Found) << planText;
        for (const TimedStep& t : played.Steps) keys.push_back({t.Frame, t.Step.Dir});
        return keys;
    };

    const WeedCut above = FirstWeedOnRoute(*start, keysOf("R13"), 6000);
    EXPECT_EQ(above.RouteOutcome, PlayOutcome::Won);
    EXPECT_EQ(above.Cell, -1);

    const WeedCut through = FirstWeedOnRoute(*start, keysOf("D R12 U R"), 6000);
    EXPECT_EQ(through.RouteOutcome, PlayOutcome::Won);
    ASSERT_EQ(through.Cell, 2 * 16 + 6);
    // Standing still, the cell is open until that frame and weed from then on.
    PlanRunner still(*start);
    while (still.Frame() < through.Frame) still.Hold(0);
    EXPECT_EQ(still.Now().Cells[static_cast<std::size_t>(through.Cell)].Content, Empty);
    still.Hold(0);
    EXPECT_EQ(still.Now().Cells[static_cast<std::size_t>(through.Cell)].Content, Weed);
}

} // namespace
} // namespace gravlin
