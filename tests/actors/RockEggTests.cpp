// Rocks and eggs: falling, rolling, reserving, crushing, landing and
// hatching, with the order in which they decide.
#include "Harness.h"

#include <gtest/gtest.h>

namespace gravlin::test {
namespace {

std::vector<int> RockLandFrames(const Game& g) {
    std::vector<int> frames;
    for (const auto& [f, n] : g.waves.Played)
        if (n.size() == 5 && n.rfind("rock", 0) == 0) frames.push_back(f);
    return frames;
}

// P sits out of the way in the bottom-right corner.
std::vector<std::string> WithPlayer(std::vector<std::string> rows) {
    rows.resize(10);
    rows[9].resize(14, ' ');
    rows[9][13] = 'P';
    return rows;
}

TEST(Rocks, RowTenNeverMovesAndRestsFrozen) {
    std::vector<std::string> rows(10, "");
    rows[8] = "  P";
    rows[9] = " r";
    Game g(rows);
    ActorRecord& rock = g.ActorIn(2, 10);
    rock.FallCount = 5;
    rock.Frame = 80;
    g.Run(20);
    EXPECT_EQ(rock.X, 80);
    EXPECT_EQ(rock.Y, 400);
    EXPECT_EQ(rock.FallCount, 0);
    EXPECT_EQ(rock.FirstFrame, 80);
    EXPECT_EQ(rock.LastFrame, 80);
}

TEST(Rocks, FallsFastFromTheThirdFallInARow) {
    Game g(WithPlayer({"r"}), 6);
    ActorRecord& rock = g.ActorIn(1, 1);
    g.Run(1);
    EXPECT_EQ(rock.Y, 46) << "the first sub-step comes in the deciding tick";
    g.Run(6);
    EXPECT_EQ(rock.Y, 80);
    g.Run(7);
    EXPECT_EQ(rock.Y, 120);
    g.Run(5);
    EXPECT_EQ(rock.Y, 160) << "5 ticks instead of 7";
    g.Run(5);
    EXPECT_EQ(rock.Y, 200);
    EXPECT_TRUE(RockLandFrames(g).empty()) << "no cue while it keeps falling";
}

TEST(Rocks, LandingCuePlaysOnceAfterTheFall) {
    Game g(WithPlayer({"r", " ", " ", "#"}));
    g.Run(40);
    EXPECT_EQ(RockLandFrames(g), std::vector<int>{21});
}

TEST(Rocks, RollLeftBeforeRightAndReserveTheLandingCell) {
    {
        Game g(WithPlayer({" r ", " d ", "###"}));
        ActorRecord& rock = g.ActorIn(2, 1);
        g.Run(1);
        EXPECT_EQ(rock.Dir, Dir::Left);
        EXPECT_EQ(g.Content(1, 2), Reserved);
        EXPECT_EQ(g.Content(3, 2), Empty);
        g.Run(10);
        EXPECT_EQ(rock.Dir, Dir::Down) << "then falls into its reserved cell";
        EXPECT_EQ(g.Content(1, 2), Rock);
    }
    {
        Game g(WithPlayer({"#r ", " d ", "###"}));
        g.Run(1);
        EXPECT_EQ(g.ActorIn(3, 1).Dir, Dir::Right);
        EXPECT_EQ(g.Content(3, 2), Reserved);
    }
}

TEST(Rocks, CornerTilesRoundOnlyOneSide) {
    struct Case {
        const char* top;
        const char* under;
        Dir dir;
    };
    for (Case c : {Case{" r ", " < ", Dir::Left}, Case{"#r ", " < ", Dir::Rest}, Case{" r ", " > ", Dir::Right},
                   Case{" r#", " > ", Dir::Rest}}) {
        Game g(WithPlayer({c.top, c.under, "###"}));
        g.Run(1);
        EXPECT_EQ(g.Actor(0).Dir, c.dir) << c.top << " over " << c.under;
    }
}

TEST(Rocks, NoRollIntoEarthOrBesideThePlayer) {
    {
        Game g(WithPlayer({":r ", " d ", "###"}));
        g.Run(1);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Right) << "earth on the left: rolls right";
    }
    {
        Game g({":r ", " dP", "###"});
        g.Run(5);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Rest) << "the player stands in the landing cell";
        EXPECT_EQ(g.Content(3, 2), Empty);
    }
}

TEST(Rocks, StackedRocksUpperDecidesFirst) {
    {
        Game g(WithPlayer({" r ", " r ", "   ", "###"}));
        g.Run(1);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Left) << "upper sees the lower rock and rolls";
        EXPECT_EQ(g.Actor(1).Dir, Dir::Down);
    }
    {
        Game g(WithPlayer({"#r#", "#r#", "# #", "###"}));
        g.Run(1);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Rest);
        EXPECT_EQ(g.Actor(1).Dir, Dir::Down);
        g.Run(1);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Down) << "one tick after the lower rock";
    }
}

TEST(Rocks, PushedOntoAMonsterCrushesAndHopsUntilTheBookOpens) {
    Game g({"PrM", "###"});
    const int monster = g.IndexIn(3, 1);
    ActorRecord& rock = g.ActorIn(2, 1);
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    EXPECT_EQ(g.Actor(monster).Kind, MonsterDying);
    EXPECT_EQ(g.w.CollectedCount, 1);
    EXPECT_EQ(g.Content(3, 1), Rock);
    EXPECT_EQ(g.IndexIn(3, 1), 0) << "the rock takes the monster's cell";
    EXPECT_LT(rock.Y, 40) << "the rock hops over the monster";
    g.Run(9);
    EXPECT_EQ(rock.X, 120);
    EXPECT_EQ(rock.Y, 40);
    // 90 pixels at 4 a tick: 23 ticks.
    g.Run(12);
    EXPECT_TRUE(g.Actor(monster).Active);
    g.Run(1);
    EXPECT_FALSE(g.Actor(monster).Active);

    Game h({"PrM", "###"});
    h.w.RockFallInto = RockFallIntoOpenBook();
    h.Hold(Key::Right);
    h.Run(1);
    EXPECT_EQ(h.Content(2, 1), Rock);
    EXPECT_EQ(h.ActorIn(3, 1).Kind, Monster);
}

