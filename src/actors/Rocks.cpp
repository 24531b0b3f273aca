// Rocks: falling, rolling off rounded things, being pushed, and crushing
// monsters until the book opens.
#include "actors/Actors.h"

#include "actors/Grid.h"
#include "audio/SoundCues.h"

namespace gravlin {

void RockUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const int c = ActorCell(a);
    const int d = Neighbour(c, 0, 1), l = Neighbour(c, -1, 0), r = Neighbour(c, 1, 0);
    const int dl = Neighbour(c, -1, 1), dr = Neighbour(c, 1, 1);
    const int p = w.Player.PlayerCell;
    const bool held = actor == w.Player.HeldRock;

    if (a.PrevDir == 4 && ContentAt(w, d) != Empty && w.Sound) w.Sound->PlayRockLand();
    a.Falling = false;
    int decision = 0;

    if (!AtBottomEdge(c)) {
        // A fall wins over a roll; the held rock may not fall into the
        // player's cell.
        if (w.RockFallInto.Has(ContentAt(w, d)) && !(d == p && held)) {
            decision = 4;
            if (!held) ++a.FallCount;
        }
        // Rolls: left before right. The landing cell is reserved at once.
        auto roll = [&](const CodeSet& rounded, int side, int landing) {
            if (rounded.Has(ContentAt(w, d)) && ContentAt(w, side) == Empty && side != p &&
                RockDiagonalInto().Has(ContentAt(w, landing)) && landing != p) {
                if (ContentAt(w, landing) == Empty) w.Cells[static_cast<std::size_t>(landing)].Content = Reserved;
                return true;
            }
            return false;
        };
        if (decision == 0 && CellColumn(c) != 0 && roll(RoundedLeft(), l, dl)) decision = 2;
        if (decision == 0 && CellColumn(c) != MapColumns - 1 && roll(RoundedRight(), r, dr)) decision = 1;
    }

    if (decision == 0) {
        // At rest: the picture stays on the frame it stopped on.
        a.PrevDir = 0;
        a.Dir = 0;
        a.FirstFrame = a.LastFrame = a.Frame;
        a.FallCount = 0;
        return;
    }
    // A refused move keeps its Reserved mark and its fall count.
    if (RockMove(w, c, decision)) {
        a.PrevDir = static_cast<std::uint8_t>(decision);
        a.Dir = static_cast<std::uint8_t>(decision);
        a.FirstFrame = 77;
        a.LastFrame = 96;
    }
}

bool RockMove(World& w, int cell, int dir) {
    ActorRecord* a = ActorOf(w, cell);
    if (!a) return false;
    const int index = w.Cells[static_cast<std::size_t>(cell)].ActorIndex;
    int target;
    if (dir == 2) {
        a->AnimForward = false;
        target = Neighbour(cell, -1, 0);
    } else if (dir == 1) {
        a->AnimForward = true;
        target = Neighbour(cell, 1, 0);
    } else if (dir == 4) {
        target = Neighbour(cell, 0, 1);
    } else {
        return false;
    }
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

    a->FirstFrame = 77;
    a->LastFrame = 96;
    a->Moved = 0;
    a->MoveLength = 40;
    a->Dir = static_cast<std::uint8_t>(dir);
    a->StepIndex = 0;
    if (dir == 4) {
        a->Falling = true;
        const bool fast = a->FallCount > 2 && index != w.Player.HeldRock;
        LoadSteps(w, *a, fast ? StepPairId::FastFall : StepPairId::StepDown);
    } else if (dir == 2) {
        // Pushed onto a monster, the rock hops over it.
        LoadSteps(w, *a, crush ? StepPairId::CrushLeft : StepPairId::StepLeft);
    } else {
        LoadSteps(w, *a, crush ? StepPairId::CrushRight : StepPairId::StepRight);
    }
    return true;
}

} // namespace gravlin
