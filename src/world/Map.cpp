#include "world/Map.h"

namespace gravlin {

ActorRecord* ActorOf(World& w, int cell) {
    if (!InMap(cell)) return nullptr;
    int index = w.Cells[static_cast<std::size_t>(cell)].ActorIndex;
    if (index < 0 || index >= ActorTableSize || index >= w.ActorCount) return nullptr;
    return &w.Actors[static_cast<std::size_t>(index)];
}

void LoadSteps(World& w, ActorRecord& a, StepPairId id) {
    a.StepDX = w.Steps[id].DX;
    a.StepDY = w.Steps[id].DY;
}

int CreateActor(World& w, int cell, int code) {
    if (w.ActorCount >= ActorTableSize || !InMap(cell)) return NoActor;
    const int index = w.ActorCount;
    Cell& c = w.Cells[static_cast<std::size_t>(cell)];
    c.ActorIndex = index;
    c.Tile = 0;
    c.Content = 0;
    c.ChaserCount = 0;

    ActorRecord& a = w.Actors[static_cast<std::size_t>(index)];
    ++w.ActorCount;
    a.Active = true;
    a.Kind = code;
    a.X = CellColumn(cell) * 40;
    a.Y = CellRow(cell) * 40;
    a.AnimDelay = 8;
    a.MoveLength = 40;
    a.Cleared2 = 0;
    a.Cleared3 = 0;
    a.Falling = false;
    a.FallCount = 0;
    LoadSteps(w, a, StepPairId::StepLeft);
    a.PrevDir = 0;
    a.KindByte1 = 1;
    a.AnimForward = true;

    auto frames = [&](int first, int last, int dir, int delay) {
        a.FirstFrame = first;
        a.LastFrame = last;
        a.Dir = static_cast<std::uint8_t>(dir);
        a.AnimDelay = delay;
    };
    if (code == Digging) {
        frames(1, 5, 5, 1);
    } else if (code == LockedDiamondB) {
        frames(23, 23, 5, 8);
        ++w.DiamondTarget;
    } else if (code == LockedDiamondA) {
        frames(22, 22, 5, 8);
        ++w.DiamondTarget;
    } else if (code == Weed) {
        frames(104, 104, 0, 8);
    } else if (code >= TeleportEntrance1 && code <= TeleportEntrance5) {
        frames(115, 126, 5, 8);
    } else if (code == WeedGrowing) {
        frames(100, 104, 5, 5);
    } else if (code == Diamond) {
        frames(6, 6, 0, 0);
        ++w.DiamondTarget;
    } else if (code == Rock) {
        frames(77, 77, 0, 0);
        a.AnimForward = false;
    } else if (code == Egg) {
        frames(12, 12, 0, 7);
        a.Facing = 0;
        ++w.DiamondTarget;
    } else if (code == Chaser) {
        frames(64, 67, 0, 16);
        a.Facing = 0;
        a.PrevDir = 2;
        a.KindByte2 = 6;
        ++w.DiamondTarget;
        ++c.ChaserCount;
    } else {
        // Frames and direction are the caller's (a monster, a fragment).
        a.AnimDelay = 8;
    }
    a.Frame = a.FirstFrame;
    a.AnimTicks = 0;
    a.Moved = 0;
    a.Cleared1 = 0;
    c.Tile = 0;
    c.Content = code;
    return index;
}

void PlacePlayer(World& w, int cell) {
    PlayerState& p = w.Player;
    p.PlayerCell = cell;
    p.PlayerX = CellColumn(cell) * 40;
    p.PlayerY = CellRow(cell) * 40;
    p.PlayerDir = 0;
    p.PlayerStepDX = w.Steps[StepPairId::StepLeft].DX;
    p.PlayerStepDY = w.Steps[StepPairId::StepLeft].DY;
    p.PlayerStepIndex = 0;
    p.PlayerMoved = 0;
    p.PlayerMoveLength = 40;
    p.PlayerAnimDelay = 9;
    p.PlayerAnimTicks = 0;
    p.PlayerFirstFrame = 24;
    p.PlayerLastFrame = 27;
    p.PlayerFrame = 24;
    p.PlayerFacingRight = false;
    p.PlayerDying = false;
    p.PlayerActed = false;
    p.PlayerInTransit = false;
    p.HeldRock = NoActor;
    p.PlayerReady = true;
    if (InMap(cell)) {
        Cell& c = w.Cells[static_cast<std::size_t>(cell)];
        c.Tile = 0;
        if (c.Content == PlayerStart) c.Content = Empty;
    }
}

namespace {
bool OnOuterRing(int cell) {
    int col = CellColumn(cell), row = CellRow(cell);
    return col == 0 || col == 15 || row == 0 || row == 11;
}
} // namespace

void SetupLevelCodes(World& w, const LevelCodes& codes) {
    w.TeleportFxActor = NoTeleportFx;
    w.ActorCount = 0;
    w.KeyAUsed = false;
    w.KeyBUsed = false;
    // Rocks fall into monsters again until this level's book opens.
    w.RockFallInto = RockFallIntoClosedBook();
    for (Cell& c : w.Cells) c = Cell{NoActor, NoActor, NoActor, NoActor, 0};
    for (auto& d : w.TeleportDest) d = PixelPos{};
    std::array<bool, 7> exitFound{};

    for (int i = 0; i < MapCellCount; ++i) {
        const int c = codes[static_cast<std::size_t>(i)];
        Cell& cell = w.Cells[static_cast<std::size_t>(i)];
        cell.Tile = c;
        cell.Content = c;
        cell.ActorIndex = NoActor;
        cell.TeleportNo = NoActor;
        if (c == Diamond || c == Egg || c == LockedDiamondA || c == LockedDiamondB || c == Chaser || c == Rock ||
            c == Weed) {
            CreateActor(w, i, c);
        } else if (c == PlayerStart) {
            PlacePlayer(w, i);
        } else if (c >= TeleportEntrance1 && c <= TeleportEntrance5) {
            cell.TeleportNo = c - 104;
            CreateActor(w, i, c);
        } else if (c >= TeleportExit1 && c <= TeleportExit5) {
            // An exit on the outer ring would put the player where the edge
            // tests no longer guard it: such an exit does not count.
            if (!OnOuterRing(i)) {
                w.TeleportDest[static_cast<std::size_t>(c - 109)] = PixelPos{CellColumn(i) * 40, CellRow(i) * 40};
                exitFound[static_cast<std::size_t>(c - 109)] = true;
            }
            cell.Tile = 0;
            cell.Content = 0;
        } else if (c == Book) {
            w.BookCell = i;
        }
    }
    // An entrance without an exit is ignored: it still shows, but carries
    // nobody anywhere (its exit would be the border corner).
    for (int i = 0; i < MapCellCount; ++i) {
        Cell& cell = w.Cells[static_cast<std::size_t>(i)];
        if (cell.TeleportNo >= 1 && cell.TeleportNo <= 5 && !exitFound[static_cast<std::size_t>(cell.TeleportNo)])
            cell.TeleportNo = NoActor;
    }
}

int FindCode(const LevelCodes& codes, int code) {
    for (int i = 0; i < MapCellCount; ++i)
        if (codes[static_cast<std::size_t>(i)] == code) return i;
    return -1;
}

} // namespace gravlin
