// The player's own keys and the gamepads reach the game only as input states
// and key-down messages: whole screens driven through the headless window.

#include "Replay.h"
#include "ShellHarness.h"
#include "common/TextLists.h"

#include <gtest/gtest.h>

namespace gravlin {
namespace {

using testing::ShellHarness;

TEST(RemappedKeys, ALetterOnFireGoesOnInTheMenusAndStillTypesItselfInAName) {
    ShellHarness h;
    KeyMap map = GameKeyMap();
    map[static_cast<std::size_t>(Input::InputFire1)] = {Key::F, Key::None, Key::None};
    map[static_cast<std::size_t>(Input::InputFire2)] = {Key::F, Key::None, Key::None};
    map[static_cast<std::size_t>(Input::InputEscape)] = {Key::Q, Key::None, Key::None};
    h.window.SetKeyMap(map);
    h.Players().Roster[1] = "AB";
    h.Frames(1);
    h.Tap(Key::F);
    ASSERT_EQ(h.State(), StateHelp);
    // Enter is no key of going on any more.
    h.Tap(Key::Enter);
    EXPECT_EQ(h.State(), StateHelp);
    h.Tap(Key::F);
    ASSERT_EQ(h.State(), StateMenu);
    // The menu reads every seventh frame: Down to item 2, F chooses it.
    h.Tap(Key::Down, 7);
    h.Tap(Key::F, 7);
    ASSERT_EQ(h.State(), StatePlayers);
    h.Frames(1);
    // F types F; its Enter is taken by the next reading and types nothing.
    h.Tap(Key::F, 5);
    h.Frames(5);
    EXPECT_EQ(h.Players().Roster[1], "ABF");
    EXPECT_EQ(h.PendingKeys().Size(), 0u);
    h.Tap(Key::Escape, 5);
    EXPECT_EQ(h.State(), StatePlayers);
    h.Tap(Key::Q, 5);
    EXPECT_EQ(h.State(), StateMenu);
    EXPECT_EQ(h.Players().Roster[1], "ABF");
}

ReplayResult RunScript(const std::string& script, int frames, const std::string& mapFile = "") {
    ReplayOptions o;
    o.DataDir = GRAVLIN_GAME_DIR;
    o.HomeDir = testing::FreshFolder("pad");
    o.MapFile = mapFile;
    o.State = true;
    o.Frames = frames;
    std::string error;
    auto events = ParseReplayScript(script, &error);
    EXPECT_TRUE(events) << error;
    if (events) o.Script = *events;
    ReplayResult r = RunReplay(o);
    EXPECT_TRUE(r.Error.empty()) << r.Error;
    std::filesystem::remove_all(o.HomeDir);
    return r;
}

TEST(Gamepads, AGoesOnFromTheTitleAndBGoesBackFromTheLevelChoice) {
    // A on the title opens help (frame 1); Start held from help into the menu
    // chooses its first item at the menu's first reading (frame 9), as Enter
    // does; B tapped between the level choice's readings at 13 and 17 goes
    // back to help at 17.
    const std::string toChoice = "1 +PadA\n2 -PadA\n3 +PadStart\n10 -PadStart\n";
    EXPECT_EQ(RunScript("1 +PadA\n2 -PadA\n", 2).State.Shell.GameState, StateHelp);
    EXPECT_EQ(RunScript(toChoice, 11).State.Shell.GameState, StateLevelSelect);
    ReplayResult back = RunScript(toChoice + "14 +PadB\n15 -PadB\n", 17);
    EXPECT_EQ(back.State.Shell.GameState, StateLevelSelect);
    back = RunScript(toChoice + "14 +PadB\n15 -PadB\n", 40);
    EXPECT_EQ(back.State.Shell.GameState, StateHelp);
}

TEST(Gamepads, TheStickAndAKeyTogetherMoveThePlayerDiagonally) {
    // An empty cave with the player in cell 147 (row 9, column 3): in 60
    // frames it makes six moves. Right held on the keyboard with the stick
    // up inside its dead zone goes right only; the stick pushed past it adds
    // up, and the six moves go diagonally.
    const std::string dir = testing::FreshFolder("padmap");
    TextList lines(MapCellCount, "127");
    lines[0] = "128";
    lines[15] = "129";
    lines[176] = "98";
    lines[191] = "99";
    for (int r = 1; r <= 10; ++r)
        for (int c = 1; c <= 14; ++c) lines[static_cast<std::size_t>(r * 16 + c)] = "0";
    lines[147] = "24";
    lines[30] = "6";
    lines[170] = "134";
    ASSERT_TRUE(WriteTextList(dir + "/m.bkg", lines));
    const std::string inDeadZone = "0 PadLeftY=-10000\n1 +Right\n";
    ReplayResult r = RunScript(inDeadZone, 60, dir + "/m.bkg");
    EXPECT_EQ(r.State.Player.PlayerCell, 147 + 6);
    r = RunScript(inDeadZone + "1 PadLeftY=-12000\n", 60, dir + "/m.bkg");
    EXPECT_EQ(r.State.Player.PlayerCell, 147 - 6 * 15);
    std::filesystem::remove_all(dir);
}

// The window's messages as the main window would get them.
struct Messages : WindowEvents {
    std::vector<std::uint16_t> Keys;
    void DXDrawInitialize() override {}
    void DXDrawRestoreSurface() override {}
    void DXDrawFinalize() override {}
    void FormActivate() override {}
    void FormKeyDown(std::uint16_t key) override { Keys.push_back(key); }
    void FormCloseRequest() override {}
};

TEST(Gamepads, TheStickPastAThirdHoldsDirectionsAndAnUnplugLetsGoOfEverything) {
    HeadlessWindow w;
    Messages m;
    Keyboard& keys = w.Keys();
    // The inputs held after the events queued so far, as letters U D L R,
    // F (fire), E (Escape), with the key-down messages since the last look.
    auto read = [&] {
        w.PumpMessages(m);
        keys.UpdateInput();
        std::string held;
        for (auto [in, c] : {std::pair{Input::InputUp, 'U'},
                             {Input::InputDown, 'D'},
                             {Input::InputLeft, 'L'},
                             {Input::InputRight, 'R'},
                             {Input::InputFire1, 'F'},
                             {Input::InputEscape, 'E'}})
            if (keys.Test(in)) held += c;
        for (std::uint16_t k : m.Keys) held += " " + std::to_string(k);
        m.Keys.clear();
        return held;
    };
    w.PadStick(1, PadAxis::LeftX, -10922);
    EXPECT_EQ(read(), "") << "inside the dead zone";
    w.PadStick(1, PadAxis::LeftX, -10923);
    EXPECT_EQ(read(), "L 37");
    w.PadStick(1, PadAxis::LeftY, -32768);
    EXPECT_EQ(read(), "UL 38") << "both axes past it: a diagonal";
    w.PadStick(1, PadAxis::LeftX, 32767);
    EXPECT_EQ(read(), "UR 39");
    w.PadStick(1, PadAxis::LeftY, 10000);
    EXPECT_EQ(read(), "R");

    // The keyboard and the pad together: Right is held while either holds it.
    w.KeyDown(Key::Right);
    w.PadStick(1, PadAxis::LeftX, 0);
    EXPECT_EQ(read(), "R 39");
    w.PadDown(1, PadButton::DpadRight);
    w.KeyUp(Key::Right);
    EXPECT_EQ(read(), "R 39");
    w.PadUp(1, PadButton::DpadRight);
    EXPECT_EQ(read(), "");

    // Two controllers: the first holds B and the stick left, the second A
    // and Back. Unplugging the first lets go of what only it held.
    w.PadDown(1, PadButton::B);
    w.PadStick(1, PadAxis::LeftX, -20000);
    w.PadDown(2, PadButton::A);
    w.PadDown(2, PadButton::Back);
    EXPECT_EQ(read(), "LFE 27 37 13 27");
    w.PadUnplug(1);
    EXPECT_EQ(read(), "FE");
    w.PadUnplug(2);
    EXPECT_EQ(read(), "") << "nothing stuck";
    // A controller plugged in again starts from rest.
    w.PadDown(1, PadButton::Start);
    EXPECT_EQ(read(), "F 13");

    // A tap between two paced readings counts once; a held button told to
    // be ignored reads as up until pressed again.
    w.PadUp(1, PadButton::Start);
    w.PadDown(1, PadButton::B);
    w.PadUp(1, PadButton::B);
    w.PumpMessages(m);
    keys.UpdateInputCountingTaps();
    EXPECT_TRUE(keys.Test(Input::InputEscape));
    keys.UpdateInputCountingTaps();
    EXPECT_FALSE(keys.Test(Input::InputEscape));
    w.PadDown(1, PadButton::B);
    w.PumpMessages(m);
    keys.IgnoreWhileHeld(Input::InputEscape);
    keys.UpdateInputCountingTaps();
    EXPECT_FALSE(keys.Test(Input::InputEscape));
    w.PadDown(2, PadButton::Back);
    w.PumpMessages(m);
    keys.UpdateInputCountingTaps();
    EXPECT_TRUE(keys.Test(Input::InputEscape)) << "another button's press counts";
}

} // namespace
} // namespace gravlin
