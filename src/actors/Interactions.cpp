// What moving into a cell does to it: digging, collecting, pushing, keys;
// the locked diamonds; and the teleport's flight from entrance to exit.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

namespace gravlin {

namespace {

void Dig(World& w, int target) {
    Cell* c = CellRecord(w, target);
    if (!c) return;
    // With the actor table full there is no dig animation; the earth goes all
    // the same.
    if (CreateActor(w, target, Digging) == NoActor) {
        c->Tile = 0;
        c->ActorIndex = NoActor;
    }
    c->Content = Empty;
}

} // namespace

void StartDiamondFlight(World& w, ActorRecord& a, int row, int animTicks) {
    a.Kind = DiamondTaken;
    a.AnimDelay = 3;
    a.AnimTicks = animTicks;
    ShowFrames(a, DiamondFlightFrames);
    a.MoveLength = 90;
    a.Moved = 0;
    a.StepIndex = 0;
    // Left or right by turns, downward from the upper rows and upward from
    // the lower ones.
    const bool upper = row < 7;
    if (w.ExplosionToggle) {
        a.Dir = Dir::Left;
        LoadSteps(w, a, upper ? StepPairId::FlightDownLeft : StepPairId::FlightUpLeft);
    } else {
        a.Dir = Dir::Right;
        LoadSteps(w, a, upper ? StepPairId::FlightDownRight : StepPairId::FlightUpRight);
    }
    w.ExplosionToggle = !w.ExplosionToggle;
}

namespace {

void Collect(World& w, int target) {
    if (w.Sound) w.Sound->PlayDiamond();
    w.Player.PlayerActed = true;
    if (ActorRecord* a = ActorOf(w, target)) {
        StartDiamondFlight(w, *a, CellRow(target), 12);
    } else {
        w.ExplosionToggle = !w.ExplosionToggle;
    }
    NoteCollected(w);
    if (Cell* c = CellRecord(w, target)) c->Tile = c->Content = Empty;
}

void OpenLocks(World& w, bool& used, int lockedKind) {
    if (used) return; // a second key of the kind only vanishes
    if (w.Sound) w.Sound->PlayLockOpen();
    for (int i = 0; i < w.ActorCount && i < ActorTableSize; ++i) {
        ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (a.Kind != lockedKind) continue;
        if (Cell* c = CellRecord(w, ActorCell(a))) c->Content = Diamond;
        a.Kind = Diamond;
        a.FirstFrame = a.LastFrame = a.Frame = Diamond;
        a.Dir = Dir::Rest;
        a.AnimDelay = 0;
    }
    used = true;
}

// The player comes out at the goal: shown again, idle, and ready, so the
// next tick examines the cell it stands on.
void ArriveFromTeleport(World& w) {
    PlayerState& p = w.Player;
    if (w.Sound) w.Sound->StopHyper();
    if (ActorRecord* a = ActorAt(w, w.TeleportFxActor)) a->Active = false;
    p.PlayerInTransit = false;
    p.PlayerX = w.TeleportGoalX;
    p.PlayerY = w.TeleportGoalY;
    p.PlayerCell = CellAt(p.PlayerX, p.PlayerY);
    p.PlayerDir = Dir::Rest;
    p.PlayerMoved = 0;
    SetPlayerAnimation(w);
}

} // namespace

Dir TryEnter(World& w, Dir d, int target, bool commit) {
    PlayerState& p = w.Player;
    p.PlayerActed = false;
    w.PlayerPushing = false;
    const Dir result = d;

    const int content = ContentAt(w, target);
    switch (content) {
    case Earth:
        p.PlayerActed = true;
        Dig(w, target);
        break;
    case Diamond: Collect(w, target); break;
    case Egg:
    case Rock: {
        // Eggs and rocks are pushed only sideways, and never while moving.
        if (d != Dir::Right && d != Dir::Left) return Dir::Rest;
        ActorRecord* a = ActorOf(w, target);
        if (!a || a->Dir != Dir::Rest) return Dir::Rest;
        const CodeSet& fallInto = content == Egg ? EggFallInto() : w.RockFallInto;
        // An object over a hole cannot be pushed, unless it has only just
        // completed a fall step.
        if (!AtBottomEdge(p.PlayerCell) && fallInto.Has(ContentAt(w, Neighbour(target, 0, 1))) && !a->Falling)
            return Dir::Rest;
        w.PlayerPushing = true;
        a->Falling = false;
        const bool moved = content == Egg ? EggMove(w, target, d) : RockMove(w, target, d);
        if (!moved) return Dir::Rest;
        p.PlayerActed = true;
        if (content == Rock && w.Sound) w.Sound->PlayRockMove();
        break;
    }
    case KeyA:
    case KeyB:
        if (Cell* c = CellRecord(w, target)) c->Tile = c->Content = Empty;
        p.PlayerActed = true;
        if (content == KeyA)
            OpenLocksA(w);
        else
            OpenLocksB(w);
        break;
    default: break; // the player simply enters
    }

    if (commit) {
        // The rock over the cell just dug, emptied or pushed into is held: it
        // may not fall on the player standing under it. Stepping down, it is
        // the rock over the cell being left.
        const int r = d == Dir::Down ? p.PlayerCell : target;
        const int above = Neighbour(r, 0, -1);
        if (!AtTopEdge(p.PlayerCell) && p.PlayerActed && ContentAt(w, above) == Rock)
            p.HeldRock = w.Cells[static_cast<std::size_t>(above)].ActorIndex;
        if (result != Dir::Rest) p.PlayerCell = target;
    }
    return result;
}

void OpenLocksA(World& w) {
    OpenLocks(w, w.KeyAUsed, LockedDiamondA);
}
void OpenLocksB(World& w) {
    OpenLocks(w, w.KeyBUsed, LockedDiamondB);
}

void StartTeleport(World& w) {
    PlayerState& p = w.Player;
    if (w.Sound) w.Sound->StartHyper();
    p.PlayerInTransit = true;
    const Cell* c = CellRecord(w, p.PlayerCell);
    const int n = c ? c->TeleportNo : 0;
    const PixelPos goal = (n >= 0 && n < static_cast<int>(w.TeleportDest.size()))
                              ? w.TeleportDest[static_cast<std::size_t>(n)]
                              : PixelPos{p.PlayerX, p.PlayerY};
    w.TeleportGoalX = goal.X;
    w.TeleportGoalY = goal.Y;

    // One record per level carries the flight; it is reserved at the first
    // teleport and reused. With the table full the player arrives at once.
    if (w.TeleportFxActor == NoTeleportFx) {
        if (w.ActorCount >= ActorTableSize) {
            ArriveFromTeleport(w);
            return;
        }
        w.TeleportFxActor = w.ActorCount;
        ++w.ActorCount;
    }
    ActorRecord* a = ActorAt(w, w.TeleportFxActor);
    if (!a) {
        ArriveFromTeleport(w);
        return;
    }
    a->Active = true;
    a->Kind = PlayerTeleport;
    ShowFrames(*a, TeleportFlightFrames);
    a->X = p.PlayerX;
    a->Y = p.PlayerY;
    a->AnimDelay = 2;
    TeleportStep(w);
}

void TeleportStep(World& w) {
    ActorRecord* a = ActorAt(w, w.TeleportFxActor);
    if (!a || (a->X == w.TeleportGoalX && a->Y == w.TeleportGoalY)) {
        ArriveFromTeleport(w);
        return;
    }
    // One more cell of flight towards the goal, diagonally while both
    // coordinates differ.
    const Dir d = Towards(w.TeleportGoalX - a->X, w.TeleportGoalY - a->Y);
    a->Dir = d;
    a->Moved = 0;
    a->StepIndex = 0;
    a->MoveLength = 40;
    LoadSteps(w, *a, DirectionPair(d));
}

} // namespace gravlin
