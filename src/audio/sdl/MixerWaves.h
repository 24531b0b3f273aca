#pragma once
// The game's sounds through SDL2_mixer: the named waves of the sound library,
// each with its own volume, played on 32 mixer channels so that cues raised
// together all sound; and the music, streamed from its wave file and looped.

#include "audio/SoundLibrary.h"
#include "audio/WaveList.h"

#include <array>
#include <atomic>
#include <map>
#include <string>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace gravlin {

// Channels the mixer mixes at once.
constexpr int MixerChannels = 32;

// The teleport's hum plays over and over until the player stops it.
constexpr const char* LoopingWave = "hyper";

// A wave stopped while it sounds fades out over this long, sample by sample:
// breaking it off at whatever sample it has reached (anywhere in a loop)
// would click.
constexpr int StopFadeMilliseconds = 10;

// Mixer volume (0 to 128) for a volume in hundredths of a decibel.
int MixerVolume(int volume);

class MixerWaves : public WaveList {
  public:
    MixerWaves() = default;
    ~MixerWaves() override;
    MixerWaves(const MixerWaves&) = delete;
    MixerWaves& operator=(const MixerWaves&) = delete;

    // Loads every entry into the mixer (the audio device must be open). On
    // failure names the wave that could not be loaded and keeps nothing.
    bool Load(const std::vector<SoundEntry>& entries, std::string* error);

    bool Has(const std::string& name) const override { return waves_.count(name) > 0; }
    void Play(const std::string& name) override;
    // Fades the wave out on every channel it sounds on, then lets the
    // channels go.
    void Stop(const std::string& name) override;
    void SetVolume(const std::string& name, int volume) override;
    int Volume(const std::string& name) const override;
    std::vector<std::string> Names() const;

  private:
    struct Wave {
        Mix_Chunk* Chunk = nullptr;
        int Volume = 0;
    };
    // A channel being faded out: the mixer's thread counts the frames down.
    struct Fade {
        std::atomic<bool> Active{false};
        int Remaining = 0, Length = 1, Channels = 2;
    };
    static void FadeFrames(int channel, void* stream, int bytes, void* fade);
    static void FadeDone(int channel, void* fade);
    void Free();
    std::map<std::string, Wave> waves_;
    std::array<Fade, MixerChannels> fades_{};
};

class MixerMusic : public MusicStream {
  public:
    MixerMusic() = default;
    ~MixerMusic() override;
    MixerMusic(const MixerMusic&) = delete;
    MixerMusic& operator=(const MixerMusic&) = delete;

    // Opens the music file for streaming (the audio device must be open).
    bool Open(const std::string& path, std::string* error);

    void SetVolume(int volume) override;
    int Volume() const override { return volume_; }
    // Plays from where it stopped (from the start the first time), looping.
    void Play() override;
    void Stop() override;
    bool IsPlaying() const override;

  private:
    Mix_Music* music_ = nullptr;
    int volume_ = 0;
    bool started_ = false;
};

} // namespace gravlin
