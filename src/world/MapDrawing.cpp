#include "world/MapDrawing.h"

#include "presentation/Bmp.h"

namespace gravlin {

bool LoadScreenPicture(Window& window, Surface& sheet, const std::string& surfacesDir, const std::string& name,
                       std::string* error) {
    auto picture = ReadBmpFile(surfacesDir + name, error);
    if (!picture) return false;
    sheet.Resize(ScreenWidth, ScreenHeight);
    sheet.Fill(0);
    window.SetPalette(picture->Colours);
    // The sheet takes the picture's pixels; a picture of another size is
    // placed at the top-left corner and clipped.
    Blit(sheet, 0, 0, picture->Pixels, Rect{0, 0, picture->Pixels.Width, picture->Pixels.Height}, false);
    return true;
}

void DrawCells(const World& w, const DrawTarget& t) {
    for (int i = 0; i < MapCellCount; ++i) {
        int tile = w.Cells[static_cast<std::size_t>(i)].Tile;
        if (tile == 0) continue;
        Blit(t.Back, CellColumn(i) * 40, CellRow(i) * 40, t.Sheet, TileRect(tile, t.TilesPerRow), true);
    }
}

void DrawActors(World& w, const DrawTarget* t, ActorSelection which, AnimationStep advance) {
    for (int i = 0; i < w.ActorCount && i < ActorTableSize; ++i) {
        ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (!a.Active) continue;
        bool chaser = a.Kind == Chaser;
        if (chaser != (which == ActorSelection::ChasersOnly)) continue;
        const int frame = a.Frame;
        if (advance) advance(w, i);
        if (t) Blit(t->Back, a.X, a.Y, t->Sheet, TileRect(frame, t->TilesPerRow), true);
    }
}

Rect DigitRect(int digit) {
    static const int edges[10][2] = {{0, 23},   {23, 29},   {29, 48},   {48, 67},   {67, 83},
                                     {83, 103}, {103, 122}, {122, 138}, {138, 156}, {157, 175}};
    if (digit < 0 || digit > 9) return Rect{};
    return Rect{edges[digit][0], 226, edges[digit][1], 248};
}

void DrawLevelNumber(const DrawTarget& t, int n) {
    if (n < 1 || n > 99) return;
    if (n < 10) {
        Blit(t.Back, 66, 120, t.Sheet, DigitRect(n), false);
        return;
    }
    int tens = n / 10;
    Blit(t.Back, tens == 1 ? 54 : 46, 120, t.Sheet, DigitRect(tens), false);
    Blit(t.Back, 66, 120, t.Sheet, DigitRect(n % 10), false);
}

} // namespace gravlin
