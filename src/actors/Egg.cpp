// Eggs: they fall and roll like rocks but never onto the player and never
// crush anything; an egg that comes to rest after a fall hatches a monster.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

namespace gravlin {

void EggUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const int c = ActorCell(a);
    const int d = Neighbour(c, 0, 1);
    const int p = w.Player.PlayerCell;

    a.Falling = false;
    Dir chosen = Dir::Rest;
    if (!AtBottomEdge(c)) {
        if (EggFallInto().Has(ContentAt(w, d)) && d != p) chosen = Dir::Down;
        if (chosen == Dir::Rest) chosen = RollDecision(w, c, EggRollInto(), RollEdge::InnerEdge);
    }
    if (chosen != Dir::Rest) {
        EggMove(w, c, chosen);
        return;
    }
    if (a.PrevDir == Dir::Down) {
        // Landed from a fall with nowhere to go: the egg breaks.
        if (w.Sound) w.Sound->PlayEggBreak();
        if (Cell* cell = CellRecord(w, c)) {
            cell->Tile = 0;
            cell->Content = EggHatching;
        }
        ChangeInPlace(a, EggHatching, EggHatchFrames, 10);
        return;
    }
    a.PrevDir = a.Dir;
    a.FirstFrame = a.LastFrame = Egg;
}

bool EggMove(World& w, int cell, Dir dir) {
    int target = cell;
    if (dir == Dir::Right) {
        if (AtRightEdge(cell)) return false;
        target = Neighbour(cell, 1, 0);
    } else if (dir == Dir::Left) {
        if (AtLeftEdge(cell)) return false;
        target = Neighbour(cell, -1, 0);
    } else if (dir == Dir::Down) {
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
    a->Dir = dir;
    a->PrevDir = dir;
    if (dir == Dir::Down) a->Falling = true;
    LoadSteps(w, *a, DirectionPair(dir));
    a->FirstFrame = EggRollFrames.First;
    a->LastFrame = EggRollFrames.Last;
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
    a->FirstFrame = w.EndPhase ? EndPhaseMonsterFrames.First : MonsterFrames.First;
    a->LastFrame = w.EndPhase ? EndPhaseMonsterFrames.Last : MonsterFrames.Last;
    a->Frame = a->FirstFrame;
    a->Dir = Dir::Rest;
    a->AnimDelay = 24;
}

} // namespace gravlin
