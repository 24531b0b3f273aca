#include "presentation/sdl/TtfTextRenderer.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace gravlin {

namespace {

constexpr const char* DebianFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// Text sizes the game may ask for; anything outside is brought into range.
constexpr int MinPoints = 1;
constexpr int MaxPoints = 200;

bool FileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string AskFontconfig() {
    std::FILE* p = ::popen("fc-match -f '%{file}' 'DejaVu Sans' 2>/dev/null", "r");
    if (!p) return "";
    std::string out;
    char buffer[512];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    ::pclose(p);
    // fontconfig answers with its nearest font even when DejaVu is missing.
    auto slash = out.find_last_of('/');
    std::string name = slash == std::string::npos ? out : out.substr(slash + 1);
    if (name != "DejaVuSans.ttf" || !FileExists(out)) return "";
    return out;
}

} // namespace

std::string FindGameFont() {
    if (FileExists(DebianFontPath)) return DebianFontPath;
    return AskFontconfig();
}

TtfTextRenderer::~TtfTextRenderer() {
    for (auto& [points, font] : fonts_) TTF_CloseFont(font);
    if (started_) TTF_Quit();
}

bool TtfTextRenderer::Open(std::string* error, const std::string& fontFile) {
    std::string file = fontFile.empty() ? FindGameFont() : fontFile;
    if (file.empty()) {
        if (error)
            *error = std::string("the game's font DejaVu Sans was not found (looked for ") + DebianFontPath +
                     " and asked fontconfig); install the package fonts-dejavu-core";
        return false;
    }
    if (!started_) {
        if (TTF_Init() != 0) {
            if (error) *error = std::string("cannot start the text library: ") + TTF_GetError();
            return false;
        }
        started_ = true;
    }
    for (auto& [points, font] : fonts_) TTF_CloseFont(font);
    fonts_.clear();
    fontFile_ = file;
    if (!Font(10)) {
        if (error) *error = "cannot open the font " + file + ": " + TTF_GetError();
        fontFile_.clear();
        return false;
    }
    return true;
}

TTF_Font* TtfTextRenderer::Font(int points) {
    if (!started_ || fontFile_.empty()) return nullptr;
    points = std::clamp(points, MinPoints, MaxPoints);
    auto it = fonts_.find(points);
    if (it != fonts_.end()) return it->second;
    TTF_Font* font = TTF_OpenFontDPI(fontFile_.c_str(), points, 96, 96);
    if (font) fonts_[points] = font;
    return font;
}

int TtfTextRenderer::TextWidth(const std::string& text, int points) {
    TTF_Font* font = Font(points);
    if (!font || text.empty()) return 0;
    int w = 0, h = 0;
    if (TTF_SizeUTF8(font, text.c_str(), &w, &h) != 0) return 0;
    return w;
}

int TtfTextRenderer::LineHeight(int points) {
    TTF_Font* font = Font(points);
    return font ? TTF_FontHeight(font) : 0;
}

void TtfTextRenderer::DrawText(Surface& to, const Palette& palette, int x, int y, const std::string& text, Rgb colour,
                               int points) {
    TTF_Font* font = Font(points);
    if (!font || text.empty()) return;
    // Unsmoothed glyphs: every pixel is ink or background, so the text keeps
    // to the one palette entry nearest its colour.
    SDL_Surface* glyphs = TTF_RenderUTF8_Solid(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!glyphs) return;
    const auto ink = static_cast<std::uint8_t>(NearestColour(palette, colour));
    if (SDL_LockSurface(glyphs) == 0) {
        const auto* pixels = static_cast<const std::uint8_t*>(glyphs->pixels);
        int top = std::max(0, -y), bottom = std::min(glyphs->h, to.Height - y);
        int left = std::max(0, -x), right = std::min(glyphs->w, to.Width - x);
        for (int row = top; row < bottom; ++row) {
            const std::uint8_t* src = pixels + static_cast<std::ptrdiff_t>(row) * glyphs->pitch;
            for (int col = left; col < right; ++col)
                if (src[col] != 0) to.Set(x + col, y + row, ink);
        }
        SDL_UnlockSurface(glyphs);
    }
    SDL_FreeSurface(glyphs);
}

} // namespace gravlin
