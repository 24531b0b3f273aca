#include "SdlGamepads.h"

#include "common/Files.h"

#include <SDL.h>
#include <sys/stat.h>

namespace gravlin {

namespace {
// SDL's own database of controllers is about half a megabyte.
constexpr std::size_t MappingFileLimit = 4 * 1024 * 1024;

SDL_JoystickID InstanceOf(SDL_GameController* c) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
}

} // namespace

std::optional<PadButton> PadButtonFromSdl(int button) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: return PadButton::A;
    case SDL_CONTROLLER_BUTTON_B: return PadButton::B;
    case SDL_CONTROLLER_BUTTON_X: return PadButton::X;
    case SDL_CONTROLLER_BUTTON_Y: return PadButton::Y;
    case SDL_CONTROLLER_BUTTON_BACK: return PadButton::Back;
    case SDL_CONTROLLER_BUTTON_START: return PadButton::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return PadButton::LeftStick;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return PadButton::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return PadButton::RightShoulder;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return PadButton::DpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return PadButton::DpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return PadButton::DpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return PadButton::DpadRight;
    default: return std::nullopt;
    }
}

bool SdlGamepads::Start(const std::string& mappingFile, std::string* warning) {
    if (started_) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        if (warning) *warning = std::string("playing without game controllers: ") + SDL_GetError();
        return false;
    }
    started_ = true;
    bool ok = true;
    struct stat st;
    if (!mappingFile.empty() && ::stat(mappingFile.c_str(), &st) == 0) {
        // Read by the game's own reader, so that a pipe or a huge file in its
        // place is refused rather than read for ever.
        std::string why;
        auto text = ReadWholeFile(mappingFile, MappingFileLimit, &why);
        SDL_RWops* rw = text ? SDL_RWFromConstMem(text->data(), static_cast<int>(text->size())) : nullptr;
        if (!text) {
            if (warning) *warning = why;
            ok = false;
        } else if (!rw || SDL_GameControllerAddMappingsFromRW(rw, 1) < 0) {
            if (warning) *warning = mappingFile + ": the controller mappings cannot be read: " + SDL_GetError();
            ok = false;
        }
    }
    // The controllers plugged in already, now that every mapping is known
    // (one known only from the player's file has no event of its own).
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_IsGameController(i)) Open(i);
    return ok;
}

void SdlGamepads::Open(int deviceIndex) {
    SDL_GameController* c = SDL_GameControllerOpen(deviceIndex);
    if (!c) return;
    for (SDL_GameController* o : open_)
        if (InstanceOf(o) == InstanceOf(c)) {
            // Opened already: SDL counts the second opening, give it back.
            SDL_GameControllerClose(c);
            return;
        }
    open_.push_back(c);
}

void SdlGamepads::Stop() {
    for (SDL_GameController* c : open_) SDL_GameControllerClose(c);
    open_.clear();
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    started_ = false;
}

bool SdlGamepads::Handle(const SDL_Event& e, Gamepads& pads, HeldKeyboard& keys, WindowEvents& events) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: Open(e.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        pads.Unplug(e.cdevice.which, keys);
        for (auto it = open_.begin(); it != open_.end(); ++it)
            if (InstanceOf(*it) == e.cdevice.which) {
                SDL_GameControllerClose(*it);
                open_.erase(it);
                break;
            }
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (auto b = PadButtonFromSdl(e.cbutton.button))
            if (auto code = pads.Button(e.cbutton.which, *b, e.type == SDL_CONTROLLERBUTTONDOWN, keys))
                events.FormKeyDown(code);
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        std::optional<PadAxis> axis;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) axis = PadAxis::LeftX;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) axis = PadAxis::LeftY;
        if (axis)
            if (auto code = pads.Stick(e.caxis.which, *axis, e.caxis.value, keys)) events.FormKeyDown(code);
        return true;
    }
    case SDL_CONTROLLERDEVICEREMAPPED: return true;
    default: return false;
    }
}

} // namespace gravlin
