#pragma once
// Every tile of the play sheet, drawn by code at 40 pixels (the play sheet)
// or 20 pixels (the level choice). Tile numbers are cell codes and animation
// frames.

#include "Raster.h"

namespace gravlin::assets {

constexpr int SheetTilesPerRow = 16;
constexpr int SheetRows = 12;
constexpr int HighestTile = 143;

// Draws tile `tile` on a fresh size-by-size canvas. Tiles that the game never
// draws come back empty.
Canvas DrawTile(int tile, int size);

// Tiles that fill their whole square (earth, walls, border, the editor's
// empty cell); every other tile is a sprite with colour 0 around it.
bool IsOpaqueTile(int tile);

// Whether the game can draw the tile at all.
bool IsUsedTile(int tile);

} // namespace gravlin::assets
