// New, Open, Save, Save As and closing: the prompts, the checks before a
// save, what is written where, and that no answer of the user loses a map.

#include "EditorFixture.h"
#include "world/CellCodes.h"
#include "world/LevelFiles.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <filesystem>

namespace gravlin {
namespace {

using EditorFilesTest = EditorTest;

const std::string SavePrompt = "ask: Do you want to save changes befor continuing?";
const std::string ExitPrompt = "ask: Do you want to save changes before exit.?";

TEST_F(EditorFilesTest, NewThenSaveShowsBothMessagesAndWritesNothing) {
    TfrmMain& f = Start();
    f.btnNewClick();
    EXPECT_EQ(f.LevelName, UntitledMarker);
    EXPECT_EQ(f.lblLevelName->text(), "Untitled");
    EXPECT_TRUE(f.iMap->isEnabled());
    EXPECT_FALSE(f.btnSaveClick());
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{"inform: Please put Player on map before continuing.",
                                                     "inform: Please put Book on map before continuing."}));
    EXPECT_TRUE(MapFiles().empty());

    // Before any map exists, Save says so as well.
    Start();
    dialogs.Log.clear();
    EXPECT_FALSE(form->btnSaveAsClick());
    EXPECT_EQ(dialogs.Log.back(), "inform: Please open a map or start a new one before continuing.");
    EXPECT_TRUE(dialogs.SavePresets.empty());
}

TEST_F(EditorFilesTest, SavingANewMapAsksForANameStartingEmpty) {
    TfrmMain& f = Start();
    NewPlayableMap();
    ASSERT_TRUE(f.Modified);
    EXPECT_FALSE(f.btnSaveClick()); // the dialog is cancelled
    EXPECT_EQ(dialogs.SavePresets, (std::vector<std::string>{""}));
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{"save dialog in " + MapsDir}));
    // Cancelling Save As writes nothing and keeps the unsaved state.
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.LevelName, UntitledMarker);
    EXPECT_TRUE(MapFiles().empty());
}

TEST_F(EditorFilesTest, SaveAsReplacesTheChosenExtensionByBkg) {
    TfrmMain& f = Start();
    NewPlayableMap();
    dialogs.SaveChoices.push_back(MapsDir + "trial.txt");
    EXPECT_TRUE(f.btnSaveAsClick());
    EXPECT_EQ(MapFiles(), (std::vector<std::string>{"trial.bkg"}));
    EXPECT_EQ(f.LevelName, "trial");
    EXPECT_EQ(f.lblLevelName->text(), "trial");
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.windowTitle(), "EDITOR - trial");

    // 192 lines with CR LF, the codes in cell order.
    auto bytes = ReadWholeFile(MapsDir + "trial.bkg");
    ASSERT_TRUE(bytes);
    TextList lines = SplitLines(*bytes);
    ASSERT_EQ(lines.size(), 192u);
    EXPECT_EQ(bytes->substr(0, 5), "128\r\n");
    EXPECT_EQ(lines[2 * 16 + 2], "24");
    EXPECT_EQ(lines[9 * 16 + 12], "134");
    EXPECT_EQ(lines[191], "99");

    // Save now writes the same file without asking; the next Save As offers
    // the map's name.
    Choose(Diamond);
    PaintAt(5, 5);
    EXPECT_TRUE(f.btnSaveClick());
    EXPECT_EQ(SplitLines(*ReadWholeFile(MapsDir + "trial.bkg"))[5 * 16 + 5], "6");
    EXPECT_FALSE(f.btnSaveAsClick());
    EXPECT_EQ(dialogs.SavePresets.back(), "trial");
}

TEST_F(EditorFilesTest, SaveAsAsksBeforeReplacingAnotherLevelFile) {
    TfrmMain& f = Start();
    WriteLevel("trial.bkg", 192, 1);
    NewPlayableMap();
    dialogs.SaveChoices.push_back(MapsDir + "trial.txt");
    dialogs.YesNoAnswers.push_back(false);
    EXPECT_FALSE(f.btnSaveAsClick());
    EXPECT_EQ(ReadTextList(MapsDir + "trial.bkg")->at(0), "1");
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(f.LevelName, UntitledMarker);

    dialogs.SaveChoices.push_back(MapsDir + "trial.txt");
    dialogs.YesNoAnswers.push_back(true);
    EXPECT_TRUE(f.btnSaveAsClick());
    EXPECT_EQ(ReadTextList(MapsDir + "trial.bkg")->at(0), "128");
}

