// The player files: defaults when files are missing or damaged, values put
// right, all eleven files written, failures reported without losing the
// other files or the old contents.

#include "common/Files.h"
#include "shell/PlayerFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace gravlin {
namespace {

namespace fs = std::filesystem;

class PlayerFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::current_path() / (std::string("scratch-") + info->name() + "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_);
        files_.Dir = root_.string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteFileAtomic(Path(name), bytes)) << name;
    }
    std::string Read(const std::string& name) const { return ReadWholeFile(Path(name)).value_or("<missing>"); }

    // Start-up: roster, the ten files, the current player's lists, options.
    int StartUp() {
        int current = 0;
        ReadRoster(files_, current);
        LoadPlayerFiles(files_);
        LoadWorking(files_, current);
        ApplyOptions(files_, speed_);
        return current;
    }

    fs::path root_;
    PlayerFiles files_;
    int speed_ = 0;
};

std::string DefaultProgressText() {
    std::string text = "1\r\n";
    for (int i = 0; i < 70; ++i) text += "0\r\n";
    return text;
}

TEST_F(PlayerFilesTest, NoFilesGiveDefaultsAndSavingWritesAllEleven) {
    const int current = StartUp();
    EXPECT_EQ(current, 1);
    EXPECT_EQ(files_.Roster, DefaultRoster());
    EXPECT_EQ(files_.WorkingProgress, DefaultProgress());
    EXPECT_EQ(files_.WorkingOptions, DefaultOptions());
    EXPECT_EQ(speed_, 4);
    EXPECT_TRUE(files_.Switch1);
    EXPECT_TRUE(files_.Switch2);

    std::string error;
    ASSERT_TRUE(SaveRoster(files_, current, &error)) << error;
    std::vector<std::string> errors;
    ASSERT_TRUE(SavePlayerFiles(files_, current, &errors));
    EXPECT_TRUE(errors.empty());

    EXPECT_EQ(Read("Players.txt"), "1\r\nName 001\r\nName 002\r\nName 003\r\nName 004\r\nName 005\r\n");
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(Read("CompLevels" + std::to_string(n) + ".Txt"), DefaultProgressText()) << n;
        EXPECT_EQ(Read("UOptions" + std::to_string(n) + ".Txt"), "4\r\nON\r\nON\r\n") << n;
    }
    int count = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(root_)) ++count;
    EXPECT_EQ(count, 11); // no temporaries left behind
}

TEST_F(PlayerFilesTest, ChangesReachTheCurrentPlayersFilesOnly) {
    Write("Players.txt", "3\r\nAnn\r\nBOB     \r\nCY  \r\nDee\r\nEve\r\n");
    int current = StartUp();
    ASSERT_EQ(current, 3);
    EXPECT_EQ(files_.Roster[3], "CY  "); // trailing spaces of a name are kept
    files_.WorkingProgress[0] = "71";    // past the last level: saved as it is
    files_.WorkingProgress[70] = "1";
    files_.WorkingOptions[0] = "6";
    // Switching to player 5 and back keeps player 3's changes.
    StoreWorking(files_, current);
    LoadWorking(files_, 5);
    EXPECT_EQ(files_.WorkingProgress, DefaultProgress());
    LoadWorking(files_, 3);
    ASSERT_TRUE(SaveRoster(files_, current, nullptr));
    ASSERT_TRUE(SavePlayerFiles(files_, current, nullptr));

    EXPECT_EQ(Read("Players.txt"), "3\r\nAnn\r\nBOB     \r\nCY  \r\nDee\r\nEve\r\n");
    EXPECT_EQ(Read("UOptions3.Txt"), "6\r\nON\r\nON\r\n");
    EXPECT_EQ(Read("UOptions2.Txt"), "4\r\nON\r\nON\r\n");
    auto progress = ReadTextList(Path("CompLevels3.Txt"));
    ASSERT_TRUE(progress);
    ASSERT_EQ(progress->size(), 71u);
    EXPECT_EQ((*progress)[70], "1");

    // The next start-up reads them back.
    files_ = PlayerFiles{};
    files_.Dir = root_.string();
    current = StartUp();
    EXPECT_EQ(speed_, 6);
    EXPECT_EQ(files_.WorkingProgress[70], "1");
    EXPECT_EQ(files_.WorkingProgress[0], "1"); // 71 is no level: back to 1
}

