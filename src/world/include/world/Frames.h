#pragma once
// Animation frames: each is the number of a tile on the tile sheet, so a
// frame range names the tiles an animation steps through.

namespace gravlin {

struct FrameRange {
    int First = 0;
    int Last = 0;
};

constexpr FrameRange DigFrames{1, 5};
constexpr FrameRange DiamondFlightFrames{6, 11};
constexpr FrameRange EggRollFrames{12, 15};
constexpr FrameRange EggHatchFrames{16, 19};
constexpr FrameRange MonsterFrames{62, 63};
constexpr FrameRange ChaserLeftFrames{64, 67};
constexpr FrameRange ChaserRightFrames{69, 72};
constexpr FrameRange ChaserHomeFrames{73, 76};
constexpr FrameRange RockRollFrames{77, 96};
constexpr FrameRange WeedGrowFrames{100, 104};
constexpr FrameRange TeleportEntranceFrames{115, 126};
// Monsters made while the book is open (the border come alive), and the
// tile every monster shows while the objects fly to the middle.
constexpr FrameRange EndPhaseMonsterFrames{137, 138};
constexpr FrameRange MonsterDyingFrames{139, 143};

// The player's sprites come in groups of four frames, starting at these.
constexpr int PlayerWalkLeft = 24;
constexpr int PlayerPushLeft = 28;
constexpr int PlayerDownLeft = 32;
constexpr int PlayerWalkRight = 36;
constexpr int PlayerDownRight = 40;
constexpr int PlayerPushRight = 44;
constexpr int PlayerGroupFrames = 4;
constexpr FrameRange TeleportFlightFrames{48, 52};
constexpr FrameRange PlayerDeathFrames{53, 61};

} // namespace gravlin
