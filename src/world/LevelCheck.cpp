#include "world/LevelCheck.h"

#include "world/CellNames.h"
#include "world/LevelFiles.h"

#include <array>
#include <deque>
#include <memory>

namespace gravlin {

namespace {

std::string Place(int cell) {
    return "(" + std::to_string(CellColumn(cell)) + ", " + std::to_string(CellRow(cell)) + ")";
}

std::string Places(const std::vector<int>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size() && i < 4; ++i) text += (i ? ", " : "") + Place(cells[i]);
    if (cells.size() > 4) text += ", ...";
    return text;
}

std::vector<int> CellsWith(const LevelCodes& codes, int code) {
    std::vector<int> cells;
    for (int i = 0; i < MapCellCount; ++i)
        if (codes[static_cast<std::size_t>(i)] == code) cells.push_back(i);
    return cells;
}

int CodeAt(const LevelCodes& codes, int cell) {
    return codes[static_cast<std::size_t>(cell)];
}

// Cells nothing ever passes: walls, the border, numbers the game does not
// know (it lets nothing enter them) and the closed book. Deadly tiles are
// never left alive, and nothing ever enters them either.
bool Solid(int code) {
    switch (code) {
    case StaticWall:
    case StaticWall2:
    case StaticWall3:
    case CornerBL:
    case CornerBR:
    case BorderWall:
    case CornerTL:
    case CornerTR:
    case Hazard1:
    case Hazard2:
    case Hazard3:
    case Book: return true;
    default: return !IsCellCode(code);
    }
}

// The cells a walk from `start` reaches through cells `passable` allows,
// one step left, right, up or down at a time (a diagonal step needs both
// cells beside it open, so it reaches nothing more). `jump` gives the cell a
// reached cell also leads to (a teleport's exit), or -1.
template <typename Passable, typename Jump>
std::array<bool, MapCellCount> Reach(int start, Passable passable, Jump jump) {
    std::array<bool, MapCellCount> reached{};
    std::deque<int> open;
    auto visit = [&](int cell) {
        if (cell < 0 || cell >= MapCellCount || reached[static_cast<std::size_t>(cell)] || OnBorderRing(cell) ||
            !passable(cell))
            return;
        reached[static_cast<std::size_t>(cell)] = true;
        open.push_back(cell);
    };
    visit(start);
    while (!open.empty()) {
        const int cell = open.front();
        open.pop_front();
        const int col = CellColumn(cell);
        if (col > 0) visit(cell - 1);
        if (col < MapColumns - 1) visit(cell + 1);
        visit(cell - MapColumns);
        visit(cell + MapColumns);
        visit(jump(cell));
    }
    return reached;
}

} // namespace

