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

// The physical keys the game knows. Backends translate their own key codes
// into these; every other key is `None`.
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
using KeyMap = std::array<std::array<Key, 3>, InputCount>;

// The game's key map: installed when the display is initialised, replacing
// any other.
const KeyMap& GameKeyMap();

// Virtual key code of a key-down message: Escape 27, Enter 13, Space 32,
// letters 65 to 90 whatever the shift state, Backspace 8, Tab 9, cursor keys
// 37 to 40, F5 to F7 116 to 118. Zero for keys with no code.
std::uint16_t VirtualKeyCode(Key key);

// Key names of replay scripts ("Left", "KP8", "Apostrophe", "A" ...).
std::optional<Key> KeyFromName(const std::string& name);
std::string KeyName(Key key);

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
    std::bitset<InputCount> states_;
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
// window's events, or a replay script).
class HeldKeyboard : public Keyboard {
  public:
    HeldKeys Held;
    void UpdateInput() override { Read(false); }
    void UpdateInputCountingTaps() override { Read(true); }
    void ForgetTaps() override { pressed_.reset(); }
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

  private:
    void Read(bool countTaps);

    InputStates states_;
    // Keys that went down since the last reading.
    HeldKeys pressed_;
    // Inputs held when they were told to be ignored, until released or
    // pressed again.
    std::bitset<InputCount> ignored_;
};

} // namespace gravlin
