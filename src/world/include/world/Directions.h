#pragma once
// Direction codes, shared by the player, the actors and the step tables, and
// what they mean on the grid.

#include <cstdint>

namespace gravlin {

// The numbers are the game's own: they are stored in the actor records and
// shown by the replay runner's state.
enum class Dir : std::uint8_t {
    Rest = 0,
    Right = 1,
    Left = 2,
    Up = 3,
    Down = 4,
    InPlace = 5,   // animating where it stands
    PushRight = 8, // the player only
    PushLeft = 9,
    DownLeft = 10,
    UpLeft = 11,
    DownRight = 12,
    UpRight = 13,
};

// Columns and rows one cell of a move goes.
struct CellOffset {
    int DX = 0;
    int DY = 0;
};

// The offset of a direction: diagonals move one column and one row, pushes
// move as the plain step, and Rest and InPlace do not move.
constexpr CellOffset OffsetOf(Dir d) {
    switch (d) {
    case Dir::Right:
    case Dir::PushRight: return {1, 0};
    case Dir::Left:
    case Dir::PushLeft: return {-1, 0};
    case Dir::Up: return {0, -1};
    case Dir::Down: return {0, 1};
    case Dir::DownLeft: return {-1, 1};
    case Dir::UpLeft: return {-1, -1};
    case Dir::DownRight: return {1, 1};
    case Dir::UpRight: return {1, -1};
    default: return {0, 0};
    }
}

// The direction of a move dx columns and dy rows away (only the signs
// count): a diagonal when both are non-zero, Rest when both are zero.
constexpr Dir Towards(int dx, int dy) {
    if (dx < 0 && dy < 0) return Dir::UpLeft;
    if (dx > 0 && dy < 0) return Dir::UpRight;
    if (dx < 0 && dy > 0) return Dir::DownLeft;
    if (dx > 0 && dy > 0) return Dir::DownRight;
    if (dx < 0) return Dir::Left;
    if (dx > 0) return Dir::Right;
    if (dy > 0) return Dir::Down;
    if (dy < 0) return Dir::Up;
    return Dir::Rest;
}

// The two straight parts of a diagonal (Left or Right, Up or Down).
constexpr Dir HorizontalPart(Dir d) {
    return OffsetOf(d).DX < 0 ? Dir::Left : Dir::Right;
}
constexpr Dir VerticalPart(Dir d) {
    return OffsetOf(d).DY < 0 ? Dir::Up : Dir::Down;
}

constexpr bool IsDiagonal(Dir d) {
    return OffsetOf(d).DX != 0 && OffsetOf(d).DY != 0;
}

// Up and down moves measure their distance on the rows; every other move on
// the columns.
constexpr bool MovesVertically(Dir d) {
    return d == Dir::Up || d == Dir::Down;
}

constexpr int DirCode(Dir d) {
    return static_cast<int>(d);
}

} // namespace gravlin
