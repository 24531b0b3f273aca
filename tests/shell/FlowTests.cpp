// The flow of a level from the level choice to its end, frame by frame: the
// preparation and the music fade, the top-right border cells, the wipe of a
// won level and the game-over convergence, and where each lands.

#include "ShellHarness.h"
#include "common/Files.h"
#include "common/TextLists.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace gravlin {
namespace {

using testing::ShellHarness;

// A bordered level of earth with the given codes placed over it.
LevelCodes BorderedLevel(std::initializer_list<std::pair<int, int>> placed) {
    LevelCodes codes{};
    codes.fill(BorderWall);
    codes[0] = CornerTL;
    codes[15] = CornerTR;
    codes[176] = CornerBL;
    codes[191] = CornerBR;
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 14; ++c) codes[static_cast<std::size_t>(r * 16 + c)] = Earth;
    for (auto [cell, code] : placed) codes[static_cast<std::size_t>(cell)] = code;
    return codes;
}

// The player in cell 17, a diamond to its right and the book after that.
LevelCodes DiamondThenBook() {
    return BorderedLevel({{17, PlayerStart}, {18, Diamond}, {19, Book}});
}

// Goes to the level choice on `level` (every level number shows `codes`)
// and starts it with Enter: afterwards the first play frame has run.
void StartLevel(ShellHarness& h, const LevelCodes& codes, int level = 5) {
    h.Levels().Override = codes;
    h.Players().WorkingProgress[0] = std::to_string(level);
    h.W().GameState = StateLevelSelect;
    h.Frames(1);
    ASSERT_TRUE(h.LevelPlayable());
    h.Tap(Key::Enter);
    ASSERT_EQ(h.State(), StatePlay);
}

// Runs frames until the state is `state`; the number of frames run, or -1
// when it did not come within `limit` frames.
int FramesUntil(ShellHarness& h, int state, int limit = 2000) {
    for (int n = 1; n <= limit; ++n) {
        h.Frames(1);
        if (h.State() == state) return n;
    }
    return -1;
}

int CountCues(const ShellHarness& h, const std::string& name) {
    int n = 0;
    for (const auto& [frame, cue] : h.audio.waves.Played) n += cue == name;
    return n;
}

TEST(Music, EachScreenSetsItsVolumeAndTheTitleMenuAndChoiceStartIt) {
    ShellHarness h;
    SilentMusic& music = h.audio.music;
    h.Frames(1);
    EXPECT_EQ(music.Volume(), 0);
    EXPECT_TRUE(music.IsPlaying());
    music.Stop();
    h.Tap(Key::Enter);
    EXPECT_EQ(music.Volume(), -500);
    EXPECT_FALSE(music.IsPlaying()); // the help page does not start it
    h.Tap(Key::Enter);
    EXPECT_EQ(music.Volume(), -1000);
    EXPECT_TRUE(music.IsPlaying());
    music.Stop();
    h.W().GameState = StateLevelSelect;
    h.Frames(1);
    EXPECT_EQ(music.Volume(), -1500);
    EXPECT_TRUE(music.IsPlaying());
}

TEST(Music, PlayFadesItFromTheChoiceAndStopsItTheFrameAfterItPassesMinus4999) {
    ShellHarness h;
    StartLevel(h, DiamondThenBook());
    SilentMusic& music = h.audio.music;
    EXPECT_EQ(music.Volume(), -1510); // the first play frame already fades
    h.Frames(349);
    EXPECT_EQ(music.Volume(), -5000);
    EXPECT_TRUE(music.IsPlaying());
    h.Frames(1);
    EXPECT_FALSE(music.IsPlaying());
    EXPECT_EQ(music.Volume(), -5000);
}

TEST(Play, PreparationGivesOneLifeAndRemembersTheLevel) {
    ShellHarness h;
    ASSERT_EQ(h.W().Lives, 0);
    StartLevel(h, DiamondThenBook(), 7);
    EXPECT_EQ(h.W().Lives, 1);
    EXPECT_EQ(h.Players().WorkingProgress[0], "7");
    EXPECT_EQ(h.W().DiamondTarget, 1);
    EXPECT_EQ(h.W().CollectedCount, 0);
    EXPECT_EQ(h.W().WipeRing, 0);
    EXPECT_FALSE(h.W().EndPhase);
    EXPECT_TRUE(h.ScreenLoaded()[StatePlay]);
    EXPECT_FALSE(h.ScreenLoaded()[StateLevelSelect]);
}