TEST_F(EditorFilesTest, OpeningAShortFileChangesOnlyItsCellsThenForcesTheBorder) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    f.btnFillClick();
    TextList lines(100, std::to_string(Diamond));
    lines[40] = "999";
    lines[41] = "-5";
    lines[15] = "3"; // on the border: forced away
    ASSERT_TRUE(WriteTextList(MapsDir + "short.bkg", lines));
    // Whatever extension is chosen, the ".bkg" file of that name is read.
    dialogs.OpenChoices.push_back(MapsDir + "short.txt");
    f.btnOpenClick();
    EXPECT_EQ(f.LevelName, "short");
    EXPECT_FALSE(f.Modified);
    EXPECT_EQ(f.CurrentTile, 0);
    LevelCodes expected;
    for (int i = 0; i < 192; ++i) expected[static_cast<std::size_t>(i)] = i < 100 ? Diamond : Earth;
    expected[40] = 999;
    expected[41] = -5;
    ForceBorderRing(expected);
    EXPECT_EQ(f.MapCodes, expected);
    // The status line says what the file did not set, and what it set that
    // is no cell code.
    EXPECT_EQ(f.StatusMessage, "100 lines: cells 100 to 191 kept from the previous map; 2 codes not in the "
                               "cell-code table: 999 at (8, 2), -5 at (9, 2)");
    EXPECT_EQ(f.iMap->Canvas.pixel(2 * 40 + 5, 2 * 40 + 5), TileColour(Diamond));
    EXPECT_EQ(f.iMap->Canvas.pixel(2 * 40 + 5, 9 * 40 + 5), TileColour(Earth));
    EXPECT_EQ(f.iMap->Canvas.pixel(5, 5), TileColour(CornerTL));
}

TEST_F(EditorFilesTest, ACorruptOrMissingFileIsReportedAndLeavesTheMapAsItWas) {
    TfrmMain& f = Start();
    NewPlayableMap();
    auto codes = f.MapCodes;
    QImage picture = f.iMap->Canvas;

    TextList lines(192, "6");
    lines[40] = "6.5";
    ASSERT_TRUE(WriteTextList(MapsDir + "broken.bkg", lines));
    dialogs.Answers.push_back(PromptAnswer::No);
    dialogs.OpenChoices.push_back(MapsDir + "broken.bkg");
    f.btnOpenClick();
    ASSERT_EQ(dialogs.Log.size(), 3u);
    EXPECT_EQ(dialogs.Log[0], SavePrompt);
    EXPECT_NE(dialogs.Log[2].find("error: "), std::string::npos);
    EXPECT_NE(dialogs.Log[2].find(MapsDir + "broken.bkg"), std::string::npos) << dialogs.Log[2];
    EXPECT_NE(dialogs.Log[2].find("line 41"), std::string::npos) << dialogs.Log[2];
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_EQ(f.iMap->Canvas, picture);
    EXPECT_EQ(f.LevelName, UntitledMarker);
    EXPECT_TRUE(f.Modified);

    dialogs.Log.clear();
    dialogs.Answers.push_back(PromptAnswer::No);
    dialogs.OpenChoices.push_back(MapsDir + "absent.bkg");
    f.btnOpenClick();
    ASSERT_EQ(dialogs.Log.size(), 3u);
    EXPECT_NE(dialogs.Log[2].find("absent.bkg"), std::string::npos);
    EXPECT_EQ(f.MapCodes, codes);

    // Cancelling the open dialog changes nothing either.
    dialogs.Answers.push_back(PromptAnswer::No);
    f.btnOpenClick();
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_TRUE(f.Modified);
}

TEST_F(EditorFilesTest, AYesWhoseSaveFailsStopsNewOpenAndClose) {
    TfrmMain& f = Start();
    f.btnNewClick();
    Choose(Earth);
    PaintAt(4, 4); // no player, no book: the map cannot be saved
    auto codes = f.MapCodes;

    dialogs.Answers.push_back(PromptAnswer::Yes);
    f.btnNewClick();
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{SavePrompt, "inform: Please put Player on map before continuing.",
                                                     "inform: Please put Book on map before continuing."}));
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_TRUE(f.Modified);

    dialogs.Log.clear();
    dialogs.Answers.push_back(PromptAnswer::Yes);
    f.btnOpenClick();
    EXPECT_EQ(dialogs.Log.size(), 3u); // no open dialog
    EXPECT_EQ(f.MapCodes, codes);

    dialogs.Log.clear();
    dialogs.Answers.push_back(PromptAnswer::Yes);
    QCloseEvent event;
    QApplication::sendEvent(&f, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(dialogs.Log[0], ExitPrompt);

    // Cancel stops as well; No goes on and drops the map.
    dialogs.Answers.push_back(PromptAnswer::Cancel);
    f.btnNewClick();
    EXPECT_EQ(f.MapCodes, codes);
    dialogs.Answers.push_back(PromptAnswer::No);
    f.btnNewClick();
    EXPECT_EQ(f.MapCodes[4 * 16 + 4], 0);
    EXPECT_FALSE(f.Modified);
}

