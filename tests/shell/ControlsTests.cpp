// The player's own keys and the gamepads reach the game only as input states
// and key-down messages: whole screens driven through the headless window.

#include "ShellHarness.h"

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

} // namespace
} // namespace gravlin
