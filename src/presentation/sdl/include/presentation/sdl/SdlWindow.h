#pragma once
// The game's window on a real screen through SDL2. The 640 by 480 8-bit back
// buffer is converted through the current palette at every flip that
// changed it, into the window's own pixels (or, where there are none, a
// renderer's texture), and scaled to the window with square pixels
// (whole-number scale where it fits), black bars around it. Full screen by default; a
// window when asked; Alt+Enter switches between the two.

#include "presentation/Display.h"
#include "presentation/FrameClock.h"
#include "presentation/Gamepad.h"
#include "presentation/WindowSettings.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct SDL_Window;
union SDL_Event;
struct SDL_Point;

namespace gravlin {

class SdlGamepads;
class SdlScreen;

struct SdlWindowOptions {
    // A window on the desktop instead of the whole screen.
    bool Windowed = false;
    // The window's size and place when not full screen (as remembered from
    // the last run); none means the default size, centred.
    std::optional<int> Width, Height, X, Y;
    // Waits for the screen's refresh when presenting through a renderer (no
    // tearing).
    bool VSync = true;
    // Errors also appear in a message box (off for unattended runs).
    bool MessageBoxes = true;
    // Window caption.
    std::string Title = "Gravlin";
    // The keys of each input (the player's controls file, or the built-in map).
    KeyMap Keys = GameKeyMap();
    // Game controller mappings in SDL's format to add to those SDL knows,
    // read when the file exists.
    std::string ControllerMappings;
    // The keys come from a script (QueueKey): the keyboard's own keys are
    // left out, but for Escape, and the script's held keys stay held when
    // the window loses the focus.
    bool ScriptedKeys = false;
};

class SdlWindow : public Window {
  public:
    explicit SdlWindow(SdlWindowOptions options = {});
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    // Starts SDL's video and game controllers, opens the window, chooses how
    // to draw into it (its own pixels, else an accelerated renderer, else
    // the software one) and hides the mouse cursor. The first
    // PumpMessages afterwards delivers FormActivate. False (with `error`) when
    // no window can be opened.
    bool Open(std::string* error);
    bool IsOpen() const { return window_ != nullptr; }

    bool SetupDisplay(DisplayEvents& events, std::string* error) override;
    bool CanDraw(DisplayEvents& events) override;
    void Flip() override;
    void Finalize(DisplayEvents& events) override;
    void PumpMessages(WindowEvents& events) override;
    bool Active() const override { return active_; }
    void ShowError(const std::string& title, const std::string& message) override;
    Keyboard& Keys() override { return keyboard_; }

    // Queues a key going down (delivered as a key-down message at the next
    // message pump, and held from then on) or up: a script's key events
    // reach the game exactly as the replay runner's do.
    void QueueKey(Key key, bool down);

    // Switches between full screen and a window (Alt+Enter does this too).
    void ToggleFullScreen();
    bool FullScreen() const { return fullScreen_; }
    // Full screen or not, and the window's size and place (as they are now
    // when in a window, as they were last when full screen), to remember for
    // the next run.
    WindowSettings CurrentSettings() const;
    // Waits for the next window message for at most `milliseconds`, leaving
    // it queued for PumpMessages. True when one is waiting.
    bool WaitForMessage(int milliseconds);
    // How the window is drawn into ("window surface", or a renderer's name:
    // "opengl", "software" ...).
    std::string RendererName() const;
    // Flips asked for, and how many of them sent a new picture (a flip of an
    // unchanged picture costs nothing).
    int FlipCount() const { return flips_; }
    int PresentCount() const { return presents_; }
    // Game controllers open now.
    std::size_t ControllerCount() const;

  private:
    void HandleEvent(const SDL_Event& e, WindowEvents& events, bool& closeDelivered);
    bool CreateTexture();
    void UpdateScaling();
    void RememberWindowedPlace();
    SDL_Point WindowedPlace() const;
    void WindowFramePosition(int& x, int& y) const;

    SdlWindowOptions options_;
    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    HeldKeyboard keyboard_;
    Gamepads pads_;
    std::unique_ptr<SdlGamepads> controllers_;
    std::unique_ptr<SdlScreen> screen_;
    std::vector<std::pair<Key, bool>> queuedKeys_;
    Palette shownPalette_{};
    bool paletteKnown_ = false;
    std::vector<std::uint8_t> shownPixels_; // the back buffer as last sent to the screen
    bool redrawNeeded_ = true;
    bool initialised_ = false;
    bool lost_ = false;
    bool textureBroken_ = false;
    bool active_ = true;
    bool activationPending_ = true;
    bool fullScreen_ = true;
    int windowedWidth_ = ScreenWidth;
    int windowedHeight_ = ScreenHeight;
    std::optional<int> windowedX_, windowedY_;
    int flips_ = 0;
    int presents_ = 0;
};

// The real game's frame loop. While the window is active it calls
// `frameHandler` (which pumps the window's messages itself, draws and flips)
// 60 times a second on any monitor, sleeping between frames; while it is not,
// it pumps the messages as they come (`events` sees activation, keys, close)
// and calls no frame. Runs until `running` returns false; returns 0.
int RunSdlMainLoop(SdlWindow& window, WindowEvents& events, const std::function<void()>& frameHandler,
                   const std::function<bool()>& running, FrameClock clock = FrameClock());

} // namespace gravlin
