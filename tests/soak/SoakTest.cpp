// The soak: random key scripts over all 70 shipped levels (after some or all
// of each one's solution) and over random levels, 220,000 frames of play and
// endings, with the World's invariants checked after every one.

#include "LevelRun.h"
#include "common/Files.h"
#include "presentation/ReplayScript.h"
#include "world/CellCodes.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace gravlin {
namespace {

using testing::LevelRun;

constexpr int FramesPerLevel = 2000;
constexpr int RandomLevels = 40;

// Keys as a player mashing them would hold them: a direction or two for a
// while, now and then nothing, rarely Escape or a speed key.
class RandomKeys {
  public:
    explicit RandomKeys(std::uint32_t seed) : rng_(seed) {}
    std::uint8_t Next() {
        if (left_ == 0) {
            left_ = Pick(1, 40);
            const int roll = Pick(0, 399);
            if (roll == 0)
                held_ = testing::HoldEscape;
            else if (roll == 1)
                held_ = static_cast<std::uint8_t>(testing::HoldSpeed | Pick(0, 2) << 6);
            else if (roll < 60)
                held_ = 0;
            else
                held_ = static_cast<std::uint8_t>(Pick(1, 15)); // some of up, down, left, right
        }
        --left_;
        return held_;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    std::mt19937 rng_;
    int left_ = 0;
    std::uint8_t held_ = 0;
};

// A level of random codes inside the border: the codes levels are made of,
// now and then any number at all, one player start and a book.
LevelCodes RandomLevel(std::mt19937& rng) {
    static const int codes[] = {Empty,
                                Empty,
                                Earth,
                                Earth,
                                Diamond,
                                Egg,
                                KeyA,
                                KeyB,
                                LockedDiamondA,
                                LockedDiamondB,
                                Chaser,
                                ChaserHome,
                                Rock,
                                Rock,
                                StaticWall,
                                Weed,
                                TeleportEntrance1,
                                TeleportEntrance1 + 1,
                                TeleportExit1,
                                TeleportExit1 + 1,
                                Hazard1,
                                Book};
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    LevelCodes level{};
    for (int i = 0; i < MapCellCount; ++i) {
        int code = codes[pick(0, static_cast<int>(std::size(codes)) - 1)];
        if (pick(0, 49) == 0) code = pick(-5, 1500);
        level[static_cast<std::size_t>(i)] = code;
    }
    ForceBorderRing(level);
    level[static_cast<std::size_t>(pick(1, 10) * MapColumns + pick(1, 14))] = PlayerStart;
    return level;
}

// Plays a level for FramesPerLevel frames: first its solution's keys up to
// frame `solvedUpTo` (so that the book opens, the border turns and the wipe
// runs), then random keys. False (with the failure said) when an invariant
// breaks.
bool Soak(LevelStore& store, int level, std::uint32_t seed, const std::string& name,
          const std::vector<ScriptEvent>& solution, int solvedUpTo, long& frames, int& wins) {
    LevelRun run(store, level, seed);
    RandomKeys keys(seed * 7919u + 1u);
    // Every 64th frame is drawn, on a sheet of every colour.
    Surface back(ScreenWidth, ScreenHeight), sheet(ScreenWidth, ScreenHeight);
    for (std::size_t i = 0; i < sheet.Pixels.size(); ++i) sheet.Pixels[i] = static_cast<std::uint8_t>(i % 251);
    DrawTarget target{back, sheet, 16};
    std::size_t next = 0;
    for (int f = 0; f < FramesPerLevel; ++f) {
        DrawTarget* drawn = f % 64 == 0 ? &target : nullptr;
        bool started = true;
        if (f < solvedUpTo) {
            for (; next < solution.size() && solution[next].Frame == f; ++next) {
                const ScriptEvent& e = solution[next];
                e.Down ? run.Keys().Press(e.Which) : run.Keys().Release(e.Which);
            }
            started = run.Frame(drawn);
        } else {
            started = run.Frame(keys.Next(), drawn);
        }
        if (!started) {
            ADD_FAILURE() << name << " cannot be started";
            return false;
        }
        const std::string broken = testing::BrokenInvariant(run.GameWorld());
        if (!broken.empty()) {
            ADD_FAILURE() << name << ", seed " << seed << ", frame " << f << ": " << broken;
            return false;
        }
    }
    frames += run.Frames;
    wins += run.Wins;
    return true;
}

TEST(Soak, RandomKeysOverEveryShippedLevelAndRandomLevelsKeepTheWorldWhole) {
    const auto start = std::chrono::steady_clock::now();
    long frames = 0;
    LevelStore shipped;
    shipped.MapsDir = std::string(GRAVLIN_GAME_DIR) + "/maps/";
    LoadBuiltInMaps(shipped);
    ASSERT_TRUE(shipped.BuiltInMapsProblem.empty()) << shipped.BuiltInMapsProblem;
    std::mt19937 rng(13);
    int wins = 0, wholeSolutions = 0;
    for (int level = 1; level <= LevelCountFixed; ++level) {
        char name[40];
        std::snprintf(name, sizeof name, "/levels/solutions/Level%03d.rpl", level);
        std::string error;
        auto script = ReadWholeFile(std::string(GRAVLIN_SOURCE_DIR) + name, ScriptFileLimit, &error);
        ASSERT_TRUE(script) << error;
        auto solution = ParseReplayScript(*script, &error);
        ASSERT_TRUE(solution && !solution->empty()) << error;
        // Every other level is won by its whole solution (with seed 1, as it
        // was found); the others leave it at a random frame.
        const bool whole = level % 2 == 1;
        wholeSolutions += whole;
        const int upTo = whole ? FramesPerLevel : std::uniform_int_distribution<int>(0, solution->back().Frame)(rng);
        const std::uint32_t seed = whole ? 1u : static_cast<std::uint32_t>(level);
        if (!Soak(shipped, level, seed, "level " + std::to_string(level), *solution, upTo, frames, wins)) return;
    }
    EXPECT_GE(wins, wholeSolutions); // the rules play here as in the game

    for (int n = 1; n <= RandomLevels; ++n) {
        LevelStore random;
        random.Override = RandomLevel(rng);
        const std::string name = "random level " + std::to_string(n);
        if (!Soak(random, 1, static_cast<std::uint32_t>(1000 + n), name, {}, 0, frames, wins)) return;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak: %ld frames over %d levels (%d won) in %.2f s\n", frames, LevelCountFixed + RandomLevels, wins,
                seconds);
    EXPECT_GE(frames, 200000);
}

} // namespace
} // namespace gravlin
