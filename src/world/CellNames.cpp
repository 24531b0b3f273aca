#include "world/CellNames.h"

#include "world/CellCodes.h"

#include <array>
#include <utility>

namespace gravlin {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 38> Names{{
    {Empty, "Empty"},
    {Earth, "Earth"},
    {Diamond, "Diamond"},
    {Egg, "Egg"},
    {KeyA, "Key A"},
    {KeyB, "Key B"},
    {LockedDiamondA, "Locked diamond A"},
    {LockedDiamondB, "Locked diamond B"},
    {PlayerStart, "Player start"},
    {Monster, "Monster"},
    {Chaser, "Chaser"},
    {ChaserHome, "Chaser home"},
    {Rock, "Rock"},
    {StaticWall, "Wall"},
    {CornerBL, "Border corner, bottom left"},
    {CornerBR, "Border corner, bottom right"},
    {Weed, "Weed"},
    {TeleportEntrance1, "Teleport entrance 1"},
    {TeleportEntrance1 + 1, "Teleport entrance 2"},
    {TeleportEntrance1 + 2, "Teleport entrance 3"},
    {TeleportEntrance1 + 3, "Teleport entrance 4"},
    {TeleportEntrance5, "Teleport entrance 5"},
    {TeleportExit1, "Teleport exit 1"},
    {TeleportExit1 + 1, "Teleport exit 2"},
    {TeleportExit1 + 2, "Teleport exit 3"},
    {TeleportExit1 + 3, "Teleport exit 4"},
    {TeleportExit5, "Teleport exit 5"},
    {BorderWall, "Border wall"},
    {CornerTL, "Border corner, top left"},
    {CornerTR, "Border corner, top right"},
    {Hazard1, "Deadly tile 1"},
    {Hazard2, "Deadly tile 2"},
    {Hazard3, "Deadly tile 3"},
    {BookOpen, "Open book"},
    {Book, "Book"},
    {StaticWall2, "Wall 2"},
    {StaticWall3, "Wall 3"},
    {Reserved, "Reserved cell"},
}};

} // namespace

std::string_view CellCodeName(int code) {
    for (const auto& [c, name] : Names)
        if (c == code) return name;
    return {};
}

std::string NamedCode(int code) {
    std::string_view name = CellCodeName(code);
    if (name.empty()) return std::to_string(code) + " (no cell code)";
    return std::string(name) + " (" + std::to_string(code) + ")";
}

} // namespace gravlin