TEST(Play, TheBorderCellsOfTheTopRightComeBackOnceTheSpawnIsRound) {
    ShellHarness h;
    // The book walled in behind the diamond, so the player waits in cell 18.
    StartLevel(h, BorderedLevel({{17, PlayerStart}, {18, Diamond}, {40, Book}}));
    h.window.KeyDown(Key::Right);
    h.Frames(1);
    h.window.KeyUp(Key::Right);
    ASSERT_TRUE(h.W().EndPhase); // the diamond was taken in that frame
    // The first border monster is made in cell 14 in the same frame.
    EXPECT_EQ(h.W().BorderCursor, 14);
    EXPECT_EQ(h.W().ActorCount, 2);
    int frames = 0;
    while (h.W().EndPhase && frames < 2000) h.Frames(1), ++frames;
    ASSERT_FALSE(h.W().EndPhase);
    // 52 monsters, one every 12 frames at speed 4, the first at once.
    EXPECT_EQ(frames, 51 * 12);
    EXPECT_EQ(h.W().ActorCount, 1 + 52);         // the diamond and the monsters
    EXPECT_EQ(h.W().Cells[15].Content, Monster); // the last monster came from cell 15
    h.Frames(1);
    EXPECT_EQ(h.W().Cells[15].Content, CornerTR);
    EXPECT_EQ(h.W().Cells[15].Tile, CornerTR);
    EXPECT_EQ(h.W().Cells[14].Content, BorderWall);
    EXPECT_EQ(h.W().Cells[14].Tile, BorderWall);
}

TEST(LevelWon, WipeRingsFragmentsAndTheNextLevelOnTheChoice) {
    ShellHarness h;
    StartLevel(h, DiamondThenBook(), 12);
    h.window.KeyDown(Key::Right);
    const int toWin = FramesUntil(h, StateLevelDone);
    h.window.KeyUp(Key::Right);
    ASSERT_GT(toWin, 0);
    World& w = h.W();
    EXPECT_EQ(h.CurrentLevel(), 13);
    EXPECT_EQ(h.Players().WorkingProgress[0], "13");
    EXPECT_EQ(h.Players().WorkingProgress[12], "1");
    EXPECT_EQ(CountCues(h, "cheer"), 1);
    // The win is written at once, not only at the end of the program.
    auto progress = ReadTextList(FindFileNoCase(h.home + "/CompLevels1.Txt"));
    ASSERT_TRUE(progress);
    EXPECT_EQ((*progress)[0], "13");
    EXPECT_EQ((*progress)[12], "1");

    // The border spawn was still running in the winning frame and took its
    // step there, so the pace counter starts the wipe from 0: the first ring
    // comes on the eighth frame of the wipe.
    EXPECT_EQ(w.PaceCounter, 0);
    h.Frames(7);
    EXPECT_EQ(w.WipeRing, 0);
    const bool toggleBefore = w.ExplosionToggle;
    const int firstFragment = w.ActorCount;
    h.Frames(1);
    ASSERT_EQ(w.WipeRing, 1);
    // Ring 1 around the book in column 3, row 1: columns 4 and 2 in full
    // (all twelve rows, but the emptied cell 18) and one cell above and one
    // below the book.
    const int made = w.ActorCount - firstFragment;
    EXPECT_EQ(made, 12 + 11 + 1 + 1);
    const ActorRecord& f = w.Actors[static_cast<std::size_t>(firstFragment)];
    EXPECT_EQ(f.Kind, DiamondTaken);
    EXPECT_EQ(f.X, 160);
    EXPECT_EQ(f.Y, 0);
    EXPECT_EQ(f.AnimDelay, 3);
    EXPECT_EQ(f.AnimTicks, 16);
    EXPECT_EQ(f.FirstFrame, 6);
    EXPECT_EQ(f.LastFrame, 11);
    EXPECT_EQ(f.Frame, 6);
    EXPECT_EQ(f.MoveLength, 90);
    EXPECT_EQ(f.Dir, toggleBefore ? Dir::Left : Dir::Right);
    EXPECT_EQ(f.Steps, toggleBefore ? StepPairId::FlightDownLeft : StepPairId::FlightDownRight);
    // Fragments alternate sides; a row-7 cell takes the upward flight.
    const ActorRecord& second = w.Actors[static_cast<std::size_t>(firstFragment + 1)];
    EXPECT_EQ(second.Dir, toggleBefore ? Dir::Right : Dir::Left);
    const ActorRecord& row7 = w.Actors[static_cast<std::size_t>(firstFragment + 7)];
    ASSERT_EQ(row7.Y, 280);
    EXPECT_EQ(row7.Steps, row7.Dir == Dir::Left ? StepPairId::FlightUpLeft : StepPairId::FlightUpRight);
    EXPECT_EQ(w.ExplosionToggle, made % 2 == 0 ? toggleBefore : !toggleBefore);
    // A blown cell holds the fragment's diamond code, without a tile.
    EXPECT_EQ(w.Cells[16 * 5 + 4].Content, Diamond);
    EXPECT_EQ(w.Cells[16 * 5 + 4].Tile, 0);
    EXPECT_EQ(w.Cells[3].Content, Diamond);
    EXPECT_EQ(w.Cells[16 * 2 + 3].Content, Diamond);
    EXPECT_EQ(w.Cells[16 * 3 + 3].Content, Earth); // the book's column goes one cell a ring
    EXPECT_EQ(w.Cells[16 * 1 + 5].Content, Earth);
    EXPECT_EQ(w.Cells[19].Content, Book);

    // The map is covered after ring 12 (15 - column 3); the choice follows
    // once the last fragment has flown.
    h.Frames(8 * 11);
    EXPECT_EQ(w.WipeRing, 12);
    EXPECT_EQ(h.State(), StateLevelDone);
    const int rest = FramesUntil(h, StateLevelSelect);
    ASSERT_GT(rest, 0);
    EXPECT_EQ(rest % 8, 0); // only a paced frame ends the wipe
    for (int i = 0; i < w.ActorCount; ++i)
        EXPECT_FALSE(w.Actors[static_cast<std::size_t>(i)].Active &&
                     w.Actors[static_cast<std::size_t>(i)].Kind == DiamondTaken);
    h.Frames(1);
    EXPECT_EQ(h.CurrentLevel(), 13);
    EXPECT_TRUE(h.ScreenLoaded()[StateLevelSelect]);
}

