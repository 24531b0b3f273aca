// Level files: the built-in levels and their rebuild, single level files,
// line ends, and levels that cannot be built.

#include "WorldTestLevels.h"
#include "common/Files.h"
#include "world/LevelFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace gravlin {
namespace {

using testing::At;
using testing::EarthLevel;
using testing::ScratchDir;
using testing::ToLines;

// Level n of a test set: the earth level with n diamonds along row 2, so
// every level reads differently.
LevelCodes NumberedLevel(int n) {
    LevelCodes codes = EarthLevel();
    for (int i = 0; i < n && i < 14; ++i) codes[static_cast<std::size_t>(At(1 + i, 2))] = Diamond;
    return codes;
}

void WriteLines(const std::string& path, const TextList& lines) {
    ASSERT_TRUE(WriteTextList(path, lines)) << path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileAtomic(path, bytes)) << path;
}

TEST(LevelFileName, PadsToThreeDigits) {
    LevelStore store;
    store.MapsDir = "/game/maps/";
    EXPECT_EQ(LevelFileName(store, 7), "/game/maps/Level007.bkg");
    EXPECT_EQ(LevelFileName(store, 61), "/game/maps/Level061.bkg");
    EXPECT_EQ(LevelFileName(store, 100), "/game/maps/Level100.bkg");
}

TEST(BuiltInMaps, RebuildStopsAtTheFirstMissingLevel) {
    ScratchDir dir("rebuild-missing");
    LevelStore store;
    store.MapsDir = dir.Dir();
    for (int n : {1, 2, 3, 4, 5, 7}) WriteLines(LevelFileName(store, n), ToLines(NumberedLevel(n)));

    LoadBuiltInMaps(store); // no "Allmaps.map": it is rebuilt
    auto saved = ReadTextList(dir.File("Allmaps.map"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 960u);
    EXPECT_EQ(store.BuiltInMaps, *saved);
    EXPECT_TRUE(store.RebuildWriteError.empty());

    auto five = ReadLevel(store, 5);
    ASSERT_TRUE(five);
    EXPECT_EQ(*five, NumberedLevel(5));
    EXPECT_FALSE(ReadLevel(store, 6));
    EXPECT_FALSE(ReadLevel(store, 7)); // past the missing one

    // The next start-up reads the file as it stands.
    LevelStore again;
    again.MapsDir = dir.Dir();
    LoadBuiltInMaps(again);
    EXPECT_EQ(again.BuiltInMaps.size(), 960u);
}

TEST(BuiltInMaps, RebuildTakes192LinesAndStopsAtAShortFile) {
    ScratchDir dir("rebuild-short");
    LevelStore store;
    store.MapsDir = dir.Dir();
    TextList long1 = ToLines(NumberedLevel(1));
    for (int i = 0; i < 8; ++i) long1.push_back("junk");
    WriteLines(LevelFileName(store, 1), long1);
    WriteLines(LevelFileName(store, 2), ToLines(NumberedLevel(2)));
    TextList short3 = ToLines(NumberedLevel(3));
    short3.resize(100);
    WriteLines(LevelFileName(store, 3), short3);
    WriteLines(LevelFileName(store, 4), ToLines(NumberedLevel(4)));

    RebuildBuiltInMaps(store);
    auto saved = ReadTextList(dir.File("Allmaps.map"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 384u);
    EXPECT_EQ(store.BuiltInMaps.size(), 484u); // the short file's lines stay in memory only
    ASSERT_TRUE(ReadLevel(store, 1));
    EXPECT_EQ(*ReadLevel(store, 1), NumberedLevel(1));
    EXPECT_EQ(*ReadLevel(store, 2), NumberedLevel(2));
    EXPECT_FALSE(ReadLevel(store, 3));
    EXPECT_FALSE(ReadLevel(store, 4));
}

TEST(BuiltInMaps, FailedWriteKeepsTheLevelsInMemory) {
    ScratchDir dir("rebuild-readonly");
    LevelStore store;
    store.MapsDir = dir.Dir();
    for (int n : {1, 2}) WriteLines(LevelFileName(store, n), ToLines(NumberedLevel(n)));
    // A folder in the place of "Allmaps.map": it can be neither read nor replaced.
    std::filesystem::create_directory(dir.File("Allmaps.map"));

    LoadBuiltInMaps(store);
    EXPECT_FALSE(store.RebuildWriteError.empty());
    EXPECT_EQ(store.BuiltInMaps.size(), 384u);
    EXPECT_EQ(*ReadLevel(store, 2), NumberedLevel(2));
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("Allmaps.map")));
}

