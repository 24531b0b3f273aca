#include "presentation/Input.h"

#include <gtest/gtest.h>

using namespace gravlin;

TEST(GameKeyMap, EachInputHasItsKeys) {
    const KeyMap& m = GameKeyMap();
    auto keys = [&](Input in) { return m[static_cast<std::size_t>(in)]; };
    using K = std::array<Key, 3>;
    EXPECT_EQ(keys(Input::InputUp), (K{Key::Apostrophe, Key::Up, Key::Kp8}));
    EXPECT_EQ(keys(Input::InputDown), (K{Key::Slash, Key::Down, Key::Kp2}));
    EXPECT_EQ(keys(Input::InputLeft), (K{Key::Z, Key::Left, Key::Kp4}));
    EXPECT_EQ(keys(Input::InputRight), (K{Key::X, Key::Right, Key::Kp6}));
    EXPECT_EQ(keys(Input::InputEscape), (K{Key::Escape, Key::None, Key::None}));
    EXPECT_EQ(keys(Input::InputErase), (K{Key::Backspace, Key::None, Key::None}));
    EXPECT_EQ(keys(Input::InputNextPlayer), (K{Key::Tab, Key::None, Key::None}));
    EXPECT_EQ(keys(Input::InputSpeed2)[0], Key::F5);
    EXPECT_EQ(keys(Input::InputSpeed4)[0], Key::F6);
    EXPECT_EQ(keys(Input::InputSpeed6)[0], Key::F7);
    for (Input fire : {Input::InputFire1, Input::InputFire2}) {
        EXPECT_EQ(keys(fire)[0], Key::Space);
        EXPECT_EQ(keys(fire)[1], Key::Enter);
    }
}

TEST(VirtualKeyCode, CodesOfKeyDownMessages) {
    EXPECT_EQ(VirtualKeyCode(Key::Escape), 27);
    EXPECT_EQ(VirtualKeyCode(Key::Enter), 13);
    EXPECT_EQ(VirtualKeyCode(Key::KpEnter), 13);
    EXPECT_EQ(VirtualKeyCode(Key::Space), 32);
    EXPECT_EQ(VirtualKeyCode(Key::A), 65);
    EXPECT_EQ(VirtualKeyCode(Key::M), 77);
    EXPECT_EQ(VirtualKeyCode(Key::Z), 90);
    EXPECT_EQ(VirtualKeyCode(Key::Backspace), 8);
    EXPECT_EQ(VirtualKeyCode(Key::None), 0);
    for (int k = 0; k < static_cast<int>(Key::Count); ++k) {
        Key key = static_cast<Key>(k);
        if (key == Key::None) continue;
        // Every key has a script name that reads back as itself.
        EXPECT_EQ(KeyFromName(KeyName(key)), key) << KeyName(key);
    }
    EXPECT_EQ(KeyFromName("q"), Key::Q);
    EXPECT_FALSE(KeyFromName("Q1"));
    EXPECT_FALSE(KeyFromName(""));
}

TEST(InputStates, TrueWhileAnyOfItsKeysIsHeld) {
    HeldKeyboard kb;
    kb.UpdateInput();
    EXPECT_FALSE(kb.Test(Input::InputUp));
    // Three keys of one input go down one after another and up again in
    // another order: the input stays true until the last is released.
    kb.Press(Key::Apostrophe);
    kb.UpdateInput();
    EXPECT_TRUE(kb.Test(Input::InputUp));
    kb.Press(Key::Up);
    kb.Press(Key::Kp8);
    kb.Release(Key::Apostrophe);
    kb.UpdateInput();
    EXPECT_TRUE(kb.Test(Input::InputUp));
    kb.Release(Key::Kp8);
    kb.UpdateInput();
    EXPECT_TRUE(kb.Test(Input::InputUp));
    kb.Release(Key::Up);
    // Not read yet: the state changes only at UpdateInput.
    EXPECT_TRUE(kb.Test(Input::InputUp));
    kb.UpdateInput();
    EXPECT_FALSE(kb.Test(Input::InputUp));

    // One key in two inputs; keys outside the map change nothing.
    kb.Press(Key::Space);
    kb.Press(Key::Q);
    kb.UpdateInput();
    EXPECT_TRUE(kb.Test(Input::InputFire1));
    EXPECT_TRUE(kb.Test(Input::InputFire2));
    int trueInputs = 0;
    for (std::size_t i = 0; i < InputCount; ++i) trueInputs += kb.Test(static_cast<Input>(i));
    EXPECT_EQ(trueInputs, 2);
}

