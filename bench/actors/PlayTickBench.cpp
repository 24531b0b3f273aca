// The cost of one play tick (player, actor pass, the three drawing passes,
// border spawn and the player's sprite) on the busiest level we can build:
// all 601 actor records in use and active.
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "presentation/Input.h"
#include "world/Map.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace gravlin {
namespace {

struct Busy {
    World w;
    HeldKeyboard keys;
    SoundCues cues; // no waves: cues cost their rules only
    Surface sheet{ScreenWidth, ScreenHeight};
    Surface back{ScreenWidth, ScreenHeight};

    Busy() {
        for (int y = 0; y < ScreenHeight; ++y)
            for (int x = 0; x < ScreenWidth; ++x) sheet.Set(x, y, static_cast<std::uint8_t>((x * 7 + y * 3) % 255 + 1));

        // Every interior cell holds something that decides or moves: rocks
        // and eggs over gaps, diamonds, chasers in earth, weed.
        static const char* const rows[10] = {
            "rrrrrrrrrrrrrr", "    e   e   e ", "dd ddd ddd dd ", "cccccccccccccc", "::::::::::::::",
            "cccccccccccccc", "wwwwwwwwwwwww ", "rrr rrr rrr r ", "              ", "P    d  d  d K",
        };
        LevelCodes codes{};
        for (int i = 0; i < MapCellCount; ++i) {
            const int col = CellColumn(i), row = CellRow(i);
            int code = BorderWall;
            if (col > 0 && col < 15 && row > 0 && row < 11) {
                switch (rows[row - 1][col - 1]) {
                case 'r': code = Rock; break;
                case 'e': code = Egg; break;
                case 'd': code = Diamond; break;
                case 'c': code = Chaser; break;
                case ':': code = Earth; break;
                case 'w': code = Weed; break;
                case 'P': code = PlayerStart; break;
                case 'K': code = Book; break;
                default: code = Empty; break;
                }
            }
            codes[static_cast<std::size_t>(i)] = code;
        }
        w.Sound = &cues;
        w.Keys = &keys;
        w.GameSpeed = 4;
        w.GameState = StatePlay;
        LevelStore level;
        level.Override = codes;
        PrepareLevel(w, level, 1);

        // The whole border has turned into monsters (the book is open).
        w.EndPhase = true;
        w.BorderSide = 'R';
        w.BorderCursor = 15;
        for (int i = 0; i < MapCellCount; ++i) {
            const int col = CellColumn(i), row = CellRow(i);
            if (col == 0 || col == 15 || row == 0 || row == 11) BecomeMonster(w, CreateActor(w, i, Monster));
        }
        // The rest of the table: dig animations in the empty row.
        for (int k = 0; w.ActorCount < ActorTableSize; ++k) {
            const int cell = 9 * 16 + 1 + k % 14;
            CreateActor(w, cell, Digging);
            w.Cells[static_cast<std::size_t>(cell)].Content = Empty;
        }
        keys.Press(Key::Right);
    }
};

void BM_PlayTickDrawn(benchmark::State& state) {
    auto busy = std::make_unique<Busy>();
    auto w = std::make_unique<World>(busy->w);
    DrawTarget target{busy->back, busy->sheet, 16};
    for (auto _ : state) {
        state.PauseTiming();
        *w = busy->w;
        busy->back.Fill(0);
        state.ResumeTiming();
        PlayTick(*w, &target);
        benchmark::DoNotOptimize(busy->back.Pixels.data());
    }
    state.counters["actors"] = busy->w.ActorCount;
}
BENCHMARK(BM_PlayTickDrawn)->Unit(benchmark::kMicrosecond);

// The tick alone is timed: the copy of the start World before it is not.
void BM_PlayTickHeadless(benchmark::State& state) {
    auto busy = std::make_unique<Busy>();
    auto w = std::make_unique<World>(busy->w);
    for (auto _ : state) {
        *w = busy->w;
        benchmark::ClobberMemory();
        const auto t0 = std::chrono::steady_clock::now();
        PlayTick(*w, nullptr);
        benchmark::DoNotOptimize(w->ActorCount);
        benchmark::ClobberMemory();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    state.counters["ticks_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlayTickHeadless)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A hundred ticks in a row from the busy start, drawn: the level as it
// plays on, rocks falling, chasers walking, animations ending.
void BM_HundredTicksDrawn(benchmark::State& state) {
    auto busy = std::make_unique<Busy>();
    auto w = std::make_unique<World>(busy->w);
    DrawTarget target{busy->back, busy->sheet, 16};
    for (auto _ : state) {
        state.PauseTiming();
        *w = busy->w;
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i) {
            busy->back.Fill(0);
            PlayTick(*w, &target);
        }
        benchmark::DoNotOptimize(busy->back.Pixels.data());
    }
}
BENCHMARK(BM_HundredTicksDrawn)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace gravlin

BENCHMARK_MAIN();
