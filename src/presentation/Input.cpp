#include "presentation/Input.h"

#include <cctype>
#include <strings.h>

namespace gravlin {

const KeyMap& GameKeyMap() {
    static const KeyMap map = [] {
        KeyMap m{};
        auto set = [&](Input in, Key a, Key b = Key::None, Key c = Key::None) {
            m[static_cast<std::size_t>(in)] = {a, b, c};
        };
        set(Input::InputUp, Key::Apostrophe, Key::Up, Key::Kp8);
        set(Input::InputDown, Key::Slash, Key::Down, Key::Kp2);
        set(Input::InputLeft, Key::Z, Key::Left, Key::Kp4);
        set(Input::InputRight, Key::X, Key::Right, Key::Kp6);
        // Enter on the keypad is the same key as Enter for the menus.
        set(Input::InputFire1, Key::Space, Key::Enter, Key::KpEnter);
        set(Input::InputFire2, Key::Space, Key::Enter, Key::KpEnter);
        set(Input::InputEscape, Key::Escape);
        set(Input::InputErase, Key::Backspace);
        set(Input::InputNextPlayer, Key::Tab);
        set(Input::InputSpeed2, Key::F5);
        set(Input::InputSpeed4, Key::F6);
        set(Input::InputSpeed6, Key::F7);
        return m;
    }();
    return map;
}

void InputStates::Update(const HeldKeys& held, const KeyMap& map) {
    for (std::size_t i = 0; i < InputCount; ++i) {
        bool down = false;
        for (Key k : map[i])
            if (k != Key::None && held.test(static_cast<std::size_t>(k))) down = true;
        states_[i] = down;
    }
}

namespace {
bool AnyOf(const HeldKeys& keys, const std::array<Key, KeysPerInput>& of) {
    for (Key k : of)
        if (k != Key::None && keys.test(static_cast<std::size_t>(k))) return true;
    return false;
}
} // namespace

bool HeldKeyboard::HeldNow(std::size_t input) const {
    return AnyOf(Held, map_[input]) || padHeld_.test(input);
}

void HeldKeyboard::IgnoreWhileHeld(Input input) {
    const auto i = static_cast<std::size_t>(input);
    if (!HeldNow(i)) return;
    ignored_.set(i);
    // The press being ignored is not a tap to count later either.
    for (Key k : map_[i])
        if (k != Key::None) pressed_.reset(static_cast<std::size_t>(k));
    padPressed_.reset(i);
}

void HeldKeyboard::Read(bool countTaps) {
    states_.Update(countTaps ? (Held | pressed_) : Held, map_);
    const InputSet pads = countTaps ? (padHeld_ | padPressed_) : padHeld_;
    for (std::size_t i = 0; i < InputCount; ++i)
        if (pads.test(i)) states_.Set(static_cast<Input>(i), true);
    for (std::size_t i = 0; i < InputCount; ++i) {
        if (!ignored_.test(i)) continue;
        if (AnyOf(pressed_, map_[i]) || padPressed_.test(i) || !HeldNow(i)) {
            // Pressed again (that press counts) or let go: no longer ignored.
            ignored_.reset(i);
        } else {
            states_.Set(static_cast<Input>(i), false);
        }
    }
    pressed_.reset();
    padPressed_.reset();
}

std::uint16_t VirtualKeyCode(Key key) {
    if (key >= Key::A && key <= Key::Z)
        return static_cast<std::uint16_t>(65 + (static_cast<int>(key) - static_cast<int>(Key::A)));
    switch (key) {
    case Key::Escape: return 27;
    case Key::Enter:
    case Key::KpEnter: return 13;
    case Key::Space: return 32;
    case Key::Backspace: return 8;
    case Key::Tab: return 9;
    case Key::Left: return 37;
    case Key::Up: return 38;
    case Key::Right: return 39;
    case Key::Down: return 40;
    case Key::Kp2: return 98;
    case Key::Kp4: return 100;
    case Key::Kp6: return 102;
    case Key::Kp8: return 104;
    case Key::Apostrophe: return 222;
    case Key::Slash: return 191;
    case Key::F5: return 116;
    case Key::F6: return 117;
    case Key::F7: return 118;
    default: return 0;
    }
}

KeyDownMessages KeyDownMessagesOf(Key place, Key symbol, const KeyMap& map) {
    constexpr std::uint16_t EnterCode = 13, SpaceCode = 32, EscapeCode = 27;
    auto on = [&](Input in) {
        for (Key k : map[static_cast<std::size_t>(in)])
            if (k != Key::None && k == place) return true;
        return false;
    };
    const std::uint16_t own = VirtualKeyCode(symbol);
    KeyDownMessages out{};
    std::size_t n = 0;
    if (own != EnterCode && own != SpaceCode && own != EscapeCode && own != 0) out[n++] = own;
    if (on(Input::InputFire1) || on(Input::InputFire2)) out[n++] = own == SpaceCode ? SpaceCode : EnterCode;
    if (on(Input::InputEscape)) out[n++] = EscapeCode;
    return out;
}

namespace {

struct KeyNames {
    Key key;
    const char* script; // the replay script's name: one word
    const char* sdl;    // SDL's name of the key's place
};
// Every key but the letters, whose names are the letter itself.
constexpr KeyNames Names[] = {
    {Key::Left, "Left", "Left"},
    {Key::Right, "Right", "Right"},
    {Key::Up, "Up", "Up"},
    {Key::Down, "Down", "Down"},
    {Key::Space, "Space", "Space"},
    {Key::Enter, "Enter", "Return"},
    {Key::KpEnter, "KPEnter", "Keypad Enter"},
    {Key::Escape, "Escape", "Escape"},
    {Key::Backspace, "Backspace", "Backspace"},
    {Key::Tab, "Tab", "Tab"},
    {Key::F5, "F5", "F5"},
    {Key::F6, "F6", "F6"},
    {Key::F7, "F7", "F7"},
    {Key::Apostrophe, "Apostrophe", "'"},
    {Key::Slash, "Slash", "/"},
    {Key::Kp2, "KP2", "Keypad 2"},
    {Key::Kp4, "KP4", "Keypad 4"},
    {Key::Kp6, "KP6", "Keypad 6"},
    {Key::Kp8, "KP8", "Keypad 8"},
    {Key::Digit0, "0", "0"},
    {Key::Digit1, "1", "1"},
    {Key::Digit2, "2", "2"},
    {Key::Digit3, "3", "3"},
    {Key::Digit4, "4", "4"},
    {Key::Digit5, "5", "5"},
    {Key::Digit6, "6", "6"},
    {Key::Digit7, "7", "7"},
    {Key::Digit8, "8", "8"},
    {Key::Digit9, "9", "9"},
    {Key::Minus, "Minus", "-"},
    {Key::Equals, "Equals", "="},
    {Key::LeftBracket, "LeftBracket", "["},
    {Key::RightBracket, "RightBracket", "]"},
    {Key::Backslash, "Backslash", "\\"},
    // "#" starts a comment in the controls file: there the key is "Hash".
    {Key::Hash, "Hash", "#"},
    {Key::Semicolon, "Semicolon", ";"},
    {Key::Grave, "Grave", "`"},
    {Key::Comma, "Comma", ","},
    {Key::Period, "Period", "."},
    {Key::CapsLock, "CapsLock", "CapsLock"},
    {Key::F1, "F1", "F1"},
    {Key::F2, "F2", "F2"},
    {Key::F3, "F3", "F3"},
    {Key::F4, "F4", "F4"},
    {Key::F8, "F8", "F8"},
    {Key::F9, "F9", "F9"},
    {Key::F10, "F10", "F10"},
    {Key::F11, "F11", "F11"},
    {Key::F12, "F12", "F12"},
    {Key::PrintScreen, "PrintScreen", "PrintScreen"},
    {Key::ScrollLock, "ScrollLock", "ScrollLock"},
    {Key::Pause, "Pause", "Pause"},
    {Key::Insert, "Insert", "Insert"},
    {Key::Home, "Home", "Home"},
    {Key::PageUp, "PageUp", "PageUp"},
    {Key::Delete, "Delete", "Delete"},
    {Key::End, "End", "End"},
    {Key::PageDown, "PageDown", "PageDown"},
    {Key::NumLock, "NumLock", "Numlock"},
    {Key::KpDivide, "KPDivide", "Keypad /"},
    {Key::KpMultiply, "KPMultiply", "Keypad *"},
    {Key::KpMinus, "KPMinus", "Keypad -"},
    {Key::KpPlus, "KPPlus", "Keypad +"},
    {Key::Kp0, "KP0", "Keypad 0"},
    {Key::Kp1, "KP1", "Keypad 1"},
    {Key::Kp3, "KP3", "Keypad 3"},
    {Key::Kp5, "KP5", "Keypad 5"},
    {Key::Kp7, "KP7", "Keypad 7"},
    {Key::Kp9, "KP9", "Keypad 9"},
    {Key::KpPeriod, "KPPeriod", "Keypad ."},
    {Key::KpEquals, "KPEquals", "Keypad ="},
    {Key::Menu, "Menu", "Application"},
    {Key::LeftCtrl, "LeftCtrl", "Left Ctrl"},
    {Key::LeftShift, "LeftShift", "Left Shift"},
    {Key::LeftAlt, "LeftAlt", "Left Alt"},
    {Key::LeftGui, "LeftGUI", "Left GUI"},
    {Key::RightCtrl, "RightCtrl", "Right Ctrl"},
    {Key::RightShift, "RightShift", "Right Shift"},
    {Key::RightAlt, "RightAlt", "Right Alt"},
    {Key::RightGui, "RightGUI", "Right GUI"},
};

std::optional<Key> Letter(const std::string& name) {
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        int offset = std::toupper(static_cast<unsigned char>(name[0])) - 'A';
        return static_cast<Key>(static_cast<int>(Key::A) + offset);
    }
    return std::nullopt;
}

bool SameIgnoringCase(const std::string& a, const char* b) {
    return ::strcasecmp(a.c_str(), b) == 0;
}

constexpr const char* InputNames[InputCount] = {
    "InputUp",     "InputDown",  "InputLeft",       "InputRight",  "InputFire1",  "InputFire2",
    "InputEscape", "InputErase", "InputNextPlayer", "InputSpeed2", "InputSpeed4", "InputSpeed6",
};

} // namespace

std::optional<Key> KeyFromName(const std::string& name) {
    for (const auto& n : Names)
        if (name == n.script) return n.key;
    return Letter(name);
}

std::string KeyName(Key key) {
    for (const auto& n : Names)
        if (n.key == key) return n.script;
    if (key >= Key::A && key <= Key::Z)
        return std::string(1, static_cast<char>('A' + (static_cast<int>(key) - static_cast<int>(Key::A))));
    return "None";
}

std::string KeySdlName(Key key) {
    for (const auto& n : Names)
        if (n.key == key) return n.sdl;
    return KeyName(key);
}

std::optional<Key> KeyFromAnyName(const std::string& name) {
    for (const auto& n : Names)
        if (SameIgnoringCase(name, n.sdl) || SameIgnoringCase(name, n.script)) return n.key;
    return Letter(name);
}

std::string InputName(Input input) {
    const auto i = static_cast<std::size_t>(input);
    return i < InputCount ? InputNames[i] : "None";
}

std::optional<Input> InputFromName(const std::string& name) {
    for (std::size_t i = 0; i < InputCount; ++i)
        if (SameIgnoringCase(name, InputNames[i])) return static_cast<Input>(i);
    return std::nullopt;
}

} // namespace gravlin