TEST(KeyDownMessages, TheBuiltInMapSendsEachKeysOwnCodeAndAMovedKeyGoesOnOrBack) {
    // With the built-in keys every key sends its own code and nothing more;
    // the keys beyond the built-in map send nothing.
    for (int k = 0; k < static_cast<int>(Key::Count); ++k) {
        const Key key = static_cast<Key>(k);
        EXPECT_EQ(KeyDownMessagesOf(key, key, GameKeyMap()), (KeyDownMessages{VirtualKeyCode(key), 0, 0}))
            << KeyName(key);
        if (key >= Key::Digit0) {
            EXPECT_EQ(VirtualKeyCode(key), 0) << KeyName(key);
        }
        if (key == Key::None) continue;
        // Each key is found by its SDL name and its script name, in any case.
        EXPECT_EQ(KeyFromAnyName(KeySdlName(key)), key) << KeySdlName(key);
        EXPECT_EQ(KeyFromAnyName(KeyName(key)), key) << KeyName(key);
    }
    EXPECT_EQ(KeyFromAnyName("keypad 4"), Key::Kp4);
    EXPECT_EQ(KeyFromAnyName("kp4"), Key::Kp4);
    EXPECT_EQ(KeyFromAnyName("Return"), Key::Enter);

    KeyMap map = GameKeyMap();
    auto set = [&](Input in, std::array<Key, 3> keys) { map[static_cast<std::size_t>(in)] = keys; };
    set(Input::InputFire1, {Key::F, Key::RightCtrl, Key::None});
    set(Input::InputFire2, {Key::Space, Key::None, Key::None});
    set(Input::InputEscape, {Key::Q, Key::Enter, Key::None});
    using M = KeyDownMessages;
    // A letter on a fire input types itself, then goes on as Enter does.
    EXPECT_EQ(KeyDownMessagesOf(Key::F, Key::F, map), (M{'F', 13, 0}));
    EXPECT_EQ(KeyDownMessagesOf(Key::RightCtrl, Key::RightCtrl, map), (M{13, 0, 0}));
    EXPECT_EQ(KeyDownMessagesOf(Key::Space, Key::Space, map), (M{32, 0, 0}));
    // Enter moved onto Escape goes back; Escape moved off it sends nothing.
    EXPECT_EQ(KeyDownMessagesOf(Key::Enter, Key::Enter, map), (M{27, 0, 0}));
    EXPECT_EQ(KeyDownMessagesOf(Key::Escape, Key::Escape, map), (M{0, 0, 0}));
    EXPECT_EQ(KeyDownMessagesOf(Key::Q, Key::Q, map), (M{'Q', 27, 0}));
    // The map names places; the letter typed is the one printed on the key.
    EXPECT_EQ(KeyDownMessagesOf(Key::F, Key::G, map), (M{'G', 13, 0}));
    EXPECT_EQ(KeyDownMessagesOf(Key::F, Key::None, map), (M{13, 0, 0}));

    HeldKeyboard kb(map);
    kb.Press(Key::RightCtrl);
    kb.Press(Key::Escape);
    kb.UpdateInput();
    EXPECT_TRUE(kb.Test(Input::InputFire1));
    EXPECT_FALSE(kb.Test(Input::InputEscape));
}
