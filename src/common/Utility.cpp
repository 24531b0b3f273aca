#include "common/Utility.h"

#include <algorithm>

namespace gravlin {

namespace {
std::string Cut(const std::string& text) {
    return text.size() > UtilityTextLimit ? text.substr(0, UtilityTextLimit) : text;
}
} // namespace

std::string TextBeforeLast(const std::string& text, char c) {
    std::string t = Cut(text);
    auto pos = t.find_last_of(c);
    return pos == std::string::npos ? t : t.substr(0, pos);
}

std::string ReverseText(const std::string& text) {
    std::string t = Cut(text);
    std::reverse(t.begin(), t.end());
    return t;
}

std::string BaseName(const std::string& path) {
    std::string t = TextBeforeLast(path, '.');
    // A "." inside a folder name must not cut the file name: only a dot after
    // the last separator starts an extension.
    std::string full = Cut(path);
    auto sep = full.find_last_of("/\\");
    auto dot = full.find_last_of('.');
    if (dot != std::string::npos && sep != std::string::npos && dot < sep) t = full;
    auto last = t.find_last_of("/\\");
    return last == std::string::npos ? t : t.substr(last + 1);
}

} // namespace gravlin
