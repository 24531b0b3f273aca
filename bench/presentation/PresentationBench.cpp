// What one frame of the game costs in the presentation layer: turning the
// 8-bit back buffer into screen pixels, and the blits of a busy play frame.
#include "presentation/Surface.h"
#include "presentation/sdl/PaletteConversion.h"

#include <benchmark/benchmark.h>
#include <vector>

using namespace gravlin;

namespace {

Surface Sheet() {
    Surface s(ScreenWidth, ScreenHeight);
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            // Every tile has a keyed (zero) border a few pixels wide.
            s.Set(x, y, (x % 40 < 4 || y % 40 < 4) ? 0 : static_cast<std::uint8_t>(1 + (x * 7 + y * 3) % 255));
    return s;
}

Palette Colours() {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 3)};
    return p;
}

void BM_PaletteConversion(benchmark::State& state) {
    Surface back = Sheet();
    PixelLookup lookup = MakePixelLookup(Colours());
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(ScreenWidth) * ScreenHeight);
    for (auto _ : state) {
        ConvertToPixels32(back, lookup, pixels.data(), ScreenWidth * 4);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * ScreenWidth * ScreenHeight);
}
BENCHMARK(BM_PaletteConversion);

// A rebuilt palette lookup (a new picture was loaded) plus the conversion.
void BM_PaletteChangeAndConversion(benchmark::State& state) {
    Surface back = Sheet();
    Palette colours = Colours();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(ScreenWidth) * ScreenHeight);
    for (auto _ : state) {
        colours[1].R ^= 1;
        PixelLookup lookup = MakePixelLookup(colours);
        ConvertToPixels32(back, lookup, pixels.data(), ScreenWidth * 4);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_PaletteChangeAndConversion);

// A play frame: the 192 cells of the map as keyed tiles, then 100 actors
// at positions between cells, some of them over the screen's edge.
void BM_PlayFrameBlits(benchmark::State& state) {
    Surface sheet = Sheet();
    Surface back(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        back.Fill(0);
        for (int cell = 0; cell < 192; ++cell)
            Blit(back, (cell % 16) * 40, (cell / 16) * 40, sheet, TileRect((cell * 37) % 192, 16), true);
        for (int actor = 0; actor < 100; ++actor) {
            int x = (actor * 53) % 660 - 10, y = (actor * 29) % 500 - 10;
            Blit(back, x, y, sheet, TileRect(actor % 192, 16), true);
        }
        benchmark::DoNotOptimize(back.Pixels.data());
    }
}
BENCHMARK(BM_PlayFrameBlits);

void BM_UnkeyedFullScreenBlit(benchmark::State& state) {
    Surface sheet = Sheet();
    Surface back(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        Blit(back, 0, 0, sheet, Rect{0, 0, ScreenWidth, ScreenHeight}, false);
        benchmark::DoNotOptimize(back.Pixels.data());
    }
}
BENCHMARK(BM_UnkeyedFullScreenBlit);

} // namespace
