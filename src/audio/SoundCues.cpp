#include "audio/SoundCues.h"

#include <cmath>

namespace gravlin {

const std::array<const char*, 26> CueNames = {
    "monsdie1", "monsdie2", "monsdie3", "monsdie4", "monsdie5", "rock1", "rock2",    "rock3",  "rock4",
    "rock5",    "eggbreak", "monster",  "monster2", "losegame", "cheer", "rockmove", "dia111", "dia222",
    "dia333",   "dia444",   "dia555",   "lockopen", "chashome", "weed",  "mandie",   "hyper",
};

double VolumeToGain(int volume) {
    if (volume >= 0) return 1.0;
    return std::pow(10.0, volume / 2000.0);
}

namespace {
// Adds one to the counter, wraps past 4 to 0, and gives the counter.
int Rotate(int& counter) {
    ++counter;
    if (counter > 4) counter = 0;
    return counter;
}
} // namespace

void SoundCues::Play(const char* name) {
    if (waves_) waves_->Play(name);
}

void SoundCues::LoadCueVolumes() {
    if (!waves_) return;
    static const char* const monsdie[] = {"monsdie1", "monsdie2", "monsdie3", "monsdie4", "monsdie5"};
    for (const char* n : monsdie) waves_->SetVolume(n, 0);
    static const char* const rocks[] = {"rock1", "rock2", "rock3", "rock4", "rock5"};
    for (const char* n : rocks) waves_->SetVolume(n, -1000);
    waves_->SetVolume("eggbreak", -200);
    waves_->SetVolume("monster", -700);
    waves_->SetVolume("monster2", -1200);
    waves_->SetVolume("losegame", -1000);
    waves_->SetVolume("cheer", -1000);
}

void SoundCues::PlayMonsterDeath() {
    static const char* const names[] = {"monsdie1", "monsdie2", "monsdie3", "monsdie4", "monsdie5"};
    Play(names[Rotate(MonsterDeathCounter)]);
}

void SoundCues::PlayRockLand() {
    static const char* const names[] = {"rock1", "rock2", "rock3", "rock4", "rock5"};
    Play(names[Rotate(RockLandCounter)]);
}

void SoundCues::PlayDiamond() {
    static const char* const names[] = {"dia111", "dia222", "dia333", "dia444", "dia555"};
    Play(names[Rotate(DiamondCounter)]);
}

void SoundCues::PlayMonsterStep() {
    if (MonsterStepCount > MonsterStepCueEvery) {
        MonsterStepCount = 0;
        Play("monster2");
    }
}

void SoundCues::PlayRisingMonsterCall() {
    RisingCallVolume += 500;
    // The device accepts no volume above full: a louder call plays at full.
    if (waves_) waves_->SetVolume("monster2", RisingCallVolume > 0 ? 0 : RisingCallVolume);
    Play("monster2");
}

void SoundCues::PlayEggBreak() {
    Play("eggbreak");
}
void SoundCues::PlayLoseGame() {
    Play("losegame");
}
void SoundCues::PlayCheer() {
    Play("cheer");
}
void SoundCues::PlayRockMove() {
    Play("rockmove");
}
void SoundCues::PlayLockOpen() {
    Play("lockopen");
}
void SoundCues::PlayChaserHome() {
    Play("chashome");
}
void SoundCues::PlayWeed() {
    Play("weed");
}
void SoundCues::PlayManDie() {
    Play("mandie");
}
void SoundCues::StartHyper() {
    Play("hyper");
}
void SoundCues::StopHyper() {
    if (waves_) waves_->Stop("hyper");
}

} // namespace gravlin
