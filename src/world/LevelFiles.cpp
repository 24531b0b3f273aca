#include "world/LevelFiles.h"

#include "common/Files.h"

#include <algorithm>
#include <cstdio>

namespace gravlin {

namespace {

// The level whose first line is lines[first]: its lines are the 192 from
// there, or as many as there are.
LevelRead ReadLevelLinesAt(const TextList& lines, std::size_t first) {
    LevelRead read;
    read.LineCount = first < lines.size() ? lines.size() - first : 0;
    const std::size_t used = std::min<std::size_t>(read.LineCount, MapCellCount);
    read.Codes.reserve(used);
    for (std::size_t k = 0; k < used; ++k) {
        auto code = ParseInt(lines[first + k]);
        if (!code) {
            read.BadLine = k;
            break;
        }
        read.Codes.push_back(*code);
    }
    return read;
}

std::optional<LevelCodes> WholeLevelAt(const TextList& lines, std::size_t first, std::string* error) {
    const LevelRead read = ReadLevelLinesAt(lines, first);
    if (read.BadLine) {
        if (error)
            *error = "line " + std::to_string(first + *read.BadLine + 1) + " is not a whole number: \"" +
                     lines[first + *read.BadLine].substr(0, 40) + "\"";
        return std::nullopt;
    }
    if (read.Codes.size() < static_cast<std::size_t>(MapCellCount)) {
        if (error) *error = "only " + std::to_string(read.LineCount) + " lines; a level needs 192";
        return std::nullopt;
    }
    LevelCodes codes{};
    std::copy(read.Codes.begin(), read.Codes.end(), codes.begin());
    return codes;
}

} // namespace

LevelRead ReadLevelLines(const TextList& lines) {
    return ReadLevelLinesAt(lines, 0);
}

std::optional<LevelCodes> WholeLevel(const TextList& lines, std::string* error) {
    return WholeLevelAt(lines, 0, error);
}

std::optional<LevelCodes> ReadLevelFile(const std::string& path, std::string* error) {
    std::string why;
    auto lines = ReadTextList(path, SmallFileLimit, &why);
    if (!lines) {
        if (error) *error = why;
        return std::nullopt;
    }
    auto codes = WholeLevel(*lines, &why);
    if (!codes && error) *error = path + ": " + why;
    return codes;
}

std::optional<TileSheetHeader> ReadTileSheetHeader(const std::string& path, std::string* error) {
    auto lines = ReadTextList(path, SmallFileLimit, error);
    if (!lines) return std::nullopt;
    auto tiles = lines->empty() ? std::nullopt : ParseInt((*lines)[0]);
    auto rows = lines->size() < 2 ? std::nullopt : ParseInt((*lines)[1]);
    if (!tiles || *tiles <= 0 || !rows) {
        if (error) *error = path + ": expected the tiles per row and the tile rows as two numbers";
        return std::nullopt;
    }
    return TileSheetHeader{*tiles, *rows};
}

std::string LevelFileName(const LevelStore& store, int n) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03d", n);
    return store.MapsDir + "Level" + digits + ".bkg";
}

std::string PlayerLevelFolder(const std::string& playerDir) {
    const std::string home = playerDir.empty() ? UserDataDir() : playerDir;
    return home.empty() ? std::string() : JoinPath(home, "maps/");
}

void LoadBuiltInMaps(LevelStore& store) {
    store.BuiltInMapsProblem.clear();
    const std::string path = store.MapsDir + "Allmaps.map";
    std::string why;
    auto bytes = ReadWholeFile(path, BuiltInMapsLimit, &why);
    std::string kept;
    if (bytes) {
        TextList lines = SplitLines(*bytes);
        const std::string damage = BuiltInMapsDamage(lines);
        if (damage.empty()) {
            store.BuiltInMaps = std::move(lines);
            return;
        }
        why = path + ": " + damage;
        std::string backupError;
        kept = KeepBackup(path, &*bytes, &backupError) ? "; the damaged file is kept as Allmaps.map.bak"
                                                       : "; " + backupError;
    }
    // A missing file is rebuilt without a word, as the game always has.
    const bool missing = !bytes && FileMissing(path);
    RebuildBuiltInMaps(store);
    if (missing) return;
    const std::size_t levels = store.BuiltInMaps.size() / MapCellCount;
    store.BuiltInMapsProblem = why + "; rebuilt from the level files with " + std::to_string(levels) + " of the " +
                               std::to_string(BuiltInLevelCount) + " built-in levels" + kept;
}

