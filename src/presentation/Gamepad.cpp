#include "presentation/Gamepad.h"

namespace gravlin {

namespace {

// What each control stands for: the input it holds and the key whose
// key-down message a press sends. In order: the buttons as PadButton lists
// them, then the stick's up, down, left and right.
struct Binding {
    Input In;
    Key MessageOf;
};
constexpr Binding Bindings[] = {
    {Input::InputFire1, Key::Enter},     // A
    {Input::InputEscape, Key::Escape},   // B
    {Input::InputErase, Key::Backspace}, // X
    {Input::InputNextPlayer, Key::Tab},  // Y
    {Input::InputEscape, Key::Escape},   // Back
    {Input::InputFire1, Key::Enter},     // Start
    {Input::InputSpeed4, Key::F6},       // left stick click
    {Input::InputSpeed2, Key::F5},       // left shoulder
    {Input::InputSpeed6, Key::F7},       // right shoulder
    {Input::InputUp, Key::Up},           // D-pad
    {Input::InputDown, Key::Down},       {Input::InputLeft, Key::Left}, {Input::InputRight, Key::Right},
    {Input::InputUp, Key::Up}, // stick
    {Input::InputDown, Key::Down},       {Input::InputLeft, Key::Left}, {Input::InputRight, Key::Right},
};

constexpr const char* ButtonNames[PadButtonCount] = {
    "PadA",
    "PadB",
    "PadX",
    "PadY",
    "PadBack",
    "PadStart",
    "PadLeftStick",
    "PadLeftShoulder",
    "PadRightShoulder",
    "PadUp",
    "PadDown",
    "PadLeft",
    "PadRight",
};

// The stick's directions follow the buttons among the controls.
constexpr std::size_t StickUp = PadButtonCount, StickDown = StickUp + 1, StickLeft = StickUp + 2,
                      StickRight = StickUp + 3;

} // namespace

static_assert(std::size(Bindings) == PadButtonCount + 4);

Input PadButtonInput(PadButton button) {
    const auto b = static_cast<std::size_t>(button);
    return b < PadButtonCount ? Bindings[b].In : Input::Count;
}

std::optional<PadButton> PadButtonFromName(const std::string& name) {
    for (std::size_t b = 0; b < PadButtonCount; ++b)
        if (name == ButtonNames[b]) return static_cast<PadButton>(b);
    return std::nullopt;
}

std::string PadButtonName(PadButton button) {
    const auto b = static_cast<std::size_t>(button);
    return b < PadButtonCount ? ButtonNames[b] : "None";
}

std::optional<PadAxis> PadAxisFromName(const std::string& name) {
    if (name == "PadLeftX") return PadAxis::LeftX;
    if (name == "PadLeftY") return PadAxis::LeftY;
    return std::nullopt;
}

Gamepads::Pad& Gamepads::Find(int id) {
    for (Pad& p : pads_)
        if (p.Id == id) return p;
    pads_.push_back(Pad{id, {}});
    return pads_.back();
}

std::uint16_t Gamepads::Button(int pad, PadButton button, bool down, HeldKeyboard& keys) {
    const auto b = static_cast<std::size_t>(button);
    if (b >= PadButtonCount) return 0;
    auto held = Find(pad).Held;
    held.set(b, down);
    return Set(pad, held, keys);
}

std::uint16_t Gamepads::Stick(int pad, PadAxis axis, int value, HeldKeyboard& keys) {
    const bool low = value <= -StickDeadZone, high = value >= StickDeadZone;
    auto held = Find(pad).Held;
    if (axis == PadAxis::LeftX) {
        held.set(StickLeft, low);
        held.set(StickRight, high);
    } else if (axis == PadAxis::LeftY) {
        held.set(StickUp, low);
        held.set(StickDown, high);
    }
    return Set(pad, held, keys);
}

std::uint16_t Gamepads::Set(int pad, std::bitset<ControlCount> held, HeldKeyboard& keys) {
    Pad& p = Find(pad);
    const auto wentDown = held & ~p.Held;
    p.Held = held;
    InputSet pressed;
    std::uint16_t message = 0;
    for (std::size_t c = 0; c < ControlCount; ++c) {
        if (!wentDown.test(c)) continue;
        pressed.set(static_cast<std::size_t>(Bindings[c].In));
        if (!message) message = VirtualKeyCode(Bindings[c].MessageOf);
    }
    Tell(keys, pressed);
    return message;
}

void Gamepads::Unplug(int pad, HeldKeyboard& keys) {
    std::erase_if(pads_, [&](const Pad& p) { return p.Id == pad; });
    Tell(keys, {});
}

void Gamepads::ReleaseAll(HeldKeyboard& keys) {
    for (Pad& p : pads_) p.Held.reset();
    Tell(keys, {});
}

void Gamepads::Tell(HeldKeyboard& keys, const InputSet& pressed) const {
    InputSet held;
    for (const Pad& p : pads_)
        for (std::size_t c = 0; c < ControlCount; ++c)
            if (p.Held.test(c)) held.set(static_cast<std::size_t>(Bindings[c].In));
    keys.HoldPadInputs(held, pressed);
}

} // namespace gravlin
