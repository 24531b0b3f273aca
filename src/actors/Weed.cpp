// Weed: now and then a weed cell spreads into one free neighbour, left
// first; only one weed grows at a time.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"

namespace gravlin {

void WeedUpdate(World& w, int actor) {
    ActorRecord* a = ActorAt(w, actor);
    if (!a) return;
    if (w.WeedGrowingNow) return;
    if (w.Rng.Next(5000) != 1) return;

    const int c = ActorCell(*a);
    const CodeSet& enterable = WeedEnterable();
    int target = -1;
    const int l = Neighbour(c, -1, 0), r = Neighbour(c, 1, 0), u = Neighbour(c, 0, -1), d = Neighbour(c, 0, 1);
    if (!AtLeftEdge(c) && enterable.Has(ContentAt(w, l)))
        target = l;
    else if (!AtRightEdge(c) && enterable.Has(ContentAt(w, r)))
        target = r;
    else if (!AtTopEdge(c) && enterable.Has(ContentAt(w, u)))
        target = u;
    else if (!AtBottomEdge(c) && enterable.Has(ContentAt(w, d)))
        target = d;
    if (target < 0) return;

    w.WeedGrowingNow = true;
    if (w.Sound) w.Sound->PlayWeed();
    Cell& t = w.Cells[static_cast<std::size_t>(target)];
    if (t.Content == Monster && ActorAt(w, t.ActorIndex)) MonsterDies(w, t.ActorIndex);
    if (CreateActor(w, target, WeedGrowing) == NoActor) {
        // No record left for the growing animation: the weed is there at
        // once, as a plain weed tile, and the next weed may grow.
        t.ActorIndex = NoActor;
        t.Tile = Weed;
        w.WeedGrowingNow = false;
    }
    t.Content = Weed;
}

} // namespace gravlin
