// Level files and "Allmaps.map" as the game reads them: the check of the
// built-in levels, the level choice's preview, and level setup followed by a
// few hundred frames of play (and the endings) with held keys, the World's
// invariants checked after every frame.
//
// The input is the text of a level file. Its lines after the 192nd, which
// the game ignores, are the keys: each byte is held for six frames (bits 0
// to 3 up, down, left, right; bit 4 Escape; bit 5 a speed key, F5, F6 or F7
// by the bits above it). So in the seed corpus "@" holds nothing, "A" up,
// "B" down, "D" left, "H" right ("J" down and right), "P" Escape, and "a"
// F6 with up.

#include "FuzzFiles.h"
#include "LevelRun.h"
#include "common/TextLists.h"
#include "world/LevelFiles.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace gravlin;

constexpr int PlayFrames = 300;
constexpr int FramesPerKey = 6;

// The text after the end of the 192nd line, split as the level reader splits.
std::string AfterTheLevel(const std::string& text) {
    std::size_t lines = 0, i = 0;
    while (i < text.size() && lines < MapCellCount) {
        if (text[i] == '\r') {
            ++lines;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            ++lines;
        }
        ++i;
    }
    return lines == MapCellCount ? text.substr(i) : std::string();
}

void BuiltInMaps(const std::string& text, const TextList& lines) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    const bool damaged = !BuiltInMapsDamage(lines).empty();
    if (!damaged && lines.size() < static_cast<std::size_t>(BuiltInLevelCount) * MapCellCount)
        fuzz::Broken("a short Allmaps.map passed as whole");
    // Through the file: a damaged one is rebuilt (here from no level files)
    // and said to be; a whole one is taken as it is.
    scratch.Write("Allmaps.map", text);
    LevelStore store;
    store.MapsDir = scratch.Dir();
    LoadBuiltInMaps(store);
    if (damaged == store.BuiltInMapsProblem.empty())
        fuzz::Broken("Allmaps.map damaged but not said, or said but whole");
    if (!damaged && store.BuiltInMaps != lines) fuzz::Broken("a whole Allmaps.map read otherwise");
    // The built-in levels read from these lines as they stand.
    store.BuiltInMaps = lines;
    auto w = std::make_unique<World>();
    for (int n : {0, 1, 2, BuiltInLevelCount}) {
        std::string why;
        if (!LoadLevelPreview(*w, store, n, &why) && why.empty()) fuzz::Broken("a level refused without a reason");
        for (int k : {0, 191}) {
            const std::size_t line = static_cast<std::size_t>(n - 1) * MapCellCount + static_cast<std::size_t>(k);
            auto code = LevelCode(store, n, k);
            if (code && (n < 1 || line >= lines.size() || ParseInt(lines[line]) != code))
                fuzz::Broken("LevelCode read another line");
        }
    }
}

void PlayLevel61(const std::string& text) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    scratch.Write("Level061.bkg", text);
    LevelStore store;
    store.MapsDir = scratch.Dir();

    // The level choice's preview, drawn as the choice draws it.
    Surface back(ScreenWidth, ScreenHeight), sheet(ScreenWidth, ScreenHeight);
    for (std::size_t i = 0; i < sheet.Pixels.size(); ++i) sheet.Pixels[i] = static_cast<std::uint8_t>(i % 253);
    auto preview = std::make_unique<World>();
    std::string why;
    const bool playable = LoadLevelPreview(*preview, store, 61, &why);
    if (!playable && why.empty()) fuzz::Broken("level 61 refused without a reason");
    for (int cell = 0; playable && cell < MapCellCount; ++cell)
        Blit(back, 160 + 20 * CellColumn(cell), 40 + 20 * CellRow(cell), sheet,
             TileRect(preview->Cells[static_cast<std::size_t>(cell)].Content, 16, 20), false);

    testing::LevelRun run(store, 61, 1);
    if (run.Start() != playable) fuzz::Broken("the preview and the setup disagree on level 61");
    if (!playable) return;
    const std::string keys = AfterTheLevel(text);
    DrawTarget target{back, sheet, 16};
    for (int f = 0; f < PlayFrames; ++f) {
        const std::size_t k = static_cast<std::size_t>(f / FramesPerKey);
        const std::uint8_t held = k < keys.size() ? static_cast<std::uint8_t>(keys[k]) : 0;
        // Drawing is slow next to the rules: some frames are drawn.
        if (!run.Frame(held, f % 32 == 0 ? &target : nullptr)) fuzz::Broken("level 61 could not be started again");
        const std::string broken = testing::BrokenInvariant(run.GameWorld());
        if (!broken.empty()) fuzz::Broken("frame " + std::to_string(f) + ": " + broken);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = fuzz::Bytes(data, size);
    BuiltInMaps(text, SplitLines(text));
    PlayLevel61(text);
    return 0;
}