TEST_F(PlayerFilesTest, DamagedFilesKeepEveryGoodLineAndTheOriginal) {
    const std::string shortRoster = "2\r\nA\r\nB\r\nC\r\nD\r\n"; // the fifth name missing
    Write("Players.txt", shortRoster);
    Write("CompLevels1.Txt", "1\r\n0\r\n"); // levels 2 to 70 missing
    std::string progress = "x\r\n";
    for (int i = 1; i <= 70; ++i) progress += i == 33 ? "?\r\n" : "1\r\n";
    Write("CompLevels2.Txt", progress);
    Write("UOptions1.txt", "6\r\nON\r\n");
    Write("UOptions2.txt", "fast\r\nON\r\nOFF\r\n");
    Write("UOptions3.txt", "");
    Write("UOptions4.Txt.bak", "an earlier original");
    Write("UOptions4.Txt", "3\r\nON\r\nON\r\n");
    // A pipe in the place of a file neither hangs the start-up nor is waited on.
    ASSERT_EQ(::mkfifo(Path("UOptions5.Txt").c_str(), 0644), 0);
    const int current = StartUp();

    EXPECT_EQ(current, 2);
    EXPECT_EQ(files_.Roster, (TextList{"2", "A", "B", "C", "D", "Name 005"}));
    EXPECT_EQ(files_.ProgressLists[0], DefaultProgress());
    TextList two(71, "1");
    two[33] = "0";
    EXPECT_EQ(files_.ProgressLists[1], two); // 69 level marks kept, not 70 lost
    EXPECT_EQ(files_.OptionLists[0], (TextList{"6", "ON", "ON"}));
    EXPECT_EQ(files_.OptionLists[1], (TextList{"4", "ON", "OFF"}));
    EXPECT_EQ(files_.OptionLists[2], DefaultOptions());
    EXPECT_EQ(files_.OptionLists[4], DefaultOptions());

    // One line for each file put right, saying what was done.
    ASSERT_EQ(files_.Repairs.size(), 8u);
    auto said = [&](const std::string& name) {
        for (const auto& r : files_.Repairs)
            if (r.find(name) != std::string::npos) return r;
        return std::string("<nothing about ") + name + ">";
    };
    EXPECT_EQ(said("CompLevels2.Txt"), Path("CompLevels2.Txt") +
                                           ": lines 1, 34 not valid (set to the defaults); the other 69 lines are "
                                           "kept; the original is kept as " +
                                           Path("CompLevels2.Txt") + ".bak");
    EXPECT_NE(said("Players.txt").find("line 6 missing"), std::string::npos) << said("Players.txt");
    EXPECT_NE(said("UOptions5.Txt").find("is a pipe"), std::string::npos) << said("UOptions5.Txt");

    // The originals are kept before the repaired files replace them; an
    // earlier ".bak" is never replaced.
    ASSERT_TRUE(SaveRoster(files_, current, nullptr));
    // The pipe is not written either: it fails at once rather than hang.
    std::vector<std::string> errors;
    EXPECT_FALSE(SavePlayerFiles(files_, current, &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("UOptions5.Txt"), std::string::npos) << errors[0];
    EXPECT_EQ(Read("Players.txt.bak"), shortRoster);
    EXPECT_EQ(Read("Players.txt"), "2\r\nA\r\nB\r\nC\r\nD\r\nName 005\r\n");
    EXPECT_EQ(Read("CompLevels2.Txt.bak"), progress);
    EXPECT_EQ(Read("UOptions3.txt.bak"), "");
    EXPECT_EQ(Read("UOptions4.Txt.bak"), "an earlier original");
    EXPECT_EQ(Read("UOptions4.Txt"), "4\r\nON\r\nON\r\n");

    // Read again, the saved files need nothing put right.
    files_ = PlayerFiles{};
    files_.Dir = root_.string();
    ::unlink(Path("UOptions5.Txt").c_str());
    StartUp();
    EXPECT_TRUE(files_.Repairs.empty()) << files_.Repairs[0];
    EXPECT_EQ(files_.ProgressLists[1], two);
}

TEST_F(PlayerFilesTest, HugeFilesAndNamesCostLittle) {
    // A name of a megabyte would cost half a second a frame on the level
    // choice: a file that size is not read, and a long name is cut.
    Write("Players.txt", "1\r\n" + std::string(1 << 20, 'A') + "\r\n");
    int current = 0;
    ReadRoster(files_, current);
    EXPECT_EQ(files_.Roster, DefaultRoster());
    ASSERT_EQ(files_.Repairs.size(), 1u);
    EXPECT_NE(files_.Repairs[0].find("1048581 bytes, more than the 65536"), std::string::npos) << files_.Repairs[0];

    ::unlink(Path("Players.txt.bak").c_str());
    files_.Repairs.clear();
    Write("Players.txt", "1\r\n" + std::string(300, 'A') + "\r\nB\r\nC\r\nD\r\nE\r\n");
    ReadRoster(files_, current);
    EXPECT_EQ(files_.Roster[1], std::string(255, 'A'));
    ASSERT_EQ(files_.Repairs.size(), 1u);
    EXPECT_NE(files_.Repairs[0].find("line 2 cut to 255 characters"), std::string::npos) << files_.Repairs[0];
}

TEST_F(PlayerFilesTest, OutOfRangeValuesAreCorrectedAndNamesMatchAnyCase) {
    Write("players.TXT", "9\r\nA\r\nB\r\nC\r\nD\r\nE\r\nextra\r\n");
    std::string progress = "0\r\n";
    for (int i = 0; i < 75; ++i) progress += "1\r\n";
    Write("complevels1.txt", progress);
    Write("UOPTIONS1.TXT", "5\r\nOFF\r\non\r\nmore\r\n");
    std::string progress2 = "70\n";
    for (int i = 0; i < 70; ++i) progress2 += "0\n";
    Write("CompLevels2.Txt", progress2);
    Write("UOptions2.txt", "2\rON\rON");
    const int current = StartUp();
    EXPECT_EQ(current, 1);
    EXPECT_EQ(files_.Roster.size(), 6u);
    EXPECT_EQ(files_.Roster[0], "1");
    EXPECT_EQ(files_.Roster[5], "E");
    EXPECT_EQ(files_.WorkingProgress.size(), 71u);
    EXPECT_EQ(files_.WorkingProgress[0], "1");
    EXPECT_EQ(files_.WorkingOptions, (TextList{"4", "OFF", "on"}));
    EXPECT_EQ(speed_, 4);
    EXPECT_FALSE(files_.Switch1);
    EXPECT_FALSE(files_.Switch2); // "on" is not "ON"
    EXPECT_EQ(files_.ProgressLists[1][0], "70");
    EXPECT_EQ(files_.OptionLists[1], (TextList{"2", "ON", "ON"}));

    // Saving replaces the files in the letter case they have: no doubles.
    ASSERT_TRUE(SaveRoster(files_, current, nullptr));
    ASSERT_TRUE(SavePlayerFiles(files_, current, nullptr));
    EXPECT_TRUE(fs::exists(Path("players.TXT")));
    EXPECT_FALSE(fs::exists(Path("Players.txt")));
    EXPECT_TRUE(fs::exists(Path("UOPTIONS1.TXT")));
    EXPECT_FALSE(fs::exists(Path("UOptions1.Txt")));
    EXPECT_TRUE(fs::exists(Path("UOptions2.txt")));
    EXPECT_EQ(Read("UOptions2.txt"), "2\r\nON\r\nON\r\n");
}

TEST_F(PlayerFilesTest, AFileThatCannotBeWrittenIsReportedAndTheOthersAreWritten) {
    StartUp();
    // A folder where a file should go: that one file cannot be replaced.
    fs::create_directory(Path("CompLevels3.Txt"));
    std::vector<std::string> errors;
    EXPECT_FALSE(SavePlayerFiles(files_, 1, &errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("CompLevels3.Txt"), std::string::npos) << errors[0];
    for (int n = 1; n <= 5; ++n) {
        if (n != 3) {
            EXPECT_EQ(Read("CompLevels" + std::to_string(n) + ".Txt"), DefaultProgressText()) << n;
        }
        EXPECT_EQ(Read("UOptions" + std::to_string(n) + ".Txt"), "4\r\nON\r\nON\r\n") << n;
    }

    // A folder that does not exist: every file is reported, nothing breaks.
    files_.Dir = Path("missing/folder");
    errors.clear();
    EXPECT_FALSE(SavePlayerFiles(files_, 1, &errors));
    EXPECT_EQ(errors.size(), 10u);
    std::string error;
    EXPECT_FALSE(SaveRoster(files_, 1, &error));
    EXPECT_NE(error.find("Players.txt"), std::string::npos) << error;
}

TEST_F(PlayerFilesTest, AFailedWriteKeepsTheOldFile) {
    Write("UOptions1.Txt", "2\r\nON\r\nON\r\n");
    StartUp();
    files_.WorkingOptions[0] = "6";
    // The temporary file cannot be created: the write fails before the old
    // file is touched.
    fs::create_directory(Path("UOptions1.Txt.tmp" + std::to_string(::getpid())));
    std::vector<std::string> errors;
    EXPECT_FALSE(SavePlayerFiles(files_, 1, &errors));
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Read("UOptions1.Txt"), "2\r\nON\r\nON\r\n");
    EXPECT_EQ(Read("UOptions2.Txt"), "4\r\nON\r\nON\r\n");
}

TEST_F(PlayerFilesTest, PlayerFolderMovesToTheDataFolderWhenTheGameFolderCannotBeWritten) {
    const std::string game = root_.string();
    EXPECT_EQ(ChoosePlayerDir(game), game);
    PlayerFiles here = PlayerFilesFor(game);
    EXPECT_EQ(here.Dir, game);
    EXPECT_TRUE(here.FallbackDir.empty());

    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string savedXdg = oldXdg ? oldXdg : "";
    ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    // A file in the place of the game folder cannot take player files.
    Write("game", "not a folder");
    const std::string moved = Path("data") + "/gravlin";
    EXPECT_EQ(ChoosePlayerDir(Path("game")), moved);
    EXPECT_TRUE(fs::is_directory(moved));

    // Read from the data folder first, from the game folder when missing there.
    fs::create_directory(Path("installed"));
    ASSERT_TRUE(WriteFileAtomic(Path("installed/Players.txt"), "2\r\nA\r\nB\r\nC\r\nD\r\nE\r\n"));
    ASSERT_TRUE(WriteFileAtomic(Path("installed/UOptions1.Txt"), "2\r\nON\r\nON\r\n"));
    ASSERT_TRUE(WriteFileAtomic(moved + "/UOptions1.Txt", "6\r\nON\r\nON\r\n"));
    files_.Dir = moved;
    files_.FallbackDir = Path("installed");
    EXPECT_EQ(StartUp(), 2);
    EXPECT_EQ(files_.OptionLists[0][0], "6");

    if (oldXdg)
        ::setenv("XDG_DATA_HOME", savedXdg.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST(PlayReports, AWonLevelAndASpeedKeyGoIntoTheWorkingLists) {
    // A too-short options list grows to take the speed.
    TextList options;
    NoteSpeedChosen(options, 6);
    EXPECT_EQ(options, TextList{"6"});

    // Level 3 won with a progress list of only line 0: the list grows, the
    // level's line is "1" and the player is on level 4.
    TextList progress{"3"};
    int level = 3;
    NoteLevelWon(progress, level, 70);
    ASSERT_EQ(progress.size(), 4u);
    EXPECT_EQ(progress[3], "1");
    EXPECT_EQ(progress[0], "4");
    EXPECT_EQ(level, 4);

    // After the last level comes the first.
    progress = DefaultProgress();
    level = 70;
    NoteLevelWon(progress, level, 70);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(progress.at(70), "1");
    EXPECT_EQ(progress.at(0), "1");
}

} // namespace
} // namespace gravlin