TEST(BuiltInMaps, LevelNineStartsAtLine1536) {
    ScratchDir dir("level-nine");
    TextList lines;
    for (int i = 0; i < BuiltInLevelCount * MapCellCount; ++i) lines.push_back(std::to_string(i));
    WriteLines(dir.File("Allmaps.map"), lines);
    LevelStore store;
    store.MapsDir = dir.Dir();
    LoadBuiltInMaps(store);
    EXPECT_TRUE(store.BuiltInMapsProblem.empty()) << store.BuiltInMapsProblem;
    EXPECT_EQ(LevelCode(store, 9, 0), 1536);
    EXPECT_EQ(LevelCode(store, 9, 191), 1727);
    EXPECT_EQ(LevelCode(store, 10, 191), 1919);
    store.BuiltInMaps.resize(10 * MapCellCount); // as a rebuild that stopped at level 11 leaves it
    EXPECT_FALSE(LevelCode(store, 11, 0));       // past the end of a short list
    EXPECT_FALSE(LevelCode(store, 9, 192));
    EXPECT_FALSE(LevelCode(store, 9, -1));
    EXPECT_FALSE(LevelCode(store, 0, 0));
}

TEST(BuiltInMaps, AReadableButDamagedFileIsRebuiltAndKept) {
    ScratchDir dir("damaged");
    LevelStore store;
    store.MapsDir = dir.Dir();
    TextList all;
    for (int n = 1; n <= BuiltInLevelCount; ++n) {
        const TextList level = ToLines(NumberedLevel(n));
        WriteLines(LevelFileName(store, n), level);
        all.insert(all.end(), level.begin(), level.end());
    }
    const std::string good = JoinLines(all);
    std::string badNumber = good, withNul = good;
    badNumber.replace(good.find("\r\n", 1536 * 4) + 2, 1, "x");
    withNul[good.size() / 2] = '\0';
    struct Case {
        const char* what;
        std::string bytes;
        const char* said;
    } cases[] = {
        {"empty", "", "it is empty"},
        {"junk", "PK\3\4 not levels at all", "line 1 (level 1) is not a whole number"},
        {"a bad number", badNumber, "is not a whole number: \"x"},
        {"truncated", good.substr(0, good.size() / 3), "built-in levels need 11520"},
        {"a byte-order mark", "\xEF\xBB\xBF" + good, "line 1 (level 1)"},
        {"a NUL", withNul, "(level 31) is not a whole number"},
    };
    for (const Case& c : cases) {
        WriteBytes(dir.File("Allmaps.map"), c.bytes);
        store.BuiltInMaps.clear();
        LoadBuiltInMaps(store);
        // All 60 levels are playable again, from the level files beside it.
        EXPECT_EQ(store.BuiltInMaps, all) << c.what;
        EXPECT_EQ(*ReadLevel(store, 60), NumberedLevel(60)) << c.what;
        EXPECT_EQ(ReadWholeFile(dir.File("Allmaps.map"), BuiltInMapsLimit), good) << c.what;
        EXPECT_NE(store.BuiltInMapsProblem.find(c.said), std::string::npos)
            << c.what << ": " << store.BuiltInMapsProblem;
        EXPECT_NE(store.BuiltInMapsProblem.find("rebuilt from the level files with 60 of the 60"), std::string::npos)
            << store.BuiltInMapsProblem;
    }
    // The first damaged file is the one kept: later ones never replace it.
    EXPECT_EQ(ReadWholeFile(dir.File("Allmaps.map.bak")), "");
    // A good file is used as it is, without a word.
    LoadBuiltInMaps(store);
    EXPECT_TRUE(store.BuiltInMapsProblem.empty());
}

TEST(SingleLevelFiles, ExtraLinesAreIgnoredAndAnyLineEndReadsTheSame) {
    ScratchDir dir("single");
    LevelStore store;
    store.MapsDir = dir.Dir();
    const LevelCodes codes = NumberedLevel(4);
    TextList lines = ToLines(codes);

    std::string lf, cr;
    for (const auto& l : lines) {
        lf += l + "\n";
        cr += l + "\r";
    }
    WriteBytes(LevelFileName(store, 62), lf);
    WriteBytes(LevelFileName(store, 63), cr);
    // No line end after the last line.
    WriteBytes(LevelFileName(store, 64), cr.substr(0, cr.size() - 1));
    TextList long200 = lines;
    for (int i = 0; i < 8; ++i) long200.push_back(i % 2 ? "" : "not a number");
    WriteLines(LevelFileName(store, 65), long200);
    // A file found whatever the letter case of its name.
    WriteLines(dir.File("level066.BKG"), lines);

    for (int n : {62, 63, 64, 65, 66}) {
        auto read = ReadLevel(store, n);
        ASSERT_TRUE(read) << n;
        EXPECT_EQ(*read, codes) << n;
    }
    EXPECT_EQ(store.LevelFileLines.size(), 192u);
}

