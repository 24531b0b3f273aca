// gravlin-mapbuild SRC_DIR OUT_DIR
//
// Copies every level file "LevelNNN.bkg" of SRC_DIR into OUT_DIR (the game
// reads levels above 60 from there) and builds OUT_DIR/Allmaps.map from them
// exactly as the game rebuilds it when the file is missing: the first 192
// lines of levels 1, 2, ... in order, up to the first missing or short file.
// Level files in OUT_DIR that no longer exist in SRC_DIR are removed, so a
// deleted level never lingers in the built-in levels.

#include "common/Files.h"
#include "common/TextLists.h"
#include "world/LevelFiles.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace gravlin {
namespace {

// "Level" + at least three digits + ".bkg", in any letter case.
bool IsLevelFileName(const std::string& name) {
    const std::string lower = [&] {
        std::string s = name;
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }();
    if (lower.size() < 12 || lower.rfind("level", 0) != 0 || lower.substr(lower.size() - 4) != ".bkg") return false;
    const std::string digits = lower.substr(5, lower.size() - 9);
    if (digits.size() < 3) return false;
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::set<std::string> LevelFilesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && IsLevelFileName(name)) names.insert(name);
    }
    return names;
}

int Run(const std::string& srcDir, const std::string& outDir) {
    std::error_code ec;
    if (!fs::is_directory(srcDir, ec)) {
        std::fprintf(stderr, "gravlin-mapbuild: %s is not a folder\n", srcDir.c_str());
        return 1;
    }
    fs::create_directories(outDir, ec);
    if (!fs::is_directory(outDir, ec)) {
        std::fprintf(stderr, "gravlin-mapbuild: cannot create the folder %s\n", outDir.c_str());
        return 1;
    }

    const std::set<std::string> sources = LevelFilesIn(srcDir);
    for (const std::string& old : LevelFilesIn(outDir)) {
        if (sources.count(old) == 0) fs::remove(fs::path(outDir) / old, ec);
    }
    for (const std::string& name : sources) {
        std::string error;
        auto bytes = ReadWholeFile((fs::path(srcDir) / name).string(), SmallFileLimit, &error);
        if (!bytes || !WriteFileAtomic((fs::path(outDir) / name).string(), *bytes, &error)) {
            std::fprintf(stderr, "gravlin-mapbuild: cannot copy %s: %s\n", name.c_str(), error.c_str());
            return 1;
        }
    }

    LevelStore store;
    store.MapsDir = JoinPath(outDir, "");
    RebuildBuiltInMaps(store);
    if (!store.RebuildWriteError.empty()) {
        std::fprintf(stderr, "gravlin-mapbuild: %s\n", store.RebuildWriteError.c_str());
        return 1;
    }
    const int levels = static_cast<int>(store.BuiltInMaps.size()) / MapCellCount;
    if (levels == 0) {
        // The rebuild writes nothing without level 1; an empty file still
        // replaces whatever an earlier build left.
        std::string error;
        if (!WriteTextList(store.MapsDir + "Allmaps.map", {}, &error)) {
            std::fprintf(stderr, "gravlin-mapbuild: %s\n", error.c_str());
            return 1;
        }
    }
    if (levels < BuiltInLevelCount) {
        const std::string next = LevelFileName(LevelStore{}, levels + 1);
        const bool exists = sources.count(next) != 0;
        std::printf("gravlin-mapbuild: %d built-in level%s; %s %s\n", levels, levels == 1 ? "" : "s", next.c_str(),
                    exists ? "is short or unreadable" : "is missing");
    } else {
        std::printf("gravlin-mapbuild: %d built-in levels\n", levels);
    }
    return 0;
}

} // namespace
} // namespace gravlin

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gravlin-mapbuild SRC_DIR OUT_DIR\n");
        return 2;
    }
    try {
        return gravlin::Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gravlin-mapbuild: %s\n", e.what());
        return 1;
    }
}
