#include "world/LevelFiles.h"

#include <cstdio>

namespace gravlin {

std::string LevelFileName(const LevelStore& store, int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", n);
    return store.MapsDir + "Level" + digits + ".bkg";
}

void LoadBuiltInMaps(LevelStore& store) {
    auto lines = ReadTextList(store.MapsDir + "Allmaps.map");
    if (lines) {
        store.BuiltInMaps = std::move(*lines);
        return;
    }
    RebuildBuiltInMaps(store);
}

void RebuildBuiltInMaps(LevelStore& store) {
    store.BuiltInMaps.clear();
    store.RebuildWriteError.clear();
    for (int n = 1; n <= BuiltInLevelCount; ++n) {
        store.LevelFileLines.clear();
        auto lines = ReadTextList(LevelFileName(store, n));
        if (!lines) break;
        store.LevelFileLines = std::move(*lines);
        const std::size_t take = std::min<std::size_t>(store.LevelFileLines.size(), MapCellCount);
        store.BuiltInMaps.insert(store.BuiltInMaps.end(), store.LevelFileLines.begin(),
                                 store.LevelFileLines.begin() + static_cast<long>(take));
        if (take < MapCellCount) break;
        // The levels gathered so far stay usable even when the file cannot be written.
        std::string error;
        if (!WriteTextList(store.MapsDir + "Allmaps.map", store.BuiltInMaps, &error)) store.RebuildWriteError = error;
    }
}

std::optional<int> LevelCode(const LevelStore& store, int n, int k) {
    if (k < 0 || k >= MapCellCount || n < 1) return std::nullopt;
    if (n <= BuiltInLevelCount) {
        std::size_t line = static_cast<std::size_t>(n - 1) * MapCellCount + static_cast<std::size_t>(k);
        if (line >= store.BuiltInMaps.size()) return std::nullopt;
        return ParseInt(store.BuiltInMaps[line]);
    }
    if (static_cast<std::size_t>(k) >= store.LevelFileLines.size()) return std::nullopt;
    return ParseInt(store.LevelFileLines[static_cast<std::size_t>(k)]);
}

std::optional<LevelCodes> ReadLevel(LevelStore& store, int n) {
    if (store.Override) return store.Override;
    if (n < 1) return std::nullopt;
    if (n > BuiltInLevelCount) {
        auto lines = ReadTextList(LevelFileName(store, n));
        if (!lines) return std::nullopt;
        store.LevelFileLines = std::move(*lines);
    }
    LevelCodes codes{};
    for (int k = 0; k < MapCellCount; ++k) {
        auto c = LevelCode(store, n, k);
        if (!c) return std::nullopt;
        codes[static_cast<std::size_t>(k)] = *c;
    }
    return codes;
}

bool LoadLevelPreview(World& w, LevelStore& store, int n) {
    auto codes = ReadLevel(store, n);
    if (!codes) return false;
    for (Cell& c : w.Cells) {
        c.Tile = NoActor;
        c.Content = NoActor;
        c.ActorIndex = NoActor;
        c.TeleportNo = NoActor;
    }
    for (auto& d : w.TeleportDest) d = PixelPos{};
    for (int k = 0; k < MapCellCount; ++k) {
        int c = (*codes)[static_cast<std::size_t>(k)];
        if (c >= TeleportExit1 && c <= TeleportExit5) c = 0;
        Cell& cell = w.Cells[static_cast<std::size_t>(k)];
        cell.Tile = c;
        cell.Content = c;
        cell.ActorIndex = NoActor;
        cell.TeleportNo = NoActor;
    }
    return true;
}

bool SetupLevel(World& w, LevelStore& store, int n) {
    w.TeleportFxActor = NoTeleportFx;
    w.ActorCount = 0;
    w.KeyAUsed = false;
    w.KeyBUsed = false;
    auto codes = ReadLevel(store, n);
    if (!codes) return false;
    SetupLevelCodes(w, *codes);
    return true;
}

} // namespace gravlin
