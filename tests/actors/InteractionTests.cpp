// What the player's moves do to cells: pushing, the held rock, keys,
// collected diamonds, teleports, and a full actor table.
#include "Harness.h"

#include <gtest/gtest.h>

namespace gravlin::test {
namespace {

TEST(Push, RockMovesBesideThePlayerInTheSameTicks) {
    Game g({"Pr ", "###"});
    const int rock = g.IndexIn(2, 1);
    g.Hold(Key::Right);
    g.Run(1);
    EXPECT_EQ(g.Content(3, 1), Rock);
    EXPECT_EQ(g.Content(2, 1), Empty);
    EXPECT_EQ(g.w.Player.PlayerDir, Dir::PushRight) << "pushing right";
    EXPECT_EQ(g.CueFrames("rockmove"), std::vector<int>{1});
    g.ReleaseAll();
    g.Run(9);
    EXPECT_EQ(g.Actor(rock).X, 120);
    EXPECT_EQ(g.w.Player.PlayerX, 80);
}

TEST(Push, RefusedIntoEarthOrAChaserCell) {
    {
        Game g({"Pr:", "###"});
        g.Hold(Key::Right);
        g.Run(1);
        EXPECT_EQ(g.Content(2, 1), Rock);
        EXPECT_EQ(g.w.Player.PlayerDir, Dir::Rest);
        EXPECT_TRUE(g.w.Player.PlayerReady);
    }
    {
        Game g({"Pr ", "###"});
        g.CellAt(3, 1).ChaserCount = 1; // a chaser passing through
        g.Hold(Key::Right);
        g.Run(1);
        EXPECT_EQ(g.Content(2, 1), Rock);
        EXPECT_EQ(g.w.Player.PlayerCell, At(1, 1));
    }
}

TEST(Push, ARockOverAHoleMovesOnlyWhileItsFallIsFresh) {
    Game g({"Pr ", "#  "});
    ActorRecord& rock = g.ActorIn(2, 1);
    rock.Falling = false;
    EXPECT_EQ(TryEnter(g.w, Dir::Right, At(2, 1), true), Dir::Rest);
    EXPECT_FALSE(g.w.PlayerPushing);
    EXPECT_EQ(g.w.Player.PlayerCell, At(1, 1));
    rock.Falling = true;
    EXPECT_EQ(TryEnter(g.w, Dir::Right, At(2, 1), true), Dir::Right);
    EXPECT_TRUE(g.w.PlayerPushing);
    EXPECT_FALSE(rock.Falling);
    EXPECT_EQ(g.Content(3, 1), Rock);
    EXPECT_EQ(g.w.Player.PlayerCell, At(2, 1));
}

TEST(HeldRock, DiggingDownTheRockFollowsAndKillsThePlayerWhoStops) {
    Game g({"#r#", "#P#", "#:#", "###"});
    const int rock = g.IndexIn(2, 1);
    g.Hold(Key::Down);
    g.Run(1);
    g.ReleaseAll();
    EXPECT_EQ(g.w.Player.HeldRock, rock);
    EXPECT_EQ(g.Actor(rock).Dir, Dir::Down) << "follows into the cell the player is leaving";
    EXPECT_EQ(g.Actor(rock).FallCount, 0) << "the held rock does not count its falls";
    g.Run(9);
    EXPECT_EQ(g.w.Player.HeldRock, NoActor) << "cleared at the end of a downward step";
    EXPECT_FALSE(g.w.Player.PlayerDying);
    g.Run(1);
    EXPECT_EQ(g.Content(2, 3), Rock);
    EXPECT_FALSE(g.w.Player.PlayerDying);
    g.Run(1);
    EXPECT_TRUE(g.w.Player.PlayerDying);
    EXPECT_EQ(g.frame, 12);
}

TEST(HeldRock, StaysAboveThePlayerUntilReleased) {
    Game g({"  r", "P :", "###"});
    const int rock = g.IndexIn(3, 1);
    g.Hold(Key::Right);
    g.Run(11);
    g.ReleaseAll();
    EXPECT_EQ(g.w.Player.HeldRock, rock);
    g.Run(100);
    EXPECT_EQ(g.Content(3, 1), Rock);
    EXPECT_EQ(g.w.Player.PlayerCell, At(3, 2));
    EXPECT_FALSE(g.w.Player.PlayerDying);
    g.w.Player.HeldRock = NoActor;
    g.Run(1);
    EXPECT_EQ(g.Content(3, 2), Rock);
    g.Run(1);
    EXPECT_TRUE(g.w.Player.PlayerDying);
}

TEST(Keys, TheFirstKeyUnlocksTheSecondVanishesSilently) {
    Game g({"Paa", "###", "A"});
    EXPECT_EQ(g.w.DiamondTarget, 1);
    g.Hold(Key::Right);
    g.Run(1);
    EXPECT_EQ(g.Content(1, 3), Diamond);
    EXPECT_EQ(g.ActorIn(1, 3).Kind, Diamond);
    EXPECT_EQ(g.ActorIn(1, 3).Dir, Dir::Rest);
    g.Run(10);
    EXPECT_EQ(g.Content(3, 1), Empty);
    EXPECT_EQ(g.w.Player.PlayerCell, At(3, 1));
    EXPECT_EQ(g.CueFrames("lockopen"), std::vector<int>{1});
}

TEST(Diamonds, SuccessiveDiamondsFlyToOppositeSidesFirstLeft) {
    for (int row : {1, 8}) {
        std::vector<std::string> rows(10, "");
        rows[static_cast<std::size_t>(row - 1)] = "Pdd";
        Game g(rows);
        const int first = g.IndexIn(2, row), second = g.IndexIn(3, row);
        g.Hold(Key::Right);
        g.Run(1);
        EXPECT_EQ(g.Actor(first).Kind, DiamondTaken);
        EXPECT_EQ(g.Actor(first).Dir, Dir::Left);
        // Upper rows fly downward, lower rows upward.
        EXPECT_EQ(g.Actor(first).Steps, row < 7 ? StepPairId::FlightDownLeft : StepPairId::FlightUpLeft);
        g.Run(10);
        EXPECT_EQ(g.Actor(second).Dir, Dir::Right);
        EXPECT_GT(g.w.Steps[g.Actor(second).Steps].DX[0], 0);
        EXPECT_EQ(g.w.CollectedCount, 2);
        // 90 pixels at 2 a tick, counted from the collecting tick.
        g.ReleaseAll();
        g.Run(33);
        EXPECT_TRUE(g.Actor(first).Active);
        g.Run(1);
        EXPECT_FALSE(g.Actor(first).Active);
        EXPECT_EQ(g.Actor(first).Frame, 11) << "the flight stops on its last frame";
    }
}

TEST(Digging, TheAnimationVanishesWhenItEnds) {
    Game g({"P:"});
    g.Hold(Key::Right);
    g.Run(1);
    const int dig = g.IndexIn(2, 1);
    ASSERT_EQ(g.Actor(dig).Kind, Digging);
    g.Run(8);
    EXPECT_TRUE(g.Actor(dig).Active);
    g.Run(1);
    EXPECT_FALSE(g.Actor(dig).Active);
}

TEST(Teleport, FliesDiagonallyThenStraightAndArrivesOnTheExit) {
    Game g({"PT", "    t"});
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    g.Run(9);
    EXPECT_FALSE(g.w.Player.PlayerInTransit);
    g.Run(1);
    ASSERT_TRUE(g.w.Player.PlayerInTransit);
    EXPECT_EQ(g.CueFrames("hyper"), std::vector<int>{11});
    ActorRecord& fx = g.Actor(g.w.TeleportFxActor);
    EXPECT_EQ(fx.Kind, PlayerTeleport);
    EXPECT_EQ(fx.Dir, Dir::DownRight);
    g.Run(9);
    EXPECT_EQ(fx.Dir, Dir::Right);
    EXPECT_EQ(fx.X, 120);
    EXPECT_EQ(fx.Y, 80);
    g.Run(10);
    EXPECT_EQ(fx.Dir, Dir::Right);
    g.Run(9);
    EXPECT_TRUE(g.w.Player.PlayerInTransit);
    g.Run(1);
    EXPECT_FALSE(g.w.Player.PlayerInTransit);
    EXPECT_FALSE(fx.Active);
    EXPECT_EQ(g.w.Player.PlayerCell, At(5, 2));
    EXPECT_EQ(g.w.Player.PlayerX, 200);
    EXPECT_EQ(g.w.Player.PlayerY, 80);
    ASSERT_EQ(g.waves.Stopped.size(), 1u);
    EXPECT_EQ(g.waves.Stopped[0], std::make_pair(40, std::string("hyper")));
}

TEST(Teleport, ArrivingOnADeadlyExitKillsOnTheNextTick) {
    Game g({"PT", "    t"});
    g.CellAt(5, 2).Content = Hazard1;
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    g.Run(39);
    EXPECT_FALSE(g.w.Player.PlayerInTransit);
    EXPECT_FALSE(g.w.Player.PlayerDying);
    g.Run(1);
    EXPECT_TRUE(g.w.Player.PlayerDying);
}

TEST(Teleport, AnEntranceWithoutAnExitCarriesNobody) {
    Game g({"PT "});
    g.Hold(Key::Right);
    g.Run(20);
    EXPECT_FALSE(g.w.Player.PlayerInTransit);
    EXPECT_EQ(g.w.Player.PlayerCell, At(3, 1));
}

TEST(FullActorTable, DiggingWeedAndTeleportStillWork) {
    {
        Game g({"P:"});
        g.w.ActorCount = ActorTableSize;
        g.Hold(Key::Right);
        g.Run(10);
        EXPECT_EQ(g.Content(2, 1), Empty);
        EXPECT_EQ(g.CellAt(2, 1).Tile, 0);
        EXPECT_EQ(g.IndexIn(2, 1), NoActor);
        EXPECT_EQ(g.w.Player.PlayerX, 80);
    }
    {
        Game g({" w", "", "", "", "", "", "", "", "", "             P"}, 4, SpreadingSeed());
        g.w.ActorCount = ActorTableSize;
        g.Run(1);
        EXPECT_EQ(g.Content(1, 1), Weed);
        EXPECT_EQ(g.CellAt(1, 1).Tile, Weed) << "shown as a plain weed tile";
        EXPECT_EQ(g.IndexIn(1, 1), NoActor);
        EXPECT_FALSE(g.w.WeedGrowingNow) << "the next weed may still grow";
    }
    {
        Game g({"PT", "    t"});
        g.w.ActorCount = ActorTableSize;
        g.Hold(Key::Right);
        g.Run(1);
        g.ReleaseAll();
        g.Run(10);
        EXPECT_FALSE(g.w.Player.PlayerInTransit);
        EXPECT_EQ(g.w.Player.PlayerCell, At(5, 2));
        EXPECT_EQ(g.w.ActorCount, ActorTableSize);
    }
}

} // namespace
} // namespace gravlin::test
