#include "presentation/ReplayScript.h"

#include "common/TextLists.h"

#include <algorithm>
#include <sstream>

namespace gravlin {

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
        if (!(in >> keyText) || (in >> extra)) return fail("expected \"<frame> +<Key>\" or \"<frame> -<Key>\"");
        auto frame = ParseInt(frameText);
        if (!frame || *frame < 0) return fail("the frame must be a whole number from 0");
        if (keyText.size() < 2 || (keyText[0] != '+' && keyText[0] != '-'))
            return fail("the key must start with + or -");
        auto key = KeyFromName(keyText.substr(1));
        if (!key) return fail("unknown key name \"" + keyText.substr(1) + "\"");
        events.push_back(ScriptEvent{*frame, *key, keyText[0] == '+'});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.Frame < b.Frame; });
    return events;
}

} // namespace gravlin
