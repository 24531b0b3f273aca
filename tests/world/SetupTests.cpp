// Level setup: the grid, the actors and the level-wide values a level's 192
// codes give; CreateActor's table of codes and its full table.

#include "WorldTestLevels.h"

#include <gtest/gtest.h>
#include <memory>

namespace gravlin {
namespace {

using testing::At;
using testing::EarthLevel;

// The World is large: keep it off the stack.
std::unique_ptr<World> Prepared(const LevelCodes& codes, int speed = 4) {
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, speed);
    w->DiamondTarget = 0;
    SetupLevelCodes(*w, codes);
    return w;
}

const Cell& CellOf(const World& w, int i) {
    return w.Cells[static_cast<std::size_t>(i)];
}

TEST(SetupLevel, EarthWallsStartAndBookOnlyGiveNothingToCollect) {
    LevelCodes codes = EarthLevel();
    codes[At(5, 5)] = StaticWall;
    codes[At(6, 5)] = Monster; // a code level setup makes no actor for
    auto w = Prepared(codes);
    w->RockFallInto = RockFallIntoOpenBook();
    w->KeyAUsed = w->KeyBUsed = true;
    w->TeleportFxActor = 3;
    SetupLevelCodes(*w, codes);

    EXPECT_EQ(w->DiamondTarget, 0);
    EXPECT_EQ(w->ActorCount, 0);
    EXPECT_EQ(w->BookCell, At(14, 10));
    EXPECT_EQ(w->TeleportFxActor, NoTeleportFx);
    EXPECT_FALSE(w->KeyAUsed);
    EXPECT_FALSE(w->KeyBUsed);
    EXPECT_EQ(w->RockFallInto, RockFallIntoClosedBook());

    // The player's start becomes empty and the player stands there.
    EXPECT_EQ(CellOf(*w, At(1, 1)).Content, Empty);
    EXPECT_EQ(CellOf(*w, At(1, 1)).Tile, Empty);
    EXPECT_EQ(w->Player.PlayerCell, At(1, 1));
    EXPECT_EQ(w->Player.PlayerX, 40);
    EXPECT_EQ(w->Player.PlayerY, 40);

    // Static codes keep their code as tile and content, without an actor.
    for (int i : {0, 15, 176, 191, At(5, 5), At(6, 5), At(14, 10), At(7, 7)}) {
        EXPECT_EQ(CellOf(*w, i).Tile, codes[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(CellOf(*w, i).Content, codes[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(CellOf(*w, i).ActorIndex, NoActor) << i;
        EXPECT_EQ(CellOf(*w, i).TeleportNo, NoActor) << i;
    }
    EXPECT_EQ(ActorOf(*w, At(6, 5)), nullptr);
    // The records after the map belong to no cell and are reset all the same.
    for (int i = MapCellCount; i < CellRecordCount; ++i) {
        EXPECT_EQ(CellOf(*w, i).Tile, NoActor);
        EXPECT_EQ(CellOf(*w, i).Content, NoActor);
        EXPECT_EQ(CellOf(*w, i).ChaserCount, 0);
    }
}

TEST(SetupLevel, CollectablesChasersBooksAndTeleports) {
    LevelCodes codes = EarthLevel();
    codes[At(2, 2)] = Diamond;
    codes[At(3, 2)] = Egg;
    codes[At(4, 2)] = LockedDiamondA;
    codes[At(5, 2)] = LockedDiamondB;
    codes[At(6, 2)] = Chaser;
    codes[At(7, 2)] = Chaser;
    codes[At(8, 2)] = Rock;
    codes[At(9, 2)] = Weed;
    codes[At(2, 4)] = Book; // an earlier book: stays closed for ever
    // Two exits numbered 2: the later cell wins.
    codes[At(3, 6)] = TeleportExit1 + 1;
    codes[At(9, 8)] = TeleportExit1 + 1;
    codes[At(4, 4)] = TeleportEntrance1 + 1;
    auto w = Prepared(codes);

    EXPECT_EQ(w->DiamondTarget, 6); // diamond, egg, two locked, two chasers
    EXPECT_EQ(w->ActorCount, 9);    // those six, the rock, the weed, the entrance
    EXPECT_EQ(w->BookCell, At(14, 10));
    EXPECT_EQ(CellOf(*w, At(2, 4)).Content, Book);
    EXPECT_EQ(CellOf(*w, At(2, 4)).Tile, Book);

    for (int i = 0; i < CellRecordCount; ++i) {
        bool chaser = i == At(6, 2) || i == At(7, 2);
        EXPECT_EQ(CellOf(*w, i).ChaserCount, chaser ? 1 : 0) << i;
    }

    EXPECT_EQ(w->TeleportDest[2], (PixelPos{9 * 40, 8 * 40}));
    for (std::size_t n : {0u, 1u, 3u, 4u, 5u, 6u}) EXPECT_EQ(w->TeleportDest[n], PixelPos{}) << n;
    for (int i : {At(3, 6), At(9, 8)}) {
        EXPECT_EQ(CellOf(*w, i).Tile, Empty);
        EXPECT_EQ(CellOf(*w, i).Content, Empty);
    }
    const Cell& entrance = CellOf(*w, At(4, 4));
    EXPECT_EQ(entrance.TeleportNo, 2);
    EXPECT_EQ(entrance.Tile, 0);
    EXPECT_EQ(entrance.Content, TeleportEntrance1 + 1);
    ASSERT_NE(ActorOf(*w, At(4, 4)), nullptr);
    EXPECT_EQ(ActorOf(*w, At(4, 4))->FirstFrame, 115);

    // Every actor's cell points at it and holds its code.
    for (int i = 0; i < w->ActorCount; ++i) {
        const ActorRecord& a = w->Actors[static_cast<std::size_t>(i)];
        int cell = CellAt(a.X, a.Y);
        EXPECT_EQ(CellOf(*w, cell).ActorIndex, i);
        EXPECT_EQ(CellOf(*w, cell).Content, a.Kind);
        EXPECT_EQ(CellOf(*w, cell).Tile, 0);
    }
}

TEST(SetupLevel, TeleportEntranceWithoutUsableExitIsIgnored) {
    LevelCodes codes = EarthLevel();
    codes[At(3, 3)] = TeleportEntrance1;     // number 1: no exit at all
    codes[At(4, 3)] = TeleportEntrance1 + 2; // number 3: exit only on the ring
    codes[At(5, 3)] = TeleportEntrance5;     // number 5: a proper exit
    codes[At(0, 5)] = TeleportExit1 + 2;
    codes[At(6, 6)] = TeleportExit5;
    auto w = Prepared(codes);

    EXPECT_EQ(CellOf(*w, At(3, 3)).TeleportNo, NoActor);
    EXPECT_EQ(CellOf(*w, At(4, 3)).TeleportNo, NoActor);
    EXPECT_EQ(CellOf(*w, At(5, 3)).TeleportNo, 5);
    EXPECT_EQ(w->TeleportDest[1], PixelPos{});
    EXPECT_EQ(w->TeleportDest[3], PixelPos{});
    EXPECT_EQ(w->TeleportDest[5], (PixelPos{6 * 40, 6 * 40}));
    // The ignored entrances still show and animate.
    EXPECT_EQ(w->ActorCount, 3);
    EXPECT_EQ(CellOf(*w, At(3, 3)).Content, TeleportEntrance1);
}

TEST(SetupLevel, SecondLevelResetsWhatTheFirstLeft) {
    LevelCodes first = EarthLevel();
    first[At(6, 2)] = Chaser;
    first[At(3, 6)] = TeleportExit1;
    auto w = Prepared(first);
    LevelCodes second = EarthLevel();
    second[At(14, 10)] = Earth; // no book: BookCell keeps the last level's
    w->DiamondTarget = 0;
    SetupLevelCodes(*w, second);
    EXPECT_EQ(w->ActorCount, 0);
    EXPECT_EQ(w->BookCell, At(14, 10));
    EXPECT_EQ(CellOf(*w, At(6, 2)).ChaserCount, 0);
    EXPECT_EQ(w->TeleportDest[1], PixelPos{});
}

TEST(EdgePredicates, MarkTheInnerEdgeOfThePlayableArea) {
    EXPECT_FALSE(AtLeftEdge(16));
    EXPECT_TRUE(AtLeftEdge(17));
    EXPECT_FALSE(AtTopEdge(15));
    EXPECT_TRUE(AtTopEdge(17));
    EXPECT_FALSE(AtRightEdge(17));
    EXPECT_TRUE(AtRightEdge(30));
    EXPECT_FALSE(AtRightEdge(31));
    EXPECT_TRUE(AtBottomEdge(175));
    EXPECT_FALSE(AtBottomEdge(176));
    EXPECT_TRUE(AtLeftEdge(161));
    EXPECT_FALSE(AtTopEdge(1));
}

struct ActorExpectation {
    int Code;
    int FirstFrame;
    int LastFrame;
    int Dir;
    int AnimDelay;
    int TargetGain;
};

TEST(CreateActor, FollowsItsTableOfCodes) {
    const ActorExpectation table[] = {
        {Digging, 1, 5, 5, 1, 0},
        {LockedDiamondB, 23, 23, 5, 8, 1},
        {LockedDiamondA, 22, 22, 5, 8, 1},
        {Weed, 104, 104, 0, 8, 0},
        {TeleportEntrance1, 115, 126, 5, 8, 0},
        {TeleportEntrance5, 115, 126, 5, 8, 0},
        {WeedGrowing, 100, 104, 5, 5, 0},
        {Diamond, 6, 6, 0, 0, 1},
        {Rock, 77, 77, 0, 0, 0},
        {Egg, 12, 12, 0, 7, 1},
        {Chaser, 64, 67, 0, 16, 1},
    };
    for (const auto& e : table) {
        auto w = Prepared(EarthLevel(), 6);
        const int cell = At(7, 4);
        w->Cells[static_cast<std::size_t>(cell)].ChaserCount = 3;
        const int before = w->DiamondTarget;
        const int index = CreateActor(*w, cell, e.Code);
        ASSERT_EQ(index, 0) << e.Code;
        const ActorRecord& a = w->Actors[0];
        EXPECT_TRUE(a.Active);
        EXPECT_EQ(a.Kind, e.Code);
        EXPECT_EQ(a.FirstFrame, e.FirstFrame) << e.Code;
        EXPECT_EQ(a.LastFrame, e.LastFrame) << e.Code;
        EXPECT_EQ(a.Frame, e.FirstFrame) << e.Code;
        EXPECT_EQ(DirCode(a.Dir), e.Dir) << e.Code;
        EXPECT_EQ(a.AnimDelay, e.AnimDelay) << e.Code;
        EXPECT_EQ(w->DiamondTarget - before, e.TargetGain) << e.Code;
        EXPECT_EQ(a.X, 7 * 40);
        EXPECT_EQ(a.Y, 4 * 40);
        EXPECT_EQ(a.MoveLength, 40);
        EXPECT_EQ(a.StepIndex, 0);
        EXPECT_EQ(a.Moved, 0);
        EXPECT_EQ(a.AnimTicks, 0);
        EXPECT_EQ(a.KindByte1, 1);
        EXPECT_EQ(a.Steps, StepPairId::StepLeft);
        EXPECT_EQ(a.AnimForward, e.Code != Rock) << e.Code;
        EXPECT_EQ(a.PrevDir, e.Code == Chaser ? Dir::Left : Dir::Rest) << e.Code;
        if (e.Code == Chaser) {
            EXPECT_EQ(a.KindByte2, 6);
        }
        const Cell& c = w->Cells[static_cast<std::size_t>(cell)];
        EXPECT_EQ(c.ActorIndex, 0);
        EXPECT_EQ(c.Tile, 0);
        EXPECT_EQ(c.Content, e.Code);
        EXPECT_EQ(c.ChaserCount, e.Code == Chaser ? 1 : 0) << e.Code;
    }
}

TEST(CreateActor, AnyOtherCodeLeavesFramesAndDirectionToTheCaller) {
    auto w = Prepared(EarthLevel());
    ActorRecord& a = w->Actors[0];
    a.FirstFrame = 62;
    a.LastFrame = 63;
    a.Dir = Dir::Up;
    ASSERT_EQ(CreateActor(*w, At(3, 3), Monster), 0);
    EXPECT_EQ(a.FirstFrame, 62);
    EXPECT_EQ(a.LastFrame, 63);
    EXPECT_EQ(a.Frame, 62);
    EXPECT_EQ(a.Dir, Dir::Up);
    EXPECT_EQ(a.AnimDelay, 8);
    EXPECT_EQ(w->DiamondTarget, 0);
}

TEST(CreateActor, FullTableRefusesAndWritesNothingPastTheEnd) {
    auto w = Prepared(EarthLevel());
    const int cell = At(9, 9);
    for (int i = 0; i < ActorTableSize; ++i) ASSERT_EQ(CreateActor(*w, cell, Digging), i);
    ASSERT_EQ(w->ActorCount, ActorTableSize);
    w->Cells[static_cast<std::size_t>(cell)] = Cell{Earth, Earth, NoActor, NoActor, 0};
    const ActorRecord last = w->Actors[ActorTableSize - 1];
    const int target = w->DiamondTarget;

    EXPECT_EQ(CreateActor(*w, cell, Diamond), NoActor);
    EXPECT_EQ(CreateActor(*w, cell, Chaser), NoActor);
    EXPECT_EQ(w->ActorCount, ActorTableSize);
    EXPECT_EQ(w->DiamondTarget, target);
    const Cell& c = w->Cells[static_cast<std::size_t>(cell)];
    EXPECT_EQ(c.Content, Earth);
    EXPECT_EQ(c.Tile, Earth);
    EXPECT_EQ(c.ActorIndex, NoActor);
    EXPECT_EQ(c.ChaserCount, 0);
    EXPECT_EQ(w->Actors[ActorTableSize - 1].Kind, last.Kind);
    EXPECT_EQ(w->Actors[ActorTableSize - 1].X, last.X);
}

TEST(CreateActor, CellOutsideTheMapIsRefused) {
    auto w = Prepared(EarthLevel());
    EXPECT_EQ(CreateActor(*w, -1, Diamond), NoActor);
    EXPECT_EQ(CreateActor(*w, MapCellCount, Diamond), NoActor);
    EXPECT_EQ(w->ActorCount, 0);
}

} // namespace
} // namespace gravlin
