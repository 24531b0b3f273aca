// The replay runner's contract: scripts, options, outcomes and the state.

#include "Replay.h"
#include "ShellHarness.h"

#include <gtest/gtest.h>

namespace gravlin {
namespace {

TEST(ReplayScript, ParsesEventsAndComments) {
    std::string error;
    auto events = ParseReplayScript("# a comment\n0 +Enter\n\n 5 -Enter # released\n3 +KP8\n", &error);
    ASSERT_TRUE(events) << error;
    ASSERT_EQ(events->size(), 3u);
    EXPECT_EQ((*events)[0].Frame, 0);
    EXPECT_EQ((*events)[1].Frame, 3); // sorted by frame
    EXPECT_EQ((*events)[1].Which, Key::Kp8);
    EXPECT_FALSE((*events)[2].Down);
}

TEST(ReplayScript, RejectsMalformedLinesWithTheirNumber) {
    for (const char* bad : {"0 +Enter\nx +Left\n", "0 +Enter\n1 Left\n", "0 +Enter\n1 +Nokey\n", "0 +Enter\n-1 +Left\n",
                            "0 +Enter\n1 +Left extra\n"}) {
        std::string error;
        EXPECT_FALSE(ParseReplayScript(bad, &error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(ReplayScript, AVersionLineNamesTheFormat) {
    std::string error;
    EXPECT_TRUE(ParseReplayScript("# gravlin-replay 1\n0 +Enter\n", &error)) << error;
    EXPECT_TRUE(ParseReplayScript("# gravlin-replay of level 3\n0 +Enter\n", &error)) << "a plain comment";
    EXPECT_FALSE(ParseReplayScript("# gravlin-replay 2\n0 +Enter\n", &error));
    EXPECT_NE(error.find("version 2"), std::string::npos) << error;
}

TEST(ReplayArguments, UnknownOptionsAndBadValuesAreRefused) {
    auto parse = [](std::vector<std::string> args) {
        std::vector<char*> argv{const_cast<char*>("gravlin-replay")};
        for (auto& a : args) argv.push_back(a.data());
        ReplayOptions o;
        std::string error;
        return ParseReplayArguments(static_cast<int>(argv.size()), argv.data(), o, &error);
    };
    EXPECT_FALSE(parse({"--bogus"}));
    EXPECT_FALSE(parse({"--speed", "5"}));
    EXPECT_FALSE(parse({"--expect", "maybe"}));
    EXPECT_FALSE(parse({"--dump", "12"}));
    EXPECT_FALSE(parse({"/no/such/script.rpl"}));
    EXPECT_TRUE(parse({"--level", "3", "--speed", "6", "--frames", "10", "--state"}));
}

TEST(Replay, FromTheTitleThroughHelpToTheMenu) {
    ReplayOptions o;
    o.DataDir = GRAVLIN_GAME_DIR;
    o.HomeDir = testing::FreshFolder("replay");
    o.Frames = 12;
    o.State = true;
    o.Script = {{1, Key::Enter, true}, {2, Key::Enter, false}, {4, Key::Space, true}, {5, Key::Space, false}};
    ReplayResult r = RunReplay(o);
    ASSERT_TRUE(r.Error.empty()) << r.Error;
    EXPECT_EQ(r.Frames, 12);
    EXPECT_EQ(r.State.Shell.GameState, StateMenu);
    EXPECT_EQ(r.State.Frame, 12);
}

TEST(Replay, MapFileStartsPlayOnThatLevel) {
    std::string dir = testing::FreshFolder("map");
    TextList lines(192, "127");
    lines[0] = "128";
    lines[15] = "129";
    lines[176] = "98";
    lines[191] = "99";
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 14; ++c) lines[static_cast<std::size_t>(r * 16 + c)] = "1";
    lines[17] = "24";
    lines[40] = "6";
    lines[170] = "134";
    ASSERT_TRUE(WriteTextList(dir + "/m.bkg", lines));
    ReplayOptions o;
    o.DataDir = GRAVLIN_GAME_DIR;
    o.HomeDir = dir;
    o.MapFile = dir + "/m.bkg";
    o.Frames = 1;
    o.State = true;
    ReplayResult r = RunReplay(o);
    ASSERT_TRUE(r.Error.empty()) << r.Error;
    EXPECT_EQ(r.State.Shell.GameState, StatePlay);
    EXPECT_EQ(r.State.DiamondTarget, 1);
    EXPECT_EQ(r.State.BookCell, 170);
    EXPECT_EQ(r.State.ActorCount, 1);
    std::filesystem::remove_all(dir);
}

TEST(Replay, AnUnplayableLevelAndAFailedSaveAreErrors) {
    std::string dir = testing::FreshFolder("bad");
    ReplayOptions o;
    o.DataDir = GRAVLIN_GAME_DIR;
    o.HomeDir = dir;
    o.Frames = 5;
    o.Level = 75; // no such level file
    ReplayResult r = RunReplay(o);
    EXPECT_NE(r.Error.find("level 75 cannot be played: "), std::string::npos) << r.Error;
    EXPECT_NE(r.Error.find("Level075.bkg: file missing"), std::string::npos) << r.Error;

    TextList noStart(192, "1");
    noStart[100] = "134";
    ASSERT_TRUE(WriteTextList(dir + "/m.bkg", noStart));
    o.Level.reset();
    o.MapFile = dir + "/m.bkg";
    r = RunReplay(o);
    EXPECT_EQ(r.Error, dir + "/m.bkg: it has no player start (code 24)");

    // A home folder that cannot take the player files.
    o.MapFile.clear();
    o.HomeDir = dir + "/no/such/folder";
    r = RunReplay(o);
    EXPECT_NE(r.Error.find("the player files could not be saved:"), std::string::npos) << r.Error;
    EXPECT_NE(r.Error.find(o.HomeDir + "/Players.txt"), std::string::npos) << r.Error;
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace gravlin
