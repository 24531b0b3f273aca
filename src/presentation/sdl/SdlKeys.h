#pragma once
// Translation of SDL's keys into the game's keys. Held keys follow the key's
// place on the keyboard (its scancode), so the direction keys sit where the
// help screen says whatever the layout; the key of a key-down message follows
// the letter printed on the key (its keycode), so a typed name comes out as
// typed on any layout.

#include "presentation/Input.h"

#include <SDL_keyboard.h>

namespace gravlin {

// The game's key at this place on the keyboard; Key::None for keys the game
// does not know.
Key KeyFromScancode(SDL_Scancode scancode);
// The place of a key the game knows; SDL_SCANCODE_UNKNOWN for Key::None.
SDL_Scancode ScancodeOf(Key key);

// The game's key for a key-down message: letters by the symbol on the key,
// every other key by its place.
Key MessageKeyFor(SDL_Scancode scancode, SDL_Keycode symbol);

} // namespace gravlin
