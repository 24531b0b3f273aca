// The order of things inside one frame: what the drawing passes advance,
// which frame a cue comes in, when the play state stops the decisions, and
// the records that a level reuses.
#include "Harness.h"

#include <gtest/gtest.h>
#include <set>

namespace gravlin::test {
namespace {

TEST(FrameOrder, ACollectedDiamondShowsItsSecondFrameFromTheNextFrameOn) {
    Game g({"Pd"});
    const int diamond = g.IndexIn(2, 1);
    g.Hold(Key::Right);
    g.Run(1);
    // The collecting frame draws frame 6 and already advances: the tick
    // counter starts above the delay.
    EXPECT_EQ(g.Actor(diamond).Frame, 7);
    g.Run(3);
    EXPECT_EQ(g.Actor(diamond).Frame, 7);
    g.Run(1);
    EXPECT_EQ(g.Actor(diamond).Frame, 8);
    g.Run(16);
    EXPECT_EQ(g.Actor(diamond).Frame, 11) << "stays on its last frame";
}

TEST(FrameOrder, ThePlayersIdleFrameMovesAfterTenDrawsAtDelayNine) {
    Game g({"P"});
    g.Run(9);
    EXPECT_EQ(g.w.Player.PlayerFrame, 24);
    g.Run(1);
    EXPECT_EQ(g.w.Player.PlayerFrame, 25);
    g.Run(30);
    EXPECT_EQ(g.w.Player.PlayerFrame, 24) << "27 wraps back to 24";
}

TEST(FrameOrder, NoDecisionsInTheFrameInWhichTheDeathFallEnds) {
    std::vector<std::string> rows(10, "");
    rows[0] = " r";
    rows[1] = " #";
    rows[9] = "P";
    Game g(rows);
    const int rock = g.IndexIn(2, 1);
    g.Hold(Key::Escape);
    g.Run(1);
    g.ReleaseAll();
    g.Run(38); // 80 pixels at 2 a tick: the fall ends in frame 40
    ASSERT_EQ(g.w.GameState, StatePlay);
    g.CellAt(2, 2).Tile = g.CellAt(2, 2).Content = Empty; // a hole opens under the rock
    g.Run(1);
    EXPECT_EQ(g.w.GameState, StateGameOver);
    EXPECT_EQ(g.Actor(rock).Dir, Dir::Rest) << "the actor pass only moves once play has ended";
    EXPECT_EQ(g.Content(2, 1), Rock);
}

TEST(FrameOrder, RisingCallsComeWhenTheActorCountIsEvenAndGetLouder) {
    Game g({"PdK"});
    // One actor (the diamond) when the book opens: the first spawn finds an
    // odd count, the second an even one.
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    g.Run(60);
    EXPECT_EQ(g.CueFrames("monster2"), (std::vector<int>{13, 37, 61}));
    EXPECT_EQ(g.cues.RisingCallVolume, 0);
    EXPECT_EQ(g.waves.Volume("monster2"), 0);
}

TEST(FrameOrder, WinningDuringTheSpawnTheSameFrameStillTakesASpawnStep) {
    Game g({"PdK"});
    g.Hold(Key::Right);
    g.Run(30);
    ASSERT_EQ(g.w.GameState, StateLevelDone);
    ASSERT_EQ(g.frame, 21);
    // Monsters came at frames 1 and 13 (cells 14 and 13); the win sets the
    // pace counter to 99 and the spawn step that follows in the same frame
    // spends it on cell 12.
    EXPECT_EQ(g.Content(12, 0), Monster);
    EXPECT_EQ(g.w.BorderCursor, 12);
    EXPECT_EQ(g.w.PaceCounter, 0);
    EXPECT_EQ(g.w.PaceFrames, 8);
    EXPECT_TRUE(g.w.EndPhase);
    // The player still holds its last direction, so the winning tick takes
    // one more sub-step (unseen: the player is not drawn during the wipe).
    EXPECT_EQ(g.w.Player.PlayerX, 124);
}

TEST(FrameOrder, TheTeleportRecordIsReservedOnceAndReused) {
    Game g({"PT t"});
    const int before = g.w.ActorCount;
    g.Hold(Key::Right);
    g.Run(1);
    g.ReleaseAll();
    g.Run(10);
    ASSERT_TRUE(g.w.Player.PlayerInTransit);
    EXPECT_EQ(g.w.TeleportFxActor, before);
    EXPECT_EQ(g.w.ActorCount, before + 1);
    g.Run(19);
    ASSERT_FALSE(g.w.Player.PlayerInTransit);
    EXPECT_EQ(g.w.Player.PlayerCell, At(4, 1));
    // Back over the entrance: the same record carries the second flight.
    g.Hold(Key::Left);
    g.Run(20);
    g.ReleaseAll();
    g.Run(1);
    ASSERT_TRUE(g.w.Player.PlayerInTransit);
    EXPECT_EQ(g.frame, 51);
    EXPECT_EQ(g.w.TeleportFxActor, before);
    EXPECT_EQ(g.w.ActorCount, before + 1);
    EXPECT_TRUE(g.Actor(before).Active);
    EXPECT_EQ(g.Actor(before).Kind, PlayerTeleport);
    EXPECT_EQ(g.CueFrames("hyper"), (std::vector<int>{11, 51}));
}

TEST(FrameOrder, DiagonalSideCellsAreCollectedWithoutHoldingTheRockAboveThem) {
    // The player at (1, 3) goes down-right: diamonds in both side cells, earth
    // in the corner, and a rock above the horizontal side cell.
    Game g({"  d", " r", "Pd", "d:"});
    const int h = g.IndexIn(2, 3), v = g.IndexIn(1, 4), rock = g.IndexIn(2, 2);
    g.Hold(Key::Right);
    g.Hold(Key::Down);
    g.Run(1);
    EXPECT_EQ(g.w.Player.PlayerDir, Dir::DownRight);
    EXPECT_EQ(g.w.CollectedCount, 2);
    EXPECT_EQ(g.Actor(h).Dir, Dir::Left) << "the first diamond flies left";
    EXPECT_EQ(g.Actor(v).Dir, Dir::Right) << "the second flies right";
    EXPECT_TRUE(g.w.ExplosionToggle);
    EXPECT_EQ(g.w.Player.HeldRock, NoActor) << "side cells are not entered, so nothing is held";
    EXPECT_EQ(g.Actor(rock).Dir, Dir::Down) << "the rock falls into the emptied side cell at once";
}

// A frame that is not drawn (the solver's and these tests') must leave the
// World exactly as a drawn one: the undrawn frame advances the animations
// in one pass where the drawn one takes two. A level with every kind of
// actor, played with the keys changing, compared record by record each
// frame through digging, falls, a hatching egg, chasers, growing weed and
// the border turning into monsters.
TEST(FrameOrder, AnUndrawnFrameLeavesTheWorldAsADrawnOne) {
    // The player takes the one diamond and stays in its pocket; the book
    // opens while the rest of the level goes on.
    const std::vector<std::string> rows = {
        "P:d#::::r:::::", "####::::e:::::", "::::::::  ::::", "    c      h  ", "wwwwwwww     w",
        "wwwwwwww     w", "::::::::::::::", "r:r:r:r:r:r:r:", "         c    ", "K            w",
    };
    Game drawn(rows), undrawn(rows);
    Surface sheet(ScreenWidth, ScreenHeight), back(ScreenWidth, ScreenHeight);
    DrawTarget target{back, sheet, 16};
    drawn.Target = &target;
    for (Game* g : {&drawn, &undrawn}) {
        g->w.DiamondTarget = 1; // the eggs and chasers need not be collected
        g->Hold(Key::Right);
    }
    std::set<int> kinds;
    bool endPhase = false;
    for (int f = 0; f < 1500 && drawn.w.GameState == StatePlay; ++f) {
        if (f == 12) {
            drawn.ReleaseAll();
            undrawn.ReleaseAll();
        }
        drawn.Frame();
        undrawn.Frame();
        ASSERT_EQ(drawn.w.ActorCount, undrawn.w.ActorCount) << "frame " << f;
        for (int i = 0; i < drawn.w.ActorCount; ++i) {
            ASSERT_EQ(drawn.Actor(i), undrawn.Actor(i)) << "frame " << f << ", actor " << i;
            kinds.insert(drawn.Actor(i).Kind);
        }
        ASSERT_EQ(drawn.w.Cells, undrawn.w.Cells) << "frame " << f;
        ASSERT_EQ(drawn.w.Player, undrawn.w.Player) << "frame " << f;
        ASSERT_EQ(drawn.w.GameState, undrawn.w.GameState) << "frame " << f;
        endPhase = endPhase || drawn.w.EndPhase;
    }
    // Everything the test is for happened.
    for (int kind : std::initializer_list<int>{Digging, Chaser, EggHatching, Monster, WeedGrowing, DiamondTaken})
        EXPECT_TRUE(kinds.count(kind)) << kind;
    EXPECT_TRUE(endPhase);
}

} // namespace
} // namespace gravlin::test
