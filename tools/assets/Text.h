#pragma once
// Text in pictures: DejaVu rendered hard-edged (every pixel is ink or not),
// then coloured with a gradient, an outline and a drop shadow.

#include "Raster.h"

#include <string>

namespace gravlin::assets {

struct TextMask {
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Ink;
    bool On(int x, int y) const {
        return x >= 0 && y >= 0 && x < Width && y < Height && Ink[static_cast<std::size_t>(y) * Width + x];
    }
};

enum class Face { Bold, Regular, Condensed, Serif };

// Renders a line of text at a pixel size. Throws std::runtime_error when the
// font cannot be opened.
TextMask RenderText(const std::string& text, int pixelSize, Face face = Face::Bold);
// The mask cropped to its ink (no empty rows or columns around it).
TextMask CropInk(const TextMask& mask);
// Scales a mask to exactly w by h pixels (area sampling, then a threshold).
TextMask FitMask(const TextMask& mask, int w, int h);

struct TextStyle {
    Col Top{255, 255, 255};
    Col Bottom{200, 200, 200};
    bool Outline = true;
    Col OutlineColour{16, 12, 26};
    int Shadow = 0; // drop shadow offset in pixels, down right
    Col ShadowColour{10, 8, 20};
};

// Draws a mask with its top-left corner at (x, y).
void DrawMask(Canvas& canvas, const TextMask& mask, int x, int y, const TextStyle& style);
// Renders and draws; returns the width drawn. Alignment: 0 left, 1 centre on x.
int DrawText(Canvas& canvas, const std::string& text, int x, int y, int pixelSize, const TextStyle& style,
             int align = 0, Face face = Face::Bold);

} // namespace gravlin::assets
