// The step tables of the three speeds: how many ticks a move takes, where it
// ends, and that an unknown speed changes nothing.

#include "world/StepTables.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace gravlin {
namespace {

struct MoveResult {
    int Ticks = 0;
    int DX = 0;
    int DY = 0;
};

// Runs a move the way the play tick does: one step per tick, Moved counting
// the vertical steps for up and down and the horizontal ones otherwise, until
// 40 pixels are covered (or all 20 steps are used).
MoveResult RunMove(const StepPair& p, bool vertical) {
    MoveResult r;
    int moved = 0;
    while (moved < 40 && r.Ticks < 20) {
        const std::size_t s = static_cast<std::size_t>(r.Ticks);
        r.DX += p.DX[s];
        r.DY += p.DY[s];
        moved += std::abs(vertical ? p.DY[s] : p.DX[s]);
        ++r.Ticks;
    }
    return r;
}

StepTables Built(int speed) {
    StepTables t;
    BuildStepTables(t, speed);
    return t;
}

TEST(StepTables, OrdinaryMovesCoverOneCellIn20Or10Or7Ticks) {
    struct Dir {
        StepPairId Id;
        int DX, DY;
    };
    const Dir dirs[] = {
        {StepPairId::StepRight, 40, 0},      {StepPairId::StepLeft, -40, 0},      {StepPairId::StepUp, 0, -40},
        {StepPairId::StepDown, 0, 40},       {StepPairId::StepDownLeft, -40, 40}, {StepPairId::StepUpLeft, -40, -40},
        {StepPairId::StepDownRight, 40, 40}, {StepPairId::StepUpRight, 40, -40},
    };
    for (auto [speed, ticks] : {std::pair{2, 20}, std::pair{4, 10}, std::pair{6, 7}}) {
        StepTables t = Built(speed);
        for (const Dir& d : dirs) {
            bool vertical = d.Id == StepPairId::StepUp || d.Id == StepPairId::StepDown;
            MoveResult r = RunMove(t[d.Id], vertical);
            EXPECT_EQ(r.Ticks, ticks) << "speed " << speed << " pair " << static_cast<int>(d.Id);
            EXPECT_EQ(r.DX, d.DX) << "speed " << speed << " pair " << static_cast<int>(d.Id);
            EXPECT_EQ(r.DY, d.DY) << "speed " << speed << " pair " << static_cast<int>(d.Id);
        }
    }
}

TEST(StepTables, FastFallTakes10Or7Or5Ticks) {
    for (auto [speed, ticks] : {std::pair{2, 10}, std::pair{4, 7}, std::pair{6, 5}}) {
        MoveResult r = RunMove(Built(speed)[StepPairId::FastFall], true);
        EXPECT_EQ(r.Ticks, ticks) << speed;
        EXPECT_EQ(r.DX, 0) << speed;
        EXPECT_EQ(r.DY, 40) << speed;
    }
}

TEST(StepTables, CrushWobbleEndsWhereItStarted) {
    for (int speed : {2, 4, 6}) {
        StepTables t = Built(speed);
        MoveResult left = RunMove(t[StepPairId::CrushLeft], false);
        MoveResult right = RunMove(t[StepPairId::CrushRight], false);
        EXPECT_EQ(left.DX, -40) << speed;
        EXPECT_EQ(right.DX, 40) << speed;
        EXPECT_EQ(left.DY, 0) << speed;
        EXPECT_EQ(right.DY, 0) << speed;
        EXPECT_EQ(left.Ticks, speed == 2 ? 20 : 10) << speed;
    }
    // The wobble profiles themselves.
    EXPECT_EQ(Built(6)[StepPairId::CrushLeft].DY,
              (StepTable{-2, 0, -2, -2, 2, 2, 2, 0, 0, 0, 0, -2, -2, -2, -2, -2, -2, -2, -2, -2}));
    EXPECT_EQ(Built(4)[StepPairId::CrushRight].DY,
              (StepTable{-2, -2, -2, -2, -2, 2, 2, 2, 2, 2, -2, -2, -2, -2, -2, -2, -2, -2, -2, -2}));
    EXPECT_EQ(Built(2)[StepPairId::CrushLeft].DY,
              (StepTable{-2, 0, -2, 0, -2, 0, -2, 0, -2, 0, 2, 0, 2, 0, 2, 0, 2, 0, 2, 0}));
}

TEST(StepTables, FlightsAndDeathHop) {
    const StepTable hop{4, 4, 4, 4, 4, -4, -4, -4, -4, -4, -4, -4, -4, -2, -2, -2, -2, -2, -2, -2};
    for (int speed : {2, 4, 6}) {
        StepTables t = Built(speed);
        const int across = speed == 2 ? 2 : 4;
        const int flight = speed == 6 ? 4 : 2;
        EXPECT_EQ(t[StepPairId::DeathFlightLeft].DY, hop) << speed;
        EXPECT_EQ(t[StepPairId::DeathFlightRight].DY, hop) << speed;
        EXPECT_EQ(t[StepPairId::DeathFlightLeft].DX[19], -across) << speed;
        EXPECT_EQ(t[StepPairId::DeathFlightRight].DX[0], across) << speed;
        EXPECT_EQ(t[StepPairId::FlightUpLeft].DX[0], -flight) << speed;
        EXPECT_EQ(t[StepPairId::FlightUpLeft].DY[19], -flight) << speed;
        EXPECT_EQ(t[StepPairId::FlightDownRight].DX[7], flight) << speed;
        EXPECT_EQ(t[StepPairId::FlightDownRight].DY[7], flight) << speed;
    }
}

TEST(StepTables, UnknownSpeedLeavesTablesUnchanged) {
    for (int odd : {0, 3, 5, 8, -4}) {
        StepTables t = Built(4);
        BuildStepTables(t, odd);
        StepTables four = Built(4);
        for (std::size_t i = 0; i < t.Pairs.size(); ++i) {
            EXPECT_EQ(t.Pairs[i].DX, four.Pairs[i].DX) << odd << " pair " << i;
            EXPECT_EQ(t.Pairs[i].DY, four.Pairs[i].DY) << odd << " pair " << i;
        }
    }
}

} // namespace
} // namespace gravlin
