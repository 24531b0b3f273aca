#pragma once
// What the game needs from its display and window: a 640 by 480 8-bit back
// buffer with a palette, a flip, lost/restored surfaces, a text canvas, the
// keyboard, and the window's messages. The SDL backend shows it on screen; the
// headless backend keeps it in memory for tests and replays.

#include "presentation/Input.h"
#include "presentation/Surface.h"

#include <cstdint>
#include <string>

namespace gravlin {

// Events the display raises into the game (the main window's handlers).
class DisplayEvents {
  public:
    virtual ~DisplayEvents() = default;
    // The drawing surface has been set up.
    virtual void DXDrawInitialize() = 0;
    // Surfaces were created or lost and must be refilled.
    virtual void DXDrawRestoreSurface() = 0;
    // The display is about to be torn down.
    virtual void DXDrawFinalize() = 0;
};

// Everything the window delivers besides drawing.
class WindowEvents : public DisplayEvents {
  public:
    // The window became the active one (the first time runs the start-up).
    virtual void FormActivate() = 0;
    // A key went down; `key` is its virtual key code.
    virtual void FormKeyDown(std::uint16_t key) = 0;
    // The user or the system asked the program to end.
    virtual void FormCloseRequest() = 0;
};

// Draws text onto an 8-bit surface in the palette entry nearest a colour.
class TextRenderer {
  public:
    virtual ~TextRenderer() = default;
    // Width in pixels of `text` at `points` (points at 96 pixels an inch).
    virtual int TextWidth(const std::string& text, int points) = 0;
    // Draws `text` with its top-left corner at (x, y), transparent background.
    virtual void DrawText(Surface& to, const Palette& palette, int x, int y, const std::string& text, Rgb colour,
                          int points) = 0;
};

// The back buffer's text canvas: colour and size, width measurement, text out.
class TextCanvas {
  public:
    TextCanvas(Surface& to, const Palette& palette, TextRenderer* renderer)
        : to_(to), palette_(palette), renderer_(renderer) {}
    void SetColour(Rgb c) { colour_ = c; }
    void SetSize(int points) { points_ = points; }
    int TextWidth(const std::string& text) { return renderer_ ? renderer_->TextWidth(text, points_) : 0; }
    void TextOut(int x, int y, const std::string& text) {
        if (renderer_) renderer_->DrawText(to_, palette_, x, y, text, colour_, points_);
    }

  private:
    Surface& to_;
    const Palette& palette_;
    TextRenderer* renderer_;
    Rgb colour_{};
    int points_ = 10;
};

class Window {
  public:
    virtual ~Window() = default;

    // Finalises any earlier display, sets up 640 by 480 at 8 bits, hides the
    // cursor and initialises: raises DXDrawInitialize, then
    // DXDrawRestoreSurface. False (with `error`) when no display can be had.
    virtual bool SetupDisplay(DisplayEvents& events, std::string* error) = 0;
    // Whether the back buffer can be drawn on now. Lost surfaces are restored
    // here first, raising DXDrawRestoreSurface.
    virtual bool CanDraw(DisplayEvents& events) = 0;
    // Shows the back buffer through the current palette.
    virtual void Flip() = 0;
    // Tears the display down (raises DXDrawFinalize when it was set up).
    virtual void Finalize(DisplayEvents& events) = 0;

    // Processes every pending window message: key-downs to FormKeyDown, held
    // keys into the keyboard, activation, close requests.
    virtual void PumpMessages(WindowEvents& events) = 0;
    // Whether the window is the active one (the frame timer runs only then).
    virtual bool Active() const = 0;

    // Shows an error to the user (message box where a display exists; the
    // caller also prints it on standard error).
    virtual void ShowError(const std::string& title, const std::string& message) = 0;

    Surface& Back() { return back_; }
    const Palette& CurrentPalette() const { return palette_; }
    // Installs a palette as the display's colour table.
    void SetPalette(const Palette& p) { palette_ = p; }
    virtual Keyboard& Keys() = 0;
    TextCanvas Canvas() { return TextCanvas(back_, palette_, text_); }
    void SetTextRenderer(TextRenderer* r) { text_ = r; }
    // Fills the back buffer with pixel value 0; every frame begins with it.
    void FillBack() { back_.Fill(0); }

  protected:
    Surface back_{ScreenWidth, ScreenHeight};
    Palette palette_{};
    TextRenderer* text_ = nullptr;
};

} // namespace gravlin
