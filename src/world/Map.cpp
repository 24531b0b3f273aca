#include "world/Map.h"

#include "world/Frames.h"

namespace gravlin {

ActorRecord* ActorOf(World& w, int cell) {
    if (!InMap(cell)) return nullptr;
    int index = w.Cells[static_cast<std::size_t>(cell)].ActorIndex;
    if (index < 0 || index >= ActorTableSize || index >= w.ActorCount) return nullptr;
    return &w.Actors[static_cast<std::size_t>(index)];
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
    a.PrevDir = Dir::Rest;
    a.KindByte1 = 1;
    a.AnimForward = true;

    auto frames = [&](FrameRange f, Dir dir, int delay) {
        a.FirstFrame = f.First;
        a.LastFrame = f.Last;
        a.Dir = dir;
        a.AnimDelay = delay;
    };
    if (code == Digging) {
        frames(DigFrames, Dir::InPlace, 1);
    } else if (code == LockedDiamondB) {
        frames({LockedDiamondB, LockedDiamondB}, Dir::InPlace, 8);
        ++w.DiamondTarget;
    } else if (code == LockedDiamondA) {
        frames({LockedDiamondA, LockedDiamondA}, Dir::InPlace, 8);
        ++w.DiamondTarget;
    } else if (code == Weed) {
        frames({Weed, Weed}, Dir::Rest, 8);
    } else if (code >= TeleportEntrance1 && code <= TeleportEntrance5) {
        frames(TeleportEntranceFrames, Dir::InPlace, 8);
    } else if (code == WeedGrowing) {
        frames(WeedGrowFrames, Dir::InPlace, 5);
    } else if (code == Diamond) {
        frames({Diamond, Diamond}, Dir::Rest, 0);
        ++w.DiamondTarget;
    } else if (code == Rock) {
        frames({Rock, Rock}, Dir::Rest, 0);
        a.AnimForward = false;
    } else if (code == Egg) {
        frames({Egg, Egg}, Dir::Rest, 7);
        a.Facing = 0;
        ++w.DiamondTarget;
    } else if (code == Chaser) {
        frames(ChaserLeftFrames, Dir::Rest, 16);
        a.Facing = 0;
        a.PrevDir = Dir::Left;
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
    p.PlayerDir = Dir::Rest;
    p.PlayerStepDX = w.Steps[StepPairId::StepLeft].DX;
    p.PlayerStepDY = w.Steps[StepPairId::StepLeft].DY;
    p.PlayerStepIndex = 0;
    p.PlayerMoved = 0;
    p.PlayerMoveLength = 40;
    p.PlayerAnimDelay = 9;
    p.PlayerAnimTicks = 0;
    p.PlayerFirstFrame = PlayerWalkLeft;
    p.PlayerLastFrame = PlayerWalkLeft + PlayerGroupFrames - 1;
    p.PlayerFrame = PlayerWalkLeft;
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

bool OnBorderRing(int cell) {
    const int col = CellColumn(cell), row = CellRow(cell);
    return col == 0 || col == MapColumns - 1 || row == 0 || row == MapRows - 1;
}

int BorderRingCode(int cell) {
    if (!InMap(cell) || !OnBorderRing(cell)) return 0;
    if (cell == 0) return CornerTL;
    if (cell == MapColumns - 1) return CornerTR;
    if (cell == (MapRows - 1) * MapColumns) return CornerBL;
    if (cell == MapCellCount - 1) return CornerBR;
    return BorderWall;
}

void ForceBorderRing(LevelCodes& codes) {
    for (int i = 0; i < MapCellCount; ++i)
        if (OnBorderRing(i)) codes[static_cast<std::size_t>(i)] = BorderRingCode(i);
}

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
            if (!OnBorderRing(i)) {
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

} // namespace gravlin
