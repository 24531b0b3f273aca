// Collecting, the opening of the book, the border turning into monsters,
// and the top-right end of the border.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"

namespace gravlin {

void NoteCollected(World& w) {
    ++w.CollectedCount;
    if (w.CollectedCount != w.DiamondTarget) return;
    // Everything is collected: the book opens and the border comes alive.
    if (Cell* c = CellRecord(w, w.BookCell)) c->Tile = c->Content = BookOpen;
    w.PaceCounter = 99;
    w.PaceFrames = w.GameSpeed == 2 ? 24 : (w.GameSpeed == 4 ? 12 : 9);
    w.EndPhase = true;
    if (w.Sound) w.Sound->RisingCallVolume = -1500;
    w.RockFallInto = RockFallIntoOpenBook();
    w.BorderCursor = 15;
    w.BorderSide = 'T';
}

void BorderSpawnStep(World& w) {
    if (w.BorderSide == 'R' && w.BorderCursor == 15) return;
    ++w.PaceCounter;
    if (w.PaceCounter < w.PaceFrames) return;
    w.PaceCounter = 0;
    if (w.ActorCount % 2 == 0 && w.Sound) w.Sound->PlayRisingMonsterCall();

    // Counter-clockwise from the top-right corner.
    switch (w.BorderSide) {
    case 'T': w.BorderCursor -= 1; break;
    case 'L': w.BorderCursor += 16; break;
    case 'B': w.BorderCursor += 1; break;
    default: w.BorderCursor -= 16; break;
    }
    // With the actor table full the border cell simply stays a wall.
    const int monster = CreateActor(w, w.BorderCursor, Monster);
    if (monster != NoActor) BecomeMonster(w, monster);

    if (w.BorderSide == 'T' && w.BorderCursor == 0)
        w.BorderSide = 'L';
    else if (w.BorderSide == 'L' && w.BorderCursor == 176)
        w.BorderSide = 'B';
    else if (w.BorderSide == 'B' && w.BorderCursor == 191)
        w.BorderSide = 'R';
    else if (w.BorderSide == 'R' && w.BorderCursor == 15)
        w.EndPhase = false;
}

void ShowLives(World& w) {
    w.Cells[15].Tile = w.Cells[15].Content = CornerTR;
    w.Cells[14].Tile = w.Cells[14].Content = BorderWall;
}

} // namespace gravlin
