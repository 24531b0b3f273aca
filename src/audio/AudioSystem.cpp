#include "audio/AudioSystem.h"

#include "audio/SoundCues.h"

namespace gravlin {

std::vector<std::string> MissingCueNames(const WaveList& waves) {
    std::vector<std::string> missing;
    for (const char* name : CueNames)
        if (!waves.Has(name)) missing.emplace_back(name);
    return missing;
}

} // namespace gravlin
