#pragma once
// What the game remembers of its window between runs: full screen or a
// window, and the window's size and place on the desktop. Kept in
// "settings.txt" in the user's configuration folder, one "name = value" a
// line, "#" starting a comment:
//
//   fullscreen = no
//   window = 1280 960
//   position = 320 60

#include <optional>
#include <string>

namespace gravlin {

struct WindowSettings {
    bool FullScreen = true;
    // The window's size when not full screen; none means the largest whole
    // multiple of 640 by 480 that fits the desktop.
    std::optional<int> Width, Height;
    // The window's top-left corner on the desktop; none means centred.
    std::optional<int> X, Y;

    bool operator==(const WindowSettings&) const = default;
};

// The settings file in the user's configuration folder, or empty when the
// user has none (no HOME).
std::string WindowSettingsPath();

// Reads the settings from `path`. A missing file gives the defaults; so does
// every line that cannot be understood, while the good lines are kept.
// `warning` says what was wrong (one line naming the file), empty when all was
// well.
WindowSettings ReadWindowSettings(const std::string& path, std::string* warning);

// The settings as the file's text.
std::string FormatWindowSettings(const WindowSettings& settings);

// Writes the settings to `path` through a temporary file and a rename,
// creating the folder when missing. False with `error` on failure.
bool WriteWindowSettings(const std::string& path, const WindowSettings& settings, std::string* error);

} // namespace gravlin
