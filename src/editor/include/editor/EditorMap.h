#pragma once
// The editor's map without its window: the 192 cell codes, the border ring
// every whole map gets, the checks a map must pass before it is saved, the
// palette paging, and the reading and naming of level files.

#include "common/TextLists.h"
#include "world/Map.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// The name a new map has until it is first saved; the label shows "Untitled".
inline const std::string UntitledMarker = "~+!";

// The messages of the checks before saving, in the order they are shown.
inline const std::string NoPlayerMessage = "Please put Player on map before continuing.";
inline const std::string NoBookMessage = "Please put Book on map before continuing.";
inline const std::string NoMapMessage = "Please open a map or start a new one before continuing.";

// Palette geometry: two columns of ten 40-pixel slots.
constexpr int PaletteColumns = 2;
constexpr int PaletteSlots = 20;

// Whether a cell whose top-left pixel is (x, y) may be painted: only the
// interior, columns 1 to 14 and rows 1 to 10.
bool PaintableCell(int x, int y);

// Every message of the save checks whose condition holds (no player start, no
// book, no map created or opened), in order; empty when the map may be saved.
std::vector<std::string> SaveCheckMessages(const LevelCodes& codes, const std::string& levelName);

// The 192 codes as decimal lines, in cell order.
TextList LevelLines(const LevelCodes& codes);

// The first palette entry shown after one page down or up. A page moves at
// most ten entries (five rows) and stops once the last entry is in view.
int PaletteTopAfterDown(int paletteTop, int entryCount);
int PaletteTopAfterUp(int paletteTop);
bool PaletteUpEnabled(int paletteTop);
bool PaletteDownEnabled(int paletteTop, int entryCount);

// The level file a chosen path stands for: its extension (a "." after the
// last folder separator) replaced by ".bkg", or ".bkg" appended when it has
// none. A "." in a folder name is not an extension.
std::string LevelFilePath(const std::string& chosenPath);

// The map name of a chosen path: the file name without folders and without
// its extension.
std::string ChosenLevelName(const std::string& chosenPath);

// The codes of a level file: one per line for the first 192 lines (later
// lines are ignored). A file that cannot be read, or one of those lines that
// is not a decimal integer, gives nullopt and a message naming the file and
// the line (counted from 1, as a text editor shows it).
std::optional<std::vector<int>> ReadLevelFileCodes(const std::string& path, std::string* error);

} // namespace gravlin
