#pragma once
// The display and window in memory only: for tests, replays and screenshots.
// Key events come from whoever drives it (a replay script or a test) and are
// delivered at the next message pump, exactly like a real window's.

#include "presentation/Display.h"
#include "presentation/Gamepad.h"

#include <deque>
#include <functional>

namespace gravlin {

class HeadlessWindow : public Window {
  public:
    bool SetupDisplay(DisplayEvents& events, std::string* error) override;
    bool CanDraw(DisplayEvents& events) override;
    void Flip() override;
    void Finalize(DisplayEvents& events) override;
    void PumpMessages(WindowEvents& events) override;
    bool Active() const override { return active_; }
    void ShowError(const std::string& title, const std::string& message) override;
    Keyboard& Keys() override { return keyboard_; }

    // Queues a key going down (delivered as a key-down message at the next
    // pump; held from then on) or up.
    void KeyDown(Key key);
    void KeyUp(Key key);
    // Queues a game controller's button going down or up, its left stick
    // moving (an axis from -32768 to 32767, up and left negative) or the
    // controller being unplugged; `pad` tells the controllers apart. Delivered
    // at the next pump like keys; a press's key-down message with it.
    void PadDown(int pad, PadButton button);
    void PadUp(int pad, PadButton button);
    void PadStick(int pad, PadAxis axis, int value);
    void PadUnplug(int pad);
    // The keys of each input from now on (the built-in map unless told).
    void SetKeyMap(const KeyMap& map) { keyboard_.SetMap(map); }
    // Queues a request to close the window.
    void RequestClose();
    // Makes the display lose its surfaces (the next CanDraw restores them).
    void LoseSurfaces() { lost_ = true; }
    void SetActive(bool active);

    int FlipCount() const { return flips_; }
    // Called after every flip with the shown picture (for frame dumps).
    std::function<void(const Surface&, const Palette&)> OnFlip;
    std::string LastError;

  private:
    struct Event {
        enum Kind { Down, Up, Close, Activate, PadDown, PadUp, PadStick, PadUnplug } kind;
        Key key = Key::None;
        int pad = 0;
        PadButton button = PadButton::A;
        PadAxis axis = PadAxis::LeftX;
        int value = 0;
    };
    std::deque<Event> pending_;
    HeldKeyboard keyboard_;
    Gamepads pads_;
    bool initialised_ = false;
    bool lost_ = false;
    bool active_ = true;
    bool activationPending_ = true;
    int flips_ = 0;
};

} // namespace gravlin
