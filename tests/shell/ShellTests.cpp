// The main window's state machine, screens and menus, run headless over the
// built game folder.

#include "ShellHarness.h"
#include "common/Files.h"
#include "common/TextLists.h"
#include "presentation/Bmp.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace gravlin {
namespace {

using testing::ShellHarness;

TEST(StartUp, StartsOnTheTitleWithTheDefaults) {
    ShellHarness h;
    ASSERT_TRUE(h.form.FatalError().empty()) << h.form.FatalError();
    EXPECT_EQ(h.State(), StateIntro);
    EXPECT_EQ(h.CurrentPlayer(), 1);
    EXPECT_EQ(h.W().GameSpeed, 4);
    EXPECT_EQ(h.W().Lives, 0);
    EXPECT_TRUE(h.W().ExplosionToggle);
    EXPECT_EQ(h.Cues().MonsterStepCount, 99);
    EXPECT_EQ(h.TilesPerRow(), 16);
}

TEST(StartUp, ASaveKilledHalfWayLeavesNothingBehind) {
    // A save killed after writing its temporary file and before the rename:
    // the temporary of the dead process stays, the old file is whole.
    const std::string home = testing::FreshFolder("killed");
    ASSERT_TRUE(WriteTextList(home + "/Players.txt", {"2", "A", "B", "C", "D", "E"}));
    const pid_t child = ::fork();
    if (child == 0) {
        std::ofstream(home + "/Players.txt.tmp" + std::to_string(::getpid())) << "1\r\nHalf";
        ::_exit(0);
    }
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const std::string stale = home + "/Players.txt.tmp" + std::to_string(child);
    const std::string running = home + "/UOptions1.Txt.tmp" + std::to_string(::getpid());
    std::ofstream(running) << "a save in progress";
    ASSERT_TRUE(std::filesystem::exists(stale));

    HeadlessWindow window;
    SilentAudio audio;
    TfrmMain form(window, audio, ShellOptions{GRAVLIN_GAME_DIR, home, 1u});
    form.FormCreate();
    window.PumpMessages(form);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(running)); // its process still runs
    EXPECT_EQ(form.Roster()[1], "A");
    std::filesystem::remove_all(home);
}

TEST(StartUp, SecondActivationRunsNoStartUp) {
    ShellHarness h;
    h.W().GameState = StateMenu;
    h.CurrentPlayer() = 3;
    h.form.FormActivate();
    EXPECT_EQ(h.State(), StateMenu);
    EXPECT_EQ(h.CurrentPlayer(), 3);
}

TEST(StartUp, MissingHeaderIsReportedAndPlayerFilesAreLeftAlone) {
    std::string app = testing::FreshFolder("app");
    std::filesystem::create_directories(app + "/Surfaces");
    ShellHarness h(app);
    EXPECT_TRUE(h.form.Terminated());
    EXPECT_NE(h.form.FatalError().find("All256.hdr"), std::string::npos);
    h.form.FormDestroy();
    EXPECT_FALSE(std::filesystem::exists(h.home + "/Players.txt"));
    std::filesystem::remove_all(app);
}

TEST(StartUp, MissingPictureOrSoundLibraryIsReportedByName) {
    for (const char* missing : {"Surfaces/Help256.DIB", "Sounds/Soundlib.dxw", "Sounds/Bass2.wav"}) {
        std::string app = testing::FreshFolder("app");
        std::filesystem::copy(GRAVLIN_GAME_DIR "/Surfaces", app + "/Surfaces");
        std::filesystem::copy(GRAVLIN_GAME_DIR "/Sounds", app + "/Sounds");
        std::filesystem::copy(GRAVLIN_GAME_DIR "/maps", app + "/maps");
        std::filesystem::remove(app + "/" + missing);
        ShellHarness h(app);
        EXPECT_TRUE(h.form.Terminated()) << missing;
        EXPECT_NE(h.form.FatalError().find(std::filesystem::path(missing).filename().string()), std::string::npos)
            << h.form.FatalError();
        std::filesystem::remove_all(app);
    }
}

