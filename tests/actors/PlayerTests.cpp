// The player: steps and their timing, diagonals, what blocks a move, death,
// the speed keys and the winning of a level.
#include "Harness.h"

#include <gtest/gtest.h>

namespace gravlin::test {
namespace {

class PlayerSpeed : public ::testing::TestWithParam<int> {};

TEST_P(PlayerSpeed, HoldingRightAlongEarthDigsOneCellPerStepWithoutPause) {
    const int speed = GetParam(), n = StepTicks(speed);
    Game g({"P:::::"}, speed);
    g.Hold(Key::Right);
    g.Run(1);
    // Decided and first sub-step in the same tick; the cell is dug at once.
    EXPECT_EQ(g.Content(2, 1), Empty);
    EXPECT_EQ(g.w.Player.PlayerCell, At(2, 1));
    EXPECT_GT(g.w.Player.PlayerX, 40);
    g.Run(n - 2);
    EXPECT_LT(g.w.Player.PlayerX, 80);
    g.Run(1);
    EXPECT_EQ(g.w.Player.PlayerX, 80);
    EXPECT_EQ(g.Content(3, 1), Earth);
    // The next step starts on the very next tick.
    g.Run(1);
    EXPECT_EQ(g.Content(3, 1), Empty);
    EXPECT_GT(g.w.Player.PlayerX, 80);
    g.Run(n - 1);
    EXPECT_EQ(g.w.Player.PlayerX, 120);
    EXPECT_EQ(g.CountKind(Digging, false), 2);
}

INSTANTIATE_TEST_SUITE_P(Speeds, PlayerSpeed, ::testing::Values(2, 4, 6));

TEST(PlayerDiagonal, ThreeEarthCellsAreDugAndThePlayerEndsInTheCorner) {
    Game g({"P:", "::"});
    g.Hold(Key::Right);
    g.Hold(Key::Down);
    g.Run(1);
    EXPECT_EQ(g.CountKind(Digging), 3);
    EXPECT_EQ(g.Content(2, 1), Empty);
    EXPECT_EQ(g.Content(1, 2), Empty);
    EXPECT_EQ(g.Content(2, 2), Empty);
    EXPECT_EQ(g.w.Player.PlayerCell, At(2, 2));
    EXPECT_EQ(g.w.Player.PlayerDir, Dir::DownRight);
    g.Run(9);
    EXPECT_EQ(g.w.Player.PlayerX, 80);
    EXPECT_EQ(g.w.Player.PlayerY, 80);
}

TEST(PlayerDiagonal, BlockedCornerFallsBackToHorizontalThenVertical) {
    {
        Game g({"P:", ":#"});
        g.Hold(Key::Right);
        g.Hold(Key::Down);
        g.Run(1);
        EXPECT_EQ(g.w.Player.PlayerDir, Dir::Right);
        EXPECT_EQ(g.w.Player.PlayerCell, At(2, 1));
        EXPECT_EQ(g.Content(1, 2), Earth) << "the side cell is not dug by a straight move";
    }
    {
        Game g({"P#", ":#"});
        g.Hold(Key::Right);
        g.Hold(Key::Down);
        g.Run(1);
        EXPECT_EQ(g.w.Player.PlayerDir, Dir::Down);
        EXPECT_EQ(g.w.Player.PlayerCell, At(1, 2));
    }
}

TEST(PlayerDiagonal, NeverPushesARock) {
    Game g({"Pr ", ":# ", "###"});
    const int rock = g.IndexIn(2, 1);
    g.Hold(Key::Right);
    g.Hold(Key::Down);
    g.Run(1);
    EXPECT_EQ(g.w.Player.PlayerDir, Dir::Down);
    EXPECT_EQ(g.IndexIn(2, 1), rock);
    EXPECT_EQ(g.Actor(rock).Dir, Dir::Rest);
}

TEST(PlayerMove, UpOrDownIntoAnEggOrRockDoesNothing) {
    // An egg never falls on the player, so it can rest above it.
    Game g({"#e#", "#P#", "#r#", "###"});
    for (Key k : {Key::Up, Key::Down}) {
        g.ReleaseAll();
        g.Hold(k);
        g.Run(3);
        EXPECT_EQ(g.w.Player.PlayerDir, Dir::Rest);
        EXPECT_TRUE(g.w.Player.PlayerReady);
        EXPECT_EQ(g.w.Player.PlayerCell, At(2, 2));
        EXPECT_EQ(g.Content(2, 1), Egg);
        EXPECT_EQ(g.Content(2, 3), Rock);
    }
}

TEST(PlayerMove, MonsterAndChaserCellsCannotBeEntered) {
    for (int code : {Monster, Chaser}) {
        Game g({"P "});
        g.CellAt(2, 1).Content = code; // a static code, no actor to move it
        g.Hold(Key::Right);
        g.Run(2);
        EXPECT_EQ(g.w.Player.PlayerCell, At(1, 1));
        EXPECT_EQ(g.w.Player.PlayerX, 40);
    }
}

TEST(PlayerDeath, WeedAndHazardKillAtTheEndOfTheStep) {
    for (char deadly : {'w', 'x'}) {
        Game g({std::string("P") + deadly});
        g.Hold(Key::Right);
        g.Run(1);
        g.ReleaseAll();
        g.Run(9);
        EXPECT_EQ(g.w.Player.PlayerX, 80);
        EXPECT_FALSE(g.w.Player.PlayerDying) << "not during the step";
        g.Run(1);
        EXPECT_TRUE(g.w.Player.PlayerDying);
        EXPECT_EQ(g.CueFrames("mandie"), std::vector<int>{11});
    }
}

TEST(PlayerDeath, EscapeKillsAndTheGameEndsWhenTheFallEnds) {
    struct Case {
        int row;
        int fallTicks;
    };
    // Speed 4 falls 2 pixels a tick: 80 pixels from row 10, 440 from row 1.
    for (Case c : {Case{10, 40}, Case{1, 220}}) {
        std::vector<std::string> rows(10, "");
        rows[static_cast<std::size_t>(c.row - 1)] = "P";
        Game g(rows);
        g.Hold(Key::Escape);
        g.Run(1);
        EXPECT_TRUE(g.w.Player.PlayerDying);
        EXPECT_EQ(g.w.Player.PlayerMoveLength, c.fallTicks * 2);
        g.ReleaseAll();
        g.Run(c.fallTicks - 2);
        EXPECT_EQ(g.w.GameState, StatePlay);
        EXPECT_EQ(g.w.Lives, 1);
        g.Run(1);
        EXPECT_EQ(g.w.GameState, StateGameOver);
        EXPECT_EQ(g.w.Lives, 0);
        EXPECT_EQ(g.w.PaceFrames, 1);
        EXPECT_EQ(g.w.PaceCounter, 99);
        EXPECT_EQ(g.frame, c.fallTicks);
    }
}

TEST(PlayerSpeedKeys, WithNoDirectionHeldTheLevelRestartsAtTheNewSpeed) {
    Game g({"P "});
    g.Hold(Key::F7);
    EXPECT_EQ(g.Frame().SpeedChosen, 6) << "reported, so that the level starts afresh";
    EXPECT_EQ(g.w.GameSpeed, 6);

    // F5 wins over F6; a held direction makes the speed keys count for nothing.
    Game h({"P "});
    h.Hold(Key::F6);
    h.Hold(Key::F5);
    h.Hold(Key::Right);
    EXPECT_EQ(h.Frame().SpeedChosen, 0);
    EXPECT_EQ(h.w.GameSpeed, 4);
    EXPECT_EQ(h.w.Player.PlayerDir, Dir::Right);
    h.ReleaseAll();
    h.Run(9);
    h.Hold(Key::F6);
    h.Hold(Key::F5);
    EXPECT_EQ(h.Frame().SpeedChosen, 2);
    EXPECT_EQ(h.w.GameSpeed, 2);
}

TEST(PlayerWins, TheOpenBookCompletesTheLevel) {
    Game g({"PdK"});
    g.Hold(Key::Right);
    g.Run(1);
    EXPECT_EQ(g.Content(3, 1), BookOpen);
    g.Run(9 + 10);
    EXPECT_EQ(g.w.GameState, StatePlay) << "won at the boundary check, not during the step";
    EXPECT_TRUE(g.Frame().LevelWon);
    EXPECT_EQ(g.w.GameState, StateLevelDone);
    EXPECT_EQ(g.frame, 21);
    EXPECT_EQ(g.Content(3, 1), Book);
    EXPECT_TRUE(g.w.EndPhase);
    EXPECT_EQ(g.w.PaceFrames, 8);
    EXPECT_EQ(g.CueFrames("cheer"), std::vector<int>{21});
}

TEST(PlayTickDrawing, PlayerOverEverythingAndChaserUnderEarth) {
    Game g({"P", "", "#:#", "#c#", "###"});
    // The chaser sits in an earth cell (the level put earth there).
    g.CellAt(2, 4).Tile = Earth;
    Surface sheet(640, 480), back(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) sheet.Set(x, y, static_cast<std::uint8_t>((y / 40) * 16 + x / 40 + 1));
    DrawTarget target{back, sheet, 16};
    PlayTick(g.w, &target);
    EXPECT_EQ(back.At(45, 45), 25) << "player tile 24";
    EXPECT_EQ(back.At(85, 165), 2) << "earth tile 1 drawn over the chaser";
    EXPECT_EQ(back.At(5, 5), 129) << "border corner";
}

} // namespace
} // namespace gravlin::test