TEST(Rocks, FallingOntoAMonsterCrushesItWithTheOrdinaryFall) {
    Game g(WithPlayer({"#r#", "#M#", "###"}));
    const int monster = g.IndexIn(2, 2);
    g.Run(1);
    EXPECT_EQ(g.Actor(monster).Kind, MonsterDying);
    EXPECT_EQ(g.ActorIn(2, 2).Kind, Rock);
    EXPECT_EQ(g.ActorIn(2, 2).Steps, StepPairId::StepDown);
}

TEST(Rocks, ARefusedRollKeepsItsReservedMark) {
    Game g(WithPlayer({" r ", " d ", "###"}));
    g.CellAt(1, 1).ChaserCount = 1;
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Rest);
    EXPECT_EQ(g.Content(1, 2), Reserved);
    g.Run(1);
    EXPECT_EQ(g.Actor(0).Dir, Dir::Right) << "the reserved cell is no landing cell: rolls right";
    EXPECT_EQ(g.Content(1, 2), Reserved);
    EXPECT_EQ(g.Content(3, 2), Reserved);
}

TEST(Eggs, BreaksOnlyAfterAFallAndHatchesAMonster) {
    Game g(WithPlayer({"e", " ", "#"}));
    ActorRecord& egg = g.Actor(0);
    g.Run(10);
    EXPECT_EQ(egg.Kind, Egg);
    g.Run(1);
    EXPECT_EQ(egg.Kind, EggHatching);
    EXPECT_EQ(egg.Dir, Dir::InPlace);
    EXPECT_EQ(g.Content(1, 2), EggHatching);
    EXPECT_EQ(g.CueFrames("eggbreak"), std::vector<int>{11});
    g.Run(40);
    EXPECT_EQ(egg.Kind, EggHatching);
    g.Run(1);
    EXPECT_EQ(egg.Kind, Monster);
    EXPECT_EQ(egg.FirstFrame, 62);
    EXPECT_EQ(g.Content(1, 2), Monster);
}

TEST(Eggs, PushedSidewaysDoesNotBreak) {
    Game g({"Pe ", "###"});
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    g.Run(40);
    EXPECT_EQ(g.ActorIn(3, 1).Kind, Egg);
    EXPECT_EQ(g.ActorIn(3, 1).Dir, Dir::Rest);
}

TEST(Eggs, NeverFallsOrRollsOntoThePlayer) {
    for (auto rows : {std::vector<std::string>{"e", "P"}, std::vector<std::string>{" e#", "Pr", " #"},
                      std::vector<std::string>{"Pe#", " r", " #"}}) {
        Game g(rows);
        const int egg = g.w.Actors[0].Kind == Egg ? 0 : 1;
        const int x = g.Actor(egg).X, y = g.Actor(egg).Y;
        g.Run(30);
        EXPECT_EQ(g.Actor(egg).X, x);
        EXPECT_EQ(g.Actor(egg).Y, y);
        EXPECT_EQ(g.Actor(egg).Kind, Egg);
        EXPECT_FALSE(g.w.Player.PlayerDying);
    }
}

TEST(Eggs, RollsOffARockIntoItsReservedCellAndBreaks) {
    Game g(WithPlayer({" e", " r", "##"}));
    ActorRecord& egg = g.Actor(0);
    g.Run(1);
    EXPECT_EQ(egg.Dir, Dir::Left);
    EXPECT_EQ(g.Content(1, 2), Reserved);
    g.Run(10);
    EXPECT_EQ(egg.Dir, Dir::Down);
    g.Run(10);
    EXPECT_EQ(egg.Kind, EggHatching);
    EXPECT_EQ(g.CueFrames("eggbreak"), std::vector<int>{21});
}

TEST(Eggs, NoMoveIntoAChaserCellOrOntoAMonster) {
    for (bool chaser : {true, false}) {
        Game g(WithPlayer({"e", " ", "#"}));
        if (chaser)
            g.CellAt(1, 2).ChaserCount = 1;
        else
            g.CellAt(1, 2).Content = Monster;
        g.Run(5);
        EXPECT_EQ(g.Actor(0).Y, 40);
        EXPECT_EQ(g.Actor(0).Dir, Dir::Rest);
    }
}

TEST(Eggs, AMonsterHatchedWhileTheBookIsOpenWaits) {
    Game g(WithPlayer({"e", " ", "#"}));
    g.w.EndPhase = true; // the book is open, the border already done
    g.w.BorderSide = 'R';
    g.w.BorderCursor = 15;
    g.Run(52);
    ActorRecord& m = g.Actor(0);
    ASSERT_EQ(m.Kind, Monster);
    EXPECT_EQ(m.FirstFrame, 137);
    EXPECT_EQ(m.LastFrame, 138);
    g.Run(30);
    EXPECT_EQ(m.X, 40);
    EXPECT_EQ(m.Y, 80);
    EXPECT_EQ(m.Dir, Dir::Rest);
}

} // namespace
} // namespace gravlin::test