TEST(Transitions, EnterLeadsFromTitleToHelpToMenu) {
    ShellHarness h;
    h.Frames(2);
    h.Tap(Key::Enter);
    EXPECT_EQ(h.State(), StateHelp);
    h.Frames(1);
    h.Tap(Key::Space);
    EXPECT_EQ(h.State(), StateMenu);
}

TEST(Transitions, EscapeOnTheTitleEndsTheProgramAndWritesThePlayerFiles) {
    ShellHarness h;
    h.Frames(1);
    h.Tap(Key::Escape);
    EXPECT_TRUE(h.form.Terminated());
    h.form.FormDestroy();
    EXPECT_TRUE(std::filesystem::exists(FindFileNoCase(h.home + "/Players.txt")));
}

TEST(Transitions, EnterAndSpaceDoNothingThroughTheKeyHandlerElsewhere) {
    ShellHarness h;
    for (int state : {StateMenu, StatePlayers, StatePlay, StateLevelDone, StateGameOver}) {
        h.W().GameState = state;
        h.form.FormKeyDown(13);
        h.form.FormKeyDown(32);
        EXPECT_EQ(h.State(), state);
    }
}

TEST(Transitions, EscapeDuringTheWipeGoesToTheLevelChoice) {
    ShellHarness h;
    h.W().GameState = StateLevelDone;
    h.form.FormKeyDown(27);
    EXPECT_EQ(h.State(), StateLevelSelect);
    h.W().GameState = StatePlay;
    h.form.FormKeyDown(27);
    EXPECT_EQ(h.State(), StatePlay);
}

TEST(Transitions, EnterOnALevelWithoutDataStaysOnTheLevelChoice) {
    ShellHarness h;
    // Levels above 60 are read from their own files: with none in the
    // folder, level 69 has no data.
    std::string empty = testing::FreshFolder("maps");
    h.Levels().MapsDir = empty + "/";
    h.W().GameState = StateLevelSelect;
    h.Players().WorkingProgress[0] = "69";
    h.Frames(1);
    ASSERT_EQ(h.CurrentLevel(), 69);
    EXPECT_FALSE(h.LevelPlayable());
    h.Tap(Key::Enter);
    EXPECT_EQ(h.State(), StateLevelSelect);
}

TEST(Menu, HeldEnterFromHelpSelectsTheFirstItemSevenFramesLater) {
    ShellHarness h;
    h.W().GameState = StateHelp;
    h.Frames(1);
    h.window.KeyDown(Key::Enter); // goes to the menu and stays held
    h.Frames(1);                  // the menu's first frame
    ASSERT_EQ(h.State(), StateMenu);
    h.Frames(5);
    EXPECT_EQ(h.State(), StateMenu);
    h.Frames(1); // the seventh menu frame is the first that reads the keys
    EXPECT_EQ(h.State(), StateLevelSelect);
}

TEST(Menu, UpAndDownWrapAround) {
    ShellHarness h;
    h.W().GameState = StateMenu;
    h.Frames(1);
    EXPECT_EQ(h.MenuChoice(), 1);
    h.Tap(Key::Up, 6); // read on the seventh menu frame
    EXPECT_EQ(h.MenuChoice(), 3);
    EXPECT_EQ(h.MenuItemImage(), (std::array<int, 3>{20, 7, 9})); // drawn before the reading
    h.Frames(1);
    EXPECT_EQ(h.MenuItemImage(), (std::array<int, 3>{21, 7, 8}));
    h.Tap(Key::Down, 7);
    EXPECT_EQ(h.MenuChoice(), 1);
}

TEST(Menu, QuitItemEndsTheProgram) {
    ShellHarness h;
    h.W().GameState = StateMenu;
    h.Frames(1);
    h.Tap(Key::Up, 7);
    h.Tap(Key::Enter, 7);
    EXPECT_TRUE(h.form.Terminated());
}

