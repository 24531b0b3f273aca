#include "common/Files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace gravlin {

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::FILE* f = std::fopen(FindFileNoCase(path).c_str(), "rb");
    if (!f) return std::nullopt;
    std::string data;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return data;
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
        std::FILE* f = std::fopen(target.c_str(), "wb");
        bool ok = f && std::fwrite(data.data(), 1, data.size(), f) == data.size();
        if (f && std::fclose(f) != 0) ok = false;
        if (!ok && error) *error = "cannot write " + target + ": " + std::strerror(errno);
        return ok;
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

} // namespace gravlin
