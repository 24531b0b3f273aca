// Chasers (the left hand on the wall, shared cells, homes) and weed (the
// one-in-5000 spread, left first, one growth at a time).
#include "Harness.h"

#include <gtest/gtest.h>

namespace gravlin::test {
namespace {

std::vector<std::string> WithPlayer(std::vector<std::string> rows) {
    rows.resize(10);
    rows[9].resize(14, ' ');
    rows[9][13] = 'P';
    return rows;
}

TEST(Chasers, ALoadedChaserGoesDownFirst) {
    Game g(WithPlayer({" c ", "   "}));
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Down);
    EXPECT_EQ(g.Actor(0).Facing, 3);
}

TEST(Chasers, FollowsTheCorridorLeftAndTurnsBackAtItsEnd) {
    Game g(WithPlayer({"#####", "   c#", "#####"}));
    ActorRecord& c = g.Actor(0);
    std::vector<int> dirs;
    for (int step = 0; step < 4; ++step) {
        g.Run(1);
        dirs.push_back(DirCode(c.Dir));
        g.Run(9);
    }
    EXPECT_EQ(dirs, (std::vector<int>{2, 2, 2, 1}));
    EXPECT_EQ(c.Facing, 1);
    EXPECT_EQ(c.FirstFrame, 69);
}

TEST(Chasers, EarthComesBackBehindOnlyWhereTheTileIsEarth) {
    Game g(WithPlayer({"#####", " ::c#", "#####"}));
    g.CellAt(2, 2).Tile = 0; // dug out earlier: no earth to come back
    g.CellAt(2, 2).Content = Empty;
    g.Run(1);
    EXPECT_EQ(g.Content(3, 2), Chaser);
    EXPECT_EQ(g.CellAt(3, 2).Tile, Earth) << "the chaser is hidden under the earth";
    EXPECT_EQ(g.Content(4, 2), Empty);
    g.Run(10);
    EXPECT_EQ(g.Content(3, 2), Earth);
    g.Run(10);
    EXPECT_EQ(g.Content(2, 2), Empty);
}

TEST(Chasers, TwoChasersShareACellAndTheCountKeepsTheSecond) {
    Game g(WithPlayer({"####", "#cc#", "####"}));
    g.Run(1);
    // The left chaser turned back into the right one's cell, then the right
    // one left it: the code says empty, the count still knows one chaser.
    EXPECT_EQ(g.Content(3, 2), Empty);
    EXPECT_EQ(g.CellAt(3, 2).ChaserCount, 1);
    EXPECT_EQ(g.Content(2, 2), Chaser);
    EXPECT_EQ(g.CellAt(2, 2).ChaserCount, 1);
    // The cell entered names the chaser that entered it, not the one left
    // behind in the shared cell.
    EXPECT_EQ(g.IndexIn(2, 2), 1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Right);
    EXPECT_EQ(g.Actor(1).Dir, Dir::Left);
}

TEST(Chasers, AnOccupiedHomeIsClosedAndTheTurnBackWaits) {
    Game g(WithPlayer({"####", "#cc#", "####"}));
    g.CellAt(3, 2).Tile = ChaserHome; // the right chaser stands on its home
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Rest) << "the only way out is an occupied home";
    EXPECT_EQ(g.Actor(0).X, 80);
    EXPECT_EQ(g.Actor(1).Kind, ChaserToDiamond);
    EXPECT_EQ(g.Content(3, 2), ChaserToDiamond);
    EXPECT_EQ(g.CellAt(3, 2).ChaserCount, 0);
    EXPECT_EQ(g.CueFrames("chashome"), std::vector<int>{1});
    g.Run(42);
    EXPECT_EQ(g.Actor(1).Kind, ChaserToDiamond);
    g.Run(1);
    EXPECT_EQ(g.Actor(1).Kind, Diamond);
    EXPECT_EQ(g.Content(3, 2), Diamond);
    EXPECT_EQ(g.Actor(0).X, 80);
}

TEST(Chasers, TurningBackNeverEntersTheBorder) {
    Game g(WithPlayer({"#", "c#", "#"}));
    g.Actor(0).Facing = 1; // it came from the left
    g.CellAt(0, 2).Content = Empty;
    g.Run(5);
    EXPECT_EQ(g.Actor(0).X, 40);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Rest);
    EXPECT_EQ(g.Content(0, 2), Empty);
}

