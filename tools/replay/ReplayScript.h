#pragma once
// Replay scripts: one key event a line, "<frame> +<Key>" (the key goes down
// and its key-down message is delivered in that frame) or "<frame> -<Key>"
// (the key goes up); "#" starts a comment.

#include "presentation/Input.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

struct ScriptEvent {
    int Frame = 0;
    Key Which = Key::None;
    bool Down = true;
};

// Parses a script; on a malformed line returns nullopt and says which line
// (counting from 1) and why.
std::optional<std::vector<ScriptEvent>> ParseReplayScript(const std::string& text, std::string* error);

} // namespace gravlin
