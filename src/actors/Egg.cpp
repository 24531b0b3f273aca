// Eggs: they fall and roll like rocks but never onto the player and never
// crush anything; an egg that comes to rest after a fall hatches a monster.
#include "actors/Actors.h"

#include "actors/Grid.h"
#include "audio/SoundCues.h"

namespace gravlin {

void EggUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const int c = ActorCell(a);
    const int d = Neighbour(c, 0, 1), l = Neighbour(c, -1, 0), r = Neighbour(c, 1, 0);
    const int dl = Neighbour(c, -1, 1), dr = Neighbour(c, 1, 1);
    const int p = w.Player.PlayerCell;

    a.Falling = false;
    int chosen = 0;
    if (!AtBottomEdge(c)) {
        if (EggFallInto().Has(ContentAt(w, d)) && d != p) chosen = 4;
        auto roll = [&](const CodeSet& rounded, int side, int landing) {
            if (rounded.Has(ContentAt(w, d)) && ContentAt(w, side) == Empty && side != p &&
                EggRollInto().Has(ContentAt(w, landing)) && landing != p) {
                if (ContentAt(w, landing) == Empty) w.Cells[static_cast<std::size_t>(landing)].Content = Reserved;
                return true;
            }
            return false;
        };
        if (chosen == 0 && !AtLeftEdge(c) && roll(RoundedLeft(), l, dl)) chosen = 2;
        if (chosen == 0 && !AtRightEdge(c) && roll(RoundedRight(), r, dr)) chosen = 1;
    }
    if (chosen != 0) {
        EggMove(w, c, chosen);
        return;
    }
    if (a.PrevDir == 4) {
        // Landed from a fall with nowhere to go: the egg breaks.
        if (w.Sound) w.Sound->PlayEggBreak();
        if (Cell* cell = CellRecord(w, c)) {
            cell->Tile = 0;
            cell->Content = EggHatching;
        }
        a.Kind = EggHatching;
        a.FirstFrame = 16;
        a.LastFrame = 19;
        a.Frame = 16;
        a.AnimDelay = 10;
        a.Dir = 5;
        return;
    }
    a.PrevDir = a.Dir;
    a.FirstFrame = a.LastFrame = Egg;
}

bool EggMove(World& w, int cell, int dir) {
    int target = cell;
    if (dir == 1) {
        if (AtRightEdge(cell)) return false;
        target = Neighbour(cell, 1, 0);
    } else if (dir == 2) {
        if (AtLeftEdge(cell)) return false;
        target = Neighbour(cell, -1, 0);
    } else if (dir == 4) {
        if (AtBottomEdge(cell)) return false;
        target = Neighbour(cell, 0, 1);
    }
    Cell* t = CellRecord(w, target);
    Cell* s = CellRecord(w, cell);
    if (!t || !s || !EggFallInto().Has(t->Content) || t->ChaserCount != 0) return false;
    ActorRecord* a = ActorOf(w, cell);
    if (!a) return false;

    t->ActorIndex = s->ActorIndex;
    t->Content = Egg;
    s->ActorIndex = NoActor;
    s->Content = Empty;

    a->Moved = 0;
    a->MoveLength = 40;
    a->StepIndex = 0;
    a->Dir = static_cast<std::uint8_t>(dir);
    a->PrevDir = static_cast<std::uint8_t>(dir);
    if (dir == 4) a->Falling = true;
    LoadSteps(w, *a, DirectionPair(dir));
    a->FirstFrame = 12;
    a->LastFrame = 15;
    return true;
}

void BecomeMonster(World& w, int actor) {
    ActorRecord* a = ActorAt(w, actor);
    if (!a) return;
    if (Cell* c = CellRecord(w, ActorCell(*a))) {
        c->Tile = 0;
        c->Content = Monster;
    }
    a->Kind = Monster;
    // Monsters that appear while the book is open wear the end-phase frames.
    a->FirstFrame = w.EndPhase ? 137 : 62;
    a->LastFrame = w.EndPhase ? 138 : 63;
    a->Frame = a->FirstFrame;
    a->Dir = 0;
    a->AnimDelay = 24;
}

} // namespace gravlin
