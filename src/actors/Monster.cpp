// Monsters: one cell at a time straight at the player, diagonals included;
// killed by a rock or by weed, they fly off towards the middle and count as
// collected.
#include "actors/Actors.h"

#include "actors/Grid.h"
#include "audio/SoundCues.h"

namespace gravlin {

namespace {

// Whether a monster in `cell` may step one cell in a straight direction:
// never across the inner edge, never off the map.
bool StraightOpen(const World& w, int cell, int dir, bool atEdge) {
    return !atEdge && MonsterEnterable().Has(ContentAt(w, NeighbourInDir(cell, dir)));
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

    // The player's position in pixels, as it is drawn.
    const int px = p.PlayerX, py = p.PlayerY, mx = a.X, my = a.Y;
    int wanted;
    if (px < mx && py < my) wanted = 11;
    else if (px > mx && py < my) wanted = 13;
    else if (px < mx && py > my) wanted = 10;
    else if (px > mx && py > my) wanted = 12;
    else if (mx > px) wanted = 2;
    else if (mx < px) wanted = 1;
    else if (py > my) wanted = 4;
    else if (py < my) wanted = 3;
    else return; // on the player: no move and no cue

    int taken = 0;
    switch (wanted) {
    case 1: taken = StraightOpen(w, c, 1, AtRightEdge(c)) ? 1 : 0; break;
    case 2: taken = StraightOpen(w, c, 2, AtLeftEdge(c)) ? 2 : 0; break;
    case 3: taken = StraightOpen(w, c, 3, AtTopEdge(c)) ? 3 : 0; break;
    case 4: taken = StraightOpen(w, c, 4, AtBottomEdge(c)) ? 4 : 0; break;
    default: {
        const int hDir = (wanted == 10 || wanted == 11) ? 2 : 1;
        const int vDir = (wanted == 10 || wanted == 12) ? 4 : 3;
        const bool hEdge = hDir == 2 ? AtLeftEdge(c) : AtRightEdge(c);
        const bool vEdge = vDir == 4 ? AtBottomEdge(c) : AtTopEdge(c);
        const bool h = !hEdge && ContentAt(w, NeighbourInDir(c, hDir)) == Empty;
        const bool v = !vEdge && ContentAt(w, NeighbourInDir(c, vDir)) == Empty;
        const bool g = !hEdge && !vEdge && ContentAt(w, NeighbourInDir(c, wanted)) == Empty;
        // The horizontal escape is preferred to the vertical.
        if (h && v && g) taken = wanted;
        else if (h) taken = hDir;
        else if (v) taken = vDir;
        break;
    }
    }

    OfferStepCue(w);
    if (taken == 0) return;

    a.PrevDir = a.Dir;
    a.Dir = static_cast<std::uint8_t>(taken);
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
    a->FirstFrame = 139;
    a->LastFrame = 143;
    a->Frame = 139;
    a->AnimDelay = 8;
    a->AnimTicks = 13;
    a->StepIndex = 0;
    a->Dir = 2;
    a->Moved = 0;
    a->MoveLength = 90;
    // Always towards the middle of the screen.
    LoadSteps(w, *a, a->X >= 320 ? StepPairId::DeathFlightLeft : StepPairId::DeathFlightRight);
    NoteCollected(w);
}

} // namespace gravlin
