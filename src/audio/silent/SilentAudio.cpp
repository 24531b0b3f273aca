#include "audio/silent/SilentAudio.h"

#include "audio/SoundLibrary.h"
#include "common/Files.h"

namespace gravlin {

bool SilentAudio::LoadSoundLibrary(const std::string& path, std::string* error) {
    auto entries = LoadGameSoundLibrary(path, error);
    if (!entries) return false;
    waves.Names.clear();
    for (const auto& e : *entries) waves.Names.insert(e.Name);
    return true;
}

bool SilentAudio::OpenMusic(const std::string& path, std::string* error, std::string* warning) {
    return CheckMusicFile(path, error, warning);
}

} // namespace gravlin
