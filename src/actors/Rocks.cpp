// Rocks: falling, rolling off rounded things, being pushed, and crushing
// monsters until the book opens. The roll is shared with eggs.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

namespace gravlin {

Dir RollDecision(World& w, int cell, const CodeSet& landingInto, RollEdge edge) {
    const int below = Neighbour(cell, 0, 1);
    const int player = w.Player.PlayerCell;
    // Off the left rounded side first, then off the right one; the side cell
    // must be empty and the landing cell below it one the object may enter,
    // neither of them the player's. The landing cell is reserved at once.
    auto rolls = [&](const CodeSet& rounded, Dir side) {
        const int beside = NeighbourInDir(cell, side);
        const int landing = Neighbour(cell, OffsetOf(side).DX, 1);
        if (!rounded.Has(ContentAt(w, below)) || ContentAt(w, beside) != Empty || beside == player ||
            !landingInto.Has(ContentAt(w, landing)) || landing == player)
            return false;
        if (ContentAt(w, landing) == Empty) w.Cells[static_cast<std::size_t>(landing)].Content = Reserved;
        return true;
    };
    const bool inner = edge == RollEdge::InnerEdge;
    const bool leftOpen = inner ? !AtLeftEdge(cell) : CellColumn(cell) != 0;
    const bool rightOpen = inner ? !AtRightEdge(cell) : CellColumn(cell) != MapColumns - 1;
    if (leftOpen && rolls(RoundedLeft(), Dir::Left)) return Dir::Left;
    if (rightOpen && rolls(RoundedRight(), Dir::Right)) return Dir::Right;
    return Dir::Rest;
}

void RockUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const int c = ActorCell(a);
    const int d = Neighbour(c, 0, 1);
    const int p = w.Player.PlayerCell;
    const bool held = actor == w.Player.HeldRock;

    if (a.PrevDir == Dir::Down && ContentAt(w, d) != Empty && w.Sound) w.Sound->PlayRockLand();
    a.Falling = false;
    Dir decision = Dir::Rest;

    if (!AtBottomEdge(c)) {
        // A fall wins over a roll; the held rock may not fall into the
        // player's cell.
        if (w.RockFallInto.Has(ContentAt(w, d)) && !(d == p && held)) {
            decision = Dir::Down;
            if (!held) ++a.FallCount;
        }
        if (decision == Dir::Rest) decision = RollDecision(w, c, RockDiagonalInto(), RollEdge::GridEdge);
    }

    if (decision == Dir::Rest) {
        // At rest: the picture stays on the frame it stopped on.
        a.PrevDir = Dir::Rest;
        a.Dir = Dir::Rest;
        a.FirstFrame = a.LastFrame = a.Frame;
        a.FallCount = 0;
        return;
    }
    // A refused move keeps its Reserved mark and its fall count.
    if (RockMove(w, c, decision)) {
        a.PrevDir = decision;
        a.Dir = decision;
        a.FirstFrame = RockRollFrames.First;
        a.LastFrame = RockRollFrames.Last;
    }
}

bool RockMove(World& w, int cell, Dir dir) {
    ActorRecord* a = ActorOf(w, cell);
    if (!a) return false;
    const int index = w.Cells[static_cast<std::size_t>(cell)].ActorIndex;
    if (dir == Dir::Left)
        a->AnimForward = false;
    else if (dir == Dir::Right)
        a->AnimForward = true;
    else if (dir != Dir::Down)
        return false;
    const int target = NeighbourInDir(cell, dir);
    Cell* t = CellRecord(w, target);
    if (!t || !w.RockFallInto.Has(t->Content) || t->ChaserCount != 0) return false;

    bool crush = false;
    if (t->Content == Monster) {
        crush = true;
        if (ActorAt(w, t->ActorIndex)) MonsterDies(w, t->ActorIndex);
    }
    Cell& s = w.Cells[static_cast<std::size_t>(cell)];
    t->ActorIndex = index;
    t->Content = Rock;
    s.ActorIndex = NoActor;
    s.Content = Empty;

    a->FirstFrame = RockRollFrames.First;
    a->LastFrame = RockRollFrames.Last;
    a->Moved = 0;
    a->MoveLength = 40;
    a->Dir = dir;
    a->StepIndex = 0;
    if (dir == Dir::Down) {
        a->Falling = true;
        const bool fast = a->FallCount > 2 && index != w.Player.HeldRock;
        LoadSteps(w, *a, fast ? StepPairId::FastFall : StepPairId::StepDown);
    } else if (dir == Dir::Left) {
        // Pushed onto a monster, the rock hops over it.
        LoadSteps(w, *a, crush ? StepPairId::CrushLeft : StepPairId::StepLeft);
    } else {
        LoadSteps(w, *a, crush ? StepPairId::CrushRight : StepPairId::StepRight);
    }
    return true;
}

} // namespace gravlin
