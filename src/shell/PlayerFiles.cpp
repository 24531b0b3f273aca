#include "shell/PlayerFiles.h"

#include "common/Files.h"

#include <cstdio>
#include <filesystem>

namespace gravlin {

namespace {

std::string ProgressName(int n) {
    return "CompLevels" + std::to_string(n) + ".Txt";
}
std::string OptionsName(int n) {
    return "UOptions" + std::to_string(n) + ".Txt";
}

// A player file from Dir, or from FallbackDir when Dir has none. Names are
// matched without regard to letter case.
std::optional<TextList> ReadPlayerFile(const PlayerFiles& files, const std::string& name) {
    auto lines = ReadTextList(JoinPath(files.Dir, name));
    if (!lines && !files.FallbackDir.empty() && files.FallbackDir != files.Dir)
        lines = ReadTextList(JoinPath(files.FallbackDir, name));
    return lines;
}

// The first line as a number when the list has at least `count` lines, the
// list then cut to exactly `count` lines; nullopt when it cannot be used.
std::optional<int> UsableList(TextList& lines, int count) {
    if (lines.size() < static_cast<std::size_t>(count)) return std::nullopt;
    auto first = ParseInt(lines[0]);
    if (!first) return std::nullopt;
    lines.resize(static_cast<std::size_t>(count));
    return first;
}

bool ValidSpeed(int speed) {
    return speed == 2 || speed == 4 || speed == 6;
}

void ReadProgress(const PlayerFiles& files, int n, TextList& working) {
    auto lines = ReadPlayerFile(files, ProgressName(n));
    std::optional<int> level;
    if (lines) level = UsableList(*lines, ProgressLineCount);
    if (!level) {
        working = DefaultProgress();
        return;
    }
    working = std::move(*lines);
    working[0] = std::to_string(*level >= 1 && *level <= LevelCountFixed ? *level : 1);
}

void ReadOptions(const PlayerFiles& files, int n, TextList& working) {
    auto lines = ReadPlayerFile(files, OptionsName(n));
    std::optional<int> speed;
    if (lines) speed = UsableList(*lines, OptionLineCount);
    if (!speed) {
        working = DefaultOptions();
        return;
    }
    working = std::move(*lines);
    working[0] = std::to_string(ValidSpeed(*speed) ? *speed : 4);
}

bool PlayerInRange(int n) {
    return n >= 1 && n <= PlayerCount;
}

} // namespace

std::string ChoosePlayerDir(const std::string& appDir) {
    if (DirectoryWritable(appDir)) return appDir;
    const std::string dir = UserDataDir();
    if (dir.empty()) return appDir;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return DirectoryWritable(dir) ? dir : appDir;
}

PlayerFiles PlayerFilesFor(const std::string& appDir) {
    PlayerFiles files;
    files.Dir = ChoosePlayerDir(appDir);
    if (files.Dir != appDir) files.FallbackDir = appDir;
    return files;
}

TextList DefaultRoster() {
    return {"1", "Name 001", "Name 002", "Name 003", "Name 004", "Name 005"};
}

TextList DefaultProgress() {
    TextList lines(static_cast<std::size_t>(ProgressLineCount), "0");
    lines[0] = "1";
    return lines;
}

TextList DefaultOptions() {
    return {"4", "ON", "ON"};
}

void ReadRoster(PlayerFiles& files, int& currentPlayer) {
    auto lines = ReadPlayerFile(files, "Players.txt");
    std::optional<int> current;
    if (lines) current = UsableList(*lines, RosterLineCount);
    if (current) {
        files.Roster = std::move(*lines);
    } else {
        files.Roster = DefaultRoster();
        current = 1;
    }
    currentPlayer = PlayerInRange(*current) ? *current : 1;
    files.Roster[0] = std::to_string(currentPlayer);
}

void LoadPlayerFiles(PlayerFiles& files) {
    for (int n = 1; n <= PlayerCount; ++n) {
        ReadProgress(files, n, files.WorkingProgress);
        files.ProgressLists[static_cast<std::size_t>(n - 1)] = files.WorkingProgress;
        ReadOptions(files, n, files.WorkingOptions);
        files.OptionLists[static_cast<std::size_t>(n - 1)] = files.WorkingOptions;
    }
}

void ApplyOptions(PlayerFiles& files, int& gameSpeed) {
    const TextList& o = files.WorkingOptions;
    std::optional<int> speed = o.empty() ? std::nullopt : ParseInt(o[0]);
    gameSpeed = speed && ValidSpeed(*speed) ? *speed : 4;
    files.Switch1 = o.size() > 1 && o[1] == "ON";
    files.Switch2 = o.size() > 2 && o[2] == "ON";
}

void StoreWorking(PlayerFiles& files, int currentPlayer) {
    if (!PlayerInRange(currentPlayer)) return;
    files.ProgressLists[static_cast<std::size_t>(currentPlayer - 1)] = files.WorkingProgress;
    files.OptionLists[static_cast<std::size_t>(currentPlayer - 1)] = files.WorkingOptions;
}

void LoadWorking(PlayerFiles& files, int currentPlayer) {
    if (!PlayerInRange(currentPlayer)) return;
    files.WorkingProgress = files.ProgressLists[static_cast<std::size_t>(currentPlayer - 1)];
    files.WorkingOptions = files.OptionLists[static_cast<std::size_t>(currentPlayer - 1)];
}

bool SaveRoster(PlayerFiles& files, int currentPlayer, std::string* error) {
    // A roster never read still gets its six lines.
    const TextList defaults = DefaultRoster();
    for (std::size_t i = files.Roster.size(); i < defaults.size(); ++i) files.Roster.push_back(defaults[i]);
    files.Roster[0] = std::to_string(currentPlayer);
    return WriteTextList(JoinPath(files.Dir, "Players.txt"), files.Roster, error);
}

bool SavePlayerFiles(PlayerFiles& files, int currentPlayer, std::vector<std::string>* errors) {
    StoreWorking(files, currentPlayer);
    bool allWritten = true;
    auto write = [&](const std::string& name, const TextList& lines) {
        std::string error;
        if (WriteTextList(JoinPath(files.Dir, name), lines, &error)) return;
        allWritten = false;
        if (errors)
            errors->push_back(error);
        else
            std::fprintf(stderr, "Gravlin: %s\n", error.c_str());
    };
    for (int n = 1; n <= PlayerCount; ++n) write(ProgressName(n), files.ProgressLists[static_cast<std::size_t>(n - 1)]);
    for (int n = 1; n <= PlayerCount; ++n) write(OptionsName(n), files.OptionLists[static_cast<std::size_t>(n - 1)]);
    return allWritten;
}

void SetLine(TextList& list, int line, const std::string& text) {
    if (line < 0) return;
    const std::size_t at = static_cast<std::size_t>(line);
    while (list.size() <= at) list.emplace_back("0");
    list[at] = text;
}

void NoteLevelWon(TextList& progress, int& currentLevel, int levelCount) {
    SetLine(progress, currentLevel, "1");
    ++currentLevel;
    if (currentLevel > levelCount) currentLevel = 1;
    SetLine(progress, 0, std::to_string(currentLevel));
}

void NoteSpeedChosen(TextList& options, int speed) {
    SetLine(options, 0, std::to_string(speed));
}

} // namespace gravlin
