#include "common/TextLists.h"

#include "common/Files.h"

#include <charconv>
#include <climits>

namespace gravlin {

TextList SplitLines(const std::string& text) {
    TextList lines;
    std::string current;
    bool open = false; // a line has started and not yet been ended
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(current);
    return lines;
}

std::string JoinLines(const TextList& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<TextList> ReadTextList(const std::string& path, std::size_t limit, std::string* error) {
    auto bytes = ReadWholeFile(path, limit, error);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

bool WriteTextList(const std::string& path, const TextList& lines, std::string* error) {
    return WriteFileAtomic(path, JoinLines(lines), error);
}

std::optional<int> ParseInt(const std::string& line) {
    if (line.empty()) return std::nullopt;
    long long value = 0;
    const char* first = line.data();
    const char* last = line.data() + line.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

} // namespace gravlin
