#pragma once
// Small grid helpers shared by the actor rules: neighbours that know where
// the map ends, and guarded access to a cell's record.

#include "world/Map.h"

namespace gravlin {

// The cell dx columns and dy rows away from `cell`, or -1 when that lies off
// the 16 by 12 map (a cell in column 15 has no right neighbour: the next
// index would be column 0 of the row below). ContentAt reads -1 as border wall.
inline int Neighbour(int cell, int dx, int dy) {
    if (!InMap(cell)) return -1;
    const int col = CellColumn(cell) + dx;
    const int row = CellRow(cell) + dy;
    if (col < 0 || col >= MapColumns || row < 0 || row >= MapRows) return -1;
    return row * MapColumns + col;
}

// The record of a map cell, or null off the map.
inline Cell* CellRecord(World& w, int cell) {
    return InMap(cell) ? &w.Cells[static_cast<std::size_t>(cell)] : nullptr;
}

// The actor at an index of the table in use, or null.
inline ActorRecord* ActorAt(World& w, int index) {
    if (index < 0 || index >= ActorTableSize || index >= w.ActorCount) return nullptr;
    return &w.Actors[static_cast<std::size_t>(index)];
}

// The cell an actor stands in, from its pixel position.
inline int ActorCell(const ActorRecord& a) { return CellAt(a.X, a.Y); }

// Cell offsets of the direction codes: 1 right, 2 left, 3 up, 4 down,
// 10 down-left, 11 up-left, 12 down-right, 13 up-right.
inline void DirectionOffset(int dir, int& dx, int& dy) {
    dx = 0;
    dy = 0;
    switch (dir) {
    case 1: dx = 1; break;
    case 2: dx = -1; break;
    case 3: dy = -1; break;
    case 4: dy = 1; break;
    case 10: dx = -1; dy = 1; break;
    case 11: dx = -1; dy = -1; break;
    case 12: dx = 1; dy = 1; break;
    case 13: dx = 1; dy = -1; break;
    default: break;
    }
}

inline int NeighbourInDir(int cell, int dir) {
    int dx, dy;
    DirectionOffset(dir, dx, dy);
    return Neighbour(cell, dx, dy);
}

} // namespace gravlin
