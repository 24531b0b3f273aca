#include "presentation/headless/HeadlessWindow.h"

namespace gravlin {

bool HeadlessWindow::SetupDisplay(DisplayEvents& events, std::string*) {
    if (initialised_) Finalize(events);
    back_.Resize(ScreenWidth, ScreenHeight);
    initialised_ = true;
    lost_ = false;
    events.DXDrawInitialize();
    events.DXDrawRestoreSurface();
    return true;
}

bool HeadlessWindow::CanDraw(DisplayEvents& events) {
    if (!initialised_) return false;
    if (lost_) {
        lost_ = false;
        events.DXDrawRestoreSurface();
    }
    return true;
}

void HeadlessWindow::Flip() {
    ++flips_;
    if (OnFlip) OnFlip(back_, palette_);
}

void HeadlessWindow::Finalize(DisplayEvents& events) {
    if (!initialised_) return;
    events.DXDrawFinalize();
    initialised_ = false;
}

void HeadlessWindow::PumpMessages(WindowEvents& events) {
    if (activationPending_) {
        activationPending_ = false;
        events.FormActivate();
    }
    while (!pending_.empty()) {
        Event e = pending_.front();
        pending_.pop_front();
        switch (e.kind) {
        case Event::Down:
            keyboard_.Press(e.key);
            for (std::uint16_t code : keyboard_.MessagesOf(e.key))
                if (code) events.FormKeyDown(code);
            break;
        case Event::Up: keyboard_.Release(e.key); break;
        case Event::PadDown:
        case Event::PadUp:
            if (auto code = pads_.Button(e.pad, e.button, e.kind == Event::PadDown, keyboard_))
                events.FormKeyDown(code);
            break;
        case Event::PadStick:
            if (auto code = pads_.Stick(e.pad, e.axis, e.value, keyboard_)) events.FormKeyDown(code);
            break;
        case Event::PadUnplug: pads_.Unplug(e.pad, keyboard_); break;
        case Event::Close: events.FormCloseRequest(); break;
        case Event::Activate: events.FormActivate(); break;
        }
    }
}

void HeadlessWindow::ShowError(const std::string&, const std::string& message) {
    LastError = message;
}

void HeadlessWindow::KeyDown(Key key) {
    pending_.push_back({Event::Down, key});
}
void HeadlessWindow::KeyUp(Key key) {
    pending_.push_back({Event::Up, key});
}
void HeadlessWindow::PadDown(int pad, PadButton button) {
    pending_.push_back({Event::PadDown, Key::None, pad, button});
}
void HeadlessWindow::PadUp(int pad, PadButton button) {
    pending_.push_back({Event::PadUp, Key::None, pad, button});
}
void HeadlessWindow::PadStick(int pad, PadAxis axis, int value) {
    pending_.push_back({Event::PadStick, Key::None, pad, PadButton::A, axis, value});
}
void HeadlessWindow::PadUnplug(int pad) {
    pending_.push_back({Event::PadUnplug, Key::None, pad});
}
void HeadlessWindow::RequestClose() {
    pending_.push_back({Event::Close, Key::None});
}

void HeadlessWindow::SetActive(bool active) {
    if (active && !active_) pending_.push_back({Event::Activate, Key::None});
    active_ = active;
}

} // namespace gravlin
