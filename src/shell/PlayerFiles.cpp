#include "shell/PlayerFiles.h"

#include "common/Files.h"
#include "common/Utility.h"

#include <algorithm>
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

bool ValidSpeed(int speed) {
    return speed == 2 || speed == 4 || speed == 6;
}

// Line numbers as a text editor shows them (from 1), runs joined: "3, 7 to 9".
std::string LineNumbers(const std::vector<std::size_t>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t j = i;
        while (j + 1 < lines.size() && lines[j + 1] == lines[j] + 1) ++j;
        text += (text.empty() ? "" : ", ") + std::to_string(lines[i] + 1);
        if (j > i) text += " to " + std::to_string(lines[j] + 1);
        i = j + 1;
    }
    return text;
}

std::string Lines(const std::vector<std::size_t>& lines) {
    return (lines.size() == 1 ? "line " : "lines ") + LineNumbers(lines);
}

// What a line of a player file may hold: the text to keep (a long name cut
// short), or nullopt when the line is no good and takes its default.
using LineCheck = std::optional<std::string> (*)(std::size_t line, const std::string& text);

// Reads a player file from Dir, or from FallbackDir when Dir has none (names
// matched without regard to letter case), and puts right what is wrong with
// it line by line: a line the check refuses and a missing line take their
// defaults, lines past the last are dropped, every other line is kept. A file
// that had to be put right is kept as NAME.bak before anything replaces it,
// and one line in Repairs says what was done. A missing file gives the
// defaults without a word.
TextList ReadPlayerFile(PlayerFiles& files, const std::string& name, const TextList& defaults, LineCheck check) {
    std::string path = JoinPath(files.Dir, name);
    if (FileMissing(path) && !files.FallbackDir.empty() && files.FallbackDir != files.Dir)
        path = JoinPath(files.FallbackDir, name);
    if (FileMissing(path)) return defaults;
    const bool replacedLater = path == JoinPath(files.Dir, name);
    std::string why;
    const std::optional<std::string> bytes = ReadWholeFile(path, SmallFileLimit, &why);
    TextList lines = defaults;
    std::vector<std::size_t> bad, cut, missing;
    std::size_t extra = 0;
    if (bytes) {
        const TextList read = SplitLines(*bytes);
        for (std::size_t k = 0; k < defaults.size(); ++k) {
            if (k >= read.size()) {
                missing.push_back(k);
                continue;
            }
            auto kept = check(k, read[k]);
            if (!kept) {
                bad.push_back(k);
                continue;
            }
            if (*kept != read[k]) cut.push_back(k);
            lines[k] = *kept;
        }
        extra = read.size() > defaults.size() ? read.size() - defaults.size() : 0;
        if (bad.empty() && cut.empty() && missing.empty() && extra == 0) return lines;
        why = FindFileNoCase(path) + ":";
        auto say = [&, first = true](const std::string& what) mutable {
            why += (first ? " " : ", ") + what;
            first = false;
        };
        if (!bad.empty()) say(Lines(bad) + " not valid");
        if (!missing.empty()) say(Lines(missing) + " missing");
        if (!bad.empty() || !missing.empty()) why += " (set to the defaults)";
        if (!cut.empty()) say(Lines(cut) + " cut to " + std::to_string(UtilityTextLimit) + " characters");
        if (extra) say(std::to_string(extra) + (extra == 1 ? " line" : " lines") + " past the end dropped");
        const std::size_t keptCount = std::min(read.size(), defaults.size()) - bad.size();
        why += "; the other " + std::to_string(keptCount) + (keptCount == 1 ? " line is" : " lines are") + " kept";
    } else {
        why += ": the defaults are used";
    }
    std::string backupError;
    if (!replacedLater)
        why += "; the file is left as it is";
    else if (KeepBackup(path, bytes ? &*bytes : nullptr, &backupError))
        why += "; the original is kept as " + FindFileNoCase(path) + ".bak";
    else
        why += "; " + backupError;
    files.Repairs.push_back(why);
    return lines;
}

std::optional<std::string> RosterLine(std::size_t line, const std::string& text) {
    if (line == 0) {
        auto n = ParseInt(text);
        if (!n || *n < 1 || *n > PlayerCount) return std::nullopt;
        return text;
    }
    // A name; one longer than a name may be is cut.
    return text.substr(0, UtilityTextLimit);
}

std::optional<std::string> ProgressLine(std::size_t line, const std::string& text) {
    if (line == 0) {
        auto n = ParseInt(text);
        if (!n || *n < 1 || *n > LevelCountFixed) return std::nullopt;
        return text;
    }
    if (text != "0" && text != "1") return std::nullopt; // a level's mark
    return text;
}

std::optional<std::string> OptionLine(std::size_t line, const std::string& text) {
    if (line == 0) {
        auto n = ParseInt(text);
        if (!n || !ValidSpeed(*n)) return std::nullopt;
    }
    return text; // a switch: "ON" or any other word
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
    files.Roster = ReadPlayerFile(files, "Players.txt", DefaultRoster(), RosterLine);
    currentPlayer = ParseInt(files.Roster[0]).value_or(1);
}

void LoadPlayerFiles(PlayerFiles& files) {
    for (int n = 1; n <= PlayerCount; ++n) {
        files.WorkingProgress = ReadPlayerFile(files, ProgressName(n), DefaultProgress(), ProgressLine);
        files.ProgressLists[static_cast<std::size_t>(n - 1)] = files.WorkingProgress;
        files.WorkingOptions = ReadPlayerFile(files, OptionsName(n), DefaultOptions(), OptionLine);
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
