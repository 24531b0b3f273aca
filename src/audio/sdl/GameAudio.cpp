#include "audio/sdl/GameAudio.h"

#include "MixerWaves.h"
#include "audio/SoundCues.h"
#include "audio/SoundLibrary.h"
#include "audio/silent/SilentWaves.h"
#include "common/Files.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace gravlin {

GameAudio::GameAudio() : waves_(std::make_unique<SilentWaves>()), music_(std::make_unique<SilentMusic>()) {}

GameAudio::~GameAudio() {
    // The mixer's waves and music go before the device they play on.
    waves_.reset();
    music_.reset();
    if (deviceOpen_) Mix_CloseAudio();
    if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool GameAudio::OpenDevice() {
    if (deviceOpen_) return true;
    if (!audioStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            silentReason_ = std::string("no audio system: ") + SDL_GetError();
            return false;
        }
        audioStarted_ = true;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        silentReason_ = std::string("no audio device: ") + Mix_GetError();
        return false;
    }
    Mix_AllocateChannels(MixerChannels);
    deviceOpen_ = true;
    silentReason_.clear();
    return true;
}

bool GameAudio::LoadSoundLibrary(const std::string& path, std::string* error) {
    auto entries = LoadGameSoundLibrary(path, error);
    if (!entries) return false;
    if (deviceOpen_) {
        auto mixer = std::make_unique<MixerWaves>();
        std::string why;
        if (!mixer->Load(*entries, &why)) {
            if (error) *error = path + ": " + why;
            return false;
        }
        waves_ = std::move(mixer);
    } else {
        auto silent = std::make_unique<SilentWaves>();
        for (const SoundEntry& e : *entries) silent->Names.insert(e.Name);
        waves_ = std::move(silent);
    }
    return true;
}

bool GameAudio::OpenMusic(const std::string& path, std::string* error, std::string* warning) {
    // One check for both: the mixer would also open what the silent device
    // refuses, and would wait on a pipe in the file's place.
    if (!CheckMusicFile(path, error, warning)) return false;
    if (deviceOpen_) {
        auto music = std::make_unique<MixerMusic>();
        if (!music->Open(path, error)) return false;
        music_ = std::move(music);
        return true;
    }
    music_ = std::make_unique<SilentMusic>();
    return true;
}

} // namespace gravlin
