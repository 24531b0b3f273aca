#pragma once
// The five players: the roster "Players.txt" (the current player and five
// names) and each player's progress "CompLevelsN.Txt" and options
// "UOptionsN.Txt". Read once at start-up, written at shut-down (and after a
// won level); in between the game works on WorkingProgress and
// WorkingOptions, the current player's copies.

#include "common/TextLists.h"
#include "world/World.h"

#include <array>
#include <string>
#include <vector>

namespace gravlin {

constexpr int PlayerCount = 5;
// Lines of a progress file: the level the player is on, then one per level.
constexpr int ProgressLineCount = LevelCountFixed + 1;
constexpr int OptionLineCount = 3;
constexpr int RosterLineCount = 6;

struct PlayerFiles {
    // Where the player files are read and written.
    std::string Dir;
    // Read when a file is missing from Dir: the game folder, when the files
    // have moved to the user's data folder because the game folder cannot be
    // written (an installed copy). Empty when there is none.
    std::string FallbackDir;
    TextList Roster;
    std::array<TextList, PlayerCount> ProgressLists;
    std::array<TextList, PlayerCount> OptionLists;
    // The current player's progress and options, the lists the game changes.
    TextList WorkingProgress;
    TextList WorkingOptions;
    // The two switches of the options; nothing in the game depends on them.
    bool Switch1 = true;
    bool Switch2 = true;
    // What reading the files put right, one line a file, for standard error.
    std::vector<std::string> Repairs;
};

// The folder of the player files: appDir when files can be written there,
// else $XDG_DATA_HOME/gravlin (by default ~/.local/share/gravlin), created
// when missing. appDir when neither can be had (saving will then report).
std::string ChoosePlayerDir(const std::string& appDir);

// A PlayerFiles for the game folder appDir: Dir from ChoosePlayerDir, and
// the game folder to fall back on when Dir is elsewhere.
PlayerFiles PlayerFilesFor(const std::string& appDir);

// The default lists.
TextList DefaultRoster();
TextList DefaultProgress();
TextList DefaultOptions();

// Reading a player file keeps every good line and gives only a bad or
// missing line its default: the roster's line 0 must be a player from 1 to
// 5 (its names are any text, cut to 255 characters); a progress file's line
// 0 a level from 1 to 70 and its other lines "0" or "1"; an options file's
// line 0 a speed of 2, 4 or 6 (its switches are any word). Lines past the
// last are dropped. A file put right is kept as NAME.bak first (an existing
// ".bak" is never replaced) and one line in Repairs says what was done. A
// missing file gives its defaults without a word; a file that cannot be
// read (too big, a pipe) gives them with a line in Repairs.

// Reads "Players.txt" into Roster; currentPlayer = line 0.
void ReadRoster(PlayerFiles& files, int& currentPlayer);

// Reads the progress and options files of players 1 to 5 through the
// working lists into ProgressLists and OptionLists. The working lists hold
// player 5's lists afterwards: call LoadWorking for the current player.
void LoadPlayerFiles(PlayerFiles& files);

// gameSpeed from line 0 of WorkingOptions (4 unless it is 2, 4 or 6); the
// switches from whether lines 1 and 2 are exactly "ON".
void ApplyOptions(PlayerFiles& files, int& gameSpeed);

// Copies the working lists into, or out of, the lists of player
// currentPlayer (1 to 5; any other number does nothing).
void StoreWorking(PlayerFiles& files, int currentPlayer);
void LoadWorking(PlayerFiles& files, int currentPlayer);

// Sets line 0 of the roster to currentPlayer and writes "Players.txt".
// False with `error` when the file cannot be written; the old file stays.
bool SaveRoster(PlayerFiles& files, int currentPlayer, std::string* error);

// StoreWorking, then writes "CompLevels1.Txt" to "CompLevels5.Txt" and
// "UOptions1.Txt" to "UOptions5.Txt" in that order, each atomically. A file
// that cannot be written does not stop the others; false when any failed,
// with one message per failed file in `errors` (on standard error when
// `errors` is null).
bool SavePlayerFiles(PlayerFiles& files, int currentPlayer, std::vector<std::string>* errors);

// Writes a line of a list, growing the list with "0" lines when it is too
// short; a negative line number writes nothing.
void SetLine(TextList& list, int line, const std::string& text);

// What a won level changes in the progress: the level's own line is "1", and
// the player is on the next level (after the last comes the first).
void NoteLevelWon(TextList& progress, int& currentLevel, int levelCount);

// A speed key during play: the speed is the player's option from now on.
void NoteSpeedChosen(TextList& options, int speed);

} // namespace gravlin
