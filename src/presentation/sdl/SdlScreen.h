#pragma once
// Where the window's finished pictures go. By default into the window's own
// pixels (SDL's window surface: shared memory the X server shows), scaled
// and converted here; that needs no OpenGL, whose loading and shader
// compiling were most of the game's start on machines with Mesa. Where the
// window has no such surface, or the player names one of SDL's renderers
// with SDL_RENDER_DRIVER, through an SDL renderer: the picture is converted
// into a streaming texture the renderer scales.

#include "presentation/Surface.h"
#include "presentation/sdl/PaletteConversion.h"
#include "presentation/sdl/ScreenScaling.h"

#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

namespace gravlin {

class SdlScreen {
  public:
    SdlScreen() = default;
    ~SdlScreen() { Stop(); }
    SdlScreen(const SdlScreen&) = delete;
    SdlScreen& operator=(const SdlScreen&) = delete;

    // Chooses the way to `window` (with the screen's refresh, where a
    // renderer is used and `vsync` asks for it). False with `error` when
    // there is none.
    bool Start(SDL_Window* window, bool vsync, std::string* error);
    void Stop();
    // "window surface", or the renderer's name ("opengl", "software" ...).
    std::string Name() const;

    // The texture a renderer needs, made (again) when the display is set
    // up or after the renderer lost it; Drop lets it go.
    bool Prepare();
    void Drop();
    // The window's size changed: the picture's place and scale follow.
    void Resize();
    // Black everywhere, until the first picture.
    void ShowBlack();
    // Shows the last picture again (the window was uncovered), from the
    // window's pixels or the renderer's texture, which still hold it; false
    // when it must be drawn again (the window's size changed).
    bool ShowAgain();
    // True when the next picture must be sent whole: the window's pixels
    // were made again (a new size) since the last one.
    bool WantsWholePicture();
    // Sends rows [rows.First, rows.End) of `picture` through `palette` and
    // shows them.
    void Present(const Surface& picture, const Palette& palette, bool paletteChanged, ChangedRows rows);

  private:
    bool StartRenderer(bool vsync, std::string* error);
    SDL_Surface* CurrentSurface();
    bool PlacedFor(const SDL_Surface* surface) const;
    void PresentToSurface(SDL_Surface* surface, const Surface& picture, ChangedRows rows);
    void PresentThroughRenderer(const Surface& picture, ChangedRows rows);
    void ShowTexture();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    bool textureShown_ = false; // the texture holds a picture that was presented
    bool usesSurface_ = false;
    SDL_Surface* placedFor_ = nullptr; // the window surface the scaling was worked out for
    int placedW_ = 0, placedH_ = 0;
    bool blackAround_ = false; // the window's pixels around the picture are black
    ScaledConversion scaled_;
    PixelOrder order_ = PixelOrder::Rgba; // of the pixels drawn into
    Palette palette_{};
    PixelLookup lookup_{}; // made at a present, when the palette or the order changed
};

} // namespace gravlin
