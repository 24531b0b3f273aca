// The editor's map without a window: border ring, save checks, palette
// paging, file names and the reading of level files.

#include "editor/EditorMap.h"

#include "common/Files.h"
#include "common/TextLists.h"
#include "common/Utility.h"
#include "world/CellCodes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace gravlin {
namespace {

TEST(EditorNames, BaseNameAndTextBeforeLastExamples) {
    EXPECT_EQ(BaseName("C:\\Games\\maps\\Level061.bkg"), "Level061");
    EXPECT_EQ(BaseName("Level061.bkg"), "Level061");
    EXPECT_EQ(BaseName("C:\\maps\\mine"), "mine");
    EXPECT_EQ(BaseName("/home/ann/maps/Level061.bkg"), "Level061");
    EXPECT_EQ(TextBeforeLast("C:\\Games\\editor.exe", '\\'), "C:\\Games");
    EXPECT_EQ(TextBeforeLast("editor.exe", '\\'), "editor.exe");
}

TEST(EditorNames, ChosenPathGivesLevelFileAndName) {
    EXPECT_EQ(LevelFilePath("C:\\maps\\trial.txt"), "C:\\maps\\trial.bkg");
    EXPECT_EQ(ChosenLevelName("C:\\maps\\trial.txt"), "trial");
    EXPECT_EQ(LevelFilePath("/home/ann/maps/mine"), "/home/ann/maps/mine.bkg");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(LevelFilePath("/home/ann/my.maps/mine"), "/home/ann/my.maps/mine.bkg");
    EXPECT_EQ(ChosenLevelName("/home/ann/my.maps/mine"), "mine");
    // A long folder path is kept whole (no cut at 255 characters).
    std::string longDir = "/" + std::string(300, 'd');
    EXPECT_EQ(LevelFilePath(longDir + "/Level061.txt"), longDir + "/Level061.bkg");
    EXPECT_EQ(ChosenLevelName(longDir + "/Level061.txt"), "Level061");
}

TEST(EditorMap, BorderRingAndInteriorLeftAlone) {
    LevelCodes codes;
    codes.fill(6);
    ForceBorderRing(codes);
    EXPECT_EQ(codes[0], CornerTL);
    EXPECT_EQ(codes[15], CornerTR);
    EXPECT_EQ(codes[176], CornerBL);
    EXPECT_EQ(codes[191], CornerBR);
    for (int i = 0; i < 192; ++i) {
        int row = i / 16, column = i % 16;
        bool corner = (row == 0 || row == 11) && (column == 0 || column == 15);
        bool border = row == 0 || row == 11 || column == 0 || column == 15;
        int expected = corner ? codes[static_cast<std::size_t>(i)] : border ? BorderWall : 6;
        EXPECT_EQ(codes[static_cast<std::size_t>(i)], expected) << i;
    }
}

TEST(EditorMap, SaveChecksShowEveryFailingMessageInOrder) {
    LevelCodes codes{};
    EXPECT_EQ(SaveCheckMessages(codes, ""),
              (std::vector<std::string>{"Please put Player on map before continuing.",
                                        "Please put Book on map before continuing.",
                                        "Please open a map or start a new one before continuing."}));
    codes[20] = PlayerStart;
    EXPECT_EQ(SaveCheckMessages(codes, UntitledMarker),
              (std::vector<std::string>{"Please put Book on map before continuing."}));
    codes[30] = Book;
    EXPECT_TRUE(SaveCheckMessages(codes, "mine").empty());
}

TEST(EditorMap, PagingMovesAtMostFiveRowsAndStopsAtTheLastEntry) {
    EXPECT_TRUE(PaletteDownEnabled(0, 25));
    EXPECT_EQ(PaletteTopAfterDown(0, 25), 6);
    EXPECT_FALSE(PaletteDownEnabled(6, 25));
    EXPECT_EQ(PaletteTopAfterUp(6), 0);
    EXPECT_EQ(PaletteTopAfterDown(0, 100), 10);
    EXPECT_EQ(PaletteTopAfterUp(30), 20);
    // A list that fits on one page never pages.
    EXPECT_EQ(PaletteTopAfterDown(0, 20), 0);
    EXPECT_FALSE(PaletteDownEnabled(0, 20));
    EXPECT_EQ(PaletteTopAfterDown(0, 0), 0);
}

TEST(EditorMap, LevelFileReading) {
    QTemporaryDir dir;
    std::string path = dir.path().toStdString() + "/mine.bkg";

    // Lone line feeds read as well as CR LF; lines after the 192nd are ignored.
    std::string text;
    for (int k = 0; k < 200; ++k) text += std::to_string(k % 50) + "\n";
    ASSERT_TRUE(WriteFileAtomic(path, text));
    std::string error;
    auto codes = ReadLevelFileCodes(path, &error);
    ASSERT_TRUE(codes) << error;
    ASSERT_EQ(codes->size(), 192u);
    EXPECT_EQ((*codes)[191], 191 % 50);

    // A line that is not a number names the file and the line; a bad line
    // after the 192nd does not matter.
    TextList lines(192, "1");
    lines[49] = "x7";
    ASSERT_TRUE(WriteTextList(path, lines));
    EXPECT_FALSE(ReadLevelFileCodes(path, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("line 50"), std::string::npos) << error;
    lines[49] = "1";
    lines.push_back("junk");
    ASSERT_TRUE(WriteTextList(path, lines));
    EXPECT_TRUE(ReadLevelFileCodes(path, &error));

    EXPECT_FALSE(ReadLevelFileCodes(dir.path().toStdString() + "/none.bkg", &error));
    EXPECT_NE(error.find("none.bkg"), std::string::npos);
}

} // namespace
} // namespace gravlin
