#include "Text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <map>
#include <memory>
#include <stdexcept>

namespace gravlin::assets {

namespace {

const char* FaceFile(Face face) {
    switch (face) {
    case Face::Bold: return "DejaVuSans-Bold.ttf";
    case Face::Regular: return "DejaVuSans.ttf";
    case Face::Condensed: return "DejaVuSansCondensed-Bold.ttf";
    case Face::Serif: return "DejaVuSerif-Bold.ttf";
    }
    return "DejaVuSans-Bold.ttf";
}

struct Fonts {
    Fonts() {
        if (TTF_Init() != 0) throw std::runtime_error(std::string("cannot start the font renderer: ") + TTF_GetError());
    }
    ~Fonts() {
        for (auto& [key, font] : open) TTF_CloseFont(font);
        TTF_Quit();
    }
    TTF_Font* Get(Face face, int size) {
        auto key = std::make_pair(static_cast<int>(face), size);
        auto it = open.find(key);
        if (it != open.end()) return it->second;
        std::string path = std::string(GRAVLIN_FONT_DIR) + "/" + FaceFile(face);
        TTF_Font* font = TTF_OpenFont(path.c_str(), size);
        if (!font)
            throw std::runtime_error("cannot open the font " + path +
                                     " (install fonts-dejavu-core): " + TTF_GetError());
        open.emplace(key, font);
        return font;
    }
    std::map<std::pair<int, int>, TTF_Font*> open;
};

Fonts& TheFonts() {
    static Fonts fonts;
    return fonts;
}

} // namespace

TextMask RenderText(const std::string& text, int pixelSize, Face face) {
    TextMask m;
    if (text.empty()) return m;
    // Small text: the hinted monochrome rasteriser is crisper. Large text:
    // the smooth outline cut at half coverage gives cleaner curves.
    bool small = pixelSize < 22;
    TTF_Font* font = TheFonts().Get(face, pixelSize);
    TTF_SetFontHinting(font, small ? TTF_HINTING_MONO : TTF_HINTING_NORMAL);
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* s =
        small ? TTF_RenderUTF8_Solid(font, text.c_str(), white) : TTF_RenderUTF8_Blended(font, text.c_str(), white);
    if (!s) throw std::runtime_error(std::string("cannot render text: ") + TTF_GetError());
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(s);
    if (!rgba) throw std::runtime_error("cannot convert rendered text");
    m.Width = rgba->w;
    m.Height = rgba->h;
    m.Ink.assign(static_cast<std::size_t>(m.Width) * m.Height, 0);
    SDL_LockSurface(rgba);
    for (int y = 0; y < m.Height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(rgba->pixels) + static_cast<std::size_t>(y) * rgba->pitch;
        for (int x = 0; x < m.Width; ++x) {
            std::uint8_t a = row[x * 4 + 3];
            m.Ink[static_cast<std::size_t>(y) * m.Width + x] = a >= 120 ? 1 : 0;
        }
    }
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return m;
}

TextMask CropInk(const TextMask& mask) {
    int x0 = mask.Width, y0 = mask.Height, x1 = -1, y1 = -1;
    for (int y = 0; y < mask.Height; ++y)
        for (int x = 0; x < mask.Width; ++x)
            if (mask.On(x, y)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    TextMask out;
    if (x1 < 0) return out;
    out.Width = x1 - x0 + 1;
    out.Height = y1 - y0 + 1;
    out.Ink.assign(static_cast<std::size_t>(out.Width) * out.Height, 0);
    for (int y = 0; y < out.Height; ++y)
        for (int x = 0; x < out.Width; ++x)
            out.Ink[static_cast<std::size_t>(y) * out.Width + x] = mask.On(x + x0, y + y0);
    return out;
}

TextMask FitMask(const TextMask& mask, int w, int h) {
    TextMask out;
    out.Width = w;
    out.Height = h;
    out.Ink.assign(static_cast<std::size_t>(w) * h, 0);
    if (mask.Width == 0 || mask.Height == 0) return out;
    float sx = static_cast<float>(mask.Width) / static_cast<float>(w);
    float sy = static_cast<float>(mask.Height) / static_cast<float>(h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int total = 0, ink = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i) {
                    int mx = static_cast<int>((static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / 4) * sx);
                    int my = static_cast<int>((static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / 4) * sy);
                    ++total;
                    if (mask.On(mx, my)) ++ink;
                }
            out.Ink[static_cast<std::size_t>(y) * w + x] = ink * 2 >= total ? 1 : 0;
        }
    return out;
}

void DrawMask(Canvas& canvas, const TextMask& mask, int x, int y, const TextStyle& style) {
    if (style.Shadow > 0)
        for (int j = 0; j < mask.Height; ++j)
            for (int i = 0; i < mask.Width; ++i)
                if (mask.On(i, j))
                    for (int k = 1; k <= style.Shadow; ++k) canvas.Put(x + i + k, y + j + k, style.ShadowColour);
    if (style.Outline)
        for (int j = -1; j <= mask.Height; ++j)
            for (int i = -1; i <= mask.Width; ++i) {
                if (mask.On(i, j)) continue;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx) near = mask.On(i + dx, j + dy);
                if (near) canvas.Put(x + i, y + j, style.OutlineColour);
            }
    for (int j = 0; j < mask.Height; ++j) {
        float t = mask.Height > 1 ? static_cast<float>(j) / static_cast<float>(mask.Height - 1) : 0.0f;
        Col c = Mix(style.Top, style.Bottom, t);
        for (int i = 0; i < mask.Width; ++i)
            if (mask.On(i, j)) canvas.Put(x + i, y + j, c);
    }
}

int DrawText(Canvas& canvas, const std::string& text, int x, int y, int pixelSize, const TextStyle& style, int align,
             Face face) {
    TextMask m = RenderText(text, pixelSize, face);
    int left = align == 1 ? x - m.Width / 2 : x;
    DrawMask(canvas, m, left, y, style);
    return m.Width;
}

} // namespace gravlin::assets
