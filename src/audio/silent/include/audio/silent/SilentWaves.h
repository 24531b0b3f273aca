#pragma once
// A wave list and music stream that play nothing and record every call with
// the frame it came in, for tests and the replay runner's cue list.

#include "audio/WaveList.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace gravlin {

class SilentWaves : public WaveList {
  public:
    // Every name known to the list; empty means "every name exists".
    std::set<std::string> Names;
    // [frame, name] of every wave played, in order.
    std::vector<std::pair<int, std::string>> Played;
    const int* FrameCounter = nullptr;

    bool Has(const std::string& name) const override { return Names.empty() || Names.count(name) > 0; }
    void Play(const std::string& name) override { Played.emplace_back(FrameCounter ? *FrameCounter : 0, name); }
    void Stop(const std::string& name) override { Stopped.emplace_back(FrameCounter ? *FrameCounter : 0, name); }
    void SetVolume(const std::string& name, int volume) override { volumes_[name] = volume; }
    int Volume(const std::string& name) const override {
        auto it = volumes_.find(name);
        return it == volumes_.end() ? 0 : it->second;
    }
    std::vector<std::pair<int, std::string>> Stopped;

  private:
    std::map<std::string, int> volumes_;
};

class SilentMusic : public MusicStream {
  public:
    void SetVolume(int volume) override { volume_ = volume; }
    int Volume() const override { return volume_; }
    void Play() override { playing_ = true; }
    void Stop() override { playing_ = false; }
    bool IsPlaying() const override { return playing_; }

  private:
    int volume_ = 0;
    bool playing_ = false;
};

} // namespace gravlin
