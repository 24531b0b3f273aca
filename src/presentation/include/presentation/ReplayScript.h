#pragma once
// Replay scripts: one event a line, "<frame> +<Key>" (the key goes down
// and its key-down message is delivered in that frame) or "<frame> -<Key>"
// (the key goes up); "#" starts a comment. The first line may name the
// version of the script format: "# gravlin-replay 1".
//
// Game controllers: "<frame> +PadA" and "<frame> -PadA" for a button (the
// names of Gamepad.h), "<frame> PadLeftX=-32000" for the left stick (an axis
// from -32768 to 32767), "<frame> PadUnplug" for the controller going away.
// "Pad" is the first controller (also "Pad1"); "Pad2" to "Pad8" name others
// ("+Pad2A", "Pad2LeftY=20000", "Pad2Unplug").

#include "presentation/Gamepad.h"
#include "presentation/Input.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// The version of the script format this runner reads.
constexpr int ReplayScriptVersion = 1;

// The most controllers a script may name.
constexpr int ScriptPadCount = 8;

struct ScriptEvent {
    int Frame = 0;
    Key Which = Key::None;
    bool Down = true;
    // What the line does: a key (Which, Down), or a controller's button
    // (Button, Down), stick (Axis, Value) or unplugging; Pad numbers the
    // controller from 1.
    enum class Kind : std::uint8_t { Key, Button, Stick, Unplug } What = Kind::Key;
    int Pad = 0;
    PadButton Button = PadButton::A;
    PadAxis Axis = PadAxis::LeftX;
    int Value = 0;
};

// Parses a script; on a malformed line returns nullopt and says which line
// (counting from 1) and why.
std::optional<std::vector<ScriptEvent>> ParseReplayScript(const std::string& text, std::string* error);

} // namespace gravlin
