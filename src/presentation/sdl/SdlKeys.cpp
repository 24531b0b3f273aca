#include "SdlKeys.h"

namespace gravlin {

namespace {

struct PlacedKey {
    SDL_Scancode scancode;
    Key key;
};
// Every key the game knows but the letters, by its place.
constexpr PlacedKey Places[] = {
    {SDL_SCANCODE_LEFT, Key::Left},
    {SDL_SCANCODE_RIGHT, Key::Right},
    {SDL_SCANCODE_UP, Key::Up},
    {SDL_SCANCODE_DOWN, Key::Down},
    {SDL_SCANCODE_KP_2, Key::Kp2},
    {SDL_SCANCODE_KP_4, Key::Kp4},
    {SDL_SCANCODE_KP_6, Key::Kp6},
    {SDL_SCANCODE_KP_8, Key::Kp8},
    {SDL_SCANCODE_APOSTROPHE, Key::Apostrophe},
    {SDL_SCANCODE_SLASH, Key::Slash},
    {SDL_SCANCODE_SPACE, Key::Space},
    {SDL_SCANCODE_RETURN, Key::Enter},
    {SDL_SCANCODE_KP_ENTER, Key::KpEnter},
    {SDL_SCANCODE_ESCAPE, Key::Escape},
    {SDL_SCANCODE_BACKSPACE, Key::Backspace},
    {SDL_SCANCODE_TAB, Key::Tab},
    {SDL_SCANCODE_F5, Key::F5},
    {SDL_SCANCODE_F6, Key::F6},
    {SDL_SCANCODE_F7, Key::F7},
    {SDL_SCANCODE_0, Key::Digit0},
    {SDL_SCANCODE_1, Key::Digit1},
    {SDL_SCANCODE_2, Key::Digit2},
    {SDL_SCANCODE_3, Key::Digit3},
    {SDL_SCANCODE_4, Key::Digit4},
    {SDL_SCANCODE_5, Key::Digit5},
    {SDL_SCANCODE_6, Key::Digit6},
    {SDL_SCANCODE_7, Key::Digit7},
    {SDL_SCANCODE_8, Key::Digit8},
    {SDL_SCANCODE_9, Key::Digit9},
    {SDL_SCANCODE_MINUS, Key::Minus},
    {SDL_SCANCODE_EQUALS, Key::Equals},
    {SDL_SCANCODE_LEFTBRACKET, Key::LeftBracket},
    {SDL_SCANCODE_RIGHTBRACKET, Key::RightBracket},
    {SDL_SCANCODE_BACKSLASH, Key::Backslash},
    {SDL_SCANCODE_NONUSHASH, Key::Hash},
    {SDL_SCANCODE_SEMICOLON, Key::Semicolon},
    {SDL_SCANCODE_GRAVE, Key::Grave},
    {SDL_SCANCODE_COMMA, Key::Comma},
    {SDL_SCANCODE_PERIOD, Key::Period},
    {SDL_SCANCODE_CAPSLOCK, Key::CapsLock},
    {SDL_SCANCODE_F1, Key::F1},
    {SDL_SCANCODE_F2, Key::F2},
    {SDL_SCANCODE_F3, Key::F3},
    {SDL_SCANCODE_F4, Key::F4},
    {SDL_SCANCODE_F8, Key::F8},
    {SDL_SCANCODE_F9, Key::F9},
    {SDL_SCANCODE_F10, Key::F10},
    {SDL_SCANCODE_F11, Key::F11},
    {SDL_SCANCODE_F12, Key::F12},
    {SDL_SCANCODE_PRINTSCREEN, Key::PrintScreen},
    {SDL_SCANCODE_SCROLLLOCK, Key::ScrollLock},
    {SDL_SCANCODE_PAUSE, Key::Pause},
    {SDL_SCANCODE_INSERT, Key::Insert},
    {SDL_SCANCODE_HOME, Key::Home},
    {SDL_SCANCODE_PAGEUP, Key::PageUp},
    {SDL_SCANCODE_DELETE, Key::Delete},
    {SDL_SCANCODE_END, Key::End},
    {SDL_SCANCODE_PAGEDOWN, Key::PageDown},
    {SDL_SCANCODE_NUMLOCKCLEAR, Key::NumLock},
    {SDL_SCANCODE_KP_DIVIDE, Key::KpDivide},
    {SDL_SCANCODE_KP_MULTIPLY, Key::KpMultiply},
    {SDL_SCANCODE_KP_MINUS, Key::KpMinus},
    {SDL_SCANCODE_KP_PLUS, Key::KpPlus},
    {SDL_SCANCODE_KP_0, Key::Kp0},
    {SDL_SCANCODE_KP_1, Key::Kp1},
    {SDL_SCANCODE_KP_3, Key::Kp3},
    {SDL_SCANCODE_KP_5, Key::Kp5},
    {SDL_SCANCODE_KP_7, Key::Kp7},
    {SDL_SCANCODE_KP_9, Key::Kp9},
    {SDL_SCANCODE_KP_PERIOD, Key::KpPeriod},
    {SDL_SCANCODE_KP_EQUALS, Key::KpEquals},
    {SDL_SCANCODE_APPLICATION, Key::Menu},
    {SDL_SCANCODE_LCTRL, Key::LeftCtrl},
    {SDL_SCANCODE_LSHIFT, Key::LeftShift},
    {SDL_SCANCODE_LALT, Key::LeftAlt},
    {SDL_SCANCODE_LGUI, Key::LeftGui},
    {SDL_SCANCODE_RCTRL, Key::RightCtrl},
    {SDL_SCANCODE_RSHIFT, Key::RightShift},
    {SDL_SCANCODE_RALT, Key::RightAlt},
    {SDL_SCANCODE_RGUI, Key::RightGui},
};

} // namespace

Key KeyFromScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<Key>(static_cast<int>(Key::A) + (scancode - SDL_SCANCODE_A));
    for (const auto& p : Places)
        if (p.scancode == scancode) return p.key;
    return Key::None;
}

SDL_Scancode ScancodeOf(Key key) {
    if (key >= Key::A && key <= Key::Z)
        return static_cast<SDL_Scancode>(SDL_SCANCODE_A + (static_cast<int>(key) - static_cast<int>(Key::A)));
    for (const auto& p : Places)
        if (p.key == key) return p.scancode;
    return SDL_SCANCODE_UNKNOWN;
}

Key MessageKeyFor(SDL_Scancode scancode, SDL_Keycode symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) return static_cast<Key>(static_cast<int>(Key::A) + (symbol - SDLK_a));
    Key k = KeyFromScancode(scancode);
    // A key that is a letter by place but not by symbol (a letter position
    // carrying another character on this layout) is no letter.
    if (k >= Key::A && k <= Key::Z) return Key::None;
    return k;
}

} // namespace gravlin
