#pragma once
// File access shared by the game, the editor and the tools: whole-file reads,
// atomic writes, and finding a file without regard to letter case (the game
// names one picture "All256.DIB" and "all256.DIB").

#include <optional>
#include <string>

namespace gravlin {

// Reads a whole file; nullopt when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `data` to a temporary file beside `path`, flushes it and renames it
// over `path`. On failure the old file stays and the temporary is removed.
// A replaced file keeps its permission bits; when `path` is a symbolic link,
// the file it points to is replaced and the link stays.
bool WriteFileAtomic(const std::string& path, const std::string& data, std::string* error = nullptr);

// The path of an existing file whose name matches the last component of
// `path` without regard to letter case, in the folder `path` names. The exact
// name wins when it exists. Returns `path` unchanged when nothing matches, so
// a later open fails with the name that was asked for.
std::string FindFileNoCase(const std::string& path);

// The folder of the running executable, without a trailing separator.
std::string ExecutableDir();

// Whether a folder exists and files can be created in it.
bool DirectoryWritable(const std::string& dir);

// The game's own folder below the user's data folder ($XDG_DATA_HOME/gravlin,
// by default ~/.local/share/gravlin) and below the user's configuration folder
// ($XDG_CONFIG_HOME/gravlin, by default ~/.config/gravlin). A relative XDG
// variable is not valid and is ignored. Empty when neither the variable nor
// HOME is set. Neither folder is created here.
std::string UserDataDir();
std::string UserConfigDir();

// Joins a folder and a name with one "/".
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace gravlin
