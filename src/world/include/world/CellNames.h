#pragma once
// The names of the cell codes, as the editor shows them and the level
// checker reports them: one table for every program.

#include <string>
#include <string_view>

namespace gravlin {

// The name of a cell code a level file may hold ("Rock" for 77); empty for a
// number that is not in the table of cell codes (the game shows such a cell
// as its tile and lets nothing enter it).
std::string_view CellCodeName(int code);

// Whether a number is one of the cell codes of the table.
inline bool IsCellCode(int code) {
    return !CellCodeName(code).empty();
}

// A code with its name, "Rock (77)"; a number outside the table reads
// "999 (no cell code)".
std::string NamedCode(int code);

} // namespace gravlin
