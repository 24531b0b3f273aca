#pragma once
// The named sound cues of the game and the small rules that choose among
// variants or thin out a frequent cue. The rules of the game call these; only
// the player's teleport touches a wave ("hyper") directly.

#include "audio/WaveList.h"

#include <array>
#include <string>

namespace gravlin {

// Every wave name the game looks up; the sound library must hold them all.
extern const std::array<const char*, 26> CueNames;

class SoundCues {
  public:
    explicit SoundCues(WaveList* waves = nullptr) : waves_(waves) {}
    void SetWaves(WaveList* waves) { waves_ = waves; }
    WaveList* Waves() const { return waves_; }

    // After the library is loaded: the volumes of the cue table, in its order.
    void LoadCueVolumes();

    void PlayMonsterDeath();
    void PlayRockLand();
    void PlayDiamond();
    void PlayMonsterStep();
    void PlayRisingMonsterCall();
    void PlayEggBreak();
    void PlayLoseGame();
    void PlayCheer();
    void PlayRockMove();
    void PlayLockOpen();
    void PlayChaserHome();
    void PlayWeed();
    void PlayManDie();
    // The teleport's own wave, started and stopped by the player.
    void StartHyper();
    void StopHyper();

    // Moves started since the step cue last played, and how many moves pass
    // between two step cues. Set at start-up; not reset per level.
    int MonsterStepCount = 99;
    int MonsterStepCueEvery = 3;
    // Volume of the rising call of the border monsters; set to -1500 when
    // the book opens.
    int RisingCallVolume = -1500;

    // Rotation counters of the three rotating cues; 0 at program start,
    // never reset.
    int RockLandCounter = 0;
    int DiamondCounter = 0;
    int MonsterDeathCounter = 0;

  private:
    void Play(const char* name);
    WaveList* waves_;
};

} // namespace gravlin
