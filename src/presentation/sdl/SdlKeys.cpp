#include "SdlKeys.h"

namespace gravlin {

Key KeyFromScancode(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<Key>(static_cast<int>(Key::A) + (scancode - SDL_SCANCODE_A));
    switch (scancode) {
    case SDL_SCANCODE_LEFT: return Key::Left;
    case SDL_SCANCODE_RIGHT: return Key::Right;
    case SDL_SCANCODE_UP: return Key::Up;
    case SDL_SCANCODE_DOWN: return Key::Down;
    case SDL_SCANCODE_KP_2: return Key::Kp2;
    case SDL_SCANCODE_KP_4: return Key::Kp4;
    case SDL_SCANCODE_KP_6: return Key::Kp6;
    case SDL_SCANCODE_KP_8: return Key::Kp8;
    case SDL_SCANCODE_APOSTROPHE: return Key::Apostrophe;
    case SDL_SCANCODE_SLASH: return Key::Slash;
    case SDL_SCANCODE_SPACE: return Key::Space;
    case SDL_SCANCODE_RETURN: return Key::Enter;
    case SDL_SCANCODE_KP_ENTER: return Key::KpEnter;
    case SDL_SCANCODE_ESCAPE: return Key::Escape;
    case SDL_SCANCODE_BACKSPACE: return Key::Backspace;
    case SDL_SCANCODE_TAB: return Key::Tab;
    case SDL_SCANCODE_F5: return Key::F5;
    case SDL_SCANCODE_F6: return Key::F6;
    case SDL_SCANCODE_F7: return Key::F7;
    default: return Key::None;
    }
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
