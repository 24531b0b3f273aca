#include "audio/silent/SilentAudio.h"

#include "audio/SoundLibrary.h"
#include "common/Files.h"

namespace gravlin {

bool SilentAudio::LoadSoundLibrary(const std::string& path, std::string* error) {
    auto entries = ReadSoundLibrary(path, error);
    if (!entries) return false;
    waves.Names.clear();
    for (const auto& e : *entries) waves.Names.insert(e.Name);
    if (waves.Names.empty()) waves.Names.insert(""); // an empty library knows no names
    auto missing = MissingCueNames(waves);
    if (!missing.empty()) {
        std::string names;
        for (const auto& n : missing) names += (names.empty() ? "" : ", ") + n;
        if (error) *error = path + ": the sound library has no wave named " + names;
        return false;
    }
    return true;
}

bool SilentAudio::OpenMusic(const std::string& path, std::string* error) {
    return CheckMusicFile(path, error);
}

} // namespace gravlin