// Sets up a level, then tries to preview and set up a broken one: both
// refuse, and the grid and actors stay as the good level left them.
void ExpectUnplayable(LevelStore& store, int n) {
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, 4);
    LevelCodes good = EarthLevel();
    good[At(3, 3)] = Diamond;
    SetupLevelCodes(*w, good);
    auto cells = w->Cells;

    EXPECT_FALSE(LoadLevelPreview(*w, store, n)) << n;
    EXPECT_FALSE(SetupLevel(*w, store, n)) << n;
    EXPECT_FALSE(ReadLevel(store, n)) << n;
    for (int i = 0; i < CellRecordCount; ++i) {
        EXPECT_EQ(w->Cells[static_cast<std::size_t>(i)].Content, cells[static_cast<std::size_t>(i)].Content) << n;
        EXPECT_EQ(w->Cells[static_cast<std::size_t>(i)].Tile, cells[static_cast<std::size_t>(i)].Tile) << n;
    }
    EXPECT_EQ(w->ActorCount, 0);
}

TEST(UnplayableLevels, BadLinesShortFilesAndShortAllmaps) {
    ScratchDir dir("unplayable");
    LevelStore store;
    store.MapsDir = dir.Dir();

    TextList text = ToLines(EarthLevel());
    text[100] = "6x";
    WriteLines(LevelFileName(store, 61), text);
    text[100] = "";
    WriteLines(LevelFileName(store, 62), text);
    text[100] = "99999999999";
    WriteLines(LevelFileName(store, 63), text);
    TextList shortText = ToLines(EarthLevel());
    shortText.resize(191);
    WriteLines(LevelFileName(store, 64), shortText);
    WriteLines(LevelFileName(store, 65), {});
    // Level 66 has no file at all. Level 67 has no player start, which would
    // put the player on the border, and level 68 no book.
    LevelCodes noStart = EarthLevel(), noBook = EarthLevel();
    noStart[At(1, 1)] = Earth;
    noBook[At(14, 10)] = Earth;
    WriteLines(LevelFileName(store, 67), ToLines(noStart));
    WriteLines(LevelFileName(store, 68), ToLines(noBook));

    // Built-in levels (as a rebuild from damaged level files leaves them)
    // with level 1 whole, level 2 bad in its last line and level 3 cut short.
    TextList maps = ToLines(EarthLevel());
    TextList two = ToLines(EarthLevel());
    two[191] = "1 ";
    maps.insert(maps.end(), two.begin(), two.end());
    TextList three = ToLines(EarthLevel());
    maps.insert(maps.end(), three.begin(), three.begin() + 150);
    store.BuiltInMaps = maps;
    ASSERT_TRUE(ReadLevel(store, 1));

    for (int n : {2, 3, 4, 60, 61, 62, 63, 64, 65, 66, 67, 68, 0, -1}) ExpectUnplayable(store, n);
    // The level choice says why, naming the level and its file.
    auto w = std::make_unique<World>();
    std::string why;
    EXPECT_FALSE(LoadLevelPreview(*w, store, 67, &why));
    EXPECT_EQ(why, "level 67 cannot be played: " + LevelFileName(store, 67) + ": it has no player start (code 24)");
    EXPECT_FALSE(LoadLevelPreview(*w, store, 68, &why));
    EXPECT_NE(why.find("it has no book (code 134)"), std::string::npos) << why;
    EXPECT_FALSE(LoadLevelPreview(*w, store, 2, &why));
    EXPECT_NE(why.find("Allmaps.map: line 384 is not a whole number: \"1 \""), std::string::npos) << why;
    EXPECT_FALSE(LoadLevelPreview(*w, store, 4, &why));
    EXPECT_NE(why.find("the built-in levels end before it"), std::string::npos) << why;
}

