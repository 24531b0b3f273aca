// Chasers: they follow walls by the left hand, pass through earth without
// digging it, share cells, and turn into a diamond on reaching a home.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

namespace gravlin {

namespace {

// The four ways a chaser moves, and what it faces after each.
enum ChaserWay { WayLeft, WayRight, WayUp, WayDown };

Dir WayDir(int way) {
    static const Dir dirs[] = {Dir::Left, Dir::Right, Dir::Up, Dir::Down};
    return dirs[way];
}

// A cell is open to a chaser when its code lets chasers in and it is not a
// home that another chaser already holds.
bool OpenForChaser(const World& w, int cell) {
    if (!InMap(cell)) return false;
    const Cell& c = w.Cells[static_cast<std::size_t>(cell)];
    if (!ChaserEnterable().Has(c.Content)) return false;
    return !(c.Content == Chaser && c.Tile == ChaserHome);
}

bool Probe(const World& w, int cell, int way) {
    return !AtInnerEdge(cell, WayDir(way)) && OpenForChaser(w, NeighbourInDir(cell, WayDir(way)));
}

// One move start of a chaser from `cell` towards `way`.
void ChaserStep(World& w, int actor, int cell, int way) {
    ActorRecord& a = w.Actors[static_cast<std::size_t>(actor)];
    const Dir dir = WayDir(way);
    a.StepIndex = 0;
    a.Moved = 0;
    a.Facing = static_cast<std::uint8_t>(way);
    a.Dir = dir;
    LoadSteps(w, a, DirectionPair(dir));
    if (way == WayRight) {
        a.FirstFrame = ChaserRightFrames.First;
        a.LastFrame = ChaserRightFrames.Last;
    } else if (way == WayLeft) {
        a.FirstFrame = ChaserLeftFrames.First;
        a.LastFrame = ChaserLeftFrames.Last;
    }
    Cell& t = w.Cells[static_cast<std::size_t>(NeighbourInDir(cell, dir))];
    t.ActorIndex = actor;
    t.Content = Chaser;
    ++t.ChaserCount;
    // The cell left behind gets its earth back where the level put earth;
    // this happens even when another chaser still stands in it.
    Cell& c = w.Cells[static_cast<std::size_t>(cell)];
    c.ActorIndex = NoActor;
    if (c.ChaserCount > 0) --c.ChaserCount;
    c.Content = c.Tile == Earth ? Earth : Empty;
}

} // namespace

void ChaserUpdate(World& w, int actor) {
    ActorRecord* ap = ActorAt(w, actor);
    if (!ap) return;
    ActorRecord& a = *ap;
    const int c = ActorCell(a);
    Cell* cell = CellRecord(w, c);
    if (!cell) return;
    a.AnimDelay = 16;

    // Boxed in: only the codes count here, before the home test.
    const CodeSet& enterable = ChaserEnterable();
    if (!enterable.Has(ContentAt(w, Neighbour(c, -1, 0))) && !enterable.Has(ContentAt(w, Neighbour(c, 1, 0))) &&
        !enterable.Has(ContentAt(w, Neighbour(c, 0, 1))) && !enterable.Has(ContentAt(w, Neighbour(c, 0, -1)))) {
        a.Dir = Dir::Rest;
        a.StepIndex = 0;
        a.Moved = 0;
        return;
    }

    if (cell->Tile == ChaserHome) {
        if (w.Sound) w.Sound->PlayChaserHome();
        cell->Tile = 0;
        cell->Content = ChaserToDiamond;
        if (cell->ChaserCount > 0) --cell->ChaserCount;
        cell->ActorIndex = actor;
        ChangeInPlace(a, ChaserToDiamond, ChaserHomeFrames, 10);
        return;
    }

    // Left hand on the wall: a quarter turn left, straight on, a quarter
    // turn right, else back.
    static const int order[4][4] = {
        {WayDown, WayLeft, WayUp, WayRight}, // facing left
        {WayUp, WayRight, WayDown, WayLeft}, // facing right
        {WayLeft, WayUp, WayRight, WayDown}, // facing up
        {WayRight, WayDown, WayLeft, WayUp}, // facing down
    };
    const int(&row)[4] = order[a.Facing < 4 ? a.Facing : 0];
    for (int k = 0; k < 3; ++k) {
        if (Probe(w, c, row[k])) {
            ChaserStep(w, actor, c, row[k]);
            return;
        }
    }
    // Turning back: never into a wall, a rock or the border. When the cell
    // behind is closed too, the chaser waits where it is this tick.
    if (Probe(w, c, row[3])) ChaserStep(w, actor, c, row[3]);
}

void ChaserBecomesDiamond(World& w, int actor) {
    ActorRecord* a = ActorAt(w, actor);
    if (!a) return;
    if (Cell* c = CellRecord(w, ActorCell(*a))) {
        c->Tile = 0;
        c->Content = Diamond;
    }
    a->Kind = Diamond;
    a->FirstFrame = a->LastFrame = a->Frame = Diamond;
    a->Dir = Dir::Rest;
    a->AnimDelay = 0;
}

} // namespace gravlin
