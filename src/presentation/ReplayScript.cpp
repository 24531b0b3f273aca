#include "presentation/ReplayScript.h"

#include "common/TextLists.h"

#include <algorithm>
#include <sstream>

namespace gravlin {

namespace {

// "Pad..." (the first controller) or "Pad1..." to "Pad8...": the
// controller's number and the rest of the name.
struct PadName {
    int number;
    std::string rest;
};
std::optional<PadName> PadPart(const std::string& name) {
    if (name.rfind("Pad", 0) != 0) return std::nullopt;
    if (name.size() > 3 && name[3] >= '1' && name[3] <= '0' + ScriptPadCount)
        return PadName{name[3] - '0', name.substr(4)};
    return PadName{1, name.substr(3)};
}

} // namespace

std::optional<std::vector<ScriptEvent>> ParseReplayScript(const std::string& text, std::string* error) {
    std::vector<ScriptEvent> events;
    TextList lines = SplitLines(text);
    // "# gravlin-replay N" on the first line names the script's version.
    if (!lines.empty()) {
        std::istringstream first(lines[0]);
        std::string hash, tool, version, extra;
        if (first >> hash >> tool >> version && hash == "#" && tool == "gravlin-replay" && !(first >> extra)) {
            auto n = ParseInt(version);
            if (n != ReplayScriptVersion) {
                if (error)
                    *error = "line 1: the script is for version " + version +
                             " of gravlin-replay; this runner reads version " + std::to_string(ReplayScriptVersion) +
                             " (and scripts without a version line)";
                return std::nullopt;
            }
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        std::istringstream in(line);
        std::string frameText, keyText, extra;
        if (!(in >> frameText)) continue; // blank or comment only
        auto fail = [&](const std::string& why) {
            if (error) *error = "line " + std::to_string(i + 1) + ": " + why + ": \"" + lines[i] + "\"";
            return std::nullopt;
        };
        if (!(in >> keyText) || (in >> extra))
            return fail("expected \"<frame> +<Key>\", \"<frame> -<Key>\", \"<frame> PadLeftX=<value>\" or "
                        "\"<frame> PadUnplug\"");
        auto frame = ParseInt(frameText);
        if (!frame || *frame < 0) return fail("the frame must be a whole number from 0");
        ScriptEvent e;
        e.Frame = *frame;
        if (keyText[0] == '+' || keyText[0] == '-') {
            const std::string name = keyText.substr(1);
            e.Down = keyText[0] == '+';
            if (auto key = KeyFromName(name)) {
                e.Which = *key;
            } else if (auto pad = PadPart(name); pad && PadButtonFromName("Pad" + pad->rest)) {
                e.What = ScriptEvent::Kind::Button;
                e.Pad = pad->number;
                e.Button = *PadButtonFromName("Pad" + pad->rest);
            } else {
                return fail("unknown key or button name \"" + name + "\"");
            }
        } else {
            const auto eq = keyText.find('=');
            const auto pad = PadPart(keyText.substr(0, eq));
            if (!pad) return fail("the key must start with + or -");
            e.Pad = pad->number;
            if (eq == std::string::npos) {
                if (pad->rest != "Unplug") return fail("expected \"PadUnplug\" or a stick's \"PadLeftX=<value>\"");
                e.What = ScriptEvent::Kind::Unplug;
            } else {
                const auto axis = PadAxisFromName("Pad" + pad->rest);
                const auto value = ParseInt(keyText.substr(eq + 1));
                if (!axis) return fail("unknown stick axis \"" + keyText.substr(0, eq) + "\" (PadLeftX or PadLeftY)");
                if (!value || *value < -32768 || *value > 32767)
                    return fail("a stick's axis goes from -32768 to 32767");
                e.What = ScriptEvent::Kind::Stick;
                e.Axis = *axis;
                e.Value = *value;
            }
        }
        events.push_back(e);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.Frame < b.Frame; });
    return events;
}

} // namespace gravlin
