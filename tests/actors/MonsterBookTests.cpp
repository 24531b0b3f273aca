// Monsters, and the book: its opening, the border spawn and its pace.
#include "Harness.h"

#include <gtest/gtest.h>

namespace gravlin::test {
namespace {

// A player at (1, 5) and one monster; returns the monster's direction
// after one frame.
int MonsterDirAfterOneFrame(std::vector<std::string> rows) {
    Game g(rows);
    for (int i = 0; i < g.w.ActorCount; ++i)
        if (g.Actor(i).Kind == Monster) {
            g.Run(1);
            return DirCode(g.Actor(i).Dir);
        }
    return -1;
}

TEST(Monsters, StraightInLineDiagonalOtherwiseWithHorizontalEscape) {
    EXPECT_EQ(MonsterDirAfterOneFrame({"", "", "", "", "P   M"}), 2);
    EXPECT_EQ(MonsterDirAfterOneFrame({"", "", "    M", "", "P"}), 10);
    // Diagonal cell blocked: horizontal.
    EXPECT_EQ(MonsterDirAfterOneFrame({"", "", "    M", "   #", "P"}), 2);
    // Horizontal neighbour earth: vertical.
    EXPECT_EQ(MonsterDirAfterOneFrame({"", "", "   :M", "", "P"}), 4);
    // Both blocked: stays.
    EXPECT_EQ(MonsterDirAfterOneFrame({"", "", "   :M", "    #", "P"}), 0);
}

TEST(Monsters, MovesClaimTheTargetCellAtOnce) {
    Game g({"", "", "", "", "P   M"});
    const int m = g.IndexIn(5, 5);
    g.Run(1);
    EXPECT_EQ(g.Content(4, 5), Monster);
    EXPECT_EQ(g.IndexIn(4, 5), m);
    EXPECT_EQ(g.Content(5, 5), Empty);
    EXPECT_EQ(g.IndexIn(5, 5), NoActor);
    EXPECT_EQ(g.Actor(m).X, 196) << "first sub-step in the deciding tick";
}

TEST(Monsters, OnThePlayerNoMoveAndNoCue) {
    Game g({"P"});
    const int m = g.AddMonster(At(5, 5));
    g.Actor(m).X = g.w.Player.PlayerX;
    g.Actor(m).Y = g.w.Player.PlayerY;
    MonsterUpdate(g.w, m);
    EXPECT_EQ(g.Actor(m).Dir, Dir::Rest);
    EXPECT_TRUE(g.waves.Played.empty());
}

TEST(Monsters, StepCueAtTheFirstDecisionThenEveryFourthMove) {
    Game g({"", "", "", "", "M            P"});
    g.Run(75);
    EXPECT_EQ(g.CueFrames("monster2"), (std::vector<int>{1, 31, 71}));
}

TEST(Monsters, ColumnOneNeverCrossesIntoTheBorder) {
    Game g({"", "", "", "", "M", "", "", "", "P"});
    const int m = g.IndexIn(1, 5);
    g.CellAt(0, 5).Content = Empty; // whatever the border cell holds
    g.CellAt(0, 6).Content = Empty;
    g.w.Player.PlayerX = 0; // the player counts as left of the monster
    g.Run(1);
    EXPECT_EQ(g.Actor(m).Dir, Dir::Down) << "down-left falls back to down";
    g.Run(9);
    g.w.Player.PlayerY = g.Actor(m).Y;
    g.Run(1);
    EXPECT_EQ(g.Actor(m).Dir, Dir::Rest) << "straight left is refused at the edge";
    EXPECT_EQ(g.Content(0, 6), Empty);
}

TEST(Monsters, OnTheOuterRingCellsOffTheMapAreNotEnterable) {
    Game g({"P"});
    g.CellAt(0, 2).Content = Empty; // the next index after (15, 1)
    const int m = g.AddMonster(At(15, 1));
    g.w.Player.PlayerX = 700;
    g.w.Player.PlayerY = 40;
    g.Run(1);
    EXPECT_EQ(g.Actor(m).Dir, Dir::Rest);
    EXPECT_EQ(g.Content(0, 2), Empty);
    const int top = g.AddMonster(14);
    g.w.Player.PlayerX = 560;
    g.w.Player.PlayerY = -40;
    g.Run(1);
    EXPECT_EQ(g.Actor(top).Dir, Dir::Rest);
}

TEST(Monsters, DeathFlightGoesTowardsTheMiddleAndCountsPastTheTarget) {
    Game g({"Pd", "", "", "", "      MM"});
    const int left = g.IndexIn(7, 5), right = g.IndexIn(8, 5);
    g.w.CollectedCount = 5; // already past the target of 1
    MonsterDies(g.w, left);
    MonsterDies(g.w, right);
    EXPECT_EQ(g.Actor(left).Steps, StepPairId::DeathFlightRight) << "X 280 flies right";
    EXPECT_EQ(g.Actor(right).Steps, StepPairId::DeathFlightLeft) << "X 320 flies left";
    EXPECT_EQ(g.Actor(right).MoveLength, 90);
    EXPECT_EQ(g.w.CollectedCount, 7);
    EXPECT_FALSE(g.w.EndPhase) << "the book opens only when the count equals the target";
    EXPECT_EQ(g.CueFrames("monsdie2").size(), 1u);
    EXPECT_EQ(g.CueFrames("monsdie3").size(), 1u);
}

TEST(Book, TheLastCollectableOpensTheBookAndTheFirstBorderMonsterComesInTheSameFrame) {
    Game g({"PdK"});
    g.Hold(Key::Right);
    g.Run(1);
    EXPECT_EQ(g.Content(3, 1), BookOpen);
    EXPECT_TRUE(g.w.EndPhase);
    EXPECT_EQ(g.w.RockFallInto, RockFallIntoOpenBook());
    EXPECT_EQ(g.Content(14, 0), Monster);
    ActorRecord& first = g.ActorIn(14, 0);
    EXPECT_EQ(first.Kind, Monster);
    EXPECT_EQ(first.FirstFrame, 137);
}

class BorderSpawnPace : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(BorderSpawnPace, FiftyTwoMonstersCounterClockwiseFromCellFourteen) {
    const auto [speed, pace] = GetParam();
    Game g({"PdK"}, speed);
    g.Hold(Key::Right);
    std::vector<int> frames, cells;
    int count = g.w.ActorCount;
    while (g.w.EndPhase || g.frame == 0) {
        g.Run(1);
        g.ReleaseAll();
        if (g.w.ActorCount != count) {
            count = g.w.ActorCount;
            frames.push_back(g.frame);
            cells.push_back(g.w.BorderCursor);
        }
        ASSERT_LT(g.frame, 2000);
    }
    ASSERT_EQ(frames.size(), 52u);
    for (std::size_t k = 0; k < frames.size(); ++k) EXPECT_EQ(frames[k], 1 + static_cast<int>(k) * pace) << k;
    EXPECT_EQ(cells.front(), 14);
    EXPECT_EQ(cells[14], 0);
    EXPECT_EQ(cells[15], 16);
    EXPECT_EQ(cells[25], 176);
    EXPECT_EQ(cells[40], 191);
    EXPECT_EQ(cells.back(), 15);
    EXPECT_EQ(g.Content(15, 0), Monster);
    // The next frame restores the top-right end of the border; the monsters
    // made there keep their records.
    const int m15 = g.IndexIn(15, 0);
    g.Run(1);
    EXPECT_EQ(g.CellAt(14, 0).Tile, BorderWall);
    EXPECT_EQ(g.CellAt(15, 0).Tile, CornerTR);
    EXPECT_TRUE(g.Actor(m15).Active);
    EXPECT_EQ(g.Actor(m15).Kind, Monster);
}

INSTANTIATE_TEST_SUITE_P(Speeds, BorderSpawnPace,
                         ::testing::Values(std::make_pair(2, 24), std::make_pair(4, 12), std::make_pair(6, 9)));

TEST(Book, MonstersFreezeDuringTheSpawnWhileRocksAndChasersGoOn) {
    Game g({"PdK", "", "", "", "M", "", "r", " ", "#####", "  c"});
    const int monster = g.IndexIn(1, 5);
    const int rock = g.IndexIn(1, 7);
    const int chaser = g.IndexIn(3, 10);
    g.w.DiamondTarget = 1; // the diamond alone opens the book
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    ASSERT_TRUE(g.w.EndPhase);
    g.Run(15);
    EXPECT_EQ(g.Actor(monster).Y, 200) << "the monster below the player does not move";
    EXPECT_EQ(g.Actor(monster).Dir, Dir::Rest);
    EXPECT_NE(g.Actor(rock).Y, 280);
    EXPECT_NE(g.Actor(chaser).X, 120);
}

} // namespace
} // namespace gravlin::test
