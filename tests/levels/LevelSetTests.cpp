// The shipped levels as a set: no level is a near-copy of another.
#include "common/TextLists.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <vector>

namespace gravlin {
namespace {

constexpr int Columns = 16, Rows = 12, CellCount = Columns * Rows;

struct ShippedLevel {
    std::string Name;
    std::array<int, CellCount> Codes{};
};

std::vector<ShippedLevel> ReadShippedLevels() {
    std::vector<ShippedLevel> levels;
    const std::filesystem::path dir = std::filesystem::path(GRAVLIN_SOURCE_DIR) / "levels";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.path().extension() == ".bkg") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        ShippedLevel level;
        level.Name = path.filename().string();
        auto lines = ReadTextList(path.string());
        EXPECT_TRUE(lines && lines->size() >= static_cast<std::size_t>(CellCount))
            << level.Name << ": expected a level file of 192 lines";
        if (!lines || lines->size() < static_cast<std::size_t>(CellCount)) continue;
        for (std::size_t k = 0; k < level.Codes.size(); ++k) {
            auto code = ParseInt((*lines)[k]);
            EXPECT_TRUE(code) << level.Name << ": line " << k + 1 << " is not a whole number";
            level.Codes[k] = code.value_or(0);
        }
        levels.push_back(level);
    }
    return levels;
}

// Empty (0) and earth (1).
bool IsGround(int code) {
    return code == 0 || code == 1;
}

// Two levels agree on a cell of the playable interior when both hold the
// same code there; cells that are empty or earth in both levels are the
// ground any level is cut from and do not count.
TEST(ShippedLevels, NoTwoAgreeOnMoreThanHalfOfTheirFurnishedCells) {
    const std::vector<ShippedLevel> levels = ReadShippedLevels();
    ASSERT_GE(levels.size(), 2u);
    double worst = 0;
    std::string worstPair;
    for (std::size_t a = 0; a < levels.size(); ++a)
        for (std::size_t b = a + 1; b < levels.size(); ++b) {
            int counted = 0, same = 0;
            for (int row = 1; row < Rows - 1; ++row)
                for (int col = 1; col < Columns - 1; ++col) {
                    const auto k = static_cast<std::size_t>(row * Columns + col);
                    const int ca = levels[a].Codes[k], cb = levels[b].Codes[k];
                    if (IsGround(ca) && IsGround(cb)) continue;
                    ++counted;
                    if (ca == cb) ++same;
                }
            const std::string pair = levels[a].Name + " and " + levels[b].Name + " agree on " + std::to_string(same) +
                                     " of " + std::to_string(counted) + " cells";
            EXPECT_LE(2 * same, counted) << pair;
            const double share = counted ? static_cast<double>(same) / counted : 0;
            if (share > worst) {
                worst = share;
                worstPair = pair;
            }
        }
    RecordProperty("closest_pair", worstPair);
    std::cout << "closest pair: " << worstPair << "\n";
}

} // namespace
} // namespace gravlin
