// Whole games through the replay runner, from the title as a player starts
// the game: golden pictures of every screen, a level won up to the next
// level on the choice, and a game lost and started again.

#include "Golden.h"
#include "Replay.h"
#include "ShellHarness.h"
#include "common/Files.h"
#include "common/TextLists.h"
#include "presentation/Bmp.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace gravlin {
namespace {

namespace fs = std::filesystem;

// A game folder whose level 61 is a small level with a known solution: the
// player in cell 17, a diamond in cell 18 and the book in cell 19, earth
// everywhere else inside the border. The pictures and sounds are the built
// game's.
struct SmallGameFolder {
    std::string dir = testing::FreshFolder("game");
    SmallGameFolder() {
        fs::create_directory_symlink(fs::path(GRAVLIN_GAME_DIR) / "Surfaces", fs::path(dir) / "Surfaces");
        fs::create_directory_symlink(fs::path(GRAVLIN_GAME_DIR) / "Sounds", fs::path(dir) / "Sounds");
        fs::create_directories(fs::path(dir) / "maps");
        for (const auto& entry : fs::directory_iterator(fs::path(GRAVLIN_GAME_DIR) / "maps"))
            if (entry.path().filename().string().rfind("Level061", 0) != 0)
                fs::copy_file(entry.path(), fs::path(dir) / "maps" / entry.path().filename());
        TextList lines(MapCellCount, std::to_string(BorderWall));
        lines[0] = std::to_string(CornerTL);
        lines[15] = std::to_string(CornerTR);
        lines[176] = std::to_string(CornerBL);
        lines[191] = std::to_string(CornerBR);
        for (int r = 1; r <= 10; ++r)
            for (int c = 1; c <= 14; ++c) lines[static_cast<std::size_t>(r * 16 + c)] = std::to_string(Earth);
        lines[17] = std::to_string(PlayerStart);
        lines[18] = std::to_string(Diamond);
        lines[19] = std::to_string(Book);
        WriteTextList(dir + "/maps/Level061.bkg", lines);
    }
    ~SmallGameFolder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

// From the title to play on level 61: Enter to the help page (frame 1) and
// the menu (frame 3), Enter held until the menu's first reading (frame 9)
// chooses the first item, the level choice opens on frame 10 and reads the
// keys every fourth frame: Up at frame 13 (level 57), Right at 17, 21, 25
// and 29 (level 61); Enter on frame 31 starts the level.
std::vector<ScriptEvent> ToLevel61() {
    return {{1, Key::Enter, true},  {2, Key::Enter, false}, {3, Key::Enter, true},  {10, Key::Enter, false},
            {11, Key::Up, true},    {14, Key::Up, false},   {15, Key::Right, true}, {30, Key::Right, false},
            {31, Key::Enter, true}, {32, Key::Enter, false}};
}

// One run of the small game with a fresh player folder, which is kept
// afterwards for the files the run wrote (`Home`).
struct GameRun {
    ReplayResult Result;
    std::string Home = testing::FreshFolder("home");
    GameRun(const SmallGameFolder& game, const std::vector<ScriptEvent>& script, std::optional<int> frames = {},
            std::vector<std::pair<int, std::string>> dumps = {}) {
        ReplayOptions o;
        o.DataDir = game.dir;
        o.HomeDir = Home;
        o.State = true;
        o.Script = script;
        o.Frames = frames;
        for (auto& [frame, name] : dumps) o.Dumps.emplace_back(frame, Home + "/" + name);
        Result = RunReplay(o);
    }
    ~GameRun() {
        std::error_code ec;
        fs::remove_all(Home, ec);
    }
    const ReplayState& State() const { return Result.State; }
};

// The cues a run played, as [frame, name] pairs.
using Cues = std::vector<std::pair<int, std::string>>;

TextList ReadPlayerFile(const std::string& home, const std::string& name) {
    auto lines = ReadTextList(FindFileNoCase(home + "/" + name));
    return lines ? *lines : TextList{};
}

TEST(GoldenScreens, EveryScreenFromTheTitleToPlay) {
    // Through every screen on the built game, with the default players:
    // title (frame 0), help (2), menu on its first item (5) and on the
    // second (10), the player choice (18), the level choice on level 1 (30)
    // and the first frame of level 1 (31).
    const std::string out = testing::FreshFolder("golden");
    ReplayOptions o;
    o.DataDir = GRAVLIN_GAME_DIR;
    o.HomeDir = testing::FreshFolder("golden-home");
    o.Frames = 32;
    o.Script = {{1, Key::Enter, true},   {2, Key::Enter, false},   {3, Key::Enter, true},  {4, Key::Enter, false},
                {5, Key::Down, true},    {10, Key::Down, false},   {14, Key::Enter, true}, {17, Key::Enter, false},
                {19, Key::Escape, true}, {22, Key::Escape, false}, {24, Key::Enter, true}, {29, Key::Enter, false},
                {31, Key::Enter, true},  {32, Key::Enter, false}};
    const std::pair<int, const char*> screens[] = {{0, "title"},       {2, "help"},     {5, "menu-item1"},
                                                   {10, "menu-item2"}, {18, "players"}, {30, "level-choice"},
                                                   {31, "play-first"}};
    for (const auto& [frame, name] : screens) o.Dumps.emplace_back(frame, out + "/" + name + ".bmp");
    ReplayResult r = RunReplay(o);
    ASSERT_TRUE(r.Error.empty()) << r.Error;
    for (const auto& [frame, name] : screens) {
        std::string error;
        auto shot = ReadBmpFile(out + "/" + name + ".bmp", &error);
        ASSERT_TRUE(shot) << error;
        EXPECT_TRUE(testing::MatchesGolden(name, shot->Pixels, shot->Colours)) << "frame " << frame;
    }
    fs::remove_all(out);
    fs::remove_all(o.HomeDir);
}

TEST(GoldenScreens, RunLengthPicturesReadBackExactly) {
    Surface s(640, 480);
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[static_cast<std::size_t>(i)] = Rgb{static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)};
    // Long runs, single pixels, pairs, stretches of odd and even length and a
    // row of noise longer than one absolute run.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            std::uint8_t v =
                static_cast<std::uint8_t>(y % 7 == 0 ? (x * 31 + y) % 251 : (x / (1 + y % 5)) % 3 + (y & 1));
            s.Set(x, y, v);
        }
    std::string error;
    auto back = DecodeBmp(testing::EncodeBmpRle8(s, p), &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->Pixels.Pixels, s.Pixels);
    EXPECT_EQ(back->Colours, p);
}

