// The tile sheet's header "All256.hdr" and the editor's palette list
// "MapBmps.hdr": read as the game and the editor read them, and every tile
// they lead to drawn with the tile geometry the header gives, so a damaged
// header can neither stop the reader nor send a copy off the sheet.
//
// The input is "All256.hdr", then a form feed and "MapBmps.hdr".

#include "FuzzFiles.h"
#include "common/TextLists.h"
#include "presentation/Surface.h"
#include "world/LevelFiles.h"

#include <algorithm>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gravlin;
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    const std::string input = fuzz::Bytes(data, size);
    const std::size_t split = std::min(input.find('\f'), input.size());
    scratch.Write("All256.hdr", input.substr(0, split));
    scratch.Write("MapBmps.hdr", split < input.size() ? input.substr(split + 1) : std::string());

    std::string error;
    auto header = ReadTileSheetHeader(scratch.File("All256.hdr"), &error);
    if (!header && error.find("All256.hdr") == std::string::npos) fuzz::Broken("an error without the file: " + error);
    if (header && header->TilesPerRow <= 0) fuzz::Broken("no tiles a row");
    const int tilesPerRow = header ? header->TilesPerRow : 16;

    // The palette list, one tile number a line, as the editor takes it.
    std::vector<int> palette;
    if (auto lines = ReadTextList(scratch.File("MapBmps.hdr"), SmallFileLimit, &error))
        for (const std::string& line : *lines)
            if (auto tile = ParseInt(line)) palette.push_back(*tile);
    // Every tile the game names itself, and the listed ones, at both sizes.
    for (int tile : {0, 6, 12, 24, 77, 134, 191}) palette.push_back(tile);
    Surface back(ScreenWidth, ScreenHeight), sheet(ScreenWidth, ScreenHeight);
    sheet.Fill(1);
    for (std::size_t j = 0; j < palette.size() && j < 64; ++j) {
        for (int tileSize : {40, 20}) {
            const Rect r = TileRect(palette[j], tilesPerRow, tileSize);
            if (r.Right - r.Left != tileSize || r.Bottom - r.Top != tileSize) fuzz::Broken("a tile of another size");
            Blit(back, 600, 440, sheet, r, true);
        }
    }
    return 0;
}
