#include "common/Files.h"
#include "presentation/Controls.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace gravlin;

namespace {
std::array<Key, 3>& KeysOf(KeyMap& m, Input in) {
    return m[static_cast<std::size_t>(in)];
}
} // namespace

TEST(ControlsFile, EachKindOfBadLineIsReportedByItsNumberAndItsInputKeepsItsKeys) {
    const std::string text = "# my keys\r\n"
                             "InputLeft = a keypad 4 Left Ctrl  # SDL's names, any case\r\n"
                             "\r\n"
                             "InputRight X Right\r\n"
                             "InputJump = Space\r\n"
                             "InputUp = Up Kpad8\r\n"
                             "InputDown = Down S KP2 J\r\n"
                             "InputErase =\r\n"
                             "inputfire1 = Enter LeftCtrl\r\n"
                             "InputFire1 = Space\r\n"
                             "InputEscape = Q Hash\r\n";
    std::vector<std::string> problems;
    KeyMap m = ParseControls(text, "/home/p/.config/gravlin/controls.txt", &problems);
    const std::vector<std::pair<int, std::string>> expected = {
        {4, "expected \"<input> = <keys>\""},        {5, "unknown input \"InputJump\""},
        {6, "unknown key \"Kpad8\"; InputUp keeps"}, {7, "4 keys given, at most 3"},
        {8, "no key given; InputErase keeps"},       {10, "InputFire1 is given again (first on line 9)"},
    };
    ASSERT_EQ(problems.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string where = "/home/p/.config/gravlin/controls.txt:" + std::to_string(expected[i].first) + ": ";
        EXPECT_EQ(problems[i].rfind(where, 0), 0u) << problems[i];
        EXPECT_NE(problems[i].find(expected[i].second), std::string::npos) << problems[i];
    }
    KeyMap builtIn = GameKeyMap();
    using K = std::array<Key, 3>;
    EXPECT_EQ(KeysOf(m, Input::InputLeft), (K{Key::A, Key::Kp4, Key::LeftCtrl}));
    EXPECT_EQ(KeysOf(m, Input::InputFire1), (K{Key::Enter, Key::LeftCtrl, Key::None}));
    EXPECT_EQ(KeysOf(m, Input::InputEscape), (K{Key::Q, Key::Hash, Key::None}));
    for (Input kept : {Input::InputUp, Input::InputDown, Input::InputRight, Input::InputErase, Input::InputFire2})
        EXPECT_EQ(KeysOf(m, kept), KeysOf(builtIn, kept)) << InputName(kept);
}

TEST(ControlsFile, TheWrittenFileIsTheBuiltInMapAndIsNeverWrittenOver) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("gravlin-controls-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    const std::string path = (dir / "gravlin" / "controls.txt").string();
    std::string error;
    ASSERT_TRUE(WriteControlsFile(path, &error)) << error;
    auto text = ReadWholeFile(path);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("\nInputLeft = Z Left Keypad 4\n"), std::string::npos) << *text;
    EXPECT_NE(text->find("\nInputFire1 = Space Return Keypad Enter\n"), std::string::npos) << *text;
    std::vector<std::string> problems;
    EXPECT_EQ(ReadControls(path, &problems), GameKeyMap());
    EXPECT_TRUE(problems.empty()) << problems.front();

    ASSERT_TRUE(WriteFileAtomic(path, "InputUp = W\n"));
    EXPECT_FALSE(WriteControlsFile(path, &error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(ReadWholeFile(path), "InputUp = W\n");
    EXPECT_EQ(fs::directory_iterator(dir / "gravlin")->path().filename(), "controls.txt") << "no temporary left";

    // No file: the built-in keys, said nothing of; a folder in its place is
    // reported.
    EXPECT_EQ(ReadControls((dir / "none.txt").string(), &problems), GameKeyMap());
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(ReadControls(dir.string(), &problems), GameKeyMap());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(dir.string()), std::string::npos);
    fs::remove_all(dir);
}
