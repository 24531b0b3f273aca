#include "editor/EditorMap.h"

#include "common/Utility.h"
#include "world/CellCodes.h"
#include "world/LevelFiles.h"

#include <algorithm>

namespace gravlin {

bool PaintableCell(int x, int y) {
    return x >= 10 && x <= 590 && y >= 10 && y <= 430;
}

std::vector<std::string> SaveCheckMessages(const LevelCodes& codes, const std::string& levelName) {
    std::vector<std::string> messages;
    if (std::find(codes.begin(), codes.end(), PlayerStart) == codes.end()) messages.push_back(NoPlayerMessage);
    if (std::find(codes.begin(), codes.end(), Book) == codes.end()) messages.push_back(NoBookMessage);
    if (levelName.empty()) messages.push_back(NoMapMessage);
    return messages;
}

TextList LevelLines(const LevelCodes& codes) {
    TextList lines;
    lines.reserve(codes.size());
    for (int code : codes) lines.push_back(std::to_string(code));
    return lines;
}

int PaletteTopAfterDown(int paletteTop, int entryCount) {
    int t = paletteTop;
    while (entryCount - 1 > t + PaletteSlots - 1 && t - paletteTop < 10) t += 2;
    return t;
}

int PaletteTopAfterUp(int paletteTop) {
    int t = paletteTop;
    while (t > 0 && paletteTop - t < 10) t -= 2;
    return std::max(t, 0);
}

bool PaletteUpEnabled(int paletteTop) {
    return paletteTop != 0;
}

bool PaletteDownEnabled(int paletteTop, int entryCount) {
    return entryCount - 1 > paletteTop + PaletteSlots - 1;
}

namespace {
// Position of the "." that starts the extension of the file name, or npos.
std::size_t ExtensionDot(const std::string& path) {
    auto dot = path.find_last_of('.');
    auto sep = path.find_last_of("/\\");
    if (dot == std::string::npos) return std::string::npos;
    if (sep != std::string::npos && dot < sep) return std::string::npos;
    return dot;
}
} // namespace

std::string LevelFilePath(const std::string& chosenPath) {
    // Cut by hand rather than through TextBeforeLast, which stops at 255
    // characters: a long folder path must not send the file somewhere else.
    auto dot = ExtensionDot(chosenPath);
    return (dot == std::string::npos ? chosenPath : chosenPath.substr(0, dot)) + ".bkg";
}

std::string ChosenLevelName(const std::string& chosenPath) {
    auto sep = chosenPath.find_last_of("/\\");
    return BaseName(sep == std::string::npos ? chosenPath : chosenPath.substr(sep + 1));
}

std::optional<std::vector<int>> ReadLevelFileCodes(const std::string& path, std::string* error) {
    auto lines = ReadTextList(path);
    if (!lines) {
        if (error) *error = "The level file " + path + " cannot be read.";
        return std::nullopt;
    }
    LevelRead read = ReadLevelLines(*lines);
    if (read.BadLine) {
        if (error) {
            std::string shown = (*lines)[*read.BadLine].substr(0, 40);
            *error = "The level file " + path + " cannot be opened: line " + std::to_string(*read.BadLine + 1) +
                     " holds \"" + shown + "\" where a whole number (a cell code) was expected.";
        }
        return std::nullopt;
    }
    return std::move(read.Codes);
}

} // namespace gravlin
