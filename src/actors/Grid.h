#pragma once
// Small grid helpers shared by the actor rules: neighbours that know where
// the map ends, and guarded access to a cell's record.

#include "world/Frames.h"
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

// An actor shows the frames of a range from its first.
inline void ShowFrames(ActorRecord& a, FrameRange f) {
    a.FirstFrame = f.First;
    a.LastFrame = f.Last;
    a.Frame = f.First;
}

// An actor turns into another kind where it stands, playing its frames
// (an egg hatching, a chaser going home); the animation's end finishes it.
inline void ChangeInPlace(ActorRecord& a, int kind, FrameRange f, int delay) {
    a.Kind = kind;
    ShowFrames(a, f);
    a.AnimDelay = delay;
    a.Dir = Dir::InPlace;
}

// The cell an actor stands in, from its pixel position.
inline int ActorCell(const ActorRecord& a) {
    return CellAt(a.X, a.Y);
}

// Whether a cell lies on the inner edge of the playable area on the side a
// straight direction leads to: no move of the player, a monster or a chaser
// goes that way from there.
inline bool AtInnerEdge(int cell, Dir dir) {
    switch (dir) {
    case Dir::Right: return AtRightEdge(cell);
    case Dir::Left: return AtLeftEdge(cell);
    case Dir::Up: return AtTopEdge(cell);
    case Dir::Down: return AtBottomEdge(cell);
    default: return false;
    }
}

// The neighbour one move in a direction away, or -1 off the map.
inline int NeighbourInDir(int cell, Dir dir) {
    const CellOffset o = OffsetOf(dir);
    return Neighbour(cell, o.DX, o.DY);
}

} // namespace gravlin
