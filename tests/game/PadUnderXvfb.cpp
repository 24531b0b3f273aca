// The real SDL window under Xvfb with SDL's virtual game controllers: the
// player's mapping file is read, A on the title shows the help page, a
// controller plugged in while the game runs is heard, several act at once,
// and one pulled out lets go of what it held. Exits 0 when all is well, 1
// with the reason otherwise.

#include "audio/silent/SilentAudio.h"
#include "presentation/sdl/SdlWindow.h"
#include "shell/TfrmMain.h"

#include <SDL.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

using namespace gravlin;

// A virtual controller with every button and axis of SDL's layout. Its
// buttons are numbered as the layout lists them (0 is A, 1 is B ...).
SDL_Joystick* Plug(const char* name, Uint16 product, int* deviceIndex) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.vendor_id = 0x1209;
    desc.product_id = product;
    desc.name = name;
    *deviceIndex = SDL_JoystickAttachVirtualEx(&desc);
    return *deviceIndex < 0 ? nullptr : SDL_JoystickOpen(*deviceIndex);
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "FAIL: %s\n", why.c_str());
    return 1;
}

} // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path work = fs::temp_directory_path() / ("gravlin-pad-" + std::to_string(::getpid()));
    fs::create_directories(work / "home");
    struct Cleanup {
        fs::path dir;
        ~Cleanup() {
            std::error_code ec;
            fs::remove_all(dir, ec);
        }
    } cleanup{work};

    // The first controller is plugged in before the game starts; the
    // player's mapping file swaps its A and B.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return Fail(std::string("no joysticks: ") + SDL_GetError());
    int firstIndex = -1, secondIndex = -1;
    SDL_Joystick* first = Plug("Gravlin swapped pad", 0x0001, &firstIndex);
    if (!first) return Fail(std::string("no virtual controller: ") + SDL_GetError());
    char guid[33];
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(first), guid, sizeof guid);
    const std::string mappings = (work / "gamecontrollerdb.txt").string();
    std::ofstream(mappings) << "# the player's own mappings\n"
                            << guid
                            << ",Gravlin swapped pad,a:b1,b:b0,x:b2,y:b3,back:b4,start:b6,leftstick:b7,"
                               "leftshoulder:b9,rightshoulder:b10,dpup:b11,dpdown:b12,dpleft:b13,dpright:b14,"
                               "leftx:a0,lefty:a1,platform:Linux,\n";

    SdlWindowOptions options;
    options.Windowed = true;
    options.VSync = false;
    options.MessageBoxes = false;
    options.ControllerMappings = mappings;
    SdlWindow window(options);
    std::string error;
    if (!window.Open(&error)) return Fail(error);
    SilentAudio audio;
    TfrmMain form(window, audio, ShellOptions{GRAVLIN_GAME_DIR, (work / "home").string(), 1u});
    form.FormCreate();
    auto state = [&] { return form.View().GameState; };
    // Frames until `done` or two seconds.
    auto runUntil = [&](const std::function<bool()>& done) {
        for (int frame = 0; frame < 120; ++frame) {
            form.DXTimerTimer();
            if (done()) return true;
            SDL_Delay(16);
        }
        return false;
    };
    runUntil([] { return false; });
    if (state() != StateIntro || form.Terminated()) return Fail("the game did not start on the title");
    if (window.ControllerCount() != 1) return Fail("the controller plugged in before the start is not open");

    // Button 1 is A by the player's file (B, which would quit, by SDL's own
    // mapping of a virtual controller).
    SDL_JoystickSetVirtualButton(first, 1, SDL_PRESSED);
    if (!runUntil([&] { return state() != StateIntro || form.Terminated(); }) || state() != StateHelp)
        return Fail("A on the title did not show the help page (state " + std::to_string(state()) + ")");
    SDL_JoystickSetVirtualButton(first, 1, SDL_RELEASED);
    std::printf("A on the title: the help page\n");

    // A second controller plugged in while the game runs; its A (button 0)
    // goes on from the help page to the menu.
    SDL_Joystick* second = Plug("Gravlin plain pad", 0x0002, &secondIndex);
    if (!second) return Fail(std::string("no second virtual controller: ") + SDL_GetError());
    if (!runUntil([&] { return window.ControllerCount() == 2; })) return Fail("the second controller was not heard");
    SDL_JoystickSetVirtualButton(second, 0, SDL_PRESSED);
    if (!runUntil([&] { return state() == StateMenu; })) return Fail("the second controller's A did not go on");
    SDL_JoystickSetVirtualButton(second, 0, SDL_RELEASED);
    std::printf("a controller plugged in later: A on the help page shows the menu\n");

    // The first controller's stick held left, then the controller pulled
    // out: the input is let go.
    SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, -30000);
    if (!runUntil([&] {
            window.Keys().UpdateInput();
            return window.Keys().Test(Input::InputLeft);
        }))
        return Fail("the stick held left does not hold InputLeft");
    const SDL_JoystickID firstId = SDL_JoystickInstanceID(first);
    SDL_JoystickClose(first);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == firstId) SDL_JoystickDetachVirtual(i);
    if (!runUntil([&] { return window.ControllerCount() == 1; })) return Fail("the unplugging was not heard");
    window.Keys().UpdateInput();
    if (window.Keys().Test(Input::InputLeft)) return Fail("InputLeft stays held after the controller went away");
    std::printf("a controller pulled out while its stick is held: InputLeft let go\n");

    SDL_JoystickClose(second);
    form.FormDestroy();
    std::printf("PASS\n");
    return 0;
}