TEST(Preview, ShowsEveryCodeButTeleportExits) {
    ScratchDir dir("preview");
    LevelStore store;
    store.MapsDir = dir.Dir();
    LevelCodes codes = EarthLevel();
    codes[At(2, 2)] = Diamond;
    codes[At(3, 2)] = Chaser;
    codes[At(4, 2)] = TeleportEntrance1;
    codes[At(5, 2)] = TeleportExit1;
    codes[At(6, 2)] = TeleportExit5;
    codes[At(7, 2)] = Rock;
    codes[At(2, 4)] = Book;
    WriteLines(LevelFileName(store, 61), ToLines(codes));

    auto w = std::make_unique<World>();
    w->DiamondTarget = 42;
    w->BookCell = 17;
    w->ActorCount = 5;
    w->Cells[At(3, 2)].ChaserCount = 2;
    ASSERT_TRUE(LoadLevelPreview(*w, store, 61));

    for (int i = 0; i < MapCellCount; ++i) {
        const Cell& c = w->Cells[static_cast<std::size_t>(i)];
        const int code = codes[static_cast<std::size_t>(i)];
        const int shown = (code >= TeleportExit1 && code <= TeleportExit5) ? Empty : code;
        EXPECT_EQ(c.Tile, shown) << i;
        EXPECT_EQ(c.Content, shown) << i;
        EXPECT_EQ(c.ActorIndex, NoActor) << i;
        EXPECT_EQ(c.TeleportNo, NoActor) << i;
    }
    EXPECT_EQ(w->Cells[At(1, 1)].Tile, PlayerStart);
    EXPECT_EQ(w->Cells[At(3, 2)].ChaserCount, 2); // left as it was
    for (int i = MapCellCount; i < CellRecordCount; ++i) EXPECT_EQ(w->Cells[static_cast<std::size_t>(i)].Tile, NoActor);
    EXPECT_EQ(w->ActorCount, 5);
    EXPECT_EQ(w->DiamondTarget, 42);
    EXPECT_EQ(w->BookCell, 17);
}

TEST(SetupLevel, ReadsLevelsAboveSixtyFromTheirFile) {
    ScratchDir dir("setup-file");
    LevelStore store;
    store.MapsDir = dir.Dir();
    LevelCodes codes = EarthLevel();
    codes[At(2, 2)] = Diamond;
    WriteLines(LevelFileName(store, 70), ToLines(codes));
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, 4);
    ASSERT_TRUE(SetupLevel(*w, store, 70));
    EXPECT_EQ(w->DiamondTarget, 1);
    EXPECT_EQ(w->ActorCount, 1);
    EXPECT_EQ(w->BookCell, At(14, 10));

    // An edited file is seen at once.
    codes[At(3, 2)] = Diamond;
    WriteLines(LevelFileName(store, 70), ToLines(codes));
    w->DiamondTarget = 0;
    ASSERT_TRUE(SetupLevel(*w, store, 70));
    EXPECT_EQ(w->DiamondTarget, 2);
}

TEST(SetupLevel, APlayersOwnLevelHidesTheShippedOneUntilItIsDeleted) {
    ScratchDir game("own-game"), own("own-levels");
    LevelStore store;
    store.MapsDir = game.Dir();
    store.UserMapsDir = own.Dir();
    WriteLines(LevelFileName(store, 61), ToLines(NumberedLevel(1)));
    auto w = std::make_unique<World>();
    BuildStepTables(w->Steps, 4);
    ASSERT_TRUE(LoadLevelPreview(*w, store, 61));
    EXPECT_EQ(w->Cells[At(2, 2)].Content, Earth);

    WriteLines(own.File("Level061.bkg"), ToLines(NumberedLevel(3)));
    ASSERT_TRUE(LoadLevelPreview(*w, store, 61));
    EXPECT_EQ(w->Cells[At(2, 2)].Content, Diamond);
    w->DiamondTarget = 0;
    ASSERT_TRUE(SetupLevel(*w, store, 61));
    EXPECT_EQ(w->DiamondTarget, 3);
    // A level the game does not ship is the player's alone.
    WriteLines(own.File("Level064.bkg"), ToLines(NumberedLevel(4)));
    EXPECT_TRUE(ReadLevel(store, 64));

    std::filesystem::remove(own.File("Level061.bkg"));
    w->DiamondTarget = 0;
    ASSERT_TRUE(SetupLevel(*w, store, 61));
    EXPECT_EQ(w->DiamondTarget, 1);
    // The built-in levels are never the player's.
    WriteLines(own.File("Level005.bkg"), ToLines(NumberedLevel(9)));
    EXPECT_FALSE(ReadLevel(store, 5));
    EXPECT_EQ(PlayerLevelFolder("/tmp/home"), "/tmp/home/maps/");
}

} // namespace
} // namespace gravlin
