#include "common/Files.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace gravlin {

namespace {
const char* FileKind(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

std::string TooBig(std::uint64_t size, std::size_t limit) {
    return std::to_string(size) + " bytes, more than the " + std::to_string(limit) + " bytes such a file may have";
}
} // namespace

namespace {

// Opens a file for reading as ReadWholeFile and FilePieces do: found without
// regard to letter case, a regular file only (opened without blocking, so
// that a pipe in the file's place is refused at once instead of waiting for
// a writer), at most `limit` bytes. -1 with `error` when refused.
int OpenForReading(const std::string& found, std::size_t limit, std::uint64_t& size, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = found + ": " + why;
        return -1;
    };
    const int fd = ::open(found.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(errno == ENOENT ? "file missing" : std::string("cannot be opened: ") + std::strerror(errno));
    struct stat st;
    std::string why;
    if (::fstat(fd, &st) != 0)
        why = std::string("cannot be read: ") + std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        why = std::string("is ") + FileKind(st.st_mode) + ", not a file that can be read";
    else if (static_cast<std::uint64_t>(st.st_size) > limit)
        why = TooBig(static_cast<std::uint64_t>(st.st_size), limit);
    if (!why.empty()) {
        ::close(fd);
        return fail(why);
    }
    size = static_cast<std::uint64_t>(st.st_size);
    return fd;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit, std::string* error) {
    const std::string found = FindFileNoCase(path);
    auto fail = [&](const std::string& why) -> std::optional<std::string> {
        if (error) *error = found + ": " + why;
        return std::nullopt;
    };
    std::uint64_t size = 0;
    const int fd = OpenForReading(found, limit, size, error);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    std::string data;
    data.reserve(static_cast<std::size_t>(size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(std::string("cannot be read: ") + std::strerror(errno));
        if (n == 0) break;
        // A file that grows while it is read is held to the same limit.
        if (data.size() + static_cast<std::size_t>(n) > limit)
            return fail(TooBig(data.size() + static_cast<std::size_t>(n), limit));
        data.append(buffer, static_cast<std::size_t>(n));
    }
    return data;
}

std::optional<FilePieces> FilePieces::Open(const std::string& path, std::size_t limit, std::string* error) {
    std::string found = FindFileNoCase(path);
    std::uint64_t size = 0;
    const int fd = OpenForReading(found, limit, size, error);
    if (fd < 0) return std::nullopt;
    return FilePieces(fd, static_cast<std::size_t>(size), std::move(found));
}

FilePieces::FilePieces(FilePieces&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_), name_(std::move(other.name_)) {}

FilePieces::~FilePieces() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<std::string> FilePieces::Read(std::size_t offset, std::size_t n, std::string* error) const {
    std::string piece(n, '\0');
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd_, piece.data() + got, n - got, static_cast<off_t>(offset + got));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            if (error) *error = name_ + ": cannot be read: " + (r < 0 ? std::strerror(errno) : "it ended early");
            return std::nullopt;
        }
        got += static_cast<std::size_t>(r);
    }
    return piece;
}

namespace {

// The file a write replaces: the name as found without regard to letter case
// and, when that is a symbolic link, the file the link points to (through a
// chain of links), so that the link stays a link and its target gets the new
// contents. A link to a file that does not exist yet creates that file.
std::string WriteTarget(const std::string& path) {
    std::string target = FindFileNoCase(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size() - 1);
        if (n <= 0) break;
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        if (link[0] != '/') {
            auto slash = target.find_last_of('/');
            if (slash != std::string::npos) link = target.substr(0, slash + 1) + link;
        }
        target = link;
    }
    return target;
}

} // namespace

bool WriteFileAtomic(const std::string& path, const std::string& data, std::string* error) {
    // Write to the name the file already has (in whatever letter case), so
    // that a file found case-insensitively is replaced rather than doubled.
    std::string target = WriteTarget(path);
    // Something that is not an ordinary file (a device such as /dev/null, a
    // pipe) is written in place: renaming over it would replace it.
    struct stat st;
    const bool replacing = ::stat(target.c_str(), &st) == 0;
    if (replacing && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode)) {
            errno = EISDIR;
            if (error) *error = "cannot write " + target + ": " + std::strerror(errno);
            return false;
        }
        // Without blocking: a pipe that nobody reads fails at once instead
        // of holding the game up.
        const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        auto failed = [&] {
            if (error) *error = "cannot write " + target + ": " + std::strerror(errno);
            return false;
        };
        if (fd < 0) return failed();
        for (std::size_t done = 0; done < data.size();) {
            const ssize_t w = ::write(fd, data.data() + done, data.size() - done);
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                const int why = errno;
                ::close(fd);
                errno = why;
                return failed();
            }
            done += static_cast<std::size_t>(w);
        }
        return ::close(fd) == 0 || failed();
    }
    std::string temp = target + ".tmp" + std::to_string(::getpid());
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + " " + target + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    };
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return fail("cannot create");
    if (replacing) {
        // The new file takes the old one's place with its permission bits,
        // so a file kept private or shared stays so, and with its owner where
        // that is allowed (only root may give a file away; anyone else's new
        // file is their own, which is no loss).
        const bool ownerKept = ::fchown(fd, st.st_uid, st.st_gid) == 0;
        static_cast<void>(ownerKept);
        if (::fchmod(fd, st.st_mode & 07777) != 0) {
            ::close(fd);
            return fail("cannot set the permissions of");
        }
    }
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t w = ::write(fd, data.data() + done, data.size() - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0 && errno != EINVAL) {
        ::close(fd);
        return fail("cannot flush");
    }
    if (::close(fd) != 0) return fail("cannot close");
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail("cannot replace");
    return true;
}

