#include "MixerWaves.h"
#include "audio/SoundCues.h"
#include "audio/SoundLibrary.h"
#include "audio/sdl/GameAudio.h"
#include "common/Files.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

using namespace gravlin;
namespace fs = std::filesystem;

namespace {

// Half a second of a quiet tone of whole cycles, so that it loops without a
// seam.
std::string Tone(int channels = 1) {
    std::vector<short> samples;
    for (int i = 0; i < 22050 * channels; ++i)
        samples.push_back(static_cast<short>(3000 * std::sin(i * 2 * M_PI / 105)));
    return EncodeWave16(samples, channels, 44100);
}

std::vector<SoundEntry> AllCues(const std::vector<std::string>& leaveOut = {}) {
    std::vector<SoundEntry> entries;
    for (const char* name : CueNames)
        if (std::find(leaveOut.begin(), leaveOut.end(), name) == leaveOut.end()) entries.push_back({name, Tone()});
    return entries;
}

class AudioFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::current_path() / "audioXXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
        ASSERT_TRUE(WriteSoundLibrary(Path("Soundlib.dxw"), AllCues(), nullptr));
        ASSERT_TRUE(WriteFileAtomic(Path("Bass2.wav"), Tone(2)));
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return JoinPath(dir_, name); }
    std::string dir_;
};

int ChannelsPlaying() {
    return Mix_Playing(-1);
}

// What the device plays, as the mixer hands it over (16-bit samples).
struct DeviceOutput {
    std::mutex Lock;
    std::vector<short> Samples;
    static void Take(void* self, Uint8* stream, int len) {
        auto* out = static_cast<DeviceOutput*>(self);
        std::lock_guard<std::mutex> hold(out->Lock);
        const short* s = reinterpret_cast<const short*>(stream);
        out->Samples.insert(out->Samples.end(), s, s + len / 2);
    }
    std::size_t Size() {
        std::lock_guard<std::mutex> hold(Lock);
        return Samples.size();
    }
};

} // namespace

TEST_F(AudioFiles, MixerOnTheDummyDevicePlaysOverlappingCuesAndLoopsTheHum) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    GameAudio audio;
    ASSERT_TRUE(audio.OpenDevice()) << audio.SilentReason();
    EXPECT_FALSE(audio.Silent());
    std::string error;
    ASSERT_TRUE(audio.LoadSoundLibrary(Path("Soundlib.dxw"), &error)) << error;
    ASSERT_TRUE(audio.OpenMusic(Path("bass2.WAV"), &error, nullptr)) << error; // found whatever the case
    WaveList& waves = audio.Waves();
    EXPECT_TRUE(MissingCueNames(waves).empty());
    EXPECT_EQ(Mix_AllocateChannels(-1), MixerChannels);

    // Volumes are kept per wave until set again.
    SoundCues cues(&waves);
    cues.LoadCueVolumes();
    EXPECT_EQ(waves.Volume("rock1"), -1000);
    EXPECT_EQ(waves.Volume("rockmove"), 0);
    EXPECT_EQ(MixerVolume(-1000), 40);
    EXPECT_EQ(MixerVolume(0), MIX_MAX_VOLUME);
    EXPECT_EQ(MixerVolume(500), MIX_MAX_VOLUME);

    // Two cues in one frame, and the same cue twice: all sound at once.
    cues.PlayCheer();
    cues.PlayManDie();
    cues.PlayCheer();
    EXPECT_EQ(ChannelsPlaying(), 3);
    Mix_HaltChannel(-1);

    // The teleport hum outlasts its wave and stops only when told to; stopped
    // anywhere in its loop it fades out instead of breaking off with a click:
    // no step in what the device plays is much larger than the hum's own.
    DeviceOutput out;
    Mix_SetPostMix(&DeviceOutput::Take, &out);
    cues.StartHyper();
    SDL_Delay(700);
    EXPECT_EQ(ChannelsPlaying(), 1);
    std::size_t stoppedAt = out.Size();
    cues.StopHyper();
    SDL_Delay(300);
    EXPECT_EQ(ChannelsPlaying(), 0);
    Mix_SetPostMix(nullptr, nullptr);
    {
        std::lock_guard<std::mutex> hold(out.Lock);
        const std::vector<short>& s = out.Samples; // left and right interleaved
        ASSERT_GT(stoppedAt, 4096u);
        ASSERT_GT(s.size(), stoppedAt + 4096);
        auto largestStep = [&](std::size_t from, std::size_t to) {
            int step = 0;
            for (std::size_t i = from + 2; i < to; ++i) step = std::max(step, std::abs(s[i] - s[i - 2]));
            return step;
        };
        int humStep = largestStep(stoppedAt - 4096, stoppedAt);
        EXPECT_GT(humStep, 20) << "the hum was playing";
        EXPECT_LE(largestStep(stoppedAt - 4096, s.size()), humStep * 3 / 2);
        EXPECT_EQ(s.back(), 0);
    }
    waves.Play("no such sound"); // nothing, no failure

    MusicStream& music = audio.Music();
    EXPECT_FALSE(music.IsPlaying());
    music.SetVolume(-1500);
    music.Play();
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(music.Volume(), -1500);
    EXPECT_EQ(Mix_VolumeMusic(-1), MixerVolume(-1500));
    // Half a second of music, looped: still playing after it.
    SDL_Delay(700);
    EXPECT_TRUE(music.IsPlaying());
    music.Stop();
    EXPECT_FALSE(music.IsPlaying());
    music.Play();
    EXPECT_TRUE(music.IsPlaying());
}

