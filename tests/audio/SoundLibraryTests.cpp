#include "audio/SoundLibrary.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace gravlin;

namespace {

std::vector<SoundEntry> TwoSounds() {
    return {{"cheer", EncodeWave16({1, -1, 300, -300}, 1, 22050)},
            {"rock1", EncodeWave16({5, 6, 7, 8, 9, 10}, 2, 44100)}};
}

void Set32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

} // namespace

TEST(SoundLibrary, RoundTrip) {
    auto entries = TwoSounds();
    std::string bytes = EncodeSoundLibrary(entries);
    std::string error;
    auto back = DecodeSoundLibrary(bytes, &error);
    ASSERT_TRUE(back) << error;
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[0].Name, "cheer");
    EXPECT_EQ((*back)[1].Name, "rock1");
    EXPECT_EQ((*back)[0].Wave, entries[0].Wave);
    EXPECT_EQ((*back)[1].Wave, entries[1].Wave);
    // An empty library is a valid library.
    auto none = DecodeSoundLibrary(EncodeSoundLibrary({}), &error);
    ASSERT_TRUE(none) << error;
    EXPECT_TRUE(none->empty());
}

TEST(SoundLibrary, EveryTruncationIsRejectedCleanly) {
    std::string bytes = EncodeSoundLibrary(TwoSounds());
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        std::string error;
        EXPECT_FALSE(DecodeSoundLibrary(bytes.substr(0, n), &error)) << "cut at " << n;
        EXPECT_FALSE(error.empty());
    }
}

TEST(SoundLibrary, CorruptContainersAreRejectedWithTheReason) {
    const std::string good = EncodeSoundLibrary(TwoSounds());
    struct Case {
        const char* what;
        std::string bytes;
        const char* expect;
    };
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string badVersion = good;
    Set32(badVersion, 8, 2);
    std::string hugeCount = good;
    Set32(hugeCount, 12, 0xffffffffu);
    std::string noName = good;
    noName[16] = 0;
    noName[17] = 0;
    std::string longName = good;
    longName[16] = 65;
    std::string hugeWave = good;
    Set32(hugeWave, 16 + 2 + 5, 0xfffffff0u);
    const Case cases[] = {
        {"magic", badMagic, "GRVSNDLB"},
        {"version", badVersion, "version 2"},
        {"count", hugeCount, "truncated"},
        {"empty name", noName, "name length 0"},
        {"long name", longName, "name length 65"},
        {"wave length", hugeWave, "\"cheer\""},
        {"trailing bytes", good + "x", "after the last entry"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(DecodeSoundLibrary(c.bytes, &error)) << c.what;
        EXPECT_NE(error.find(c.expect), std::string::npos) << c.what << ": " << error;
    }
    std::string error;
    EXPECT_FALSE(ReadSoundLibrary("no-such-folder/Soundlib.dxw", &error));
    EXPECT_NE(error.find("no-such-folder/Soundlib.dxw"), std::string::npos) << error;
}

TEST(ParseWave, ReadsTheFormatAndRejectsDamage) {
    std::string error;
    auto f = ParseWave(EncodeWave16({1, 2, 3, 4, 5, 6}, 2, 44100), &error);
    ASSERT_TRUE(f) << error;
    EXPECT_EQ(f->Channels, 2);
    EXPECT_EQ(f->SampleRate, 44100);
    EXPECT_EQ(f->BitsPerSample, 16);
    EXPECT_EQ(f->DataBytes, 12u);
    EXPECT_EQ(f->DataOffset, 44u);

    // A chunk the game does not know is skipped, odd lengths padded.
    std::string wave = EncodeWave16({7}, 1, 8000);
    std::string extra = "LIST";
    extra += std::string("\x03\0\0\0abc\0", 8);
    std::string withList = wave.substr(0, 12) + extra + wave.substr(12);
    f = ParseWave(withList, &error);
    ASSERT_TRUE(f) << error;
    EXPECT_EQ(f->DataBytes, 2u);

    std::string notPcm = wave;
    notPcm[20] = 3; // floating point
    // A data chunk cut short by the end of the file is taken as far as it goes.
    std::string longData = wave;
    Set32(longData, 40, 1000);
    f = ParseWave(longData, &error);
    ASSERT_TRUE(f) << error;
    EXPECT_TRUE(f->DataTruncated);
    EXPECT_EQ(f->DataBytes, 2u);
    EXPECT_EQ(f->DeclaredDataBytes, 1000u);
    std::string longFormat = wave;
    Set32(longFormat, 16, 1000);
    std::string threeChannels = wave;
    threeChannels[22] = 3;
    for (const auto& [bytes, expect] : {std::pair{std::string("RIFF"), "RIFF"},
                                        {wave.substr(0, 36), "data"},
                                        {wave.substr(0, 12), "format"},
                                        {notPcm, "PCM"},
                                        {longFormat, "past the end"},
                                        {threeChannels, "unsupported"}}) {
        EXPECT_FALSE(ParseWave(bytes, &error)) << expect;
        EXPECT_NE(error.find(expect), std::string::npos) << error;
    }
}
