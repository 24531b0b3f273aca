#pragma once
// Level files: the 60 built-in levels kept together in "Allmaps.map", the
// levels above 60 read from "Level" + three digits + ".bkg" (the player's own
// level folder first, then the game's), and the level preview of the level
// choice.

#include "common/TextLists.h"
#include "world/Map.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

constexpr int BuiltInLevelCount = 60;

struct LevelStore {
    std::string MapsDir; // folder of the level files, with a trailing "/"
    // The player's own level folder (with a trailing "/"), read first for a
    // level above 60; empty when there is none.
    std::string UserMapsDir;
    TextList BuiltInMaps;    // the lines of "Allmaps.map"
    TextList LevelFileLines; // the lines of the last single level file read
    // Set by the last rebuild when "Allmaps.map" could not be written.
    std::string RebuildWriteError;
    // Set by LoadBuiltInMaps when "Allmaps.map" is there but cannot be used:
    // what is wrong with it and what was done instead.
    std::string BuiltInMapsProblem;
    // A level given from outside (the replay runner's --map) that replaces
    // every level number while it is set.
    std::optional<LevelCodes> Override;
};

// What the first 192 lines of a level file hold: the codes of the lines up
// to the first that is not a whole number, how many lines there are, and
// which line (counted from 0) is the first bad one.
struct LevelRead {
    std::vector<int> Codes;
    std::size_t LineCount = 0;
    std::optional<std::size_t> BadLine;
};

// The one reader of level codes: the game, the editor and the tools all read
// level files through it.
LevelRead ReadLevelLines(const TextList& lines);

// The 192 codes of a whole level from its lines (later lines are ignored);
// nullopt with `error` saying which line is not a whole number, or how many
// lines are missing.
std::optional<LevelCodes> WholeLevel(const TextList& lines, std::string* error);

// The same from a file; the message names the file.
std::optional<LevelCodes> ReadLevelFile(const std::string& path, std::string* error);

// The tile sheet's header "All256.hdr": how many tiles a row of a sheet
// holds, and the number of tile rows.
struct TileSheetHeader {
    int TilesPerRow = 0;
    int Rows = 0;
};

// Reads the header; nullopt with `error` naming the file when it is missing
// or does not start with the two numbers (the tiles a row above 0).
std::optional<TileSheetHeader> ReadTileSheetHeader(const std::string& path, std::string* error);

// MapsDir + "Level" + n padded to three digits + ".bkg".
std::string LevelFileName(const LevelStore& store, int n);

// The player's own level folder, $XDG_DATA_HOME/gravlin/maps/ (by default
// ~/.local/share/gravlin/maps/), or the "maps" folder below `playerDir` when
// one is given (the replay runner's --home); empty when there is no home.
std::string PlayerLevelFolder(const std::string& playerDir = "");

// Loads "Allmaps.map"; when it cannot be read, rebuilds it.
// So it does when the file is readable but not 60 levels of whole numbers
// (BuiltInMapsDamage): a damaged one is kept as "Allmaps.map.bak" first, and
// BuiltInMapsProblem says what was wrong and what was done.
void LoadBuiltInMaps(LevelStore& store);

// What keeps the lines of "Allmaps.map" from holding the 60 built-in levels
// (too few lines, a line that is not a whole number); empty when they do.
std::string BuiltInMapsDamage(const TextList& lines);

// Builds BuiltInMaps (and "Allmaps.map" after every level added) from the
// single files of levels 1 to 60, stopping at the first missing or short one.
void RebuildBuiltInMaps(LevelStore& store);

// Why a level that reads whole cannot be played: it has no player start (the
// player would stand in cell 0, on the border) or no book (cell 0 would be
// the book). Empty when it can be played.
std::string UnplayableReason(const LevelCodes& codes);

// The code of cell k of level n, or nullopt when the line is missing or not
// a decimal integer. For n above 60 the caller has loaded LevelFileLines.
std::optional<int> LevelCode(const LevelStore& store, int n, int k);

// All 192 codes of level n, reading the file of a level above 60 into
// LevelFileLines first: the player's file of that name when there is one (it
// hides the game's own, and deleting it brings that back), else the game's;
// nullopt when the level cannot be played (a missing or short file, a line
// that is not a number, a short "Allmaps.map", no player start or no book),
// with `why` naming the level, the file and the reason. The Override is
// taken as it is (the caller checks it).
std::optional<LevelCodes> ReadLevel(LevelStore& store, int n, std::string* why = nullptr);

// Prepares Cells for the map preview of level n and returns whether the
// level can be played (the value of LevelPlayable), with `why` saying why
// not. No actors are created; teleport exits show as empty. An unplayable
// level leaves the grid as it was.
bool LoadLevelPreview(World& w, LevelStore& store, int n, std::string* why = nullptr);

// Level setup for level n: false (grid and actors as they were, but for the
// first resets) when the level cannot be read.
bool SetupLevel(World& w, LevelStore& store, int n);

} // namespace gravlin