TEST(WholeGame, ALevelWonFromTheTitleLandsOnTheNextLevelAndIsKept) {
    SmallGameFolder game;
    // Right from frame 33: the diamond is taken at once (the book opens and
    // the first border monster rises), the player walks into the open book
    // and the level is won on frame 53.
    auto script = ToLevel61();
    script.push_back({33, Key::Right, true});
    script.push_back({60, Key::Right, false});

    // Up to the win: the runner stops on the won frame.
    GameRun won(game, script);
    ASSERT_TRUE(won.Result.Error.empty()) << won.Result.Error;
    EXPECT_EQ(won.Result.Outcome, ReplayOutcome::Won);
    EXPECT_EQ(won.Result.Frames, 54);
    EXPECT_EQ(won.State().Shell.GameState, StateLevelDone);
    EXPECT_EQ(won.State().Shell.CurrentLevel, 62);
    // The rising call sounds on spawn steps made while the actor count is
    // even: not for the first monster (the diamond's record makes it odd),
    // but for the second, twelve frames later.
    EXPECT_EQ(won.State().Cues, (Cues{{33, "dia222"}, {45, "monster2"}, {53, "cheer"}}));

    // The wipe: the border spawn took its step in the winning frame, so the
    // first ring comes on the eighth frame of the wipe (frame 61) and blows
    // up the column right of the book first, from the top.
    GameRun before(game, script, 61);
    EXPECT_EQ(before.State().Shell.GameState, StateLevelDone);
    EXPECT_EQ(before.State().Content[4], BorderWall);
    GameRun ring1(game, script, 62);
    EXPECT_EQ(ring1.State().Shell.GameState, StateLevelDone);
    EXPECT_EQ(ring1.State().Content[4], Diamond);
    EXPECT_EQ(ring1.State().Tile[4], 0);
    EXPECT_EQ(ring1.State().Content[21], Earth); // two columns away: the next ring

    // The map is covered after ring 13; the fragments of ring 12 (frame
    // 149) fly 45 frames, so the paced frame of ring 18 (frame 197) is the
    // first without one and goes to the level choice. On frame 80 the
    // fragments of rings 1 and 2 are in flight.
    GameRun last(game, script, 197, {{80, "wipe.bmp"}});
    EXPECT_EQ(last.State().Shell.GameState, StateLevelDone);
    {
        auto shot = ReadBmpFile(last.Home + "/wipe.bmp", nullptr);
        ASSERT_TRUE(shot);
        EXPECT_TRUE(testing::MatchesGolden("wipe", shot->Pixels, shot->Colours));
    }
    GameRun choice(game, script, 199, {{198, "choice.bmp"}});
    ASSERT_TRUE(choice.Result.Error.empty()) << choice.Result.Error;
    EXPECT_EQ(choice.State().Shell.GameState, StateLevelSelect);
    EXPECT_EQ(choice.State().Shell.CurrentLevel, 62);
    EXPECT_EQ(choice.State().Shell.Lives, 1);
    const TextList progress = ReadPlayerFile(choice.Home, "CompLevels1.Txt");
    ASSERT_EQ(progress.size(), 71u);
    EXPECT_EQ(progress[0], "62");
    EXPECT_EQ(progress[61], "1");
    EXPECT_EQ(progress[60], "0");
    {
        auto shot = ReadBmpFile(choice.Home + "/choice.bmp", nullptr);
        ASSERT_TRUE(shot);
        EXPECT_TRUE(testing::MatchesGolden("level-choice-after-win", shot->Pixels, shot->Colours));
    }
}

