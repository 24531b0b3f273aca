#pragma once
// Drawing by code for the asset generator: an RGB canvas with a coverage
// mask, shapes given as signed distances in design units (a tile is 40 units
// wide whatever its size in pixels), hard-edged filling with per-pixel
// shading, and lighting from the top left.

#include "presentation/Surface.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace gravlin::assets {

struct Col {
    float R = 0, G = 0, B = 0;
};
inline Col Mix(Col a, Col b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
inline Col Scale(Col a, float k) {
    return {a.R * k, a.G * k, a.B * k};
}

struct Vec {
    float X = 0, Y = 0;
};
inline Vec operator+(Vec a, Vec b) {
    return {a.X + b.X, a.Y + b.Y};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.X - b.X, a.Y - b.Y};
}
inline Vec operator*(Vec a, float k) {
    return {a.X * k, a.Y * k};
}
inline float Dot(Vec a, Vec b) {
    return a.X * b.X + a.Y * b.Y;
}
inline float Len(Vec a) {
    return std::sqrt(a.X * a.X + a.Y * a.Y);
}
inline Vec Rotate(Vec a, float radians) {
    float c = std::cos(radians), s = std::sin(radians);
    return {a.X * c - a.Y * s, a.X * s + a.Y * c};
}
constexpr float Pi = 3.14159265358979f;

// Colour ramps of the game's palette, dark to light. Shading picks a point on
// a ramp so that shaded pixels land on palette entries.
enum class Ramp {
    Stone,
    Earth,
    Ice,
    Leaf,
    Gold,
    Rose,
    Ember,
    Violet,
    Slate,
    Cloth,
    Skin,
    Shell,
    Night,
    Amber,
    Grey,
    Dusk,
    Count
};
Col RampColour(Ramp ramp, float t); // t from 0 (darkest) to 1 (lightest), clamped

// The palette every picture of the game uses: entry 0 is the colour key
// (black); the rest are the ramps, a few exact colours and a small colour cube.
const Palette& GamePalette();
// Exact colours the game writes names in.
constexpr Rgb TextCyan{0, 255, 255};
constexpr Rgb TextGreen{0, 128, 0};

// An RGB picture with a mask: pixels outside the mask become colour 0.
struct Canvas {
    int Width = 0, Height = 0;
    std::vector<Col> Colours;
    std::vector<std::uint8_t> Mask;
    Canvas() = default;
    Canvas(int w, int h)
        : Width(w), Height(h), Colours(static_cast<std::size_t>(w) * h), Mask(static_cast<std::size_t>(w) * h, 0) {}
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
    bool On(int x, int y) const { return Inside(x, y) && Mask[Index(x, y)] != 0; }
    Col& At(int x, int y) { return Colours[Index(x, y)]; }
    const Col& At(int x, int y) const { return Colours[Index(x, y)]; }
    void Put(int x, int y, Col c) {
        if (!Inside(x, y)) return;
        Colours[Index(x, y)] = c;
        Mask[Index(x, y)] = 1;
    }
    void Clear(int x, int y) {
        if (Inside(x, y)) Mask[Index(x, y)] = 0;
    }
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * Width + x; }
    // Copies `from` with its top-left corner at (x, y), only where `from` is set.
    void Paste(const Canvas& from, int x, int y);
};

using Sdf = std::function<float(Vec)>;
// A shader gets the point in object units and the painter (for lighting).
class Painter;
using Shader = std::function<Col(Vec, const Painter&)>;

// Fills shapes on a canvas. Design units map to pixels by `unit` (pixels per
// unit); a transform (rotation, mirror, scale, offset) maps object units to
// design units, so one drawing serves every frame of a turning rock and both
// facings of the player, while lighting stays fixed on the screen.
class Painter {
  public:
    Painter(Canvas& canvas, float unit, Vec origin = {0, 0}) : canvas_(canvas), unit_(unit), origin_(origin) {}

    // Transform of object points: p' = Centre + Rot(angle) * (Mirror? (-x, y)) * scale.
    void SetTransform(Vec centre, float angle, float scale = 1.0f, bool mirror = false) {
        centre_ = centre;
        angle_ = angle;
        scale_ = scale;
        mirror_ = mirror;
    }
    void ResetTransform() { SetTransform({0, 0}, 0, 1, false); }
    float Unit() const { return unit_; }
    float PixelUnits() const { return 1.0f / (unit_ * scale_); } // one pixel in object units

    // Paints every pixel whose area lies mostly inside the shape (d < 0).
    void Fill(const Sdf& shape, const Shader& shade);
    void Fill(const Sdf& shape, Col colour) {
        Fill(shape, [colour](Vec, const Painter&) { return colour; });
    }
    // Removes the shape from the canvas (back to colour 0).
    void Cut(const Sdf& shape);

    // Lambert-plus-highlight light of a surface normal given in object space
    // (x right, y down, z towards the viewer): 0 dark to 1 bright.
    float Light(float nx, float ny, float nz) const;
    // The light of a sphere at object point p, centre c, radius r.
    float SphereLight(Vec p, Vec c, float r) const;

    Vec ToDesign(Vec object) const;
    Vec ToObject(Vec design) const;

  private:
    Canvas& canvas_;
    float unit_;
    Vec origin_;
    Vec centre_{0, 0};
    float angle_ = 0, scale_ = 1;
    bool mirror_ = false;
};

// Signed distances (negative inside), in object units.
float SdCircle(Vec p, Vec c, float r);
float SdEllipse(Vec p, Vec c, float rx, float ry);
float SdBox(Vec p, Vec c, float hw, float hh, float round = 0);
float SdSegment(Vec p, Vec a, Vec b, float r);
float SdPolygon(Vec p, const std::vector<Vec>& pts);
inline float Union(float a, float b) {
    return std::min(a, b);
}
inline float Subtract(float a, float b) {
    return std::max(a, -b);
}
inline float Intersect(float a, float b) {
    return std::max(a, b);
}

// Deterministic noise: hash and smooth value noise, optionally periodic.
float Hash(int x, int y, int seed);
float ValueNoise(float x, float y, int seed, int period = 0);
float Fbm(float x, float y, int seed, int octaves, int period = 0);

// Darkens the pixels of the shape's edge (set pixels next to unset ones) in
// the rectangle, the outline that keeps sprites readable on black.
void OutlineEdges(Canvas& canvas, int x0, int y0, int w, int h, float keep = 0.45f);

// Maps a canvas to palette indices: unset pixels are 0, set pixels the
// nearest non-zero entry.
Surface Quantise(const Canvas& canvas, const Palette& palette);

} // namespace gravlin::assets
