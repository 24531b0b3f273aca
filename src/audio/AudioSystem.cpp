#include "audio/AudioSystem.h"

#include "audio/SoundCues.h"

#include <set>

namespace gravlin {

std::vector<std::string> MissingCueNames(const WaveList& waves) {
    std::vector<std::string> missing;
    for (const char* name : CueNames)
        if (!waves.Has(name)) missing.emplace_back(name);
    return missing;
}

std::optional<std::vector<SoundEntry>> LoadGameSoundLibrary(const std::string& path, std::string* error) {
    std::string why;
    auto entries = ReadSoundLibrary(path, &why);
    if (!entries) {
        if (error) *error = "cannot load the sound library " + why;
        return std::nullopt;
    }
    std::set<std::string> names;
    for (const SoundEntry& e : *entries) {
        auto format = ParseWave(e.Wave, &why);
        // Inside the library every sound has its own length: one cut short
        // is a damaged library.
        if (format && format->DataTruncated) why = "its samples are cut short";
        if (!format || format->DataTruncated) {
            if (error) *error = path + ": sound \"" + e.Name + "\": " + why;
            return std::nullopt;
        }
        names.insert(e.Name);
    }
    std::vector<std::string> missing;
    for (const char* name : CueNames)
        if (names.count(name) == 0) missing.emplace_back(name);
    if (!missing.empty()) {
        if (error) {
            *error = path + ": the sound library lacks the sound";
            *error += missing.size() == 1 ? " " : "s ";
            for (std::size_t i = 0; i < missing.size(); ++i) *error += (i ? ", \"" : "\"") + missing[i] + "\"";
        }
        return std::nullopt;
    }
    return entries;
}

} // namespace gravlin
