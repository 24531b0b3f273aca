#pragma once
// The World: everything a level changes, in one plain copyable struct. The
// grid, the actor table, the player's record and the level-wide values live
// here; each rule is a free function over a World&. Tests build a World from
// 192 codes and run ticks; the replay runner and the solver copy it.

#include "common/Random.h"
#include "world/CellCodes.h"
#include "world/Directions.h"
#include "world/StepTables.h"

#include <array>
#include <cstdint>

namespace gravlin {

class SoundCues;
class Keyboard;

constexpr int MapColumns = 16;
constexpr int MapRows = 12;
constexpr int MapCellCount = 192;
constexpr int CellRecordCount = 207;
constexpr int ActorTableSize = 601;
constexpr int LevelCountFixed = 70;
// TeleportFxActor before the teleport animation's record is reserved.
constexpr int NoTeleportFx = 7777;

// Game states.
enum : int {
    StateIntro = 0,
    StateHelp = 1,
    StateMenu = 2,
    StatePlayers = 3,
    StateLevelSelect = 8,
    StatePlay = 9,
    StateLevelDone = 10,
    StateGameOver = 11,
};

struct Cell {
    int Tile = NoActor;
    int Content = NoActor;
    int ActorIndex = NoActor;
    int TeleportNo = NoActor;
    int ChaserCount = 0;
    bool operator==(const Cell&) const = default;
};

// One cache line a record, starting on one: the passes of the play tick over
// all 601 records and the solver's copies of the World move as little as
// they can.
struct alignas(64) ActorRecord {
    bool Active = false;
    bool AnimForward = true;
    gravlin::Dir Dir = gravlin::Dir::Rest;
    gravlin::Dir PrevDir = gravlin::Dir::Rest;
    int Kind = 0;
    std::uint8_t DirHistory1 = 0; // two more bytes of direction history
    std::uint8_t DirHistory2 = 0;
    std::uint8_t KindByte1 = 0; // per-kind bytes: 1 at creation,
    std::uint8_t KindByte2 = 0; // and 6 for a chaser
    int X = 0;
    int Y = 0;
    int StepIndex = 0;
    int FirstFrame = 0;
    int LastFrame = 0;
    int Frame = 0;
    int AnimTicks = 0;
    int AnimDelay = 0;
    int Moved = 0;
    int MoveLength = 40;
    std::uint8_t Facing = 0;
    std::uint8_t KindByte3 = 0; // one more byte for the actor rules
    std::uint8_t Cleared1 = 0;  // four bytes cleared at creation, the last
    std::uint8_t Cleared2 = 0;  // of which is Falling
    std::uint8_t Cleared3 = 0;
    bool Falling = false;
    // The step tables of the actor's move, in the World's tables: they are
    // built at the level's start, before any actor, and stay until its end.
    StepPairId Steps = StepPairId::StepLeft;
    int FallCount = 0;
    bool operator==(const ActorRecord&) const = default;
};
static_assert(sizeof(ActorRecord) == 64, "a pass over the actor table reads one cache line a record");

struct PixelPos {
    int X = 0;
    int Y = 0;
    bool operator==(const PixelPos&) const = default;
};

// The player's own record (it is not an actor record).
struct PlayerState {
    Dir PlayerDir = Dir::Rest;
    Dir PlayerPrevDir = Dir::Rest;
    int PlayerX = 0;
    int PlayerY = 0;
    StepTable PlayerStepDX{};
    StepTable PlayerStepDY{};
    int PlayerStepIndex = 0;
    int PlayerFirstFrame = 24;
    int PlayerLastFrame = 27;
    int PlayerFrame = 24;
    int PlayerAnimTicks = 0;
    int PlayerAnimDelay = 9;
    int PlayerMoved = 0;
    int PlayerMoveLength = 40;
    int PlayerCell = 0;
    int HeldRock = NoActor;
    bool PlayerReady = true;
    bool PlayerDying = false;
    bool PlayerInTransit = false;
    bool PlayerActed = false;
    bool PlayerFacingRight = false;
    bool operator==(const PlayerState&) const = default;
};

// What the player's rules report from one play frame.
struct PlayReport {
    // The player entered the open book: the level is won.
    bool LevelWon = false;
    // The death fall is over: the game is lost.
    bool FallEnded = false;
    // A speed key was read (2, 4 or 6; 0 when none): the level starts afresh
    // at that speed, which is the player's option from now on.
    int SpeedChosen = 0;
};

struct World {
    // The grid: records 0 to 191 are the map, the 15 after them belong to no cell.
    std::array<Cell, CellRecordCount> Cells{};
    // The actor table, in use from 0 to ActorCount - 1.
    std::array<ActorRecord, ActorTableSize> Actors{};
    int ActorCount = 0;

    int DiamondTarget = 0;
    int CollectedCount = 0;
    int BookCell = 0;
    std::array<PixelPos, 7> TeleportDest{};
    bool KeyAUsed = false;
    bool KeyBUsed = false;
    int TeleportFxActor = NoTeleportFx;
    // Closed-book form at level start, open-book form once the book opens.
    CodeSet RockFallInto = RockFallIntoClosedBook();
    StepTables Steps{};

    // The player.
    PlayerState Player{};
    Dir RequestedDir = Dir::Rest;
    bool PlayerPushing = false;
    int TeleportGoalX = 0;
    int TeleportGoalY = 0;

    // Weed growth is serialised across the level.
    bool WeedGrowingNow = false;

    // Book opening and level endings.
    bool EndPhase = false;
    int PaceCounter = 0;
    int PaceFrames = 0;
    int BorderCursor = 15;
    char BorderSide = 'T';
    int WipeRing = 0;
    int GameOverPhase = 0;
    bool LoseCuePlayed = false;

    // Program-wide values the rules read and change: the state as the actor
    // pass tests it (the player ends play by changing it), the one life, the
    // speed, and the side the next flying diamond takes.
    int GameState = StateIntro;
    int Lives = 0;
    int GameSpeed = 4;
    bool ExplosionToggle = true;

    // What the player did in this play frame that the game outside the
    // rules must act on (the player files, the screens).
    PlayReport Report{};

    // The World's own random generator; weed is its only user in play.
    Random Rng{};

    // Where cues go and where the keyboard is read. Not owned; may be null
    // (no sound; no keys held).
    SoundCues* Sound = nullptr;
    Keyboard* Keys = nullptr;
};

// Cell geometry.
inline int CellColumn(int cell) {
    return cell % MapColumns;
}
inline int CellRow(int cell) {
    return cell / MapColumns;
}
inline int CellAt(int x, int y) {
    return (y / 40) * MapColumns + (x / 40);
}
inline bool InMap(int cell) {
    return cell >= 0 && cell < MapCellCount;
}

// The inner edge of the playable area: column 1, row 1, column 14, row 10.
inline bool AtLeftEdge(int cell) {
    return CellColumn(cell) == 1;
}
inline bool AtTopEdge(int cell) {
    return CellRow(cell) == 1;
}
inline bool AtRightEdge(int cell) {
    return CellColumn(cell) == 14;
}
inline bool AtBottomEdge(int cell) {
    return CellRow(cell) == 10;
}

// The actor standing in a cell, or null when the cell has none (or the cell
// lies outside the grid, or its index is not a record in use).
ActorRecord* ActorOf(World& w, int cell);

// Gives an actor the step pair of its next move, one of the World's tables.
inline void LoadSteps(World&, ActorRecord& a, StepPairId id) {
    a.Steps = id;
}

} // namespace gravlin