TEST(LevelChoice, MovesWrapAroundTheSeventySquares) {
    ShellHarness h;
    h.W().GameState = StateLevelSelect;
    h.Frames(1);
    ASSERT_EQ(h.CurrentLevel(), 1);
    h.Tap(Key::Up, 4);
    EXPECT_EQ(h.CurrentLevel(), 57);
    h.CurrentLevel() = 70;
    h.Tap(Key::Down, 4);
    EXPECT_EQ(h.CurrentLevel(), 14);
    h.CurrentLevel() = 1;
    h.Tap(Key::Left, 4);
    EXPECT_EQ(h.CurrentLevel(), 70);
    h.Tap(Key::Right, 4);
    EXPECT_EQ(h.CurrentLevel(), 1);
}

TEST(LevelChoice, TabCyclesThePlayersAndShowsEachOnesLevel) {
    ShellHarness h;
    h.Players().ProgressLists[2][0] = "33"; // player 3 is on level 33
    h.W().GameState = StateLevelSelect;
    h.Frames(1);
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        h.Tap(Key::Tab, 4);
        h.Frames(1); // the choice enters again for the new player
        seen.push_back(h.CurrentPlayer());
        if (h.CurrentPlayer() == 3) {
            EXPECT_EQ(h.CurrentLevel(), 33);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 1}));
}

TEST(Players, NameEntryTakesCapitalsUpToEightAndBackspace) {
    ShellHarness h;
    h.W().GameState = StatePlayers;
    h.Frames(1);
    std::string& name = h.Players().Roster[1];
    // Erase the default name completely, then once more on the empty name.
    for (int i = 0; i < 9; ++i) h.Tap(Key::Backspace, 5);
    EXPECT_EQ(h.NameLength()[1], 0);
    EXPECT_EQ(name, "        ");
    for (Key k : {Key::A, Key::B, Key::C, Key::D, Key::E, Key::F, Key::G, Key::H, Key::I}) h.Tap(k, 5);
    EXPECT_EQ(name, "ABCDEFGH");
    EXPECT_EQ(h.NameLength()[1], 8);
}

TEST(Players, DownChoosesTheNextPlayer) {
    ShellHarness h;
    h.W().GameState = StatePlayers;
    h.Frames(1);
    h.Tap(Key::Down, 5);
    EXPECT_EQ(h.CurrentPlayer(), 2);
    h.Tap(Key::Up, 5);
    h.Tap(Key::Up, 5);
    EXPECT_EQ(h.CurrentPlayer(), 5);
}

TEST(Display, RestoreReloadsThePictureOfTitleHelpChoiceAndPlayOnly) {
    ShellHarness h;
    auto picture = [&](const char* name) {
        auto p = ReadBmpFile(std::string(GRAVLIN_GAME_DIR) + "/Surfaces/" + name, nullptr);
        EXPECT_TRUE(p);
        return p ? p->Pixels.Pixels : std::vector<std::uint8_t>{};
    };
    h.W().GameState = StateMenu;
    h.Frames(1);
    ASSERT_EQ(h.Sheet().Pixels, picture("Userbits.DIB"));
    // In the menu the restore reloads nothing: the recreated sheet stays
    // blank until a screen that loads a picture is entered.
    h.window.LoseSurfaces();
    h.Frames(1);
    EXPECT_EQ(h.Sheet().Pixels, std::vector<std::uint8_t>(640 * 480, 0));
    const std::pair<int, const char*> reloaded[] = {{StateIntro, "All256Intro.DIB"},
                                                    {StateHelp, "Help256.DIB"},
                                                    {StateLevelSelect, "VsAll256.DIB"},
                                                    {StatePlay, "All256.DIB"}};
    for (const auto& [state, name] : reloaded) {
        h.W().GameState = state;
        h.Sheet().Fill(7);
        h.form.DXDrawRestoreSurface();
        EXPECT_EQ(h.Sheet().Pixels, picture(name)) << name;
    }
}

} // namespace
} // namespace gravlin
