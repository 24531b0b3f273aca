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

TEST(ReplayScript, PadLinesNameTheControllerItsButtonStickOrUnplugging) {
    std::string error;
    auto events = ParseReplayScript("4 +PadA\n5 -Pad2Start\n6 PadLeftX=-32000\n7 Pad8LeftY=32767\n8 Pad2Unplug\n"
                                    "9 +Pad1LeftShoulder\n",
                                    &error);
    ASSERT_TRUE(events) << error;
    ASSERT_EQ(events->size(), 6u);
    using K = ScriptEvent::Kind;
    const ScriptEvent& a = (*events)[0];
    EXPECT_TRUE(a.What == K::Button && a.Pad == 1 && a.Button == PadButton::A && a.Down);
    const ScriptEvent& start = (*events)[1];
    EXPECT_TRUE(start.What == K::Button && start.Pad == 2 && start.Button == PadButton::Start && !start.Down);
    const ScriptEvent& x = (*events)[2];
    EXPECT_TRUE(x.What == K::Stick && x.Pad == 1 && x.Axis == PadAxis::LeftX && x.Value == -32000);
    const ScriptEvent& y = (*events)[3];
    EXPECT_TRUE(y.What == K::Stick && y.Pad == 8 && y.Axis == PadAxis::LeftY && y.Value == 32767);
    EXPECT_TRUE((*events)[4].What == K::Unplug && (*events)[4].Pad == 2);
    EXPECT_TRUE((*events)[5].Button == PadButton::LeftShoulder && (*events)[5].Pad == 1);
    for (const char* bad : {"0 +PadA\n1 +PadJump\n", "0 +PadA\n1 PadLeftZ=5\n", "0 +PadA\n1 PadLeftX=32768\n",
                            "0 +PadA\n1 PadLeftX=\n", "0 +PadA\n1 Pad9Unplug\n", "0 +PadA\n1 PadA\n"}) {
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

TEST(Replay, MapFileStartsPlayOnThatLevelAndTheHomeHoldsThePlayersOwnLevels) {
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

    // The same level as the player's own level 61, in the home's maps
    // folder: it hides the shipped level 61, for this home only.
    std::filesystem::create_directories(dir + "/maps");
    std::filesystem::copy_file(dir + "/m.bkg", dir + "/maps/Level061.bkg");
    o.MapFile.clear();
    o.Level = 61;
    r = RunReplay(o);
    ASSERT_TRUE(r.Error.empty()) << r.Error;
    EXPECT_EQ(r.State.BookCell, 170);
    EXPECT_EQ(r.State.DiamondTarget, 1);
    o.HomeDir = testing::FreshFolder("other-home");
    r = RunReplay(o);
    EXPECT_NE(r.State.BookCell, 170);
    std::filesystem::remove_all(o.HomeDir);
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
