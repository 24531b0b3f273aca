#pragma once
// Level files: the 60 built-in levels kept together in "Allmaps.map", the
// levels above 60 read from "Level" + three digits + ".bkg", and the level
// preview of the level choice.

#include "common/TextLists.h"
#include "world/Map.h"

#include <optional>
#include <string>

namespace gravlin {

constexpr int BuiltInLevelCount = 60;

struct LevelStore {
    std::string MapsDir;     // folder of the level files, with a trailing "/"
    TextList BuiltInMaps;    // the lines of "Allmaps.map"
    TextList LevelFileLines; // the lines of the last single level file read
    // Set by the last rebuild when "Allmaps.map" could not be written.
    std::string RebuildWriteError;
    // A level given from outside (the replay runner's --map) that replaces
    // every level number while it is set.
    std::optional<LevelCodes> Override;
};

// MapsDir + "Level" + n padded to three digits + ".bkg".
std::string LevelFileName(const LevelStore& store, int n);

// Loads "Allmaps.map"; when it cannot be read, rebuilds it.
void LoadBuiltInMaps(LevelStore& store);

// Builds BuiltInMaps (and "Allmaps.map" after every level added) from the
// single files of levels 1 to 60, stopping at the first missing or short one.
void RebuildBuiltInMaps(LevelStore& store);

// The code of cell k of level n, or nullopt when the line is missing or not
// a decimal integer. For n above 60 the caller has loaded LevelFileLines.
std::optional<int> LevelCode(const LevelStore& store, int n, int k);

// All 192 codes of level n, reading the file of a level above 60 into
// LevelFileLines first; nullopt when the level cannot be built (a missing or
// short file, a line that is not a number, a short "Allmaps.map").
std::optional<LevelCodes> ReadLevel(LevelStore& store, int n);

// Prepares Cells for the map preview of level n and returns whether the
// level can be played (the value of LevelPlayable). No actors are created;
// teleport exits show as empty. An unplayable level leaves the grid as it was.
bool LoadLevelPreview(World& w, LevelStore& store, int n);

// Level setup for level n: false (grid and actors as they were, but for the
// first resets) when the level cannot be read.
bool SetupLevel(World& w, LevelStore& store, int n);

} // namespace gravlin
