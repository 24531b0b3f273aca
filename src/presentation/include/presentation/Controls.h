#pragma once
// The player's own keys: "controls.txt" in the user's configuration folder,
// one input a line with up to three keys, "#" starting a comment:
//
//   InputLeft = Left Z Keypad 4
//
// Keys are named as SDL names their places ("Return", "Keypad 4", "'",
// "Left Ctrl") or by their names in replay scripts ("Enter", "KP4",
// "Apostrophe", "LeftCtrl"), in any letter case. An input the file does not
// name keeps its built-in keys; without the file the built-in map is used.

#include "presentation/Input.h"

#include <string>
#include <vector>

namespace gravlin {

// The controls file in the user's configuration folder, and the gamepad
// mappings the player may add beside it ("gamecontrollerdb.txt", in SDL's
// format); empty when the user has no such folder (no HOME).
std::string ControlsPath();
std::string ControllerMappingsPath();

// The key map a controls file's text gives over the built-in one. Every line
// that cannot be used (no "=", an unknown input or key, no key or more than
// three, an input given twice) is reported in `problems` as
// "FILE:LINE: what" and changes nothing: its input keeps its built-in keys.
KeyMap ParseControls(const std::string& text, const std::string& fileName, std::vector<std::string>* problems);

// Reads the controls file at `path`. A missing file (or an empty path) gives
// the built-in map and no problem; an unreadable one is reported and gives
// the built-in map.
KeyMap ReadControls(const std::string& path, std::vector<std::string>* problems);

// A key map as a controls file, every input commented.
std::string ControlsFileText(const KeyMap& map);

// Writes the built-in map as a controls file at `path`, creating its folder,
// and never replaces a file that is already there. False with `error`.
bool WriteControlsFile(const std::string& path, std::string* error);

} // namespace gravlin
