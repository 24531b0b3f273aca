#pragma once
// Step tables: pairs of 20-entry pixel-step tables (dx, dy), one pair per
// direction and special flight, filled for the game speed at each level start.

#include "world/Directions.h"

#include <array>
#include <cstdint>

namespace gravlin {

// Every step is between -8 and 8 pixels: a byte each keeps an actor record's
// tables in 40 bytes, so that the passes over all 601 records and the
// solver's copies of the World move less memory.
using StepTable = std::array<std::int8_t, 20>;

struct StepPair {
    StepTable DX{};
    StepTable DY{};
};

enum class StepPairId : std::uint8_t {
    StepRight,
    StepLeft,
    StepUp,
    StepDown,
    StepDownLeft,
    StepUpLeft,
    StepDownRight,
    StepUpRight,
    FlightDownLeft,
    FlightUpLeft,
    FlightDownRight,
    FlightUpRight,
    CrushLeft,
    CrushRight,
    FastFall,
    DeathFlightLeft,
    DeathFlightRight,
    Count
};

// 17 pairs: the 34 tables.
struct StepTables {
    std::array<StepPair, static_cast<std::size_t>(StepPairId::Count)> Pairs{};
    const StepPair& operator[](StepPairId id) const { return Pairs[static_cast<std::size_t>(id)]; }
    StepPair& operator[](StepPairId id) { return Pairs[static_cast<std::size_t>(id)]; }
};

// Fills the tables for speed 2, 4 or 6; any other speed leaves them as they are.
void BuildStepTables(StepTables& tables, int gameSpeed);

// The step pair of a plain or diagonal direction; StepLeft for any other.
StepPairId DirectionPair(Dir dir);

} // namespace gravlin
