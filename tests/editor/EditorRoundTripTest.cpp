// A level made in the editor and saved as Level061.bkg is played and won by
// the game, through the replay runner.

#include "EditorFixture.h"
#include "common/TextLists.h"

#include <cstdlib>
#include <filesystem>

namespace gravlin {
namespace {

using EditorRoundTripTest = EditorTest;

TEST_F(EditorRoundTripTest, ALevelSavedAsLevel061IsPlayedAndWonByTheGame) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(PlayerStart);
    PaintAt(1, 1);
    Choose(Diamond);
    PaintAt(2, 1);
    Choose(Book);
    PaintAt(3, 1);
    dialogs.SaveChoices.push_back(MapsDir + "Level061.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());

    // The game folder: a copy of the built one with the editor's level in it.
    namespace fs = std::filesystem;
    fs::path game = fs::path(AppDir) / "game";
    fs::copy(GRAVLIN_GAME_DIR, game, fs::copy_options::recursive);
    fs::copy_file(MapsDir + "Level061.bkg", game / "maps" / "Level061.bkg", fs::copy_options::overwrite_existing);
    fs::create_directories(game / "home");

    // Right takes the diamond, which opens the book; going on enters it.
    const std::string script = (game / "win.rpl").string();
    ASSERT_TRUE(WriteTextList(script, {"1 +Right"}));
    const std::string command = "'" + (game / "gravlin-replay").string() + "' --data '" + game.string() + "' --home '" +
                                (game / "home").string() + "' --level 61 --expect won '" + script + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

} // namespace
} // namespace gravlin
