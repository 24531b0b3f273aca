#pragma once
// Game controllers through SDL's game controller API: the mapping database
// SDL ships, SDL_GAMECONTROLLERCONFIG (which SDL reads itself) and the
// player's own mapping file; controllers plugged in and pulled out while the
// game runs. Their buttons and left stick go to the game through Gamepads,
// as every window's do.

#include "presentation/Display.h"
#include "presentation/Gamepad.h"

#include <SDL_events.h>
#include <SDL_gamecontroller.h>
#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// The game's button for one of SDL's; none for the buttons the game leaves
// alone (Guide, the right stick's click, paddles ...).
std::optional<PadButton> PadButtonFromSdl(int button);

class SdlGamepads {
  public:
    SdlGamepads() = default;
    ~SdlGamepads() { Stop(); }
    SdlGamepads(const SdlGamepads&) = delete;
    SdlGamepads& operator=(const SdlGamepads&) = delete;

    // Starts SDL's game controllers, adds the mappings of `mappingFile` when
    // that file exists, and opens every controller plugged in now; later
    // ones arrive as events. False with `warning` when controllers cannot be
    // had (the game plays on without) or the mapping file cannot be read.
    bool Start(const std::string& mappingFile, std::string* warning);
    void Stop();
    // Handles a controller's event (true), or leaves any other event alone.
    bool Handle(const SDL_Event& e, Gamepads& pads, HeldKeyboard& keys, WindowEvents& events);
    std::size_t OpenCount() const { return open_.size(); }

  private:
    void Open(int deviceIndex);

    bool started_ = false;
    std::vector<SDL_GameController*> open_;
};

} // namespace gravlin
