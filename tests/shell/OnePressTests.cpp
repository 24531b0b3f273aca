// The menus as a hand plays them: one press of Escape acts on one screen, a
// tap shorter than a screen's reading pace is not lost, and letters typed
// faster than the name entry reads all arrive. Whole runs of the replay
// runner from the title, so the real frame handler and key messages are used.

#include "Replay.h"
#include "ShellHarness.h"
#include "common/TextLists.h"

#include <gtest/gtest.h>

namespace gravlin {
namespace {

struct MenuRun {
    ReplayResult Result;
    std::string Home = testing::FreshFolder("press");
    MenuRun(const std::string& script, int frames, const TextList& roster = {}) {
        if (!roster.empty()) WriteTextList(Home + "/Players.txt", roster);
        ReplayOptions o;
        o.DataDir = GRAVLIN_GAME_DIR;
        o.HomeDir = Home;
        o.State = true;
        o.Frames = frames;
        std::string error;
        auto events = ParseReplayScript(script, &error);
        EXPECT_TRUE(events) << error;
        if (events) o.Script = *events;
        Result = RunReplay(o);
        EXPECT_TRUE(Result.Error.empty()) << Result.Error;
    }
    bool InState(int state) const { return Result.State.Shell.GameState == state; }
};

// Title at frame 0; Enter at frame 1 opens help. From there the menu opens
// at frame 3 and reads the keys on frames 9, 16, 23 ...
constexpr const char* ToHelp = "1 +Enter\n2 -Enter\n";
constexpr const char* ToMenuHoldingEnter = "1 +Enter\n2 -Enter\n3 +Enter\n";

TEST(OnePress, EscapeHeldActsOnOneScreenOnly) {
    // Help reads Escape at frame 5 and shows the title, which ignores the
    // same press however long it is held; a new press then ends the game.
    MenuRun title(std::string(ToHelp) + "5 +Escape\n11 -Escape\n", 30);
    EXPECT_EQ(title.Result.Frames, 30) << "the game went on";
    EXPECT_TRUE(title.InState(StateIntro));
    MenuRun quit(std::string(ToHelp) + "5 +Escape\n11 -Escape\n20 +Escape\n", 40);
    EXPECT_EQ(quit.Result.Frames, 21) << "a second press on the title ends the game";

    // Enter held from help into the menu still chooses item 1 on the
    // menu's first reading (frame 9): the level choice opens at frame 10.
    MenuRun choice(std::string(ToMenuHoldingEnter) + "10 -Enter\n", 11);
    EXPECT_TRUE(choice.InState(StateLevelSelect));
    // The level choice reads at 13, 17 ...: Escape held from 14 to 20 goes
    // back to help (frame 17) and stops there.
    MenuRun back(std::string(ToMenuHoldingEnter) + "10 -Enter\n14 +Escape\n20 -Escape\n", 40);
    EXPECT_EQ(back.Result.Frames, 40);
    EXPECT_TRUE(back.InState(StateHelp));
}

TEST(OnePress, ATapBetweenTwoMenuReadingsCountsOnce) {
    // Enter tapped into the menu (frames 3-4) is not a tap of the menu's own;
    // Down held on frames 10 and 11, between the readings at 9 and 16, moves
    // one item at 16 and no more at 23; Enter then chooses item 2 at 30.
    MenuRun r("1 +Enter\n2 -Enter\n3 +Enter\n4 -Enter\n10 +Down\n12 -Down\n24 +Enter\n", 32);
    EXPECT_TRUE(r.InState(StatePlayers)) << r.Result.State.Shell.GameState;
}

TEST(OnePress, LettersTypedFasterThanTheNameEntryReadsAllArrive) {
    // Into the player choice (entry at frame 24, readings every fifth frame
    // from 28), then eight letters four frames apart into player 1's empty
    // name.
    std::string script = "1 +Enter\n2 -Enter\n3 +Enter\n4 -Enter\n10 +Down\n11 -Down\n17 +Enter\n24 -Enter\n";
    const std::string name = "ALICEBOB";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const int at = 30 + 4 * static_cast<int>(i);
        script += std::to_string(at) + " +" + name[i] + "\n" + std::to_string(at + 1) + " -" + name[i] + "\n";
    }
    MenuRun r(script, 90, {"1", "", "Name 002", "Name 003", "Name 004", "Name 005"});
    EXPECT_TRUE(r.InState(StatePlayers));
    auto roster = ReadTextList(r.Home + "/Players.txt");
    ASSERT_TRUE(roster && roster->size() >= 2);
    EXPECT_EQ((*roster)[1], name);
}

} // namespace
} // namespace gravlin
