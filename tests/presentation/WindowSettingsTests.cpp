#include "common/Files.h"
#include "presentation/WindowSettings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace gravlin;

namespace {
std::string Folder() {
    auto dir = std::filesystem::temp_directory_path() / ("gravlin-settings-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    return dir.string();
}
} // namespace

TEST(WindowSettings, RoundTripThroughAFolderMadeOnWriting) {
    const std::string dir = Folder();
    const std::string path = dir + "/gravlin/settings.txt";
    WindowSettings s;
    s.FullScreen = false;
    s.Width = 1280;
    s.Height = 960;
    s.X = -40; // a window partly off the left edge is still a place
    s.Y = 25;
    std::string error, warning;
    ASSERT_TRUE(WriteWindowSettings(path, s, &error)) << error;
    EXPECT_EQ(ReadWindowSettings(path, &warning), s);
    EXPECT_EQ(warning, "");
    std::filesystem::remove_all(dir);
}

TEST(WindowSettings, DamagedLinesFallBackOneByOneAndAreReported) {
    const std::string dir = Folder();
    std::filesystem::create_directories(dir);
    const std::string path = dir + "/settings.txt";
    std::string warning;

    // Missing: the defaults (full screen, default size, centred).
    EXPECT_EQ(ReadWindowSettings(path, &warning), WindowSettings{});
    EXPECT_NE(warning.find(path), std::string::npos);

    // One good line among damaged ones is kept; each bad one is named.
    ASSERT_TRUE(WriteFileAtomic(path, "fullscreen = no\r\nwindow = 1280\nposition = a b\nvolume = 3\n"
                                      "window = 0 480\n\x01\x02\nposition = 10 20 # kept, with a comment\n"));
    WindowSettings s = ReadWindowSettings(path, &warning);
    EXPECT_FALSE(s.FullScreen);
    EXPECT_FALSE(s.Width);
    EXPECT_EQ(s.X, 10);
    EXPECT_EQ(s.Y, 20);
    EXPECT_NE(warning.find("lines 2, 3, 4, 5, 6"), std::string::npos) << warning;

    // A folder, or something far too big, in the file's place: defaults.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(ReadWindowSettings(path, &warning), WindowSettings{});
    EXPECT_NE(warning.find(path), std::string::npos);
    std::filesystem::remove_all(dir);
}
