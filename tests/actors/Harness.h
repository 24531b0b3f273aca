#pragma once
// A small level in a box: a World built from a picture of the playable area,
// a held keyboard, silent sound that records every cue with its frame, and a
// frame runner that does what the play frame does around the play tick.

#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "audio/silent/SilentWaves.h"
#include "presentation/Input.h"
#include "world/Map.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace gravlin::test {

// Picture characters of the playable area (10 rows of 14; the border is
// added around it). Monsters ('M') are not level codes: they are made after
// setup, as a hatched egg would be.
inline int CodeOf(char ch) {
    switch (ch) {
    case ' ':
    case '.':
    case 'M': return Empty;
    case ':': return Earth;
    case 'd': return Diamond;
    case 'e': return Egg;
    case 'a': return KeyA;
    case 'b': return KeyB;
    case 'A': return LockedDiamondA;
    case 'B': return LockedDiamondB;
    case 'P': return PlayerStart;
    case 'c': return Chaser;
    case 'h': return ChaserHome;
    case 'r': return Rock;
    case '#': return StaticWall;
    case 'w': return Weed;
    case 'T': return TeleportEntrance1;
    case 't': return TeleportExit1;
    case 'x': return Hazard1;
    case 'K': return Book;
    case '<': return CornerTL;
    case '>': return CornerTR;
    default: throw std::invalid_argument(std::string("unknown map character ") + ch);
    }
}

inline int At(int col, int row) {
    return row * MapColumns + col;
}

struct Game {
    World w;
    HeldKeyboard keys;
    SilentWaves waves;
    SoundCues cues{&waves};
    int frame = 0;
    DrawTarget* Target = nullptr; // where frames are drawn; none by default

    explicit Game(const std::vector<std::string>& rows, int speed = 4, std::uint32_t seed = 1) {
        LevelCodes codes{};
        std::vector<int> monsters;
        for (int i = 0; i < MapCellCount; ++i) {
            const int col = CellColumn(i), row = CellRow(i);
            int code = BorderRingCode(i);
            if (!OnBorderRing(i)) {
                const std::size_t r = static_cast<std::size_t>(row - 1), c = static_cast<std::size_t>(col - 1);
                const char ch = r < rows.size() && c < rows[r].size() ? rows[r][c] : ' ';
                code = CodeOf(ch);
                if (ch == 'M') monsters.push_back(i);
            }
            codes[static_cast<std::size_t>(i)] = code;
        }
        waves.FrameCounter = &frame;
        w.Sound = &cues;
        w.Keys = &keys;
        w.Rng.Seed = seed;
        w.GameSpeed = speed;
        w.GameState = StatePlay;
        // The level prepared as the game prepares it.
        LevelStore level;
        level.Override = codes;
        if (!PrepareLevel(w, level, 1)) throw std::logic_error("the test level cannot be prepared");
        for (int cell : monsters) AddMonster(cell);
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // A monster standing in a cell, as a hatched egg leaves it.
    int AddMonster(int cell) {
        const int m = CreateActor(w, cell, Monster);
        BecomeMonster(w, m);
        return m;
    }

    // One play frame as the game runs it, headless unless a Target is set;
    // gives what the player reported.
    PlayReport Frame() {
        ++frame;
        return WorldPlayFrame(w, Target);
    }
    // Runs up to n frames, stopping early when play ends; gives frames run.
    int Run(int n) {
        int k = 0;
        while (k < n && w.GameState == StatePlay) {
            Frame();
            ++k;
        }
        return k;
    }

    void Hold(Key k) { keys.Press(k); }
    void Release(Key k) { keys.Release(k); }
    void ReleaseAll() { keys.ReleaseAll(); }

    Cell& CellAt(int col, int row) { return w.Cells[static_cast<std::size_t>(At(col, row))]; }
    int Content(int col, int row) { return CellAt(col, row).Content; }
    ActorRecord& Actor(int index) { return w.Actors.at(static_cast<std::size_t>(index)); }
    ActorRecord& ActorIn(int col, int row) { return Actor(CellAt(col, row).ActorIndex); }
    int IndexIn(int col, int row) { return CellAt(col, row).ActorIndex; }

    // Frames at which a cue played.
    std::vector<int> CueFrames(const std::string& name) const {
        std::vector<int> frames;
        for (const auto& [f, n] : waves.Played)
            if (n == name) frames.push_back(f);
        return frames;
    }
    int CountKind(int kind, bool activeOnly = true) const {
        int n = 0;
        for (int i = 0; i < w.ActorCount; ++i) {
            const ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
            if (a.Kind == kind && (a.Active || !activeOnly)) ++n;
        }
        return n;
    }
};

// Ticks of one 40-pixel step at a game speed.
inline int StepTicks(int speed) {
    return speed == 6 ? 7 : (speed == 4 ? 10 : 20);
}

// A seed whose next draw from 0 to 4999 is 1: the weed spreads on its first
// chance.
inline std::uint32_t SpreadingSeed() {
    for (std::uint32_t s = 0;; ++s) {
        Random r{s};
        if (r.Next(5000) == 1) return s;
    }
}

} // namespace gravlin::test
