// gravlin-replay: runs the real game headless from a script of key events.
// Used by the tests, to prove level solutions, and to reproduce bugs.

#include "Replay.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

// A JSON string: quotes and backslashes escaped, control characters as
// \u escapes, every other byte as it is.
std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The state as one JSON object; the names are the game's own.
std::string StateJson(const gravlin::ReplayState& s) {
    const gravlin::PlayerState& p = s.Player;
    auto flag = [](bool b) { return b ? "true" : "false"; };
    std::ostringstream o;
    o << "{\"frame\": " << s.Frame << ", \"GameState\": " << s.Shell.GameState
      << ", \"CurrentLevel\": " << s.Shell.CurrentLevel << ", \"CurrentPlayer\": " << s.Shell.CurrentPlayer
      << ", \"GameSpeed\": " << s.Shell.GameSpeed << ", \"Lives\": " << s.Shell.Lives
      << ", \"CollectedCount\": " << s.CollectedCount << ", \"DiamondTarget\": " << s.DiamondTarget
      << ", \"EndPhase\": " << flag(s.EndPhase) << ", \"BookCell\": " << s.BookCell
      << ", \"ActorCount\": " << s.ActorCount << ", \"player\": {\"PlayerCell\": " << p.PlayerCell
      << ", \"PlayerX\": " << p.PlayerX << ", \"PlayerY\": " << p.PlayerY
      << ", \"PlayerDir\": " << gravlin::DirCode(p.PlayerDir) << ", \"PlayerDying\": " << flag(p.PlayerDying)
      << ", \"PlayerInTransit\": " << flag(p.PlayerInTransit) << "}";
    auto grid = [&](const char* name, const auto& cells) {
        o << ", \"" << name << "\": [";
        for (std::size_t i = 0; i < cells.size(); ++i) o << (i ? ", " : "") << cells[i];
        o << "]";
    };
    grid("Content", s.Content);
    grid("Tile", s.Tile);
    o << ", \"cues\": [";
    for (std::size_t i = 0; i < s.Cues.size(); ++i)
        o << (i ? ", " : "") << "[" << s.Cues[i].first << ", " << JsonString(s.Cues[i].second) << "]";
    o << "]}";
    return o.str();
}

const char* const Usage = R"(usage: gravlin-replay [options] [SCRIPT]
  --data DIR       game folder holding Surfaces/, maps/, Sounds/ (default: the tool's folder)
  --home DIR       folder for the player files and, in DIR/maps/, the player's own levels
                   (default: a fresh temporary folder)
  --level N        start directly in play on level N
  --map FILE       start directly in play on the level in FILE
  --speed S        game speed 2, 4 or 6 for --level and --map (default 4)
  --seed N         seed of the game's random generator (default 1)
  --frames N       run exactly N frames (default: until won or lost, or 600 frames after the last event)
  --dump F:PATH    after frame F, write the screen as PNG or BMP (by extension); may repeat
  --state          after the run, print the state as one JSON object
  --expect WHAT    won, lost or playing: exit 1 unless the run ended that way
SCRIPT: one event a line, "<frame> +<Key>" or "<frame> -<Key>"; "#" starts a comment;
the first line may name the script's version, "# gravlin-replay 1". Game controllers:
"<frame> +PadA", "<frame> -PadA", "<frame> PadLeftX=-32000", "<frame> PadUnplug"
("Pad2" ... "Pad8" for more controllers).
)";
} // namespace

int main(int argc, char** argv) {
    gravlin::ReplayOptions options;
    std::string error;
    if (!gravlin::ParseReplayArguments(argc, argv, options, &error)) {
        if (error != "usage") std::cerr << "gravlin-replay: " << error << "\n";
        std::cerr << Usage;
        return 2;
    }
    std::string tempHome;
    if (options.HomeDir.empty()) {
        char pattern[] = "/tmp/gravlin-replay-XXXXXX";
        if (!::mkdtemp(pattern)) {
            std::cerr << "gravlin-replay: cannot create a temporary folder for the player files\n";
            return 2;
        }
        tempHome = pattern;
        options.HomeDir = tempHome;
    }
    gravlin::ReplayResult result = gravlin::RunReplay(options);
    if (!tempHome.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(tempHome, ec);
    }
    if (!result.Error.empty()) {
        std::cerr << "gravlin-replay: " << result.Error << "\n";
        return 2;
    }
    if (options.State) std::cout << StateJson(result.State) << "\n";
    if (!options.Expect.empty()) {
        const char* got = result.Outcome == gravlin::ReplayOutcome::Won    ? "won"
                          : result.Outcome == gravlin::ReplayOutcome::Lost ? "lost"
                                                                           : "playing";
        if (options.Expect != got) {
            std::cerr << "gravlin-replay: expected " << options.Expect << ", the run ended " << got << " after "
                      << result.Frames << " frames\n";
            return 1;
        }
    }
    return 0;
}
