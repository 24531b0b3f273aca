// Play and the two endings of a level: the level preparation and the play
// frame, the level-won wipe and the game-over convergence.

#include "shell/TfrmMain.h"

#include "actors/Actors.h"
#include "world/Map.h"

#include <cstdlib>

namespace gravlin {

namespace {

// A paced event happens on the frame where the counter, after being raised
// by one, reaches the pace; the counter then starts again from 0.
bool Paced(World& w) {
    ++w.PaceCounter;
    if (w.PaceCounter < w.PaceFrames) return false;
    w.PaceCounter = 0;
    return true;
}

// The direction towards the middle of the screen, (300, 220); unchanged at
// exactly the middle.
void AimAtMiddle(ActorRecord& a) {
    const int x = a.X, y = a.Y;
    if (x > 300 && y > 220) a.Dir = 11;
    else if (x < 300 && y > 220) a.Dir = 13;
    else if (x > 300 && y < 220) a.Dir = 10;
    else if (x < 300 && y < 220) a.Dir = 12;
    else if (x > 300) a.Dir = 2;
    else if (x < 300) a.Dir = 1;
    else if (y < 220) a.Dir = 4;
    else if (y > 220) a.Dir = 3;
}

void MoveTowardsMiddle(ActorRecord& a) {
    switch (a.Dir) {
    case 1: a.X += 2; break;
    case 2: a.X -= 2; break;
    case 3: a.Y -= 2; break;
    case 4: a.Y += 2; break;
    case 10: a.X -= 2; a.Y += 2; break;
    case 11: a.X -= 2; a.Y -= 2; break;
    case 12: a.X += 2; a.Y += 2; break;
    case 13: a.X += 2; a.Y -= 2; break;
    default: break;
    }
}

// The codes that fly to the middle when the game is lost.
bool FliesAtGameOver(int c) {
    return c == Earth || c == KeyA || c == KeyB || c == Rock || c == CornerBL || c == CornerBR ||
           (c >= TeleportEntrance1 && c <= TeleportEntrance5) || (c >= BorderWall && c <= Hazard3) || c == Book ||
           c == StaticWall2 || c == StaticWall3;
}

} // namespace

void TfrmMain::PrepareLevel() {
    if (!LoadPicture("All256.DIB")) return;
    MarkLoaded(StatePlay);
    W.EndPhase = false;
    W.LoseCuePlayed = false;
    W.RockFallInto = RockFallIntoClosedBook();
    if (W.Lives == 0) W.Lives = 1;
    BuildStepTables(W.Steps, W.GameSpeed);
    W.DiamondTarget = 0;
    if (!SetupLevel(W, Levels, W.CurrentLevel)) {
        // The level's data went missing since it was chosen: back to the choice.
        W.GameState = StateLevelSelect;
        return;
    }
    W.WeedGrowingNow = false;
    W.CollectedCount = 0;
    if (W.WorkingProgress.empty()) W.WorkingProgress.push_back("1");
    W.WorkingProgress[0] = std::to_string(W.CurrentLevel);
    W.WipeRing = 0;
}

void TfrmMain::PlayFrame() {
    if (EnterScreen(StatePlay)) {
        PrepareLevel();
        if (W.GameState != StatePlay || terminated_) return;
    }
    // 1. The music dies away.
    if (Music().Volume() < -4999) Music().Stop();
    else Music().SetVolume(Music().Volume() - 10);
    // 2. The top-right end of the border.
    if (!W.EndPhase) ShowLives(W);
    // 3. to 10.
    window_.FillBack();
    DrawTarget target = Target();
    PlayTick(W, &target);
    // A won level is kept at once, not only at a clean exit.
    if (W.GameState == StateLevelDone) SavePlayers();
}

void TfrmMain::BlowUpCell(int cell) {
    Cell& c = W.Cells[static_cast<std::size_t>(cell)];
    if (c.Content == 0) return;
    if (ActorRecord* old = ActorOf(W, cell)) old->Active = false;
    int index = CreateActor(W, cell, Diamond);
    if (index == NoActor) return;
    StartDiamondFlight(W, W.Actors[static_cast<std::size_t>(index)], CellRow(cell), W.GameSpeed == 6 ? 8 : 16);
}

void TfrmMain::LevelDoneFrame() {
    window_.FillBack();
    TickActors(W);
    DrawTarget target = Target();
    DrawCells(W, target);
    DrawActors(W, &target, ActorSelection::AllButChasers, AdvanceAnimation);
    if (!Paced(W)) return;
    ++W.WipeRing;
    const int col = W.BookCell % MapColumns, row = W.BookCell / MapColumns;
    const int ring = W.WipeRing;
    if (ring > 15 - col && ring > col && ring > row && ring > 11 - row) {
        for (int i = 0; i < W.ActorCount; ++i) {
            const ActorRecord& a = W.Actors[static_cast<std::size_t>(i)];
            if (a.Active && a.Kind == DiamondTaken) return;
        }
        W.GameState = StateLevelSelect;
        return;
    }
    if (ring <= 15 - col)
        for (int r = 0; r < MapRows; ++r) BlowUpCell(r * MapColumns + col + ring);
    if (ring <= col)
        for (int r = 0; r < MapRows; ++r) BlowUpCell(r * MapColumns + col - ring);
    if (ring <= row) BlowUpCell(W.BookCell - ring * MapColumns);
    if (ring <= 11 - row) BlowUpCell(W.BookCell + ring * MapColumns);
}

void TfrmMain::GameOverFrame() {
    if (!W.LoseCuePlayed) {
        Cues.PlayLoseGame();
        W.LoseCuePlayed = true;
    }
    if (W.GameOverPhase == 0) {
        for (int cell = 0; cell < MapCellCount; ++cell) {
            Cell& c = W.Cells[static_cast<std::size_t>(cell)];
            if (!FliesAtGameOver(c.Content)) continue;
            CreateActor(W, cell, c.Content);
            c.Content = 0;
            c.Tile = 0;
        }
        for (int i = 0; i < W.ActorCount; ++i) AimAtMiddle(W.Actors[static_cast<std::size_t>(i)]);
        W.GameOverPhase = 1;
        return;
    }
    if (!Paced(W)) return;
    window_.FillBack();
    bool moved = false;
    for (int i = 0; i < W.ActorCount; ++i) {
        ActorRecord& a = W.Actors[static_cast<std::size_t>(i)];
        if (std::abs(a.X - 300) > 2 || std::abs(a.Y - 220) > 2) {
            moved = true;
            MoveTowardsMiddle(a);
            AimAtMiddle(a);
        } else {
            a.X = 300;
            a.Y = 220;
            a.Dir = 0;
        }
        const int tile = a.Kind == Monster ? 137 : a.Kind;
        Blit(window_.Back(), a.X, a.Y, SheetSurface, TileRect(tile, TilesPerRow), true);
    }
    if (!moved) W.GameState = StateLevelSelect;
}

void TfrmMain::StartLevelDirectly(int level, int speed) {
    W.CurrentLevel = level;
    W.GameSpeed = speed;
    if (W.WorkingOptions.empty()) W.WorkingOptions.push_back(std::to_string(speed));
    W.WorkingOptions[0] = std::to_string(speed);
    W.GameState = StatePlay;
    W.ScreenLoaded[StatePlay] = false;
}

} // namespace gravlin