TEST(LevelWon, AFailedSaveIsSaidAtOnceAndShownAtTheEnd) {
    ShellHarness h;
    StartLevel(h, DiamondThenBook(), 12);
    // The folder of the player files has gone since start-up.
    h.Players().Dir = h.home + "/gone";
    ::testing::internal::CaptureStderr();
    h.window.KeyDown(Key::Right);
    ASSERT_GT(FramesUntil(h, StateLevelDone), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Gravlin: not saved: cannot create " + h.home + "/gone/CompLevels1.Txt"), std::string::npos)
        << said;
    EXPECT_EQ(h.form.ShutdownErrors().size(), 11u);
    EXPECT_TRUE(h.window.LastError.empty()); // no box in the middle of the game

    // The save at the end fails too: the box says what and where.
    ::testing::internal::CaptureStderr();
    h.form.FormDestroy();
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(h.window.LastError.find("could not all be saved"), std::string::npos) << h.window.LastError;
    EXPECT_NE(h.window.LastError.find(h.home + "/gone/UOptions5.Txt"), std::string::npos) << h.window.LastError;
}

TEST(LevelWon, EscapeEndsTheWipeOnTheNextLevel) {
    ShellHarness h;
    StartLevel(h, DiamondThenBook(), 70);
    h.window.KeyDown(Key::Right);
    ASSERT_GT(FramesUntil(h, StateLevelDone), 0);
    h.window.KeyUp(Key::Right);
    h.Frames(3);
    h.Tap(Key::Escape);
    EXPECT_EQ(h.State(), StateLevelSelect);
    EXPECT_EQ(h.CurrentLevel(), 1); // level 70 won: back to level 1
    EXPECT_EQ(h.Players().WorkingProgress[70], "1");
}

TEST(GameOver, EscapeInPlayLosesTheLifeAndEverythingFliesToTheMiddle) {
    ShellHarness h;
    StartLevel(h, BorderedLevel({{17, PlayerStart}, {100, Rock}, {120, Book}}), 9);
    h.Tap(Key::Escape);
    const int fall = FramesUntil(h, StateGameOver);
    ASSERT_GT(fall, 0);
    World& w = h.W();
    EXPECT_EQ(w.Lives, 0);
    EXPECT_EQ(CountCues(h, "mandie"), 1);
    EXPECT_EQ(CountCues(h, "losegame"), 0);

    // Phase 0: every object becomes a record aimed at (300, 220); nothing is
    // drawn, so the screen keeps the last play frame.
    const Surface lastPlay = h.window.Back();
    const int before = w.ActorCount;
    h.Frames(1);
    EXPECT_EQ(CountCues(h, "losegame"), 1);
    EXPECT_EQ(w.GameOverPhase, 1);
    EXPECT_EQ(h.window.Back().Pixels, lastPlay.Pixels);
    // 52 border cells, 137 earth cells, the rock and the book.
    EXPECT_EQ(w.ActorCount - before, 52 + 137 + 1 + 1);
    for (int cell = 0; cell < MapCellCount; ++cell)
        EXPECT_EQ(w.Cells[static_cast<std::size_t>(cell)].Content, 0) << cell;
    const ActorRecord& corner = w.Actors[static_cast<std::size_t>(before)]; // cell 0 at (0, 0)
    EXPECT_EQ(corner.Kind, CornerTL);
    EXPECT_EQ(corner.Dir, Dir::DownRight);
    const ActorRecord& right = w.Actors[static_cast<std::size_t>(before + 15)]; // cell 15 at (600, 0)
    EXPECT_EQ(right.Dir, Dir::DownLeft);

    // Phase 1: 2 pixels a frame on each axis; the corner at (0, 0) needs 110
    // diagonal frames, then 40 more straight right; the choice follows on
    // the first frame in which nothing moved.
    h.Frames(1);
    EXPECT_EQ(corner.X, 2);
    EXPECT_EQ(corner.Y, 2);
    const int rest = FramesUntil(h, StateLevelSelect);
    ASSERT_GT(rest, 0);
    EXPECT_EQ(CountCues(h, "losegame"), 1);
    for (int i = 0; i < w.ActorCount; ++i) {
        EXPECT_EQ(w.Actors[static_cast<std::size_t>(i)].X, 300);
        EXPECT_EQ(w.Actors[static_cast<std::size_t>(i)].Y, 220);
    }

    // Back on the same level; it starts again with one life.
    EXPECT_EQ(h.CurrentLevel(), 9);
    EXPECT_EQ(w.Lives, 0);
    h.Frames(1);
    h.Tap(Key::Enter);
    EXPECT_EQ(h.State(), StatePlay);
    EXPECT_EQ(h.CurrentLevel(), 9);
    EXPECT_EQ(w.Lives, 1);
    EXPECT_FALSE(w.LoseCuePlayed);
}

TEST(GameOver, TheLastMoverFixesTheFrameOfTheChoice) {
    // The records farthest from the middle decide: a corner at (0, 0) or
    // (600, 440) makes 110 diagonal moves to (220, 220) or (380, 220), then
    // 39 straight ones to within 2 pixels of 300; the frame after those 149
    // puts it on the middle without moving it, and nothing else moves then.
    ShellHarness h;
    StartLevel(h, BorderedLevel({{17, PlayerStart}, {120, Book}}));
    h.Tap(Key::Escape);
    ASSERT_GT(FramesUntil(h, StateGameOver), 0);
    h.Frames(1); // phase 0
    const int frames = FramesUntil(h, StateLevelSelect);
    EXPECT_EQ(frames, 149 + 1);
}

TEST(Players, AKeyTypedBeforeEscapeStaysPendingForTheNextVisit) {
    ShellHarness h;
    h.Players().Roster[1] = "AB";
    h.W().GameState = StatePlayers;
    h.Frames(1); // entry: the counter is 1, the keys are read on its fifth frame
    ASSERT_EQ(h.NameLength()[1], 2);
    h.window.KeyDown(Key::Q); // typed, then Escape held up to the reading
    h.Frames(1);
    h.window.KeyUp(Key::Q);
    h.window.KeyDown(Key::Escape);
    h.Frames(3);
    h.window.KeyUp(Key::Escape);
    ASSERT_EQ(h.State(), StateMenu);
    // Escape's own key-down waits behind Q.
    EXPECT_EQ(h.PendingKeys().Front(), 'Q');
    EXPECT_EQ(h.PendingKeys().Size(), 2u);
    EXPECT_EQ(h.Players().Roster[1], "AB");
    h.Frames(1); // the menu's entry
    h.Tap(Key::Down, 6);
    h.Tap(Key::Enter, 7);
    ASSERT_EQ(h.State(), StatePlayers);
    EXPECT_EQ(h.PendingKeys().Size(), 2u); // Enter came while the menu was loaded
    h.Frames(5);                           // the entry and the first reading frame of the player screen
    EXPECT_EQ(h.Players().Roster[1], "ABQ");
    EXPECT_EQ(h.NameLength()[1], 3);
    h.Frames(5); // Escape's key is taken by the next reading and types nothing
    EXPECT_EQ(h.PendingKeys().Size(), 0u);
    EXPECT_EQ(h.Players().Roster[1], "ABQ");
}

TEST(Players, ANameOfSpacesCountsItsFullLengthOnEntry) {
    ShellHarness h;
    h.Players().Roster[2] = "Z  ";
    h.CurrentPlayer() = 2;
    h.W().GameState = StatePlayers;
    h.Frames(1);
    EXPECT_EQ(h.NameLength()[2], 3); // trailing spaces count
    h.Tap(Key::Backspace, 4);
    EXPECT_EQ(h.Players().Roster[2], "Z  ");
    EXPECT_EQ(h.NameLength()[2], 2);
}

TEST(Players, TheSwitchKeepsEachPlayersWorkingListsAndZeroesLives) {
    ShellHarness h;
    h.W().Lives = 1;
    h.Players().WorkingProgress[0] = "20";
    h.Players().ProgressLists[1][0] = "44";
    h.W().GameState = StatePlayers;
    h.Frames(1);
    h.Tap(Key::Down, 5);
    EXPECT_EQ(h.CurrentPlayer(), 2);
    EXPECT_EQ(h.W().Lives, 0);
    EXPECT_EQ(h.CurrentLevel(), 44);
    EXPECT_EQ(h.Players().ProgressLists[0][0], "20"); // the old player's list was stored
}

TEST(Play, ASpeedKeyRestartsTheLevelAndIsKeptInTheOptionsFile) {
    ShellHarness h;
    StartLevel(h, DiamondThenBook());
    h.window.KeyDown(Key::Right); // a step into the diamond, then F7 at rest
    h.Frames(1);
    h.window.KeyUp(Key::Right);
    ASSERT_EQ(h.W().CollectedCount, 1);
    h.Frames(12);
    h.Tap(Key::F7);
    EXPECT_EQ(h.W().GameSpeed, 6);
    EXPECT_EQ(h.Players().WorkingOptions[0], "6");
    EXPECT_FALSE(h.ScreenLoaded()[StatePlay]);
    h.Frames(1); // prepared afresh: the diamond is back, the player at the start
    EXPECT_EQ(h.W().CollectedCount, 0);
    EXPECT_FALSE(h.W().EndPhase);
    EXPECT_EQ(h.W().Cells[18].Content, Diamond);
    EXPECT_EQ(h.W().Player.PlayerCell, 17);
    EXPECT_EQ(h.W().Lives, 1);
    h.form.FormDestroy();
    auto options = ReadTextList(FindFileNoCase(h.home + "/UOptions1.Txt"));
    ASSERT_TRUE(options);
    EXPECT_EQ(*options, (TextList{"6", "ON", "ON"}));
}

TEST(Players, TrailingSpacesOfANameStayInTheRosterFile) {
    ShellHarness h;
    h.W().GameState = StatePlayers;
    h.Frames(1);
    for (int i = 0; i < 3; ++i) h.Tap(Key::Backspace, 5);
    h.Tap(Key::X, 5);
    EXPECT_EQ(h.Players().Roster[1], "Name X  ");
    h.form.FormDestroy();
    auto roster = ReadTextList(FindFileNoCase(h.home + "/Players.txt"));
    ASSERT_TRUE(roster);
    ASSERT_EQ(roster->size(), 6u);
    EXPECT_EQ((*roster)[1], "Name X  ");
}

} // namespace
} // namespace gravlin
