#include "presentation/WindowSettings.h"

#include "common/Files.h"
#include "common/TextLists.h"

#include <filesystem>
#include <sstream>

namespace gravlin {

namespace {

constexpr const char* FileName = "settings.txt";
// A window larger than any screen is a damaged value, not a wish.
constexpr int MaxWindowSide = 16384;
constexpr int MaxPosition = 1 << 20;

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") + 1 - first);
}

// Two whole numbers separated by blanks, each within [min, max].
bool ReadPair(const std::string& text, int min, int max, int& a, int& b) {
    std::istringstream in(text);
    std::string first, second, rest;
    if (!(in >> first >> second) || (in >> rest)) return false;
    auto x = ParseInt(first), y = ParseInt(second);
    if (!x || !y || *x < min || *x > max || *y < min || *y > max) return false;
    a = *x;
    b = *y;
    return true;
}

// Applies one "name = value" line; false when it cannot be understood.
bool ApplyLine(const std::string& name, const std::string& value, WindowSettings& s) {
    if (name == "fullscreen") {
        if (value == "yes")
            s.FullScreen = true;
        else if (value == "no")
            s.FullScreen = false;
        else
            return false;
        return true;
    }
    int a = 0, b = 0;
    if (name == "window") {
        if (!ReadPair(value, 1, MaxWindowSide, a, b)) return false;
        s.Width = a;
        s.Height = b;
        return true;
    }
    if (name == "position") {
        if (!ReadPair(value, -MaxPosition, MaxPosition, a, b)) return false;
        s.X = a;
        s.Y = b;
        return true;
    }
    return false;
}

} // namespace

std::string WindowSettingsPath() {
    const std::string dir = UserConfigDir();
    return dir.empty() ? "" : JoinPath(dir, FileName);
}

WindowSettings ReadWindowSettings(const std::string& path, std::string* warning) {
    WindowSettings settings;
    if (warning) warning->clear();
    // A settings file is a few lines; anything bigger is not one.
    std::string why;
    auto lines = ReadTextList(path, SmallFileLimit, &why);
    if (!lines) {
        if (warning)
            *warning = FileMissing(path) ? path + " does not exist yet: the window starts as the game's default"
                                         : why + ": using the defaults";
        return settings;
    }
    std::string bad;
    int badCount = 0;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        std::string line = (*lines)[i];
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        line = Trim(line);
        if (line.empty()) continue;
        const auto eq = line.find('=');
        WindowSettings changed = settings;
        if (eq == std::string::npos || !ApplyLine(Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)), changed)) {
            bad += (bad.empty() ? "" : ", ") + std::to_string(i + 1);
            ++badCount;
            continue;
        }
        settings = changed;
    }
    if (!bad.empty() && warning)
        *warning = path + (badCount == 1 ? ": line " : ": lines ") + bad +
                   " not understood (expected fullscreen = yes|no, window = W H, position = X Y): the default is used"
                   " instead";
    return settings;
}

std::string FormatWindowSettings(const WindowSettings& s) {
    std::string text = "# Gravlin's window, as it was when the game last ended. Delete this file\n"
                       "# to start afresh; Alt+Enter switches between full screen and a window.\n";
    text += std::string("fullscreen = ") + (s.FullScreen ? "yes" : "no") + "\n";
    if (s.Width && s.Height) text += "window = " + std::to_string(*s.Width) + " " + std::to_string(*s.Height) + "\n";
    if (s.X && s.Y) text += "position = " + std::to_string(*s.X) + " " + std::to_string(*s.Y) + "\n";
    return text;
}

bool WriteWindowSettings(const std::string& path, const WindowSettings& settings, std::string* error) {
    std::error_code ec;
    const auto dir = std::filesystem::path(path).parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    return WriteFileAtomic(path, FormatWindowSettings(settings), error);
}

} // namespace gravlin
