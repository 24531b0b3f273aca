#pragma once
// Drawing the map: the background pass over the cells, the actor passes, the
// level number in digit glyphs, and loading a screen picture into the sheet.

#include "presentation/Display.h"
#include "world/World.h"

#include <string>

namespace gravlin {

// What every drawing pass copies from and to.
struct DrawTarget {
    Surface& Back;
    const Surface& Sheet;
    int TilesPerRow = 16;
};

// Advances one actor's animation; the drawing pass calls it between taking
// the frame's rectangle and copying it.
using AnimationStep = void (*)(World&, int actor);

enum class ActorSelection { ChasersOnly, AllButChasers };

// Loads SurfacesDir + name into the sheet and makes its palette the
// display's. False (sheet unchanged) with `error` naming the file and reason.
bool LoadScreenPicture(Window& window, Surface& sheet, const std::string& surfacesDir, const std::string& name,
                       std::string* error);

// Every cell with a non-zero Tile, keyed.
void DrawCells(const World& w, const DrawTarget& t);

// Every active actor of the selection, in index order: the frame before the
// advance is drawn. With no target (a headless frame) only the animations
// advance: their endings change the game, so they must run all the same.
void DrawActors(World& w, const DrawTarget* t, ActorSelection which, AnimationStep advance);

// The digit rectangles on the level-choice picture.
Rect DigitRect(int digit);

// The level number n (1 to 99) in digit glyphs at y 120, opaque.
void DrawLevelNumber(const DrawTarget& t, int n);

} // namespace gravlin
