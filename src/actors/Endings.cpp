// The two endings of a level: the wipe that blows the map away outward from
// the book when the level is won, and the flight of every object to the
// middle of the screen when the player has died.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "world/Frames.h"

#include <cstdlib>

namespace gravlin {

namespace {

// Where everything flies when the game is lost.
constexpr int MiddleX = 300;
constexpr int MiddleY = 220;
// Pixels an object flies per paced frame, in x and in y.
constexpr int MiddleStep = 2;

// A paced event happens on the frame where the counter, after being raised
// by one, reaches the pace; the counter then starts again from 0.
bool Paced(World& w) {
    ++w.PaceCounter;
    if (w.PaceCounter < w.PaceFrames) return false;
    w.PaceCounter = 0;
    return true;
}

// Turns an actor towards the middle; one exactly there keeps its direction.
void AimAtMiddle(ActorRecord& a) {
    const Dir d = Towards(MiddleX - a.X, MiddleY - a.Y);
    if (d != Dir::Rest) a.Dir = d;
}

void MoveTowardsMiddle(ActorRecord& a) {
    const CellOffset o = OffsetOf(a.Dir);
    a.X += MiddleStep * o.DX;
    a.Y += MiddleStep * o.DY;
}

// The codes that fly to the middle when the game is lost.
bool FliesAtGameOver(int c) {
    return c == Earth || c == KeyA || c == KeyB || c == Rock || c == CornerBL || c == CornerBR ||
           (c >= TeleportEntrance1 && c <= TeleportEntrance5) || (c >= BorderWall && c <= Hazard3) || c == Book ||
           c == StaticWall2 || c == StaticWall3;
}

// A cell of the wipe: whatever it holds becomes a diamond fragment flying
// off the map.
void BlowUpCell(World& w, int cell) {
    Cell* c = CellRecord(w, cell);
    if (!c || c->Content == 0) return;
    if (ActorRecord* old = ActorOf(w, cell)) old->Active = false;
    const int index = CreateActor(w, cell, Diamond);
    if (index == NoActor) return;
    StartDiamondFlight(w, w.Actors[static_cast<std::size_t>(index)], CellRow(cell), w.GameSpeed == 6 ? 8 : 16);
}

} // namespace

bool LevelDoneTick(World& w, DrawTarget* target) {
    TickActors(w);
    if (target) DrawCells(w, *target);
    DrawActors(w, target, ActorSelection::AllButChasers, AdvanceAnimation);
    if (!Paced(w)) return false;
    ++w.WipeRing;
    const int col = CellColumn(w.BookCell), row = CellRow(w.BookCell);
    const int ring = w.WipeRing;
    if (ring > 15 - col && ring > col && ring > row && ring > 11 - row) {
        // The wipe has covered the map; it ends when the last fragment is off.
        for (int i = 0; i < w.ActorCount && i < ActorTableSize; ++i) {
            const ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
            if (a.Active && a.Kind == DiamondTaken) return false;
        }
        return true;
    }
    if (ring <= 15 - col)
        for (int r = 0; r < MapRows; ++r) BlowUpCell(w, r * MapColumns + col + ring);
    if (ring <= col)
        for (int r = 0; r < MapRows; ++r) BlowUpCell(w, r * MapColumns + col - ring);
    if (ring <= row) BlowUpCell(w, w.BookCell - ring * MapColumns);
    if (ring <= 11 - row) BlowUpCell(w, w.BookCell + ring * MapColumns);
    return false;
}

bool GameOverTick(World& w, DrawTarget* target) {
    if (!w.LoseCuePlayed) {
        if (w.Sound) w.Sound->PlayLoseGame();
        w.LoseCuePlayed = true;
    }
    if (w.GameOverPhase == 0) {
        // Everything solid leaves its cell as an object; this frame draws
        // nothing, so the last picture of play stays on screen.
        for (int cell = 0; cell < MapCellCount; ++cell) {
            Cell& c = w.Cells[static_cast<std::size_t>(cell)];
            if (!FliesAtGameOver(c.Content)) continue;
            CreateActor(w, cell, c.Content);
            c.Content = 0;
            c.Tile = 0;
        }
        for (int i = 0; i < w.ActorCount && i < ActorTableSize; ++i) AimAtMiddle(w.Actors[static_cast<std::size_t>(i)]);
        w.GameOverPhase = 1;
        return false;
    }
    if (!Paced(w)) return false;
    if (target) target->Back.Fill(0);
    bool moved = false;
    for (int i = 0; i < w.ActorCount && i < ActorTableSize; ++i) {
        ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (std::abs(a.X - MiddleX) > MiddleStep || std::abs(a.Y - MiddleY) > MiddleStep) {
            moved = true;
            MoveTowardsMiddle(a);
            AimAtMiddle(a);
        } else {
            a.X = MiddleX;
            a.Y = MiddleY;
            a.Dir = Dir::Rest;
        }
        const int tile = a.Kind == Monster ? EndPhaseMonsterFrames.First : a.Kind;
        if (target) Blit(target->Back, a.X, a.Y, target->Sheet, TileRect(tile, target->TilesPerRow), true);
    }
    return !moved;
}

} // namespace gravlin
