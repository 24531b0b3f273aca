// gravlin-soundlib: makes and inspects the sound library "Soundlib.dxw".
//
//   gravlin-soundlib pack DIR OUT.dxw    every NAME.wav in DIR, sorted by name
//   gravlin-soundlib list FILE           name, channels, rate, bits, seconds
//   gravlin-soundlib unpack FILE DIR     writes NAME.wav for every entry
//
// Exit status: 0 done, 1 a file could not be read or written, 2 bad usage.

#include "audio/SoundLibrary.h"
#include "common/Files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace gravlin;

namespace {

constexpr std::size_t MaxNameLength = 64;

int Usage() {
    std::fprintf(stderr, "usage: gravlin-soundlib pack DIR OUT.dxw\n"
                         "       gravlin-soundlib list FILE\n"
                         "       gravlin-soundlib unpack FILE DIR\n");
    return 2;
}

int Error(const std::string& message) {
    std::fprintf(stderr, "gravlin-soundlib: %s\n", message.c_str());
    return 1;
}

bool EndsWithWav(const std::string& name) {
    if (name.size() <= 4) return false;
    std::string ext = name.substr(name.size() - 4);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".wav";
}

// A name that is safe as a file name of its own: no folders, no hidden files.
bool SafeName(const std::string& name) {
    if (name.empty() || name.size() > MaxNameLength || name[0] == '.') return false;
    return std::all_of(name.begin(), name.end(),
                       [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '-' || c == '.'; });
}

int Pack(const std::string& dir, const std::string& out) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return Error(dir + ": cannot read the folder: " + std::strerror(errno));
    std::vector<std::string> files;
    while (dirent* e = ::readdir(d))
        if (EndsWithWav(e->d_name)) files.emplace_back(e->d_name);
    ::closedir(d);
    std::sort(files.begin(), files.end());
    if (files.empty()) return Error(dir + ": no .wav files to pack");

    std::vector<SoundEntry> entries;
    for (const std::string& file : files) {
        std::string name = file.substr(0, file.size() - 4);
        if (!SafeName(name))
            return Error(file +
                         ": a sound name must be 1 to 64 letters, digits, '_', '-' or '.', not starting with '.'");
        for (const SoundEntry& e : entries)
            if (e.Name == name) return Error(file + ": the name \"" + name + "\" is already taken");
        std::string path = JoinPath(dir, file);
        std::string why;
        auto bytes = ReadWholeFile(path, SoundFileLimit, &why);
        if (!bytes) return Error(why);
        if (!ParseWave(*bytes, &why)) return Error(path + ": " + why);
        entries.push_back({name, std::move(*bytes)});
    }
    std::string why;
    if (!WriteSoundLibrary(out, entries, &why)) return Error(why);
    std::printf("packed %zu sounds into %s\n", entries.size(), out.c_str());
    return 0;
}

int List(const std::string& file) {
    std::string why;
    auto entries = ReadSoundLibrary(file, &why);
    if (!entries) return Error(why);
    std::printf("%-20s %8s %8s %4s %9s\n", "name", "channels", "rate", "bits", "seconds");
    for (const SoundEntry& e : *entries) {
        auto format = ParseWave(e.Wave, &why);
        if (!format) {
            std::printf("%-20s (bad wave: %s)\n", e.Name.c_str(), why.c_str());
            continue;
        }
        double bytesPerSecond =
            static_cast<double>(format->SampleRate) * format->Channels * format->BitsPerSample / 8.0;
        std::printf("%-20s %8d %8d %4d %9.3f\n", e.Name.c_str(), format->Channels, format->SampleRate,
                    format->BitsPerSample, format->DataBytes / bytesPerSecond);
    }
    return 0;
}

int Unpack(const std::string& file, const std::string& dir) {
    std::string why;
    auto entries = ReadSoundLibrary(file, &why);
    if (!entries) return Error(why);
    // Check every name before writing anything, so a bad library leaves no
    // half-unpacked folder behind.
    for (const SoundEntry& e : *entries)
        if (!SafeName(e.Name)) return Error(file + ": the sound name \"" + e.Name + "\" is not a safe file name");
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST)
        return Error(dir + ": cannot create the folder: " + std::strerror(errno));
    for (const SoundEntry& e : *entries) {
        std::string path = JoinPath(dir, e.Name + ".wav");
        if (!WriteFileAtomic(path, e.Wave, &why)) return Error(why);
    }
    std::printf("unpacked %zu sounds into %s\n", entries->size(), dir.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    if (args.size() == 3 && args[0] == "unpack") return Unpack(args[1], args[2]);
    return Usage();
}
