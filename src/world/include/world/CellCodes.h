#pragma once
// Cell codes: the same number names what occupies a cell, the tile that shows
// it and the value stored in level files. Code sets say where actors may go.

#include <bitset>
#include <initializer_list>

namespace gravlin {

enum : int {
    Empty = 0,
    Earth = 1,
    Diamond = 6,
    Egg = 12,
    KeyA = 20,
    KeyB = 21,
    LockedDiamondA = 22,
    LockedDiamondB = 23,
    PlayerStart = 24,
    Monster = 62,
    Chaser = 64,
    ChaserHome = 68,
    Rock = 77,
    StaticWall = 97,
    CornerBL = 98,
    CornerBR = 99,
    Weed = 104,
    TeleportEntrance1 = 105,
    TeleportEntrance5 = 109,
    TeleportExit1 = 110,
    TeleportExit5 = 114,
    BorderWall = 127,
    CornerTL = 128,
    CornerTR = 129,
    Hazard1 = 130,
    Hazard2 = 131,
    Hazard3 = 132,
    BookOpen = 133,
    Book = 134,
    StaticWall2 = 135,
    StaticWall3 = 136,
    Reserved = 200,
};

// Transient actor kinds: only in actor records (and, for 1002 and 1003, in a
// cell's Content while the change lasts), never in files.
enum : int {
    WeedGrowing = 1001,
    ChaserToDiamond = 1002,
    EggHatching = 1003,
    MonsterDying = 1004,
    Digging = 1007,
    DiamondTaken = 1009,
    PlayerTeleport = 1010,
};

// A cell without an actor, a cell without a teleport entrance, and the marks
// level setup writes into every record before the level fills them.
constexpr int NoActor = 9999;

// A set of codes 0 to 255; a code outside that range is never a member.
class CodeSet {
  public:
    constexpr CodeSet() = default;
    CodeSet(std::initializer_list<int> codes) {
        for (int c : codes) Add(c);
    }
    void Add(int code) {
        if (code >= 0 && code <= 255) bits_.set(static_cast<std::size_t>(code));
    }
    void AddRange(int first, int last) {
        for (int c = first; c <= last; ++c) Add(c);
    }
    bool Has(int code) const { return code >= 0 && code <= 255 && bits_.test(static_cast<std::size_t>(code)); }
    bool operator==(const CodeSet&) const = default;

  private:
    std::bitset<256> bits_;
};

// The fixed code sets.
const CodeSet& PlayerEnterable();
const CodeSet& PlayerDiagonalSet();
const CodeSet& DeadlyToPlayer();
const CodeSet& RoundedLeft();
const CodeSet& RoundedRight();
const CodeSet& RockFallIntoClosedBook();
const CodeSet& RockFallIntoOpenBook();
const CodeSet& RockDiagonalInto();
const CodeSet& EggFallInto();
const CodeSet& EggRollInto();
const CodeSet& MonsterEnterable();
const CodeSet& ChaserEnterable();
const CodeSet& WeedEnterable();
const CodeSet& TeleportSet();

} // namespace gravlin
