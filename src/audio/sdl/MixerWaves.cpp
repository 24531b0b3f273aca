#include "MixerWaves.h"

#include "common/Files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cmath>

namespace gravlin {

int MixerVolume(int volume) {
    return static_cast<int>(std::lround(VolumeToGain(volume) * MIX_MAX_VOLUME));
}

MixerWaves::~MixerWaves() {
    Free();
}

void MixerWaves::Free() {
    if (!waves_.empty()) Mix_HaltChannel(-1);
    for (auto& [name, wave] : waves_) Mix_FreeChunk(wave.Chunk);
    waves_.clear();
}

bool MixerWaves::Load(const std::vector<SoundEntry>& entries, std::string* error) {
    Free();
    for (const SoundEntry& e : entries) {
        SDL_RWops* rw = SDL_RWFromConstMem(e.Wave.data(), static_cast<int>(e.Wave.size()));
        Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
        if (!chunk) {
            if (error) *error = "sound \"" + e.Name + "\" cannot be played: " + Mix_GetError();
            Free();
            return false;
        }
        Wave& w = waves_[e.Name];
        if (w.Chunk) Mix_FreeChunk(w.Chunk); // a later entry of the same name wins
        w.Chunk = chunk;
        w.Volume = 0;
        Mix_VolumeChunk(chunk, MIX_MAX_VOLUME);
    }
    return true;
}

void MixerWaves::Play(const std::string& name) {
    auto it = waves_.find(name);
    if (it == waves_.end()) return;
    int loops = name == LoopingWave ? -1 : 0;
    // With every channel busy the cue is dropped, as a full device would.
    Mix_PlayChannel(-1, it->second.Chunk, loops);
}

void MixerWaves::FadeFrames(int, void* stream, int bytes, void* fade) {
    Fade& f = *static_cast<Fade*>(fade);
    auto* s = static_cast<Sint16*>(stream);
    const int frames = bytes / (2 * f.Channels);
    for (int i = 0; i < frames; ++i) {
        const double gain = static_cast<double>(f.Remaining) / f.Length;
        if (f.Remaining > 0) --f.Remaining;
        for (int k = 0; k < f.Channels; ++k) {
            Sint16& v = s[static_cast<std::size_t>(i) * f.Channels + k];
            v = static_cast<Sint16>(std::lround(v * gain));
        }
    }
}

void MixerWaves::FadeDone(int, void* fade) {
    static_cast<Fade*>(fade)->Active = false;
}

void MixerWaves::Stop(const std::string& name) {
    auto it = waves_.find(name);
    if (it == waves_.end()) return;
    int rate = 0, channels = 0;
    Uint16 format = 0;
    const bool canFade = Mix_QuerySpec(&rate, &format, &channels) != 0 && format == AUDIO_S16SYS && channels > 0;
    const int count = std::min(Mix_AllocateChannels(-1), MixerChannels);
    for (int c = 0; c < count; ++c) {
        if (!Mix_Playing(c) || Mix_GetChunk(c) != it->second.Chunk) continue;
        Fade& f = fades_[static_cast<std::size_t>(c)];
        if (f.Active) continue; // already fading out
        if (canFade) {
            f.Length = std::max(1, rate * StopFadeMilliseconds / 1000);
            f.Remaining = f.Length;
            f.Channels = channels;
            f.Active = true;
            // The mixer runs the fade over the channel's samples from its
            // next block on; the silent channel is let go several blocks
            // later.
            if (Mix_RegisterEffect(c, &MixerWaves::FadeFrames, &MixerWaves::FadeDone, &f) != 0) {
                Mix_ExpireChannel(c, 100);
                continue;
            }
            f.Active = false;
        }
        Mix_HaltChannel(c);
    }
}

void MixerWaves::SetVolume(const std::string& name, int volume) {
    auto it = waves_.find(name);
    if (it == waves_.end()) return;
    it->second.Volume = volume;
    Mix_VolumeChunk(it->second.Chunk, MixerVolume(volume));
}

int MixerWaves::Volume(const std::string& name) const {
    auto it = waves_.find(name);
    return it == waves_.end() ? 0 : it->second.Volume;
}

std::vector<std::string> MixerWaves::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, wave] : waves_) names.push_back(name);
    return names;
}

MixerMusic::~MixerMusic() {
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
    }
}

bool MixerMusic::Open(const std::string& path, std::string* error) {
    std::string found = FindFileNoCase(path);
    Mix_Music* m = Mix_LoadMUS(found.c_str());
    if (!m) {
        if (error) *error = path + ": cannot open the music: " + Mix_GetError();
        return false;
    }
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(music_);
    }
    music_ = m;
    started_ = false;
    Mix_VolumeMusic(MixerVolume(volume_));
    return true;
}

void MixerMusic::SetVolume(int volume) {
    volume_ = volume;
    Mix_VolumeMusic(MixerVolume(volume));
}

void MixerMusic::Play() {
    if (!music_) return;
    if (started_ && Mix_PlayingMusic() && Mix_PausedMusic()) {
        Mix_ResumeMusic();
        return;
    }
    if (Mix_PlayMusic(music_, -1) == 0) {
        started_ = true;
        Mix_VolumeMusic(MixerVolume(volume_));
    }
}

void MixerMusic::Stop() {
    if (music_ && Mix_PlayingMusic()) Mix_PauseMusic();
}

bool MixerMusic::IsPlaying() const {
    return music_ && Mix_PlayingMusic() && !Mix_PausedMusic();
}

} // namespace gravlin
