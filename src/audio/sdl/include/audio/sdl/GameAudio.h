#pragma once
// The game's sound as the start-up sets it up: the audio device, the wave
// list loaded from the sound library, and the music stream. When no audio
// device can be opened the game still runs: the same calls then go to the
// silent wave list and music, which play nothing. Missing or damaged files
// are errors either way, so a game that works silently also works aloud.

#include "audio/AudioSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace gravlin {

class GameAudio : public AudioSystem {
  public:
    GameAudio();
    ~GameAudio() override;
    GameAudio(const GameAudio&) = delete;
    GameAudio& operator=(const GameAudio&) = delete;

    // Opens the audio device: 44100 samples a second, 16 bits, stereo, 32
    // mixer channels. When it cannot be opened (no sound card, no sound
    // server, a failing driver) the game goes silent; SilentReason says why.
    // Returns whether sound is on.
    bool OpenDevice();
    bool Silent() const { return !deviceOpen_; }
    const std::string& SilentReason() const { return silentReason_; }

    // Loads the sound library (".../Sounds/Soundlib.dxw") into the wave list
    // and checks that it holds every cue name. False with `error` naming the
    // file and what is wrong with it, or every missing cue name.
    bool LoadSoundLibrary(const std::string& path, std::string* error) override;

    // Prepares the music (".../Sounds/Bass2.wav"), streamed and looping, not
    // yet playing. False with `error` naming the file when it cannot be read
    // or is no music the game can play, whether there is a device or not.
    bool OpenMusic(const std::string& path, std::string* error, std::string* warning) override;

    // Always usable: silent until the library and the music are loaded.
    WaveList& Waves() override { return *waves_; }
    MusicStream& Music() override { return *music_; }

  private:
    bool deviceOpen_ = false;
    bool audioStarted_ = false;
    std::string silentReason_ = "the audio device was not opened";
    std::unique_ptr<WaveList> waves_;
    std::unique_ptr<MusicStream> music_;
};

} // namespace gravlin
