#pragma once
// The replay runner: the real game (main window, state handlers and rules)
// on the headless display and the silent sound device, driven by a script of
// key events, as fast as it can run.

#include "presentation/ReplayScript.h"
#include "shell/TfrmMain.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace gravlin {

struct ReplayOptions {
    std::string DataDir;
    std::string HomeDir;
    std::optional<int> Level;
    std::string MapFile;
    int Speed = 4;
    std::uint32_t Seed = 1;
    std::optional<int> Frames;
    std::vector<std::pair<int, std::string>> Dumps; // after frame F, write PATH
    bool State = false;
    std::string Expect; // "", "won", "lost" or "playing"
    std::vector<ScriptEvent> Script;
};

enum class ReplayOutcome { Playing, Won, Lost };

// The game as a run left it: the main window's state, what the rules hold
// of the level, and every sound cue played.
struct ReplayState {
    int Frame = 0;
    ShellView Shell;
    int CollectedCount = 0;
    int DiamondTarget = 0;
    bool EndPhase = false;
    int BookCell = 0;
    int ActorCount = 0;
    PlayerState Player;
    std::array<int, MapCellCount> Content{};
    std::array<int, MapCellCount> Tile{};
    std::vector<std::pair<int, std::string>> Cues; // [frame, cue name]
};

struct ReplayResult {
    ReplayOutcome Outcome = ReplayOutcome::Playing;
    int Frames = 0;
    ReplayState State; // filled when the options ask for the state
    std::string Error; // a fatal error of the game or the runner
};

ReplayResult RunReplay(const ReplayOptions& options);

// Parses the command line into options (the script file is read here too).
// Returns false with a message for unknown options, missing files or a
// malformed script.
bool ParseReplayArguments(int argc, char** argv, ReplayOptions& options, std::string* error);

} // namespace gravlin
