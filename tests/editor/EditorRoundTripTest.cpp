// A level made in the editor of a game whose maps folder cannot be written
// is saved in the player's own level folder, and the game plays and wins it
// as level 61 from there (through the replay runner, whose --home is the
// player's folder).

#include "EditorFixture.h"
#include "common/TextLists.h"

#include <cstdlib>
#include <filesystem>

namespace gravlin {
namespace {

using EditorRoundTripTest = EditorTest;

TEST_F(EditorRoundTripTest, ALevelSavedInThePlayersFolderIsPlayedAndWonByTheGame) {
    // The game's maps folder cannot be written (tests run as root, so it is
    // not a folder at all).
    std::filesystem::remove_all(MapsDir);
    ASSERT_TRUE(WriteFileAtomic(AppDir + "/maps", "not a folder"));
    TfrmMain& f = Start();
    EXPECT_EQ(f.MapsDir, UserMapsDir);
    f.btnNewClick();
    Choose(PlayerStart);
    PaintAt(1, 1);
    Choose(Diamond);
    PaintAt(2, 1);
    Choose(Book);
    PaintAt(3, 1);
    dialogs.SaveChoices.push_back(UserMapsDir + "Level061.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    // The dialog started in the player's folder and offered both.
    EXPECT_EQ(dialogs.Log.back(), "save dialog in " + UserMapsDir);
    EXPECT_EQ(dialogs.Places, (std::vector<std::string>{AppDir + "/maps/", UserMapsDir}));
    // Save goes to the same place.
    Choose(Earth);
    PaintAt(5, 5);
    ASSERT_TRUE(f.btnSaveClick());
    EXPECT_EQ(ReadTextList(UserMapsDir + "Level061.bkg")->at(5 * 16 + 5), "1");

    // Right takes the diamond, which opens the book; going on enters it.
    const std::string script = AppDir + "/win.rpl";
    ASSERT_TRUE(WriteTextList(script, {"1 +Right"}));
    const std::string command = "'" GRAVLIN_GAME_DIR "/gravlin-replay' --data '" GRAVLIN_GAME_DIR "' --home '" +
                                AppDir + "/data/gravlin' --level 61 --expect won '" + script + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

} // namespace
} // namespace gravlin
