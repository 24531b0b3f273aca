#include "audio/AudioSystem.h"

#include "audio/SoundCues.h"

namespace gravlin {

std::string MissingCueNames(const WaveList& waves) {
    std::string missing;
    for (const char* name : CueNames) {
        if (waves.Has(name)) continue;
        if (!missing.empty()) missing += ", ";
        missing += name;
    }
    return missing;
}

} // namespace gravlin
