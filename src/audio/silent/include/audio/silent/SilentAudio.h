#pragma once
// The silent sound device: the library and the music file are read and
// checked like the real device does, but nothing plays; every cue is
// recorded with its frame.

#include "audio/AudioSystem.h"
#include "audio/silent/SilentWaves.h"

namespace gravlin {

class SilentAudio : public AudioSystem {
  public:
    bool LoadSoundLibrary(const std::string& path, std::string* error) override;
    bool OpenMusic(const std::string& path, std::string* error, std::string* warning) override;
    WaveList& Waves() override { return waves; }
    MusicStream& Music() override { return music; }

    SilentWaves waves;
    SilentMusic music;
};

} // namespace gravlin
