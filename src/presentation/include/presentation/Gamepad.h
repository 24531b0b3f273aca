#pragma once
// Game controllers as the game sees them: which input and which key-down
// message each button and each direction of the left stick stands for, and
// every controller plugged in with what it holds. The SDL window and the
// headless one (replays, tests) feed their events through the same code, so
// a pad reaches the game only as input states and key-down messages, exactly
// as keys do.
//
//   D-pad, left stick    InputUp, InputDown, InputLeft, InputRight (cursor keys)
//   A, Start             InputFire1, Enter
//   B, Back              InputEscape, Escape
//   Y                    InputNextPlayer, Tab
//   X                    InputErase, Backspace
//   left shoulder        InputSpeed2, F5
//   left stick click     InputSpeed4, F6
//   right shoulder       InputSpeed6, F7

#include "presentation/Input.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// The buttons the game reads, as SDL's game controller layout names them.
enum class PadButton : std::uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Count
};
enum class PadAxis : std::uint8_t { LeftX, LeftY, Count };

constexpr std::size_t PadButtonCount = static_cast<std::size_t>(PadButton::Count);

// A stick axis runs from -32768 to 32767 (up and left negative). A direction
// is held while its axis is past a third of its travel, so a stick resting a
// little off its middle holds nothing; both axes past it hold a diagonal.
constexpr int StickDeadZone = 10923;

// The input a button stands for.
Input PadButtonInput(PadButton button);

// Names in replay scripts: "PadA", "PadStart", "PadLeftShoulder", "PadUp" ...
// and the axes "PadLeftX", "PadLeftY".
std::optional<PadButton> PadButtonFromName(const std::string& name);
std::string PadButtonName(PadButton button);
std::optional<PadAxis> PadAxisFromName(const std::string& name);

// Every controller plugged in, by an id of the window's choosing (SDL's
// instance id; the number in a replay script). A controller is known from its
// first event on. Each change updates the keyboard's gamepad inputs (an input
// is held while any controller holds it) and returns the key-down message of
// what went down, 0 when nothing did.
class Gamepads {
  public:
    std::uint16_t Button(int pad, PadButton button, bool down, HeldKeyboard& keys);
    std::uint16_t Stick(int pad, PadAxis axis, int value, HeldKeyboard& keys);
    // The controller is gone: everything it held is let go at once.
    void Unplug(int pad, HeldKeyboard& keys);
    // Every controller lets go (the window lost the focus and will not hear
    // the releases); they stay plugged in.
    void ReleaseAll(HeldKeyboard& keys);
    std::size_t Count() const { return pads_.size(); }

  private:
    // The buttons, then the stick's up, down, left and right.
    static constexpr std::size_t ControlCount = PadButtonCount + 4;
    struct Pad {
        int Id = 0;
        std::bitset<ControlCount> Held;
    };
    Pad& Find(int id);
    std::uint16_t Set(int pad, std::bitset<ControlCount> held, HeldKeyboard& keys);
    void Tell(HeldKeyboard& keys, const InputSet& pressed) const;

    std::vector<Pad> pads_;
};

} // namespace gravlin