std::vector<LevelFinding> CheckLevelCodes(const LevelCodes& codes) {
    std::vector<LevelFinding> found;
    auto error = [&](std::string text) { found.push_back(LevelFinding{true, std::move(text)}); };
    auto warning = [&](std::string text) { found.push_back(LevelFinding{false, std::move(text)}); };

    const auto starts = CellsWith(codes, PlayerStart);
    if (starts.empty()) error(NamedCode(PlayerStart) + ": none on the map");
    if (starts.size() > 1)
        error(NamedCode(PlayerStart) + ": " + std::to_string(starts.size()) + " on the map, at " + Places(starts));
    const auto books = CellsWith(codes, Book);
    if (books.empty()) error(NamedCode(Book) + ": none on the map");
    if (books.size() > 1)
        error(NamedCode(Book) + ": " + std::to_string(books.size()) + " on the map, at " + Places(books));

    // Set the level up as the game does and read what it counted.
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, 4);
    w->DiamondTarget = 0;
    SetupLevelCodes(*w, codes);
    if (w->DiamondTarget == 0) error("Nothing to collect: the book never opens");

    for (int i = 0; i < MapCellCount; ++i) {
        const int c = CodeAt(codes, i);
        if (c >= TeleportEntrance1 && c <= TeleportEntrance5 &&
            w->Cells[static_cast<std::size_t>(i)].TeleportNo == NoActor)
            error(NamedCode(c) + " at " + Place(i) + ": no " + NamedCode(c + 5) + " inside the border");
    }

    const auto chasers = CellsWith(codes, Chaser);
    if (!chasers.empty() && CellsWith(codes, ChaserHome).empty())
        error(NamedCode(Chaser) + " at " + Places(chasers) + ": no " + NamedCode(ChaserHome) + " on the map");
    for (auto [locked, key] : {std::pair{LockedDiamondA, KeyA}, std::pair{LockedDiamondB, KeyB}}) {
        const auto doors = CellsWith(codes, locked);
        if (!doors.empty() && CellsWith(codes, key).empty())
            error(NamedCode(locked) + " at " + Places(doors) + ": no " + NamedCode(key) + " on the map");
    }

    // What the player can reach: every cell but the solid ones and weed
    // (which kills), and a teleport entrance leads on to its exit.
    if (!starts.empty()) {
        const auto reached = Reach(
            w->Player.PlayerCell, [&](int cell) { return !Solid(CodeAt(codes, cell)) && CodeAt(codes, cell) != Weed; },
            [&](int cell) {
                const int n = w->Cells[static_cast<std::size_t>(cell)].TeleportNo;
                if (n < 1 || n > 5) return -1;
                const PixelPos& to = w->TeleportDest[static_cast<std::size_t>(n)];
                return to.Y / 40 * MapColumns + to.X / 40;
            });
        auto reachable = [&](int cell) { return reached[static_cast<std::size_t>(cell)]; };
        // Diamonds, locked diamonds and chasers (which turn into diamonds at
        // their home) must all be collected.
        for (int code : {Diamond, LockedDiamondA, LockedDiamondB, Chaser}) {
            std::vector<int> off;
            for (int cell : CellsWith(codes, code))
                if (!reachable(cell)) off.push_back(cell);
            if (!off.empty()) error(NamedCode(code) + " at " + Places(off) + ": walled off from the player");
        }
        for (auto [locked, key] : {std::pair{LockedDiamondA, KeyA}, std::pair{LockedDiamondB, KeyB}}) {
            const auto keys = CellsWith(codes, key);
            if (CellsWith(codes, locked).empty() || keys.empty()) continue;
            bool any = false;
            for (int cell : keys) any = any || reachable(cell);
            if (!any)
                error(NamedCode(key) + " at " + Places(keys) + ": walled off from the player, so " + NamedCode(locked) +
                      " never opens");
        }
        if (!books.empty()) {
            const int book = w->BookCell;
            const bool near = (CellColumn(book) > 0 && reachable(book - 1)) ||
                              (CellColumn(book) < MapColumns - 1 && reachable(book + 1)) ||
                              (book >= MapColumns && reachable(book - MapColumns)) ||
                              (book + MapColumns < MapCellCount && reachable(book + MapColumns));
            if (!near) error(NamedCode(Book) + " at " + Place(book) + ": walled off from the player");
        }
    }

    // An egg counts only when its monster dies, and a rock (falling or
    // pushed) or weed is what kills it: one must share the egg's part of the
    // map.
    std::vector<int> lonelyEggs;
    for (int egg : CellsWith(codes, Egg)) {
        const auto region = Reach(
            egg, [&](int cell) { return !Solid(CodeAt(codes, cell)); }, [](int) { return -1; });
        bool killer = false;
        for (int i = 0; i < MapCellCount && !killer; ++i)
            killer = region[static_cast<std::size_t>(i)] && (CodeAt(codes, i) == Rock || CodeAt(codes, i) == Weed);
        if (!killer) lonelyEggs.push_back(egg);
    }
    if (!lonelyEggs.empty())
        warning(NamedCode(Egg) + " at " + Places(lonelyEggs) + ": no rock or weed can reach it to kill its monster");

    std::vector<int> unknown;
    for (int i = 0; i < MapCellCount; ++i)
        if (!IsCellCode(CodeAt(codes, i))) unknown.push_back(i);
    if (!unknown.empty()) {
        std::string text;
        for (std::size_t k = 0; k < unknown.size() && k < 4; ++k)
            text += (k ? ", " : "") + std::to_string(CodeAt(codes, unknown[k])) + " at " + Place(unknown[k]);
        if (unknown.size() > 4) text += ", ...";
        warning("Not a cell code: " + text + " (nothing enters such a cell)");
    }

    std::vector<int> badBorder;
    for (int i = 0; i < MapCellCount; ++i)
        if (OnBorderRing(i) && CodeAt(codes, i) != BorderRingCode(i)) badBorder.push_back(i);
    if (!badBorder.empty())
        warning("Border: " + std::to_string(badBorder.size()) + " cell(s) are not the forced border, at " +
                Places(badBorder));
    return found;
}

std::vector<LevelFinding> CheckLevelLines(const TextList& lines) {
    std::string why;
    const auto read = WholeLevel(lines, &why);
    if (!read) return {LevelFinding{true, why}};
    std::vector<LevelFinding> found;
    if (lines.size() > static_cast<std::size_t>(MapCellCount))
        found.push_back(
            LevelFinding{false, std::to_string(lines.size() - MapCellCount) + " lines after the 192nd are ignored"});
    auto codes = CheckLevelCodes(*read);
    found.insert(found.end(), codes.begin(), codes.end());
    return found;
}

std::vector<LevelFinding> CheckLevelFile(const std::string& path) {
    auto lines = ReadTextList(path);
    if (!lines) return {LevelFinding{true, "cannot be read"}};
    return CheckLevelLines(*lines);
}

} // namespace gravlin