std::string FindFileNoCase(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return path;
    auto slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (dir.empty()) dir = "/";
    // The folder itself may differ in case too ("Surfaces" and "surfaces").
    if (::stat(dir.c_str(), &st) != 0 && slash != std::string::npos && slash > 0) {
        std::string found = FindFileNoCase(dir);
        if (found == dir) return path;
        dir = found;
    }
    DIR* d = ::opendir(dir.c_str());
    if (!d) return path;
    std::string result = path;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            result = (slash == std::string::npos ? std::string() : dir + "/") + e->d_name;
            break;
        }
    }
    ::closedir(d);
    return result;
}

std::string ExecutableDir() {
    std::vector<char> buffer(4096);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return ".";
    std::string full(buffer.data(), static_cast<std::size_t>(n));
    auto slash = full.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return full.substr(0, slash);
}

bool DirectoryWritable(const std::string& dir) {
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

namespace {
std::string UserDir(const char* variable, const char* belowHome) {
    const char* xdg = std::getenv(variable);
    if (xdg && xdg[0] == '/') return JoinPath(xdg, "gravlin");
    const char* home = std::getenv("HOME");
    if (home && home[0] != '\0') return JoinPath(JoinPath(home, belowHome), "gravlin");
    return "";
}
} // namespace

std::string UserDataDir() {
    return UserDir("XDG_DATA_HOME", ".local/share");
}
std::string UserConfigDir() {
    return UserDir("XDG_CONFIG_HOME", ".config");
}

bool KeepBackup(const std::string& path, const std::string* bytes, std::string* error) {
    const std::string original = FindFileNoCase(path);
    const std::string backup = original + ".bak";
    auto failed = [&] {
        if (error) *error = "cannot keep " + original + " as " + backup + ": " + std::strerror(errno);
        return false;
    };
    if (!bytes) {
        // Nothing of it could be read (too big, a pipe): a second name for
        // the file itself, which fails rather than replace an earlier backup.
        if (::linkat(AT_FDCWD, original.c_str(), AT_FDCWD, backup.c_str(), AT_SYMLINK_FOLLOW) == 0 || errno == EEXIST)
            return true;
        return failed();
    }
    // A copy of what was read, created only where no backup is yet.
    const int fd = ::open(backup.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST || failed();
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes->size();) {
        const ssize_t w = ::write(fd, bytes->data() + done, bytes->size() - done);
        if (w < 0 && errno == EINTR) continue;
        ok = w > 0;
        if (ok) done += static_cast<std::size_t>(w);
    }
    ok = ok && (::fsync(fd) == 0 || errno == EINVAL);
    int why = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok) return true;
    ::unlink(backup.c_str());
    errno = why;
    return failed();
}

std::vector<std::string> RemoveStaleTemporaries(const std::string& dir) {
    std::vector<std::string> removed;
    DIR* d = ::opendir(dir.c_str());
    if (!d) return removed;
    while (dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        const auto tmp = name.rfind(".tmp");
        if (tmp == std::string::npos || tmp == 0) continue;
        const std::string digits = name.substr(tmp + 4);
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long pid = std::strtol(digits.c_str(), nullptr, 10);
        // A process that runs (or that runs as another user) may still be
        // writing it.
        if (pid <= 0 || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue;
        const std::string path = JoinPath(dir, name);
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (::unlink(path.c_str()) == 0) removed.push_back(path);
    }
    ::closedir(d);
    return removed;
}

bool FileMissing(const std::string& path) {
    struct stat st;
    return ::lstat(FindFileNoCase(path).c_str(), &st) != 0 && errno == ENOENT;
}

} // namespace gravlin
