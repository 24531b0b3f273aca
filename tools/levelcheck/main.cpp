// gravlin-levelcheck FILE...
//
// Reports for each level file what makes it unwinnable on its face. Exits
// with 1 when any file has an error; warnings alone do not fail.

#include "world/LevelCheck.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: gravlin-levelcheck FILE...\n");
        return 2;
    }
    int errors = 0, warnings = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& f : gravlin::CheckLevelFile(argv[i])) {
            std::printf("%s: %s: %s\n", argv[i], f.Error ? "error" : "warning", f.Text.c_str());
            ++(f.Error ? errors : warnings);
        }
    }
    std::printf("%d file(s) checked: %d error(s), %d warning(s)\n", argc - 1, errors, warnings);
    return errors > 0 ? 1 : 0;
}
