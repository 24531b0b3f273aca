#pragma once
// The small text routines both programs share: turning a chosen path into a
// level name, and a program's path into its folder. Paths may use "/" or "\"
// as separators.

#include <string>

namespace gravlin {

// Texts are cut to their first 255 characters before use.
constexpr std::size_t UtilityTextLimit = 255;

// The part of `text` before the last occurrence of `c`; the whole text when
// `c` does not occur.
std::string TextBeforeLast(const std::string& text, char c);

// The characters of `text` in reverse order.
std::string ReverseText(const std::string& text);

// The path cut before its last ".", then the part after the last path
// separator ("/" or "\") of what remains.
std::string BaseName(const std::string& path);

} // namespace gravlin
