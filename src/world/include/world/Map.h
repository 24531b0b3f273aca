#pragma once
// Level setup: turning the 192 codes of a level into a grid and a table of
// actors, and the creation of actors during play.

#include "world/World.h"

#include <array>

namespace gravlin {

using LevelCodes = std::array<int, MapCellCount>;

// The code of a cell as the rules test it; a cell outside the grid reads as
// border wall, so nothing ever moves off the map or reads past the grid.
inline int ContentAt(const World& w, int cell) {
    return InMap(cell) ? w.Cells[static_cast<std::size_t>(cell)].Content : BorderWall;
}

// Creates an actor for a cell and a code and returns its index; on a full
// table (601 records in use) nothing changes and NoActor is returned.
int CreateActor(World& w, int cell, int code);

// Puts the player at a cell and resets the player's record.
void PlacePlayer(World& w, int cell);

// Steps 1 and 3 to 5 of level setup, from codes already read.
void SetupLevelCodes(World& w, const LevelCodes& codes);

// The border ring around the playable area: rows 0 and 11, columns 0 and 15.
bool OnBorderRing(int cell);

// What the ring holds in a whole level: a corner in each of the four corner
// cells, border wall in every other cell of the ring (0 off the ring).
int BorderRingCode(int cell);

// Writes the whole ring into a level's codes.
void ForceBorderRing(LevelCodes& codes);

} // namespace gravlin