TEST_F(AudioFiles, NoDeviceMeansSilentSoundWithTheSameChecks) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    GameAudio audio;
    EXPECT_FALSE(audio.OpenDevice());
    EXPECT_TRUE(audio.Silent());
    EXPECT_FALSE(audio.SilentReason().empty());
    std::string error;
    ASSERT_TRUE(audio.LoadSoundLibrary(Path("Soundlib.dxw"), &error)) << error;
    ASSERT_TRUE(audio.OpenMusic(Path("Bass2.wav"), &error, nullptr)) << error;
    EXPECT_TRUE(audio.Waves().Has("hyper"));
    EXPECT_FALSE(audio.Waves().Has("hyper2"));
    audio.Music().Play();
    EXPECT_TRUE(audio.Music().IsPlaying());

    // A damaged wave inside the library is reported by name.
    auto entries = AllCues();
    entries[3].Wave = "RIFF....WAVEjunk";
    ASSERT_TRUE(WriteSoundLibrary(Path("Damaged.dxw"), entries, nullptr));
    EXPECT_FALSE(audio.LoadSoundLibrary(Path("Damaged.dxw"), &error));
    EXPECT_NE(error.find("\"monsdie4\""), std::string::npos) << error;
    // The wave list loaded before stays.
    EXPECT_TRUE(audio.Waves().Has("hyper"));
}

TEST_F(AudioFiles, MissingNamesAndFilesAreReportedByName) {
    for (const char* driver : {"dummy", "no-such-driver"}) {
        SCOPED_TRACE(driver);
        ::setenv("SDL_AUDIODRIVER", driver, 1);
        GameAudio audio;
        audio.OpenDevice();
        ASSERT_TRUE(WriteSoundLibrary(Path("Short.dxw"), AllCues({"monster", "hyper"}), nullptr));
        std::string error;
        EXPECT_FALSE(audio.LoadSoundLibrary(Path("Short.dxw"), &error));
        EXPECT_NE(error.find("Short.dxw"), std::string::npos) << error;
        EXPECT_NE(error.find("\"monster\", \"hyper\""), std::string::npos) << error;

        EXPECT_FALSE(audio.LoadSoundLibrary(Path("Nothing.dxw"), &error));
        EXPECT_NE(error.find("Nothing.dxw"), std::string::npos) << error;
        EXPECT_FALSE(audio.OpenMusic(Path("Sounds/Bass2.wav"), &error, nullptr));
        EXPECT_NE(error.find("Sounds/Bass2.wav"), std::string::npos) << error;
        // Not a wave file at all.
        ASSERT_TRUE(WriteFileAtomic(Path("Noise.wav"), "not a wave"));
        EXPECT_FALSE(audio.OpenMusic(Path("Noise.wav"), &error, nullptr));
        EXPECT_NE(error.find("Noise.wav"), std::string::npos) << error;
        // Music cut short in its samples plays what is there, with a
        // warning, on the device and without one alike.
        const std::string bass = Tone(2);
        ASSERT_TRUE(WriteFileAtomic(Path("Cut.wav"), bass.substr(0, bass.size() / 2 + 1)));
        std::string warning;
        EXPECT_TRUE(audio.OpenMusic(Path("Cut.wav"), &error, &warning)) << error;
        EXPECT_NE(warning.find("Cut.wav: the music is cut short: 44076 of its 88200 bytes"), std::string::npos)
            << warning;
    }
}