TEST(WholeGame, TheWinIsWrittenBeforeTheProgramEnds) {
    // The progress of a won level is on disk in the won frame itself: a
    // harness that never shuts the game down still finds it.
    SmallGameFolder game;
    testing::ShellHarness h(game.dir);
    h.Players().WorkingProgress[0] = "61";
    h.W().GameState = StateLevelSelect;
    h.Frames(1);
    h.Tap(Key::Enter);
    h.window.KeyDown(Key::Right);
    for (int i = 0; i < 100 && h.State() != StateLevelDone; ++i) h.Frames(1);
    ASSERT_EQ(h.State(), StateLevelDone);
    const TextList progress = ReadPlayerFile(h.home, "CompLevels1.Txt");
    ASSERT_EQ(progress.size(), 71u);
    EXPECT_EQ(progress[0], "62");
    EXPECT_EQ(progress[61], "1");
    EXPECT_FALSE(ReadPlayerFile(h.home, "Players.txt").empty());
}

TEST(WholeGame, ALostGameLandsOnTheSameLevelAndStartsAgainWithOneLife) {
    SmallGameFolder game;
    // Escape in play on frame 33: the player falls 440 pixels at 2 a frame,
    // so the game is over on frame 252.
    auto script = ToLevel61();
    script.push_back({33, Key::Escape, true});
    script.push_back({34, Key::Escape, false});
    GameRun lost(game, script);
    ASSERT_TRUE(lost.Result.Error.empty()) << lost.Result.Error;
    EXPECT_EQ(lost.Result.Outcome, ReplayOutcome::Lost);
    EXPECT_EQ(lost.Result.Frames, 253);
    EXPECT_EQ(lost.State().Shell.Lives, 0);
    EXPECT_EQ(lost.State().Cues, (Cues{{33, "mandie"}}));

    // Frame 253 lifts everything off the map and plays the lose cue; from
    // frame 254 on every object moves 2 pixels a frame towards (300, 220):
    // the corners need 149 frames, and frame 403, in which nothing moves,
    // goes to the level choice.
    GameRun still(game, script, 403);
    EXPECT_EQ(still.State().Shell.GameState, StateGameOver);
    const Cues& stillCues = still.State().Cues;
    EXPECT_NE(std::find(stillCues.begin(), stillCues.end(), std::make_pair(253, std::string("losegame"))),
              stillCues.end());
    GameRun over(game, script, 404);
    EXPECT_EQ(over.State().Shell.GameState, StateLevelSelect);
    EXPECT_EQ(over.State().Shell.CurrentLevel, 61);
    EXPECT_EQ(over.State().Shell.Lives, 0);

    // Enter on the level choice starts the same level with one life again.
    script.push_back({410, Key::Enter, true});
    script.push_back({411, Key::Enter, false});
    GameRun again(game, script, 412);
    ASSERT_TRUE(again.Result.Error.empty()) << again.Result.Error;
    EXPECT_EQ(again.State().Shell.GameState, StatePlay);
    EXPECT_EQ(again.State().Shell.CurrentLevel, 61);
    EXPECT_EQ(again.State().Shell.Lives, 1);
    EXPECT_EQ(again.State().Player.PlayerCell, 17);
    const TextList progress = ReadPlayerFile(again.Home, "CompLevels1.Txt");
    ASSERT_EQ(progress.size(), 71u);
    EXPECT_EQ(progress[0], "61");
    EXPECT_EQ(progress[61], "0");
}

} // namespace
} // namespace gravlin
