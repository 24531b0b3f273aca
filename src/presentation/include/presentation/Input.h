#pragma once
// The keyboard as the game sees it: physical keys, the held input states that
// screens and the player test after `UpdateInput`, and the virtual key codes
// of key-down messages delivered to `FormKeyDown`.

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

namespace gravlin {

// The physical keys the game knows: those of the built-in map first, then
// the rest of an ordinary keyboard, which the player may choose in the
// controls file. Backends translate their own key codes into these; every
// other key is `None`.
enum class Key : std::uint8_t {
    None,
    Left,
    Right,
    Up,
    Down,
    Kp2,
    Kp4,
    Kp6,
    Kp8,
    Apostrophe,
    Slash,
    Space,
    Enter,
    KpEnter,
    Escape,
    Backspace,
    Tab,
    F5,
    F6,
    F7,
    A,
    B,
    C,
    D,
    E,
    F,
    G,
    H,
    I,
    J,
    K,
    L,
    M,
    N,
    O,
    P,
    Q,
    R,
    S,
    T,
    U,
    V,
    W,
    X,
    Y,
    Z,
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Minus,
    Equals,
    LeftBracket,
    RightBracket,
    Backslash,
    Hash,
    Semicolon,
    Grave,
    Comma,
    Period,
    CapsLock,
    F1,
    F2,
    F3,
    F4,
    F8,
    F9,
    F10,
    F11,
    F12,
    PrintScreen,
    ScrollLock,
    Pause,
    Insert,
    Home,
    PageUp,
    Delete,
    End,
    PageDown,
    NumLock,
    KpDivide,
    KpMultiply,
    KpMinus,
    KpPlus,
    Kp0,
    Kp1,
    Kp3,
    Kp5,
    Kp7,
    Kp9,
    KpPeriod,
    KpEquals,
    Menu,
    LeftCtrl,
    LeftShift,
    LeftAlt,
    LeftGui,
    RightCtrl,
    RightShift,
    RightAlt,
    RightGui,
    Count
};

enum class Input : std::uint8_t {
    InputUp,
    InputDown,
    InputLeft,
    InputRight,
    InputFire1,
    InputFire2,
    InputEscape,
    InputErase,
    InputNextPlayer,
    InputSpeed2,
    InputSpeed4,
    InputSpeed6,
    Count
};

constexpr std::size_t InputCount = static_cast<std::size_t>(Input::Count);
constexpr std::size_t KeyCount = static_cast<std::size_t>(Key::Count);

// Up to three keys for each input.
constexpr std::size_t KeysPerInput = 3;
using KeyMap = std::array<std::array<Key, KeysPerInput>, InputCount>;
using InputSet = std::bitset<InputCount>;

// The game's built-in key map. The keyboard reads it unless the player's
// controls file gives other keys.
const KeyMap& GameKeyMap();

// The input's own name ("InputUp" ...) and back.
std::string InputName(Input input);
std::optional<Input> InputFromName(const std::string& name);

// Virtual key code of a key-down message: Escape 27, Enter 13, Space 32,
// letters 65 to 90 whatever the shift state, Backspace 8, Tab 9, cursor keys
// 37 to 40, F5 to F7 116 to 118. Zero for keys with no code: the keys beyond
// the built-in map send no message of their own.
std::uint16_t VirtualKeyCode(Key key);

// The key-down messages of one press, at most three (the unused places are
// 0). `place` is the key where it sits on the keyboard, as the map names it;
// `symbol` the key printed on it, which gives a letter its code (the two
// differ only for letters on another layout). The messages that go on and go
// back (Enter 13, Space 32, Escape 27) follow the map: a key on InputFire1 or
// InputFire2 sends Enter's (Space keeps its own), a key on InputEscape sends
// Escape's, and Enter, Space and Escape moved off those inputs send none.
// Every other code is the key's own, so a letter sends the letter typed, and
// a letter moved onto InputFire1 sends the letter and then Enter's.
using KeyDownMessages = std::array<std::uint16_t, 3>;
KeyDownMessages KeyDownMessagesOf(Key place, Key symbol, const KeyMap& map);

// Key names of replay scripts ("Left", "KP8", "Apostrophe", "A" ...).
std::optional<Key> KeyFromName(const std::string& name);
std::string KeyName(Key key);
// The key's name as SDL names it ("Return", "Keypad 8", "'", "A" ...).
std::string KeySdlName(Key key);
// A key by either name, without regard to letter case (the controls file).
std::optional<Key> KeyFromAnyName(const std::string& name);

// The set of physical keys held now.
using HeldKeys = std::bitset<KeyCount>;

// Input states, as `UpdateInput` leaves them: an input is true while one of
// its keys is held.
class InputStates {
  public:
    void Update(const HeldKeys& held, const KeyMap& map = GameKeyMap());
    bool Test(Input input) const { return states_[static_cast<std::size_t>(input)]; }
    void Set(Input input, bool down) { states_[static_cast<std::size_t>(input)] = down; }
    void Clear() { states_.reset(); }

