#pragma once
// File access shared by the game, the editor and the tools: whole-file reads,
// atomic writes, and finding a file without regard to letter case (the game
// names one picture "All256.DIB" and "all256.DIB").

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gravlin {

// What reading one file may cost, in bytes, by the kind of file. Each is
// many times what the game's own files need.
constexpr std::size_t SmallFileLimit = 64 * 1024;          // a level file, a header, a player file, settings
constexpr std::size_t BuiltInMapsLimit = 1024 * 1024;      // "Allmaps.map": 60 levels of 192 lines
constexpr std::size_t ScriptFileLimit = 16 * 1024 * 1024;  // a replay script, a solver's plan
constexpr std::size_t PictureFileLimit = 32 * 1024 * 1024; // a bitmap of up to 4096 by 4096 pixels
constexpr std::size_t SoundFileLimit = 64 * 1024 * 1024;   // the sound library, the music

// Reads a whole file (found without regard to letter case) of at most
// `limit` bytes. Only a regular file is read: a folder, a pipe or a device
// (a link to /dev/zero) is refused without waiting on it. nullopt when the
// file is missing, refused, bigger than the limit or cannot be read; `error`
// then names the file and says why (with the limit and the size when it is
// too big).
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit = SmallFileLimit,
                                         std::string* error = nullptr);

// A file read in pieces where only some of it is wanted (the headers of a
// 7 MB wave file): opened, refused and reported exactly as ReadWholeFile
// does, then read at the offsets asked for.
class FilePieces {
  public:
    static std::optional<FilePieces> Open(const std::string& path, std::size_t limit, std::string* error);
    FilePieces(FilePieces&& other) noexcept;
    FilePieces& operator=(FilePieces&&) = delete;
    FilePieces(const FilePieces&) = delete;
    ~FilePieces();

    std::size_t Size() const { return size_; }
    // `n` bytes from `offset`, which must lie inside the file; nullopt, with
    // `error` naming the file, when they cannot be read.
    std::optional<std::string> Read(std::size_t offset, std::size_t n, std::string* error) const;

  private:
    FilePieces(int fd, std::size_t size, std::string name) : fd_(fd), size_(size), name_(std::move(name)) {}
    int fd_ = -1;
    std::size_t size_ = 0;
    std::string name_;
};

// Keeps the file at `path` as path + ".bak" before a repaired copy replaces
// it: a copy of `bytes` (what was read of it), or, when nothing of it could
// be read, a second name for the file itself. An existing ".bak" is never
// replaced: the first original kept stays. False with `error` when no
// backup could be made.
bool KeepBackup(const std::string& path, const std::string* bytes, std::string* error = nullptr);

// Removes what interrupted atomic writes left in `dir`: temporary files
// "NAME.tmpPID" whose process no longer runs (a save killed half-way). Those
// of a running process are its saves in progress and stay. Returns the
// paths removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& dir);

// Whether nothing at all is found at `path` (without regard to letter case):
// a missing file, as against one that is there but cannot be read.
bool FileMissing(const std::string& path);

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
