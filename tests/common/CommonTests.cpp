#include "common/Files.h"
#include "common/TextLists.h"
#include "common/Utility.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace gravlin;
namespace fs = std::filesystem;

namespace {

// A fresh folder below the test's working folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        std::string pattern = (fs::current_path() / "commonXXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return JoinPath(path_, name); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

void WriteRaw(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

} // namespace

TEST(SplitLines, EveryKindOfLineEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (TextList{"a", "b"}));
    EXPECT_EQ(SplitLines("a\rb\nc"), (TextList{"a", "b", "c"}));
    // A final line end starts no extra line; a missing one loses no line.
    EXPECT_EQ(SplitLines("a\r\nb"), (TextList{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r"), (TextList{"a"}));
    // Empty lines in the middle and at the end are kept.
    EXPECT_EQ(SplitLines("a\r\n\r\nb\n\n"), (TextList{"a", "", "b", ""}));
    // LF CR is two line ends, not one.
    EXPECT_EQ(SplitLines("a\n\rb"), (TextList{"a", "", "b"}));
    EXPECT_TRUE(SplitLines("").empty());
    EXPECT_EQ(SplitLines(JoinLines({"1", "", "x"})), (TextList{"1", "", "x"}));
}

TEST(ParseInt, WholeLinesOnly) {
    EXPECT_EQ(ParseInt("0"), 0);
    EXPECT_EQ(ParseInt("-1500"), -1500);
    EXPECT_EQ(ParseInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseInt("-2147483648"), -2147483647 - 1);
    for (const char* bad :
         {"", "-", "+5", " 5", "5 ", "12a", "0x10", "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_FALSE(ParseInt(bad).has_value()) << '"' << bad << '"';
}

TEST(FindFileNoCase, MatchesWhateverTheCase) {
    TempDir dir;
    fs::create_directory(dir / "Surfaces");
    WriteRaw(dir / "Surfaces/All256.DIB", "x");
    EXPECT_EQ(FindFileNoCase(dir / "Surfaces/all256.dib"), dir / "Surfaces/All256.DIB");
    EXPECT_EQ(FindFileNoCase(dir / "surfaces/ALL256.DIB"), dir / "Surfaces/All256.DIB");
    EXPECT_EQ(FindFileNoCase(dir / "Surfaces/All256.DIB"), dir / "Surfaces/All256.DIB");
    // Nothing matches: the name asked for comes back, so the open fails with it.
    EXPECT_EQ(FindFileNoCase(dir / "Surfaces/Missing.DIB"), dir / "Surfaces/Missing.DIB");
    EXPECT_EQ(FindFileNoCase(dir / "nowhere/All256.DIB"), dir / "nowhere/All256.DIB");
    // The exact name wins over another spelling.
    WriteRaw(dir / "Surfaces/all256.dib", "y");
    EXPECT_EQ(FindFileNoCase(dir / "Surfaces/all256.dib"), dir / "Surfaces/all256.dib");
}

TEST(ReadWholeFile, ReadsRegularFilesWithinTheLimitOnly) {
    TempDir dir;
    WriteRaw(dir / "Level061.bkg", std::string(1000, '7'));
    EXPECT_EQ(ReadWholeFile(dir / "Level061.bkg", 1000)->size(), 1000u);
    std::string error;
    EXPECT_FALSE(ReadWholeFile(dir / "Level061.bkg", 999, &error));
    EXPECT_EQ(error, dir / "Level061.bkg" + ": 1000 bytes, more than the 999 bytes such a file may have");
    // A pipe is refused at once rather than waited on; so are a link to an
    // endless device, and a folder.
    ASSERT_EQ(::mkfifo((dir / "Players.txt").c_str(), 0644), 0);
    EXPECT_FALSE(ReadWholeFile(dir / "Players.txt", SmallFileLimit, &error));
    EXPECT_NE(error.find("Players.txt: is a pipe"), std::string::npos) << error;
    fs::create_symlink("/dev/zero", dir / "Soundlib.dxw");
    EXPECT_FALSE(ReadWholeFile(dir / "Soundlib.dxw", SoundFileLimit, &error));
    EXPECT_NE(error.find("is a device"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir.Path(), SmallFileLimit, &error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir / "missing.txt", SmallFileLimit, &error));
    EXPECT_TRUE(FileMissing(dir / "missing.txt"));
    EXPECT_FALSE(FileMissing(dir / "Players.txt"));
    // Writing into the pipe fails at once instead of waiting for a reader.
    EXPECT_FALSE(WriteFileAtomic(dir / "Players.txt", "1\r\n", &error));
}

TEST(WriteFileAtomic, ReplacesWholeAndLeavesTheOldFileOnFailure) {
    TempDir dir;
    std::string path = dir / "Players.txt";
    ASSERT_TRUE(WriteTextList(path, {"1", "Name 001"}));
    EXPECT_EQ(ReadWholeFile(path), "1\r\nName 001\r\n");
    // Written again under another letter case: the existing file is replaced.
    ASSERT_TRUE(WriteFileAtomic(dir / "PLAYERS.TXT", "2\r\n"));
    EXPECT_EQ(ReadWholeFile(path), "2\r\n");
    EXPECT_FALSE(fs::exists(dir / "PLAYERS.TXT"));

    // A file that cannot be written: the folder is gone. (Tests run as root,
    // so a read-only folder would not stop the write.)
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(dir / "gone/Players.txt", "x", &error));
    EXPECT_NE(error.find("gone/Players.txt"), std::string::npos) << error;
    // A target that is a folder: the rename fails and nothing is left over.
    fs::create_directory(dir / "CompLevels1.Txt");
    WriteRaw(dir / "CompLevels1.Txt/inside", "keep");
    EXPECT_FALSE(WriteFileAtomic(dir / "CompLevels1.Txt", "x", &error));
    EXPECT_EQ(ReadWholeFile(dir / "CompLevels1.Txt/inside"), "keep");
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir.Path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1) << "a temporary file was left behind";
    EXPECT_EQ(ReadWholeFile(path), "2\r\n");
}

TEST(WriteFileAtomic, WritesADeviceInPlaceInsteadOfReplacingIt) {
    // Renaming over /dev/null would replace the device with a plain file.
    ASSERT_TRUE(WriteFileAtomic("/dev/null", "anything"));
    struct stat st;
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(Utility, TextBeforeLastAndBaseNameWithEitherSeparator) {
    EXPECT_EQ(TextBeforeLast("C:\\Games\\editor.exe", '\\'), "C:\\Games");
    EXPECT_EQ(TextBeforeLast("/usr/games/editor", '/'), "/usr/games");
    EXPECT_EQ(TextBeforeLast("editor", '\\'), "editor");
    EXPECT_EQ(TextBeforeLast("C:\\maps\\trial.txt", '.'), "C:\\maps\\trial");

    EXPECT_EQ(BaseName("C:\\Games\\maps\\Level061.bkg"), "Level061");
    EXPECT_EQ(BaseName("/home/ann/maps/Level061.bkg"), "Level061");
    EXPECT_EQ(BaseName("Level061.bkg"), "Level061");
    EXPECT_EQ(BaseName("C:\\maps\\mine"), "mine");
    EXPECT_EQ(BaseName("/srv/maps/mine"), "mine");
    EXPECT_EQ(BaseName("/srv/my.maps/mine"), "mine");

    EXPECT_EQ(ReverseText("Level061"), "160leveL");
    EXPECT_EQ(ReverseText(""), "");
    // Texts are cut to 255 characters first.
    EXPECT_EQ(ReverseText(std::string(300, 'a')).size(), 255u);
}
