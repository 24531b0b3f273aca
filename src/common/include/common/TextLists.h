#pragma once
// Whole files of text lines: the one storage form of every data file the
// game and the editor read and write (levels, headers, player files).

#include "common/Files.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

using TextList = std::vector<std::string>;

// Splits text into lines at CR LF, a lone CR and a lone LF. A line end at the
// very end of the text does not start another line.
TextList SplitLines(const std::string& text);

// Joins lines, ending every line (the last included) with CR LF.
std::string JoinLines(const TextList& lines);

// Reads a whole file of at most `limit` bytes into lines (ReadWholeFile).
// nullopt when it cannot be read; `error` then names the file and says why.
std::optional<TextList> ReadTextList(const std::string& path, std::size_t limit = SmallFileLimit,
                                     std::string* error = nullptr);

// Writes lines with CR LF endings through a temporary file and a rename, so a
// crash or a full disk never leaves a half-written file in place of the old
// one. Returns false (and leaves the old file as it was) on any failure;
// `error` then says why.
bool WriteTextList(const std::string& path, const TextList& lines, std::string* error = nullptr);

// Parses a whole line as a decimal integer (optional leading minus, digits,
// nothing else, within 32 bits).
std::optional<int> ParseInt(const std::string& line);

} // namespace gravlin
