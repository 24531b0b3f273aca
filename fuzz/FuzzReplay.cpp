// The replay runner's two inputs from outside: its command line and its
// script. The script parser's result is checked on its own; a command line
// that parses is then run (at most 60 frames, the player files in the
// scratch folder, no pictures written), so every option reaches the real
// game. A bad command line must be refused with a reason.
//
// The input's first line is the arguments, split at spaces; an argument
// "@PATH" stands for PATH inside the game folder. The rest is the script,
// given as the last argument. The game folder is the built one unless the
// arguments say --data.

#include "FuzzFiles.h"
#include "Replay.h"
#include "common/TextLists.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace gravlin;
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    const std::string input = fuzz::Bytes(data, size);
    const std::size_t lineEnd = std::min(input.find('\n'), input.size());
    const std::string script = lineEnd < input.size() ? input.substr(lineEnd + 1) : std::string();

    std::string error;
    if (auto events = ParseReplayScript(script, &error)) {
        for (std::size_t i = 0; i < events->size(); ++i) {
            const ScriptEvent& e = (*events)[i];
            const bool key = e.What == ScriptEvent::Kind::Key;
            const bool keyKnown = e.Which != Key::None && e.Which < Key::Count;
            const bool padKnown = e.Pad >= 1 && e.Pad <= ScriptPadCount && e.Button < PadButton::Count &&
                                  e.Axis < PadAxis::Count && e.Value >= -32768 && e.Value <= 32767;
            if (e.Frame < 0 || (key ? !keyKnown : !padKnown)) fuzz::Broken("a bad event passed");
            if (i > 0 && (*events)[i - 1].Frame > e.Frame) fuzz::Broken("events out of order");
        }
    } else if (error.empty()) {
        fuzz::Broken("a script refused without a reason");
    }

    scratch.Clear();
    scratch.Write("script.rpl", script);
    // The game folder unless the arguments name another.
    std::vector<std::string> args{"gravlin-replay", "--data", GRAVLIN_GAME_DIR};
    std::istringstream words(input.substr(0, lineEnd));
    for (std::string word; words >> word;)
        args.push_back(word[0] == '@' ? std::string(GRAVLIN_GAME_DIR) + "/" + word.substr(1) : word);
    args.push_back(scratch.File("script.rpl"));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    ReplayOptions options;
    if (!ParseReplayArguments(static_cast<int>(argv.size()), argv.data(), options, &error)) {
        if (error.empty()) fuzz::Broken("arguments refused without a reason");
        return 0;
    }
    // Run, but keep the run short and its files in the scratch folder.
    options.HomeDir = scratch.Dir() + "home";
    std::filesystem::create_directory(options.HomeDir);
    options.Frames = std::min(options.Frames.value_or(60), 60);
    options.Dumps.clear();
    const ReplayResult result = RunReplay(options);
    if (result.Error.empty() && result.Frames > 60) fuzz::Broken("ran past its frames");
    return 0;
}
