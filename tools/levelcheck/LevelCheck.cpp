#include "LevelCheck.h"

#include "world/LevelFiles.h"
#include "world/Map.h"

#include <memory>

namespace gravlin {

namespace {

std::string CellName(int cell) {
    return "cell " + std::to_string(cell) + " (column " + std::to_string(CellColumn(cell)) + ", row " +
           std::to_string(CellRow(cell)) + ")";
}

std::vector<int> CellsWith(const LevelCodes& codes, int code) {
    std::vector<int> cells;
    for (int i = 0; i < MapCellCount; ++i)
        if (codes[static_cast<std::size_t>(i)] == code) cells.push_back(i);
    return cells;
}

std::string CellList(const std::vector<int>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size() && i < 4; ++i) text += (i ? ", " : "") + std::to_string(cells[i]);
    if (cells.size() > 4) text += ", ...";
    return text;
}

} // namespace

std::vector<LevelFinding> CheckLevelLines(const TextList& lines) {
    std::vector<LevelFinding> found;
    auto error = [&](std::string text) { found.push_back(LevelFinding{true, std::move(text)}); };
    auto warning = [&](std::string text) { found.push_back(LevelFinding{false, std::move(text)}); };

    std::string why;
    const auto read = WholeLevel(lines, &why);
    if (!read) {
        error(why);
        return found;
    }
    const LevelCodes& codes = *read;
    if (lines.size() > static_cast<std::size_t>(MapCellCount))
        warning(std::to_string(lines.size() - MapCellCount) + " lines after the 192nd are ignored");

    const auto starts = CellsWith(codes, PlayerStart);
    if (starts.empty()) error("no player start (24)");
    if (starts.size() > 1) error(std::to_string(starts.size()) + " player starts (24) in cells " + CellList(starts));
    const auto books = CellsWith(codes, Book);
    if (books.empty()) error("no book (134)");
    if (books.size() > 1) error(std::to_string(books.size()) + " books (134) in cells " + CellList(books));

    // Set the level up as the game does and read what it counted.
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, 4);
    w->DiamondTarget = 0;
    SetupLevelCodes(*w, codes);
    if (w->DiamondTarget == 0) error("nothing to collect: the book never opens");

    for (int i = 0; i < MapCellCount; ++i) {
        const int c = codes[static_cast<std::size_t>(i)];
        if (c >= TeleportEntrance1 && c <= TeleportEntrance5 &&
            w->Cells[static_cast<std::size_t>(i)].TeleportNo == NoActor)
            error("teleport entrance " + std::to_string(c - 104) + " at " + CellName(i) + " has no exit (" +
                  std::to_string(c + 5) + ") inside the border");
    }

    const auto chasers = CellsWith(codes, Chaser);
    if (!chasers.empty() && CellsWith(codes, ChaserHome).empty())
        error(std::to_string(chasers.size()) + " chaser(s) (64) but no chaser home (68)");
    if (!CellsWith(codes, LockedDiamondA).empty() && CellsWith(codes, KeyA).empty())
        error("locked diamonds (22) but no key for them (20)");
    if (!CellsWith(codes, LockedDiamondB).empty() && CellsWith(codes, KeyB).empty())
        error("locked diamonds (23) but no key for them (21)");

    // An egg counts only when its monster dies, and a rock is what kills it.
    for (int egg : CellsWith(codes, Egg)) {
        bool rockAbove = false;
        for (int row = 0; row < CellRow(egg) && !rockAbove; ++row)
            for (int col = CellColumn(egg) - 1; col <= CellColumn(egg) + 1; ++col)
                if (col >= 0 && col < MapColumns && codes[static_cast<std::size_t>(row * MapColumns + col)] == Rock)
                    rockAbove = true;
        if (!rockAbove) warning("egg at " + CellName(egg) + " has no rock above it to kill its monster");
    }

    std::vector<int> badBorder;
    for (int i = 0; i < MapCellCount; ++i)
        if (OnBorderRing(i) && codes[static_cast<std::size_t>(i)] != BorderRingCode(i)) badBorder.push_back(i);
    if (!badBorder.empty())
        warning("the border is not the forced border in " + std::to_string(badBorder.size()) +
                " cell(s): " + CellList(badBorder));
    return found;
}

std::vector<LevelFinding> CheckLevelFile(const std::string& path) {
    auto lines = ReadTextList(path);
    if (!lines) return {LevelFinding{true, "cannot be read"}};
    return CheckLevelLines(*lines);
}

} // namespace gravlin
