#include "presentation/Controls.h"

#include "common/Files.h"
#include "common/TextLists.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace gravlin {

namespace {

// A controls file is a dozen lines; anything bigger is not one.
constexpr off_t MaxControlsSize = 64 * 1024;

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") + 1 - first);
}

// What each input does, for the comments of a written file.
constexpr const char* InputHelp[InputCount] = {
    "Up in the menus; up in play (two directions held together go diagonally)",
    "Down in the menus; down in play",
    "Left on the level choice; left in play",
    "Right on the level choice; right in play",
    "Go on, choose, start the level (these keys also act as Enter)",
    "Choose in the main menu, like InputFire1",
    "Back; quit on the title; give up the level in play (these keys also act as Escape)",
    "Erase the last letter of the name on the player choice",
    "The next player on the level choice",
    "Restart the level at speed 2 (slow)",
    "Restart the level at speed 4",
    "Restart the level at speed 6 (fast)",
};

std::string KeyList(const std::array<Key, KeysPerInput>& keys) {
    std::string out;
    for (Key k : keys)
        if (k != Key::None) out += (out.empty() ? "" : " ") + KeySdlName(k);
    return out;
}

} // namespace

std::string ControlsPath() {
    const std::string dir = UserConfigDir();
    return dir.empty() ? "" : JoinPath(dir, "controls.txt");
}

std::string ControllerMappingsPath() {
    const std::string dir = UserConfigDir();
    return dir.empty() ? "" : JoinPath(dir, "gamecontrollerdb.txt");
}

KeyMap ParseControls(const std::string& text, const std::string& fileName, std::vector<std::string>* problems) {
    KeyMap map = GameKeyMap();
    std::array<std::size_t, InputCount> givenOn{};
    const TextList lines = SplitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n];
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        line = Trim(line);
        if (line.empty()) continue;
        auto report = [&](const std::string& what) {
            if (problems) problems->push_back(fileName + ":" + std::to_string(n + 1) + ": " + what);
        };
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            report("expected \"<input> = <keys>\", such as \"InputLeft = Left Z Keypad 4\"");
            continue;
        }
        const std::string name = Trim(line.substr(0, eq));
        const auto input = InputFromName(name);
        if (!input) {
            report("unknown input \"" + name +
                   "\" (the inputs are InputUp, InputDown, InputLeft, InputRight, "
                   "InputFire1, InputFire2, InputEscape, InputErase, InputNextPlayer, InputSpeed2, InputSpeed4, "
                   "InputSpeed6)");
            continue;
        }
        const auto i = static_cast<std::size_t>(*input);
        const std::string keepsItsKeys = "; " + InputName(*input) + " keeps its built-in keys";
        if (givenOn[i]) {
            report(InputName(*input) + " is given again (first on line " + std::to_string(givenOn[i]) +
                   "): this line is left out");
            continue;
        }
        givenOn[i] = n + 1;
        // Names of one word or two ("Keypad 4", "Left Ctrl"): the longer wins.
        std::istringstream in(line.substr(eq + 1));
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        std::vector<Key> keys;
        std::string unknown;
        for (std::size_t w = 0; w < words.size() && unknown.empty(); ++w) {
            std::optional<Key> k;
            if (w + 1 < words.size()) k = KeyFromAnyName(words[w] + " " + words[w + 1]);
            if (k) {
                ++w;
            } else {
                k = KeyFromAnyName(words[w]);
            }
            if (k)
                keys.push_back(*k);
            else
                unknown = words[w];
        }
        if (!unknown.empty()) {
            report("unknown key \"" + unknown + "\"" + keepsItsKeys);
        } else if (keys.empty()) {
            report("no key given" + keepsItsKeys);
        } else if (keys.size() > KeysPerInput) {
            report(std::to_string(keys.size()) + " keys given, at most 3 may be" + keepsItsKeys);
        } else {
            std::array<Key, KeysPerInput> chosen{};
            for (std::size_t k = 0; k < keys.size(); ++k) chosen[k] = keys[k];
            map[i] = chosen;
        }
    }
    return map;
}

KeyMap ReadControls(const std::string& path, std::vector<std::string>* problems) {
    if (path.empty()) return GameKeyMap();
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) return GameKeyMap();
    std::optional<std::string> text;
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxControlsSize)
        text = ReadWholeFile(path);
    if (!text) {
        if (problems)
            problems->push_back(path + " is not a readable controls file (at most 64 KB): the built-in keys are used");
        return GameKeyMap();
    }
    return ParseControls(*text, path, problems);
}

std::string ControlsFileText(const KeyMap& map) {
    std::string text = "# Gravlin's keys: one input a line, up to three keys each; \"#\" starts a comment.\n"
                       "# A key is named by its place on a US keyboard, as SDL names it (\"Return\",\n"
                       "# \"Keypad 4\", \"Left Ctrl\", \"'\"), or as replay scripts name it (\"Enter\",\n"
                       "# \"KP4\", \"LeftCtrl\", \"Apostrophe\"); the key beside Return that types \"#\"\n"
                       "# on some keyboards is \"Hash\". Take a line out and its input keeps the\n"
                       "# built-in keys. A letter given here still types itself in a name, unless it\n"
                       "# is on InputUp, InputDown, InputErase or InputEscape, which the name entry\n"
                       "# reads first. A gamepad always plays as the README shows.\n";
    for (std::size_t i = 0; i < InputCount; ++i) {
        const Input input = static_cast<Input>(i);
        text += "\n# " + std::string(InputHelp[i]) + "\n";
        text += InputName(input) + " = " + KeyList(map[i]) + "\n";
    }
    return text;
}

bool WriteControlsFile(const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return fail(path + " already exists; it is left as it is");
    const auto dir = std::filesystem::path(path).parent_path();
    if (!dir.empty()) std::filesystem::create_directories(dir, ec);
    // Written whole under a temporary name, then linked to its own name,
    // which fails rather than replace a file that appeared meanwhile.
    const std::string temp = path + ".new" + std::to_string(::getpid());
    if (!WriteFileAtomic(temp, ControlsFileText(GameKeyMap()), error)) return false;
    const bool linked = ::link(temp.c_str(), path.c_str()) == 0;
    const int linkError = errno;
    ::unlink(temp.c_str());
    if (!linked)
        return fail(linkError == EEXIST ? path + " already exists; it is left as it is"
                                        : "cannot write " + path + ": " + std::strerror(linkError));
    return true;
}

} // namespace gravlin
