#pragma once
// The sound device as the game's start-up and screens use it: load the sound
// library into the wave list, open the music stream, and hand both out.

#include "audio/SoundLibrary.h"
#include "audio/WaveList.h"

#include <optional>
#include <string>
#include <vector>

namespace gravlin {

class AudioSystem {
  public:
    virtual ~AudioSystem() = default;
    // Loads the named waves from the sound library file. False (with a reason
    // naming the file, or the missing wave) when it cannot be used.
    virtual bool LoadSoundLibrary(const std::string& path, std::string* error) = 0;
    // Prepares the looping music stream on a wave file (not started), after
    // CheckMusicFile: the file is checked the same with a device and without.
    // A file that can be played but is damaged sets `warning`.
    virtual bool OpenMusic(const std::string& path, std::string* error, std::string* warning) = 0;
    virtual WaveList& Waves() = 0;
    virtual MusicStream& Music() = 0;
    // Stops everything and lets the device go.
    virtual void Close() {}
};

// The names of the cue table missing from a wave list, in the table's order.
std::vector<std::string> MissingCueNames(const WaveList& waves);

// The sound library as the game uses it, with a sound device or without
// one: the whole file read, every sound a PCM wave the game can play, and a
// sound for every cue name. nullopt with a message naming the file and the
// sound when it cannot be used.
std::optional<std::vector<SoundEntry>> LoadGameSoundLibrary(const std::string& path, std::string* error);

} // namespace gravlin