TEST_F(EditorFilesTest, AYesWhoseSaveAsIsCancelledStopsNew) {
    TfrmMain& f = Start();
    NewPlayableMap();
    auto codes = f.MapCodes;
    dialogs.Answers.push_back(PromptAnswer::Yes);
    f.btnNewClick(); // Save runs Save As, whose dialog is cancelled
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_TRUE(f.Modified);
    EXPECT_EQ(dialogs.SavePresets.size(), 1u);

    // With a name chosen the map is saved and New goes on.
    dialogs.Answers.push_back(PromptAnswer::Yes);
    dialogs.SaveChoices.push_back(MapsDir + "Level061.bkg");
    f.btnNewClick();
    EXPECT_EQ(MapFiles(), (std::vector<std::string>{"Level061.bkg"}));
    EXPECT_EQ(f.MapCodes[2 * 16 + 2], 0);
    EXPECT_EQ(f.LevelName, UntitledMarker);
}

TEST_F(EditorFilesTest, AWriteFailureIsReportedAndKeepsTheMapUnsaved) {
    TfrmMain& f = Start();
    NewPlayableMap();
    dialogs.SaveChoices.push_back(MapsDir + "Level061.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    Choose(Rock);
    PaintAt(6, 6);

    // The maps folder turns into a file: nothing can be written there.
    QDir(QString::fromStdString(MapsDir)).removeRecursively();
    ASSERT_TRUE(WriteFileAtomic(AppDir + "/maps", "not a folder"));
    dialogs.Log.clear();
    EXPECT_FALSE(f.btnSaveClick());
    ASSERT_EQ(dialogs.Log.size(), 1u);
    EXPECT_EQ(dialogs.Log[0].rfind("error: ", 0), 0u);
    EXPECT_NE(dialogs.Log[0].find("Level061.bkg"), std::string::npos) << dialogs.Log[0];
    EXPECT_TRUE(f.Modified);

    // Closing with Yes keeps the window open when the save fails.
    dialogs.Answers.push_back(PromptAnswer::Yes);
    EXPECT_FALSE(f.FormClose());
    dialogs.Answers.push_back(PromptAnswer::No);
    EXPECT_TRUE(f.FormClose());
}

TEST_F(EditorFilesTest, SavingKeepsTheFilesPermissionsAndWritesThroughALink) {
    namespace fs = std::filesystem;
    TfrmMain& f = Start();
    NewPlayableMap();
    dialogs.SaveChoices.push_back(MapsDir + "Level061.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    // A level kept private stays private after the next save.
    fs::permissions(MapsDir + "Level061.bkg", fs::perms::owner_read | fs::perms::owner_write);
    Choose(Rock);
    PaintAt(6, 6);
    ASSERT_TRUE(f.btnSaveClick());
    EXPECT_EQ(fs::status(MapsDir + "Level061.bkg").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadTextList(MapsDir + "Level061.bkg")->at(6 * 16 + 6), "77");

    // Level062.bkg is a link to a level kept elsewhere: saving writes that
    // level, and the link stays a link.
    fs::create_directories(AppDir + "/mine");
    WriteLevel("../mine/kept.bkg", 192, 1);
    fs::create_symlink("../mine/kept.bkg", MapsDir + "Level062.bkg");
    dialogs.OpenChoices.push_back(MapsDir + "Level062.bkg");
    f.btnOpenClick();
    ASSERT_EQ(f.LevelName, "Level062");
    Choose(PlayerStart);
    PaintAt(2, 2);
    Choose(Book);
    PaintAt(12, 9);
    ASSERT_TRUE(f.btnSaveClick());
    EXPECT_TRUE(fs::is_symlink(MapsDir + "Level062.bkg"));
    EXPECT_EQ(ReadTextList(AppDir + "/mine/kept.bkg")->at(2 * 16 + 2), "24");
}

TEST_F(EditorFilesTest, SaveAsksBeforeReplacingAnotherFileOfTheSameName) {
    TfrmMain& f = Start();
    // A level kept elsewhere, and a different level of its name in the maps
    // folder.
    QDir().mkpath(QString::fromStdString(AppDir + "/elsewhere"));
    WriteLevel("../elsewhere/Level063.bkg", 192, Earth);
    WriteLevel("Level063.bkg", 192, Diamond);
    dialogs.OpenChoices.push_back(AppDir + "/elsewhere/Level063.bkg");
    f.btnOpenClick();
    Choose(PlayerStart);
    PaintAt(2, 2);
    Choose(Book);
    PaintAt(12, 9);

    // Cancel: nothing is written and the map stays unsaved.
    dialogs.Log.clear();
    dialogs.Answers.push_back(PromptAnswer::Cancel);
    EXPECT_FALSE(f.btnSaveClick());
    ASSERT_EQ(dialogs.Log.size(), 1u);
    EXPECT_NE(dialogs.Log[0].find(MapsDir + "Level063.bkg"), std::string::npos) << dialogs.Log[0];
    EXPECT_NE(dialogs.Log[0].find(AppDir + "/elsewhere/Level063.bkg"), std::string::npos) << dialogs.Log[0];
    EXPECT_EQ(ReadTextList(MapsDir + "Level063.bkg")->at(20), "6");
    EXPECT_TRUE(f.Modified);
    // No: Save As opens (here cancelled).
    dialogs.Answers.push_back(PromptAnswer::No);
    EXPECT_FALSE(f.btnSaveClick());
    EXPECT_EQ(dialogs.Log.back(), "save dialog in " + MapsDir);
    EXPECT_EQ(ReadTextList(MapsDir + "Level063.bkg")->at(20), "6");
    // Yes replaces it; from then on the map is that file and Save asks no more.
    dialogs.Answers.push_back(PromptAnswer::Yes);
    EXPECT_TRUE(f.btnSaveClick());
    EXPECT_EQ(ReadTextList(MapsDir + "Level063.bkg")->at(2 * 16 + 2), "24");
    EXPECT_FALSE(f.Modified);
    dialogs.Log.clear();
    PaintAt(3, 3);
    EXPECT_TRUE(f.btnSaveClick());
    EXPECT_TRUE(dialogs.Log.empty());
    // The level kept elsewhere is as it was.
    EXPECT_EQ(ReadTextList(AppDir + "/elsewhere/Level063.bkg")->at(2 * 16 + 2), "1");
}

TEST_F(EditorFilesTest, ClosingAnUnchangedMapAsksNothing) {
    TfrmMain& f = Start();
    NewPlayableMap();
    dialogs.SaveChoices.push_back(MapsDir + "mine");
    ASSERT_TRUE(f.btnSaveAsClick());
    EXPECT_EQ(MapFiles(), (std::vector<std::string>{"mine.bkg"}));
    dialogs.Log.clear();
    EXPECT_TRUE(f.FormClose());
    EXPECT_TRUE(dialogs.Log.empty());
}

TEST_F(EditorFilesTest, ASavedMapOpensAgainAsItWas) {
    TfrmMain& f = Start();
    NewPlayableMap();
    Choose(Weed);
    PaintAt(7, 3);
    auto codes = f.MapCodes;
    dialogs.SaveChoices.push_back(MapsDir + "Level062.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    f.btnNewClick();
    dialogs.OpenChoices.push_back(MapsDir + "Level062.bkg");
    f.btnOpenClick();
    EXPECT_EQ(f.MapCodes, codes);
    EXPECT_EQ(f.LevelName, "Level062");
}

TEST_F(EditorFilesTest, TheGameReadsALevelSavedAsLevel061) {
    TfrmMain& f = Start();
    NewPlayableMap();
    Choose(Rock);
    PaintAt(8, 3);
    dialogs.SaveChoices.push_back(MapsDir + "Level061.bkg");
    ASSERT_TRUE(f.btnSaveAsClick());
    LevelStore store;
    store.MapsDir = MapsDir;
    auto codes = ReadLevel(store, 61);
    ASSERT_TRUE(codes);
    EXPECT_EQ(*codes, f.MapCodes);
}

} // namespace
} // namespace gravlin
