#include "SdlScreen.h"

#include <SDL.h>

namespace gravlin {

namespace {

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + SDL_GetError();
    return false;
}

// The byte order of a window surface's pixels the conversion can write;
// none for the formats it cannot (16 or 24 bits a pixel, say).
bool OrderOf(const SDL_Surface* surface, PixelOrder& order) {
    if (!surface || !surface->format || surface->format->BytesPerPixel != 4) return false;
    switch (surface->format->format) {
    case SDL_PIXELFORMAT_ABGR8888:
    case SDL_PIXELFORMAT_XBGR8888: order = PixelOrder::Rgba; return true;
    case SDL_PIXELFORMAT_ARGB8888:
    case SDL_PIXELFORMAT_XRGB8888: order = PixelOrder::Bgra; return true;
    default: return false;
    }
}

} // namespace

bool SdlScreen::Start(SDL_Window* window, bool vsync, std::string* error) {
    Stop();
    window_ = window;
    // The window's own pixels, not a texture SDL would make for them behind
    // our back (that would load OpenGL after all), unless the player's
    // environment asks otherwise.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    PixelOrder order = PixelOrder::Rgba;
    if (!SDL_GetHint(SDL_HINT_RENDER_DRIVER) && OrderOf(SDL_GetWindowSurface(window_), order)) {
        order_ = order;
        usesSurface_ = true;
        return true;
    }
    return StartRenderer(vsync, error);
}

bool SdlScreen::StartRenderer(bool vsync, std::string* error) {
    // Nearest-neighbour scaling: game pixels stay sharp squares.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const Uint32 flags = SDL_RENDERER_ACCELERATED | (vsync ? Uint32{SDL_RENDERER_PRESENTVSYNC} : Uint32{0});
    renderer_ = SDL_CreateRenderer(window_, -1, flags);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return Fail(error, "cannot start a renderer for the game window");
    return true;
}

void SdlScreen::Stop() {
    Drop();
    if (renderer_) SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    usesSurface_ = false;
    order_ = PixelOrder::Rgba; // a renderer's texture is ABGR8888
    placedFor_ = nullptr;
    window_ = nullptr;
}

std::string SdlScreen::Name() const {
    if (usesSurface_) return "window surface";
    SDL_RendererInfo info;
    if (!renderer_ || SDL_GetRendererInfo(renderer_, &info) != 0) return "";
    return info.name;
}

bool SdlScreen::Prepare() {
    if (usesSurface_) return window_ != nullptr;
    if (!renderer_) return false;
    Drop();
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STREAMING, ScreenWidth, ScreenHeight);
    if (!texture_) return false;
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
    return true;
}

void SdlScreen::Drop() {
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    textureShown_ = false;
}

void SdlScreen::Resize() {
    placedFor_ = nullptr;
    if (!renderer_) return;
    SDL_RenderSetLogicalSize(renderer_, ScreenWidth, ScreenHeight);
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer_, &w, &h) != 0 || w <= 0 || h <= 0) return;
    SDL_RenderSetIntegerScale(renderer_, ChooseScale(w, h, ScreenWidth, ScreenHeight).Whole ? SDL_TRUE : SDL_FALSE);
}

void SdlScreen::ShowBlack() {
    if (renderer_) {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderPresent(renderer_);
        return;
    }
    SDL_Surface* surface = CurrentSurface();
    if (!surface) return;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    blackAround_ = true;
    SDL_UpdateWindowSurface(window_);
}

// The window's pixels as they are now (SDL makes them again after the
// window's size changed), with the picture's place worked out for them.
SDL_Surface* SdlScreen::CurrentSurface() {
    if (!usesSurface_) return nullptr;
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!OrderOf(surface, order_)) return nullptr;
    if (!PlacedFor(surface)) {
        placedFor_ = surface;
        placedW_ = surface->w;
        placedH_ = surface->h;
        scaled_.Place(PlaceScreen(surface->w, surface->h, ScreenWidth, ScreenHeight), ScreenWidth, ScreenHeight);
        blackAround_ = false;
    }
    return surface;
}

bool SdlScreen::PlacedFor(const SDL_Surface* surface) const {
    return surface && surface == placedFor_ && surface->w == placedW_ && surface->h == placedH_;
}

bool SdlScreen::ShowAgain() {
    if (renderer_) {
        // The texture holds the last picture (only changed rows go into it).
        if (!texture_ || !textureShown_) {
            ShowBlack();
            return texture_ != nullptr;
        }
        ShowTexture();
        return true;
    }
    if (!usesSurface_ || !blackAround_ || !PlacedFor(SDL_GetWindowSurface(window_))) return false;
    return SDL_UpdateWindowSurface(window_) == 0;
}

bool SdlScreen::WantsWholePicture() {
    if (!usesSurface_) return false;
    const bool placed = PlacedFor(SDL_GetWindowSurface(window_));
    return CurrentSurface() && !placed;
}

void SdlScreen::Present(const Surface& picture, const Palette& palette, bool paletteChanged, ChangedRows rows) {
    // The window's pixels first: a new surface may come in another byte order.
    SDL_Surface* surface = CurrentSurface();
    if (paletteChanged) palette_ = palette;
    if (paletteChanged || lookup_.Pairs.empty() || lookup_.Order != order_) lookup_ = MakePixelLookup(palette_, order_);
    if (usesSurface_)
        PresentToSurface(surface, picture, rows);
    else
        PresentThroughRenderer(picture, rows);
}

void SdlScreen::PresentToSurface(SDL_Surface* surface, const Surface& picture, ChangedRows rows) {
    if (!surface) return;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    const bool wholeWindow = !blackAround_;
    if (wholeWindow) {
        // Black around the picture, once for each new size of the window.
        const ScreenPlace& p = scaled_.Where();
        const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
        const SDL_Rect around[4] = {{0, 0, surface->w, p.Y},
                                    {0, p.Y + p.H, surface->w, surface->h - p.Y - p.H},
                                    {0, p.Y, p.X, p.H},
                                    {p.X + p.W, p.Y, surface->w - p.X - p.W, p.H}};
        for (const SDL_Rect& r : around)
            if (r.w > 0 && r.h > 0) SDL_FillRect(surface, &r, black);
        blackAround_ = true;
        rows = {0, picture.Height};
    }
    const ChangedRows shown =
        scaled_.Convert(picture, lookup_, surface->pixels, surface->pitch, rows.First, rows.Count());
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (wholeWindow) {
        SDL_UpdateWindowSurface(window_);
    } else if (shown.Count() > 0) {
        const ScreenPlace& p = scaled_.Where();
        const SDL_Rect band{p.X, shown.First, p.W, shown.Count()};
        SDL_UpdateWindowSurfaceRects(window_, &band, 1);
    }
}

void SdlScreen::PresentThroughRenderer(const Surface& picture, ChangedRows rows) {
    if (!renderer_ || !texture_) return;
    void* pixels = nullptr;
    int pitch = 0;
    const SDL_Rect band{0, rows.First, picture.Width, rows.Count()};
    if (SDL_LockTexture(texture_, &band, &pixels, &pitch) == 0) {
        ConvertToPixels32(picture, lookup_, pixels, pitch, rows.First, rows.Count());
        SDL_UnlockTexture(texture_);
    }
    ShowTexture();
    textureShown_ = true;
}

// The texture's picture in the window, black around it.
void SdlScreen::ShowTexture() {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

} // namespace gravlin
