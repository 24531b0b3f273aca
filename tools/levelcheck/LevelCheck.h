#pragma once
// The level checker: what makes a level unwinnable on its face, found from
// its 192 codes alone without playing it.

#include "common/TextLists.h"

#include <string>
#include <vector>

namespace gravlin {

struct LevelFinding {
    bool Error = true; // false: a warning, which does not fail the check
    std::string Text;
};

// Checks the lines of one level file.
std::vector<LevelFinding> CheckLevelLines(const TextList& lines);

// Checks one level file; an unreadable file is an error.
std::vector<LevelFinding> CheckLevelFile(const std::string& path);

} // namespace gravlin
