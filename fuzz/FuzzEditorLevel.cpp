// The editor's reading of a level file: the codes of its first 192 lines or
// an error naming the file and the line, the same codes the game's reader
// finds; and the names the editor makes of a chosen path.
//
// The input is the level file; its first line is also taken as a chosen path.

#include "FuzzFiles.h"
#include "common/TextLists.h"
#include "editor/EditorMap.h"
#include "world/LevelFiles.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gravlin;
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    const std::string text = fuzz::Bytes(data, size);
    scratch.Write("trial.bkg", text);
    const std::string path = scratch.File("trial.bkg");

    std::string error;
    auto codes = ReadLevelFileCodes(path, &error);
    const LevelRead read = ReadLevelLines(SplitLines(text));
    if (codes) {
        if (read.BadLine || *codes != read.Codes || codes->size() > static_cast<std::size_t>(MapCellCount))
            fuzz::Broken("the editor read other codes than the game");
        // What it saves reads back the same.
        LevelCodes map{};
        std::copy(codes->begin(), codes->end(), map.begin());
        if (ReadLevelLines(LevelLines(map)).Codes != std::vector<int>(map.begin(), map.end()))
            fuzz::Broken("saved lines read back otherwise");
        SaveCheckMessages(map, "trial");
    } else if (error.find(path) == std::string::npos || (!read.BadLine && text.size() <= SmallFileLimit)) {
        fuzz::Broken("a refusal that does not name the file, or of a good file: " + error);
    }

    const std::string chosen = SplitLines(text).empty() ? std::string() : SplitLines(text)[0];
    const std::string file = LevelFilePath(chosen);
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".bkg") != 0) fuzz::Broken("not a .bkg: " + file);
    ChosenLevelName(chosen);
    return 0;
}
