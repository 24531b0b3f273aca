#pragma once
// The replay runner: the real game (main window, state handlers and rules)
// on the headless display and the silent sound device, driven by a script of
// key events, as fast as it can run.

#include "ReplayScript.h"

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

struct ReplayResult {
    ReplayOutcome Outcome = ReplayOutcome::Playing;
    int Frames = 0;
    std::string StateJson;
    std::string Error; // a fatal error of the game or the runner
};

ReplayResult RunReplay(const ReplayOptions& options);

// Parses the command line into options (the script file is read here too).
// Returns false with a message for unknown options, missing files or a
// malformed script.
bool ParseReplayArguments(int argc, char** argv, ReplayOptions& options, std::string* error);

} // namespace gravlin
