#pragma once
// Replay scripts: one key event a line, "<frame> +<Key>" (the key goes down
// and its key-down message is delivered in that frame) or "<frame> -<Key>"
// (the key goes up); "#" starts a comment. The first line may name the
// version of the script format: "# gravlin-replay 1".

#include "presentation/Input.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// The version of the script format this runner reads.
constexpr int ReplayScriptVersion = 1;

struct ScriptEvent {
    int Frame = 0;
    Key Which = Key::None;
    bool Down = true;
};

// Parses a script; on a malformed line returns nullopt and says which line
// (counting from 1) and why.
std::optional<std::vector<ScriptEvent>> ParseReplayScript(const std::string& text, std::string* error);

} // namespace gravlin
