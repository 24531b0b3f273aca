#pragma once
// The level check: what makes a level unwinnable on its face, found from its
// 192 codes alone without playing it. The level checker runs it over level
// files; the editor runs it after every change of the map.

#include "common/TextLists.h"
#include "world/Map.h"

#include <string>
#include <vector>

namespace gravlin {

struct LevelFinding {
    bool Error = true; // false: a warning, which does not fail the check
    std::string Text;
};

// Checks a level's codes: one player start and one book, something to
// collect, every teleport entrance's exit, every locked diamond's key, every
// chaser's home, what must be collected (and the book) within the player's
// reach, a rock or weed for every egg's monster, cell codes the game knows,
// and the forced border. Places read "(column, row)".
std::vector<LevelFinding> CheckLevelCodes(const LevelCodes& codes);

// Checks the lines of one level file: their shape first, then the codes.
std::vector<LevelFinding> CheckLevelLines(const TextList& lines);

// Checks one level file; an unreadable file is an error.
std::vector<LevelFinding> CheckLevelFile(const std::string& path);

} // namespace gravlin