  private:
    InputSet states_;
};

// What the rules and screens use to read the keyboard: `UpdateInput` reads the
// held keys into the input states, `Test` asks one state.
class Keyboard {
  public:
    virtual ~Keyboard() = default;
    virtual void UpdateInput() = 0;
    virtual bool Test(Input input) const = 0;
    // Like UpdateInput, but an input that was pressed and released again since
    // the last reading, so that no reading saw it held, reads as held this once.
    // The menus, which read the keyboard only every few frames, use it so that
    // a short tap is never lost.
    virtual void UpdateInputCountingTaps() { UpdateInput(); }
    // Forgets the taps seen so far: the next UpdateInputCountingTaps counts only
    // presses from now on.
    virtual void ForgetTaps() {}
    // When `input` is held now, it reads as up until it has been released and
    // pressed again, so one press of a key acts on one screen only.
    virtual void IgnoreWhileHeld(Input) {}
};

// A keyboard over a set of held keys that its owner keeps up to date (the
// window's events, or a replay script), read through a key map, and over the
// inputs that the gamepads hold directly. An input is held while any of its
// keys or any button standing for it is held.
class HeldKeyboard : public Keyboard {
  public:
    explicit HeldKeyboard(const KeyMap& map = GameKeyMap()) : map_(map) {}
    HeldKeys Held;
    void UpdateInput() override { Read(false); }
    void UpdateInputCountingTaps() override { Read(true); }
    void ForgetTaps() override {
        pressed_.reset();
        padPressed_.reset();
    }
    void IgnoreWhileHeld(Input input) override;
    bool Test(Input input) const override { return states_.Test(input); }
    void Press(Key k) {
        Held.set(static_cast<std::size_t>(k));
        pressed_.set(static_cast<std::size_t>(k));
    }
    void Release(Key k) { Held.reset(static_cast<std::size_t>(k)); }
    // Every key up at once (the window lost the focus and will not hear the
    // releases).
    void ReleaseAll() { Held.reset(); }

    // The key map read from now on (the player's controls file).
    void SetMap(const KeyMap& map) { map_ = map; }
    const KeyMap& Map() const { return map_; }
    // The key-down messages of a press of `place` (see KeyDownMessagesOf).
    KeyDownMessages MessagesOf(Key place, Key symbol) const { return KeyDownMessagesOf(place, symbol, map_); }
    KeyDownMessages MessagesOf(Key key) const { return KeyDownMessagesOf(key, key, map_); }

    // The inputs the gamepads hold now, and those that went down just now
    // (a press counts as a tap like a key's).
    void HoldPadInputs(const InputSet& held, const InputSet& pressed) {
        padHeld_ = held;
        padPressed_ |= pressed;
    }

  private:
    void Read(bool countTaps);
    bool HeldNow(std::size_t input) const;

    KeyMap map_;
    InputStates states_;
    // Keys that went down since the last reading.
    HeldKeys pressed_;
    // The gamepads' inputs: held now, and pressed since the last reading.
    InputSet padHeld_, padPressed_;
    // Inputs held when they were told to be ignored, until released or
    // pressed again.
    InputSet ignored_;
};

} // namespace gravlin
