#pragma once
// The game's text: DejaVu Sans through SDL2_ttf, drawn without smoothing in
// the one palette entry nearest the asked-for colour, over a transparent
// background. Needs no window, so the headless runner draws text too.

#include "presentation/Display.h"

#include <map>
#include <string>

typedef struct _TTF_Font TTF_Font;

namespace gravlin {

// Where DejaVu Sans is: the Debian path when it exists, else what fontconfig
// names for "DejaVu Sans" when that really is a DejaVu Sans file. Empty when
// neither is there.
std::string FindGameFont();

class TtfTextRenderer : public TextRenderer {
  public:
    TtfTextRenderer() = default;
    ~TtfTextRenderer() override;
    TtfTextRenderer(const TtfTextRenderer&) = delete;
    TtfTextRenderer& operator=(const TtfTextRenderer&) = delete;

    // Starts SDL2_ttf and checks that the font opens. `fontFile` empty means
    // FindGameFont. False (with `error` naming the font and where it was
    // looked for) when it cannot.
    bool Open(std::string* error, const std::string& fontFile = "");
    const std::string& FontFile() const { return fontFile_; }

    // Sizes are points at 96 pixels an inch (10 points are 13 pixels).
    int TextWidth(const std::string& text, int points) override;
    void DrawText(Surface& to, const Palette& palette, int x, int y, const std::string& text, Rgb colour,
                  int points) override;
    // Height in pixels of a line at `points`.
    int LineHeight(int points);

  private:
    TTF_Font* Font(int points);

    bool started_ = false;
    std::string fontFile_;
    std::map<int, TTF_Font*> fonts_;
};

} // namespace gravlin
