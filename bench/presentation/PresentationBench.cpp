// What one frame of the game costs in the presentation layer, each figure
// beside its memory floor in the same run: the blits of the busiest play
// frame, and turning the 8-bit back buffer into 32-bit screen pixels.
#include "../common/Floor.h"
#include "presentation/Bmp.h"
#include "presentation/Surface.h"
#include "presentation/sdl/PaletteConversion.h"
#include "presentation/sdl/ScreenScaling.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <vector>

using namespace gravlin;
using gravlin::bench::FloorBuffers;
using gravlin::bench::FloorTimer;

namespace {

// The game's own tile sheet and its palette.
const Picture& TileSheet() {
    static const Picture sheet = [] {
        std::string error;
        auto p = ReadBmpFile(std::string(GRAVLIN_GAME_DIR) + "/Surfaces/All256.DIB", &error);
        if (!p) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::exit(1);
        }
        return *p;
    }();
    return sheet;
}

// The busiest play frame: the 192 cells as keyed tiles and all 601 actor
// records drawn as keyed tiles between cells, some over the screen's edge.
struct BusyFrame {
    struct Draw {
        int X, Y;
        Rect Source;
    };
    std::vector<Draw> Draws;
    std::size_t Bytes = 0; // pixels copied, after clipping

    BusyFrame() {
        static const int tiles[] = {1, 6, 12, 20, 22, 62, 64, 77, 97, 104, 127, 130, 134, 135};
        for (int cell = 0; cell < 192; ++cell)
            Draws.push_back({(cell % 16) * 40, (cell / 16) * 40, TileRect(tiles[cell % 14], 16)});
        for (int actor = 0; actor < 601; ++actor) {
            const int x = (actor * 53) % 660 - 10, y = (actor * 29) % 500 - 10;
            Draws.push_back({x, y, TileRect(tiles[(actor * 5) % 14] + actor % 4, 16)});
        }
        for (const Draw& d : Draws) {
            const int w = std::min(d.X + 40, ScreenWidth) - std::max(d.X, 0);
            const int h = std::min(d.Y + 40, ScreenHeight) - std::max(d.Y, 0);
            if (w > 0 && h > 0) Bytes += static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
        }
    }
};

void BM_PlayFrameBlits(benchmark::State& state) {
    const Surface& sheet = TileSheet().Pixels;
    const BusyFrame frame;
    Surface back(ScreenWidth, ScreenHeight);
    FloorBuffers floor(frame.Bytes);
    FloorTimer timer;
    for (auto _ : state) {
        timer.Iterate(
            state,
            [&] {
                back.Fill(0);
                for (const auto& d : frame.Draws) Blit(back, d.X, d.Y, sheet, d.Source, true);
                benchmark::DoNotOptimize(back.Pixels.data());
                benchmark::ClobberMemory();
            },
            [&] {
                floor.Set(static_cast<std::size_t>(ScreenWidth) * ScreenHeight, 0);
                floor.Copy();
            });
    }
    timer.Report(state);
    state.counters["blits"] = static_cast<double>(frame.Draws.size());
}
BENCHMARK(BM_PlayFrameBlits)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_PaletteConversion(benchmark::State& state) {
    const Picture& sheet = TileSheet();
    const PixelLookup lookup = MakePixelLookup(sheet.Colours);
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(ScreenWidth) * ScreenHeight);
    FloorBuffers floor(pixels.size() * 4);
    FloorTimer timer;
    for (auto _ : state) {
        timer.Iterate(
            state,
            [&] {
                ConvertToPixels32(sheet.Pixels, lookup, pixels.data(), ScreenWidth * 4);
                benchmark::DoNotOptimize(pixels.data());
                benchmark::ClobberMemory();
            },
            [&] { floor.Set(pixels.size() * 4, 0x5a); });
    }
    timer.Report(state);
}
BENCHMARK(BM_PaletteConversion)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The whole picture into a window's own pixels at its place: what a changed
// frame costs the game when it draws into the window's pixels. Windows of
// 1280x960 (twice the size), 1366x768 (a fractional scale) and 3840x2160
// (four times, black bars). The floor writes the same bytes.
void BM_ScaledConversion(benchmark::State& state) {
    const Picture& sheet = TileSheet();
    const PixelLookup lookup = MakePixelLookup(sheet.Colours, PixelOrder::Bgra);
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    std::vector<std::uint32_t> window(static_cast<std::size_t>(w) * h);
    ScaledConversion scaled;
    const ScreenPlace place = PlaceScreen(w, h, ScreenWidth, ScreenHeight);
    scaled.Place(place, ScreenWidth, ScreenHeight);
    const std::size_t written = static_cast<std::size_t>(place.W) * place.H * 4;
    FloorBuffers floor(written);
    FloorTimer timer;
    for (auto _ : state) {
        timer.Iterate(
            state,
            [&] {
                scaled.Convert(sheet.Pixels, lookup, window.data(), w * 4, 0, ScreenHeight);
                benchmark::DoNotOptimize(window.data());
                benchmark::ClobberMemory();
            },
            [&] { floor.Set(written, 0x5a); });
    }
    timer.Report(state);
}
BENCHMARK(BM_ScaledConversion)
    ->Args({1280, 960})
    ->Args({1366, 768})
    ->Args({3840, 2160})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

void BM_UnkeyedFullScreenBlit(benchmark::State& state) {
    const Surface& sheet = TileSheet().Pixels;
    Surface back(ScreenWidth, ScreenHeight);
    FloorBuffers floor(static_cast<std::size_t>(ScreenWidth) * ScreenHeight);
    FloorTimer timer;
    for (auto _ : state) {
        timer.Iterate(
            state,
            [&] {
                Blit(back, 0, 0, sheet, Rect{0, 0, ScreenWidth, ScreenHeight}, false);
                benchmark::DoNotOptimize(back.Pixels.data());
                benchmark::ClobberMemory();
            },
            [&] { floor.Copy(); });
    }
    timer.Report(state);
}
BENCHMARK(BM_UnkeyedFullScreenBlit)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