TEST(Chasers, BoxedInWaitsAndMovesWhenANeighbourOpens) {
    Game g(WithPlayer({"###", "#c#", "###"}));
    g.Run(5);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Rest);
    g.CellAt(2, 3).Content = Empty;
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Down);
}

TEST(Chasers, BoxedInOnItsHomeItStaysAChaser) {
    Game g(WithPlayer({"###", "#c#", "###"}));
    g.CellAt(2, 2).Tile = ChaserHome;
    g.Run(5);
    EXPECT_EQ(g.Actor(0).Kind, Chaser);
    g.CellAt(2, 3).Content = Empty;
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Kind, ChaserToDiamond);
}

TEST(Weed, NoDrawWhileAnotherWeedGrows) {
    Game g(WithPlayer({" w w "}));
    g.w.WeedGrowingNow = true;
    const auto seed = g.w.Rng.Seed;
    g.Run(10);
    EXPECT_EQ(g.w.Rng.Seed, seed);
}

TEST(Weed, GrowsLeftFirstAndEndsItsGrowthOnTheLastFrame) {
    Game g(WithPlayer({" w "}), 4, SpreadingSeed());
    g.Run(1);
    EXPECT_EQ(g.Content(1, 1), Weed);
    EXPECT_EQ(g.Content(3, 1), Empty);
    EXPECT_TRUE(g.w.WeedGrowingNow);
    EXPECT_EQ(g.CueFrames("weed"), std::vector<int>{1});
    ActorRecord& grown = g.ActorIn(1, 1);
    EXPECT_EQ(grown.Kind, WeedGrowing);
    g.Run(28);
    EXPECT_TRUE(g.w.WeedGrowingNow);
    g.Run(1);
    EXPECT_FALSE(g.w.WeedGrowingNow);
    EXPECT_EQ(grown.Kind, Weed);
    EXPECT_EQ(grown.Frame, Weed);
}

TEST(Weed, OvergrowsAMonsterWhichCounts) {
    Game g(WithPlayer({"Mw"}), 4, SpreadingSeed());
    const int m = g.IndexIn(1, 1);
    g.Run(1);
    EXPECT_EQ(g.Actor(m).Kind, MonsterDying);
    EXPECT_EQ(g.w.CollectedCount, 1);
    EXPECT_EQ(g.Content(1, 1), Weed);
}

TEST(Weed, GrowsIntoThePlayersCellAndThePlayerDies) {
    Game g({"Pw"}, 4, SpreadingSeed());
    g.Run(1);
    EXPECT_EQ(g.Content(1, 1), Weed);
    EXPECT_FALSE(g.w.Player.PlayerDying);
    g.Run(1);
    EXPECT_TRUE(g.w.Player.PlayerDying);
}

TEST(Weed, NeverIntoTheBorderColumn) {
    Game g(WithPlayer({"w"}), 4, SpreadingSeed());
    g.CellAt(0, 1).Content = Empty;
    g.Run(1);
    EXPECT_EQ(g.Content(0, 1), Empty);
    EXPECT_EQ(g.Content(2, 1), Weed);
}

TEST(Weed, FiftyThousandFramesWithOneSeedGrowTheSameWay) {
    const std::vector<std::string> rows = {
        "w            w", "", "    ####", "    #w #", "    ####", "", "", "", "            ##", "            #P"};
    Game a(rows, 4, 12345), b(rows, 4, 12345);
    const int before = a.w.ActorCount;
    a.Run(50000);
    b.Run(50000);
    EXPECT_EQ(a.frame, 50000);
    EXPECT_GT(a.w.ActorCount, before + 10) << "the weed has spread";
    EXPECT_EQ(a.w.ActorCount, b.w.ActorCount);
    EXPECT_EQ(a.w.Rng.Seed, b.w.Rng.Seed);
    for (int i = 0; i < MapCellCount; ++i) EXPECT_EQ(a.w.Cells[i].Content, b.w.Cells[i].Content) << i;
    EXPECT_EQ(a.waves.Played, b.waves.Played);
}

} // namespace
} // namespace gravlin::test
