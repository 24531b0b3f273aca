#pragma once
// The sound device's list of named waves and the one streamed piece of music,
// as the game uses them. Volumes are in hundredths of a decibel of
// attenuation, 0 the loudest. Backends: SDL2_mixer, and a silent one that
// records every call for tests and replays.

#include <string>

namespace gravlin {

class WaveList {
  public:
    virtual ~WaveList() = default;
    virtual bool Has(const std::string& name) const = 0;
    // Starts the wave without waiting; several waves may sound at once.
    virtual void Play(const std::string& name) = 0;
    virtual void Stop(const std::string& name) = 0;
    // The volume is a property of the wave, kept until set again.
    virtual void SetVolume(const std::string& name, int volume) = 0;
    virtual int Volume(const std::string& name) const = 0;
};

class MusicStream {
  public:
    virtual ~MusicStream() = default;
    virtual void SetVolume(int volume) = 0;
    virtual int Volume() const = 0;
    // Plays from where it is, looping at the end of the file.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual bool IsPlaying() const = 0;
};

// Converts a volume in hundredths of a decibel of attenuation to a linear
// gain: 10^(volume / 2000); 0 and above give 1.
double VolumeToGain(int volume);

} // namespace gravlin
