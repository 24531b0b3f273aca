// One whole frame of the game, headless: the frame handler with its state
// handler and blits, plus the SDL backend's upload path (the 8-bit back
// buffer converted through the palette into 32-bit pixels).

#include "audio/silent/SilentAudio.h"
#include "presentation/headless/HeadlessWindow.h"
#include "presentation/sdl/PaletteConversion.h"
#include "shell/TfrmMain.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <vector>

namespace {

using namespace gravlin;

struct HeadlessGame {
    HeadlessWindow window;
    SilentAudio audio;
    std::string home = (std::filesystem::temp_directory_path() / "gravlin-frame-bench").string();
    TfrmMain form{window, audio, ShellOptions{GRAVLIN_GAME_DIR, home, 1u}};
    std::vector<std::uint32_t> texture = std::vector<std::uint32_t>(640 * 480);

    explicit HeadlessGame(int state) {
        std::filesystem::create_directories(home);
        form.FormCreate();
        window.PumpMessages(form);
        if (state == StatePlay) {
            form.StartLevelDirectly(1, 4, nullptr);
        } else {
            // Title, help, and Enter held into the menu's first item.
            window.KeyDown(Key::Enter);
            form.DXTimerTimer();
            window.KeyUp(Key::Enter);
            window.KeyDown(Key::Enter);
            for (int i = 0; i < 20 && form.GameWorld().GameState != state; ++i) form.DXTimerTimer();
            window.KeyUp(Key::Enter);
        }
        form.DXTimerTimer(); // entry actions
    }
    void Frame() {
        form.DXTimerTimer();
        ConvertToPixels32(window.Back(), MakePixelLookup(window.CurrentPalette()), texture.data(), 640 * 4);
        benchmark::DoNotOptimize(texture.data());
    }
};

void BM_PlayFrame(benchmark::State& state) {
    HeadlessGame game(StatePlay);
    for (auto _ : state) {
        game.Frame();
        // Keep the level going: start it again once it has ended.
        if (game.form.GameWorld().GameState != StatePlay) game.form.StartLevelDirectly(1, 4, nullptr);
    }
}
BENCHMARK(BM_PlayFrame)->Unit(benchmark::kMicrosecond);

void BM_LevelChoiceFrame(benchmark::State& state) {
    HeadlessGame game(StateLevelSelect);
    for (auto _ : state) game.Frame();
}
BENCHMARK(BM_LevelChoiceFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
