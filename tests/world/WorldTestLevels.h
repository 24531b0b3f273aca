#pragma once
// Small levels built in memory for the world tests, and a scratch folder for
// the tests that read and write level files.

#include "common/TextLists.h"
#include "world/Map.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace gravlin::testing {

// Cell index of column `col`, row `row`.
inline int At(int col, int row) {
    return row * MapColumns + col;
}

// A level with the forced border, earth inside, the player at (1,1) and the
// book at (14,10).
inline LevelCodes EarthLevel() {
    LevelCodes codes{};
    for (int i = 0; i < MapCellCount; ++i) {
        int col = CellColumn(i), row = CellRow(i);
        bool ring = col == 0 || col == 15 || row == 0 || row == 11;
        codes[static_cast<std::size_t>(i)] = ring ? BorderWall : Earth;
    }
    codes[0] = CornerTL;
    codes[15] = CornerTR;
    codes[176] = CornerBL;
    codes[191] = CornerBR;
    codes[static_cast<std::size_t>(At(1, 1))] = PlayerStart;
    codes[static_cast<std::size_t>(At(14, 10))] = Book;
    return codes;
}

inline TextList ToLines(const LevelCodes& codes) {
    TextList lines;
    for (int c : codes) lines.push_back(std::to_string(c));
    return lines;
}

// A fresh, empty folder for one test, removed when the test ends. Its path
// ends with "/", as MapsDir does.
class ScratchDir {
  public:
    explicit ScratchDir(const std::string& name) {
        path_ = std::filesystem::current_path() / ("scratch-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string Dir() const { return path_.string() + "/"; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

} // namespace gravlin::testing
