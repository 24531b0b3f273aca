#pragma once
// A level played by the rules as the play screen plays it, with the keys a
// caller holds, and the invariants the World keeps after every frame. The
// soak test and the level fuzz target both drive levels through it.

#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "audio/silent/SilentWaves.h"
#include "presentation/Input.h"
#include "world/LevelFiles.h"

#include <cstdint>
#include <memory>
#include <string>

namespace gravlin::testing {

// How far outside the screen a record may be: a flying diamond leaves it,
// but never by more than a few cells.
constexpr int InvariantMargin = 3 * 40;

// The first invariant the World breaks, or empty: at most 601 actors, every
// cell's ActorIndex NoActor or below ActorCount, every record and the player
// within a few cells of the screen, the player's cell in the grid.
inline std::string BrokenInvariant(const World& w) {
    if (w.ActorCount < 0 || w.ActorCount > ActorTableSize)
        return "ActorCount is " + std::to_string(w.ActorCount) + ", outside 0 to 601";
    for (int i = 0; i < CellRecordCount; ++i) {
        const int index = w.Cells[static_cast<std::size_t>(i)].ActorIndex;
        if (index != NoActor && (index < 0 || index >= w.ActorCount))
            return "cell " + std::to_string(i) + " points at actor " + std::to_string(index) + " of " +
                   std::to_string(w.ActorCount);
    }
    auto onScreen = [](int x, int y) {
        return x >= -InvariantMargin && x <= ScreenWidth + InvariantMargin && y >= -InvariantMargin &&
               y <= ScreenHeight + InvariantMargin;
    };
    for (int i = 0; i < w.ActorCount; ++i) {
        const ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (!onScreen(a.X, a.Y))
            return "actor " + std::to_string(i) + " (kind " + std::to_string(a.Kind) + ") is at " +
                   std::to_string(a.X) + ", " + std::to_string(a.Y);
    }
    const PlayerState& p = w.Player;
    if (!onScreen(p.PlayerX, p.PlayerY))
        return "the player is at " + std::to_string(p.PlayerX) + ", " + std::to_string(p.PlayerY);
    if (!InMap(p.PlayerCell)) return "PlayerCell is " + std::to_string(p.PlayerCell);
    return "";
}

// The inputs a run holds, one bit each.
enum HeldInput : std::uint8_t {
    HoldUp = 1,
    HoldDown = 2,
    HoldLeft = 4,
    HoldRight = 8,
    HoldEscape = 16,
    HoldSpeed = 32, // F5, F6 or F7 by the two bits above it
};

class LevelRun {
  public:
    LevelRun(LevelStore& store, int level, std::uint32_t seed, int speed = 4) : store_(store), level_(level) {
        w_ = std::make_unique<World>();
        w_->Sound = &cues_;
        w_->Keys = &keys_;
        w_->Rng.Seed = seed;
        w_->GameSpeed = speed;
        w_->ExplosionToggle = true;
        cues_.MonsterStepCueEvery = 3;
        cues_.MonsterStepCount = 99;
    }

    // Prepares the level as the play screen's entry does; false when it
    // cannot be played.
    bool Start() {
        w_->GameState = StatePlay;
        started_ = PrepareLevel(*w_, store_, level_);
        return started_;
    }

    // One frame of the play screen or of the ending that follows it, with
    // `held` held. A level that has ended (or was restarted by a speed key)
    // starts again, so a run can go on as long as its caller wants. False
    // when the level cannot be started.
    bool Frame(std::uint8_t held, DrawTarget* target = nullptr) {
        Hold(held);
        return Frame(target);
    }

    // The same with the keys as they are held now (Keys()).
    bool Frame(DrawTarget* target = nullptr) {
        if (!started_ && !Start()) return false;
        World& w = *w_;
        switch (w.GameState) {
        case StatePlay: {
            const PlayReport report = WorldPlayFrame(w, target);
            if (report.SpeedChosen != 0) started_ = false;
            if (report.LevelWon) ++Wins;
            break;
        }
        case StateLevelDone:
            if (target) target->Back.Fill(0);
            if (LevelDoneTick(w, target)) started_ = false;
            break;
        case StateGameOver:
            if (GameOverTick(w, target)) {
                ++Losses;
                started_ = false;
            }
            break;
        default: started_ = false; break;
        }
        ++Frames;
        return true;
    }

    const World& GameWorld() const { return *w_; }
    HeldKeyboard& Keys() { return keys_; }

    int Frames = 0;
    int Wins = 0;
    int Losses = 0;

  private:
    void Hold(std::uint8_t held) {
        auto set = [&](Key k, bool down) { down ? keys_.Press(k) : keys_.Release(k); };
        set(Key::Up, held & HoldUp);
        set(Key::Down, held & HoldDown);
        set(Key::Left, held & HoldLeft);
        set(Key::Right, held & HoldRight);
        set(Key::Escape, held & HoldEscape);
        const int speedKey = held & HoldSpeed ? (held >> 6) % 3 : -1;
        set(Key::F5, speedKey == 0);
        set(Key::F6, speedKey == 1);
        set(Key::F7, speedKey == 2);
    }

    LevelStore& store_;
    int level_;
    std::unique_ptr<World> w_;
    HeldKeyboard keys_;
    SilentWaves waves_;
    SoundCues cues_{&waves_};
    bool started_ = false;
};

} // namespace gravlin::testing
