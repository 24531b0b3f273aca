#include "audio/SoundCues.h"
#include "audio/silent/SilentWaves.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace gravlin;

namespace {

std::vector<std::string> PlayedNames(const SilentWaves& w) {
    std::vector<std::string> names;
    for (const auto& [frame, name] : w.Played) names.push_back(name);
    return names;
}

} // namespace

TEST(SoundCues, RotationsStartAtTheSecondNameAndNeverReset) {
    SilentWaves waves;
    SoundCues cues(&waves);
    for (int i = 0; i < 6; ++i) cues.PlayMonsterDeath();
    EXPECT_EQ(PlayedNames(waves),
              (std::vector<std::string>{"monsdie2", "monsdie3", "monsdie4", "monsdie5", "monsdie1", "monsdie2"}));

    // Each rotation has its own counter; a new level keeps them (nothing in
    // the cues resets them).
    waves.Played.clear();
    cues.PlayDiamond();
    cues.PlayRockLand();
    cues.PlayDiamond();
    for (int i = 0; i < 4; ++i) cues.PlayDiamond();
    EXPECT_EQ(PlayedNames(waves),
              (std::vector<std::string>{"dia222", "rock2", "dia333", "dia444", "dia555", "dia111", "dia222"}));
}

TEST(SoundCues, RisingCallClimbsBy500AndHoldsAtFull) {
    SilentWaves waves;
    SoundCues cues(&waves);
    cues.LoadCueVolumes();
    EXPECT_EQ(waves.Volume("monster2"), -1200);
    cues.RisingCallVolume = -1500; // the book opens
    std::vector<int> volumes;
    for (int i = 0; i < 5; ++i) {
        cues.PlayRisingMonsterCall();
        volumes.push_back(waves.Volume("monster2"));
    }
    EXPECT_EQ(volumes, (std::vector<int>{-1000, -500, 0, 0, 0}));
    EXPECT_EQ(waves.Played.size(), 5u);
    // The step cue afterwards plays at the call's last volume.
    cues.PlayMonsterStep();
    EXPECT_EQ(waves.Volume("monster2"), 0);
}

TEST(SoundCues, StepCueSoundsFirstThenEveryFourthMove) {
    SilentWaves waves;
    SoundCues cues(&waves);
    // The count starts at 99: the first offer plays at once.
    cues.PlayMonsterStep();
    EXPECT_EQ(waves.Played.size(), 1u);
    cues.PlayMonsterStep();
    EXPECT_EQ(waves.Played.size(), 1u);
    // As the monsters do it: one offer after each decision, one more after
    // counting a move.
    int moves = 0;
    for (int i = 0; i < 12; ++i) {
        cues.PlayMonsterStep();
        ++cues.MonsterStepCount;
        ++moves;
        cues.PlayMonsterStep();
    }
    EXPECT_EQ(waves.Played.size(), 1u + 3u);
    for (const auto& [frame, name] : waves.Played) EXPECT_EQ(name, "monster2");
}

TEST(SoundCues, VolumesAtLoadAndTheHyperHum) {
    SilentWaves waves;
    SoundCues cues(&waves);
    cues.LoadCueVolumes();
    EXPECT_EQ(waves.Volume("monsdie3"), 0);
    EXPECT_EQ(waves.Volume("rock5"), -1000);
    EXPECT_EQ(waves.Volume("eggbreak"), -200);
    EXPECT_EQ(waves.Volume("monster"), -700);
    EXPECT_EQ(waves.Volume("losegame"), -1000);
    EXPECT_EQ(waves.Volume("cheer"), -1000);
    cues.StartHyper();
    cues.StopHyper();
    ASSERT_EQ(waves.Stopped.size(), 1u);
    EXPECT_EQ(waves.Stopped[0].second, "hyper");
    // Two cues in one frame both sound.
    cues.PlayCheer();
    cues.PlayManDie();
    EXPECT_EQ(PlayedNames(waves), (std::vector<std::string>{"hyper", "cheer", "mandie"}));
}

TEST(VolumeToGain, HundredthsOfADecibel) {
    EXPECT_DOUBLE_EQ(VolumeToGain(0), 1.0);
    EXPECT_DOUBLE_EQ(VolumeToGain(500), 1.0);
    EXPECT_NEAR(VolumeToGain(-2000), 0.1, 1e-12);
    EXPECT_NEAR(VolumeToGain(-1000), std::sqrt(0.1), 1e-12);
    EXPECT_NEAR(VolumeToGain(-600), 0.501187, 1e-6); // 6 dB is about half
    EXPECT_LT(VolumeToGain(-10000), 1e-4);
}