std::string BuiltInMapsDamage(const TextList& lines) {
    constexpr std::size_t needed = static_cast<std::size_t>(BuiltInLevelCount) * MapCellCount;
    if (lines.empty()) return "it is empty";
    for (std::size_t k = 0; k < needed && k < lines.size(); ++k)
        if (!ParseInt(lines[k]))
            return "line " + std::to_string(k + 1) + " (level " + std::to_string(k / MapCellCount + 1) +
                   ") is not a whole number: \"" + lines[k].substr(0, 40) + "\"";
    if (lines.size() < needed)
        return "it has " + std::to_string(lines.size()) + " lines; the " + std::to_string(BuiltInLevelCount) +
               " built-in levels need " + std::to_string(needed);
    return "";
}

void RebuildBuiltInMaps(LevelStore& store) {
    store.BuiltInMaps.clear();
    store.RebuildWriteError.clear();
    for (int n = 1; n <= BuiltInLevelCount; ++n) {
        store.LevelFileLines.clear();
        auto lines = ReadTextList(LevelFileName(store, n), SmallFileLimit);
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

std::string UnplayableReason(const LevelCodes& codes) {
    const bool start = std::find(codes.begin(), codes.end(), PlayerStart) != codes.end();
    const bool book = std::find(codes.begin(), codes.end(), Book) != codes.end();
    if (!start && !book) return "it has neither a player start (code 24) nor a book (code 134)";
    if (!start) return "it has no player start (code 24)";
    if (!book) return "it has no book (code 134)";
    return "";
}

std::optional<LevelCodes> ReadLevel(LevelStore& store, int n, std::string* why) {
    if (store.Override) return store.Override;
    auto fail = [&](const std::string& where, const std::string& reason) -> std::optional<LevelCodes> {
        if (why) *why = "level " + std::to_string(n) + " cannot be played: " + where + reason;
        return std::nullopt;
    };
    if (n < 1) return fail("", "there is no such level");
    std::string reason;
    std::optional<LevelCodes> codes;
    std::string where;
    if (n > BuiltInLevelCount) {
        // The player's own file of that name hides the game's; deleting it
        // brings the game's back.
        std::optional<TextList> lines;
        if (!store.UserMapsDir.empty()) {
            LevelStore own;
            own.MapsDir = store.UserMapsDir;
            const std::string path = LevelFileName(own, n);
            where = path + ": ";
            lines = ReadTextList(path, SmallFileLimit, &reason);
        }
        if (!lines) {
            where = LevelFileName(store, n) + ": ";
            lines = ReadTextList(LevelFileName(store, n), SmallFileLimit, &reason);
        }
        if (!lines) return fail("", reason);
        store.LevelFileLines = std::move(*lines);
        codes = WholeLevel(store.LevelFileLines, &reason);
    } else {
        // Level n of "Allmaps.map" is its n-th block of 192 lines.
        where = store.MapsDir + "Allmaps.map: ";
        const std::size_t first = static_cast<std::size_t>(n - 1) * MapCellCount;
        codes = WholeLevelAt(store.BuiltInMaps, first, &reason);
        if (!codes && first >= store.BuiltInMaps.size()) reason = "the built-in levels end before it";
    }
    if (!codes) return fail(where, reason);
    reason = UnplayableReason(*codes);
    if (!reason.empty()) return fail(where, reason);
    return codes;
}

bool LoadLevelPreview(World& w, LevelStore& store, int n, std::string* why) {
    auto codes = ReadLevel(store, n, why);
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
