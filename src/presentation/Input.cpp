#include "presentation/Input.h"

#include <cctype>

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
bool AnyOf(const HeldKeys& keys, const std::array<Key, 3>& of) {
    for (Key k : of)
        if (k != Key::None && keys.test(static_cast<std::size_t>(k))) return true;
    return false;
}
} // namespace

void HeldKeyboard::IgnoreWhileHeld(Input input) {
    const auto i = static_cast<std::size_t>(input);
    if (!AnyOf(Held, GameKeyMap()[i])) return;
    ignored_.set(i);
    // The press being ignored is not a tap to count later either.
    for (Key k : GameKeyMap()[i])
        if (k != Key::None) pressed_.reset(static_cast<std::size_t>(k));
}

void HeldKeyboard::Read(bool countTaps) {
    states_.Update(countTaps ? (Held | pressed_) : Held);
    for (std::size_t i = 0; i < InputCount; ++i) {
        if (!ignored_.test(i)) continue;
        const auto& keys = GameKeyMap()[i];
        if (AnyOf(pressed_, keys) || !AnyOf(Held, keys)) {
            // Pressed again (that press counts) or let go: no longer ignored.
            ignored_.reset(i);
        } else {
            states_.Set(static_cast<Input>(i), false);
        }
    }
    pressed_.reset();
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

namespace {
struct NamedKey {
    const char* name;
    Key key;
};
constexpr NamedKey Names[] = {
    {"Left", Key::Left},
    {"Right", Key::Right},
    {"Up", Key::Up},
    {"Down", Key::Down},
    {"Space", Key::Space},
    {"Enter", Key::Enter},
    {"KPEnter", Key::KpEnter},
    {"Escape", Key::Escape},
    {"Backspace", Key::Backspace},
    {"Tab", Key::Tab},
    {"F5", Key::F5},
    {"F6", Key::F6},
    {"F7", Key::F7},
    {"Apostrophe", Key::Apostrophe},
    {"Slash", Key::Slash},
    {"KP2", Key::Kp2},
    {"KP4", Key::Kp4},
    {"KP6", Key::Kp6},
    {"KP8", Key::Kp8},
};
} // namespace

std::optional<Key> KeyFromName(const std::string& name) {
    for (const auto& n : Names)
        if (name == n.name) return n.key;
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) {
        int offset = std::toupper(static_cast<unsigned char>(name[0])) - 'A';
        return static_cast<Key>(static_cast<int>(Key::A) + offset);
    }
    return std::nullopt;
}

std::string KeyName(Key key) {
    for (const auto& n : Names)
        if (n.key == key) return n.name;
    if (key >= Key::A && key <= Key::Z)
        return std::string(1, static_cast<char>('A' + (static_cast<int>(key) - static_cast<int>(Key::A))));
    return "None";
}

} // namespace gravlin
