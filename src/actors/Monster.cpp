// Monsters: one cell at a time straight at the player, diagonals included;
// killed by a rock or by weed, they fly off towards the middle and count as
// collected.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

namespace gravlin {

namespace {

// Whether a monster in `cell` may step one cell in a straight direction:
// never across the inner edge, never off the map.
bool StraightOpen(const World& w, int cell, Dir dir) {
    return !AtInnerEdge(cell, dir) && MonsterEnterable().Has(ContentAt(w, NeighbourInDir(cell, dir)));
}

void OfferStepCue(World& w) {
    if (w.Sound) w.Sound->PlayMonsterStep();
}

} // namespace

void MonsterUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const PlayerState& p = w.Player;
    if (p.PlayerDying || p.PlayerInTransit) return;
    const int c = ActorCell(a);

    // Towards the player's position in pixels, as it is drawn.
    const Dir wanted = Towards(p.PlayerX - a.X, p.PlayerY - a.Y);
    if (wanted == Dir::Rest) return; // on the player: no move and no cue

    Dir taken = Dir::Rest;
    if (!IsDiagonal(wanted)) {
        if (StraightOpen(w, c, wanted)) taken = wanted;
    } else {
        const Dir hDir = HorizontalPart(wanted), vDir = VerticalPart(wanted);
        const bool hEdge = AtInnerEdge(c, hDir), vEdge = AtInnerEdge(c, vDir);
        const bool h = !hEdge && ContentAt(w, NeighbourInDir(c, hDir)) == Empty;
        const bool v = !vEdge && ContentAt(w, NeighbourInDir(c, vDir)) == Empty;
        const bool g = !hEdge && !vEdge && ContentAt(w, NeighbourInDir(c, wanted)) == Empty;
        // The horizontal escape is preferred to the vertical.
        if (h && v && g)
            taken = wanted;
        else if (h)
            taken = hDir;
        else if (v)
            taken = vDir;
    }

    OfferStepCue(w);
    if (taken == Dir::Rest) return;

    a.PrevDir = a.Dir;
    a.Dir = taken;
    LoadSteps(w, a, DirectionPair(taken));
    a.StepIndex = 0;
    // The monster claims its target cell at once.
    Cell& from = w.Cells[static_cast<std::size_t>(c)];
    Cell& to = w.Cells[static_cast<std::size_t>(NeighbourInDir(c, taken))];
    to.ActorIndex = actor;
    to.Content = Monster;
    from.ActorIndex = NoActor;
    from.Content = Empty;
    if (w.Sound) ++w.Sound->MonsterStepCount;
    OfferStepCue(w);
}

void MonsterDies(World& w, int actor) {
    ActorRecord* a = ActorAt(w, actor);
    if (!a) return;
    if (w.Sound) w.Sound->PlayMonsterDeath();
    a->Kind = MonsterDying;
    ShowFrames(*a, MonsterDyingFrames);
    a->AnimDelay = 8;
    a->AnimTicks = 13;
    a->StepIndex = 0;
    a->Dir = Dir::Left;
    a->Moved = 0;
    a->MoveLength = 90;
    // Always towards the middle of the screen.
    LoadSteps(w, *a, a->X >= 320 ? StepPairId::DeathFlightLeft : StepPairId::DeathFlightRight);
    NoteCollected(w);
}

} // namespace gravlin
