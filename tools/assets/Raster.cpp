#include "Raster.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace gravlin::assets {

namespace {

struct RampDef {
    std::vector<Col> Anchors; // dark to light
    int Steps;
};

// Each ramp shifts hue as it brightens (cool shadows, warm lights), so that
// shaded objects look lit rather than greyed.
const std::array<RampDef, static_cast<int>(Ramp::Count)>& Ramps() {
    static const std::array<RampDef, static_cast<int>(Ramp::Count)> ramps = {{
        {{{22, 22, 34}, {58, 56, 72}, {104, 100, 110}, {156, 150, 146}, {208, 202, 186}, {244, 240, 224}}, 14}, // Stone
        {{{34, 18, 12}, {72, 40, 22}, {118, 72, 38}, {164, 110, 60}, {206, 156, 98}, {236, 200, 146}}, 14},     // Earth
        {{{8, 22, 60}, {16, 62, 132}, {30, 128, 206}, {84, 200, 246}, {180, 242, 255}, {250, 255, 255}}, 14},   // Ice
        {{{8, 30, 22}, {18, 70, 34}, {44, 124, 44}, {110, 180, 58}, {186, 226, 110}, {236, 250, 180}}, 13},     // Leaf
        {{{52, 24, 6}, {122, 68, 10}, {198, 136, 24}, {244, 196, 64}, {255, 234, 150}, {255, 252, 226}}, 13},   // Gold
        {{{44, 8, 36}, {106, 20, 84}, {176, 50, 146}, {234, 110, 204}, {252, 184, 236}, {255, 232, 252}}, 13},  // Rose
        {{{44, 6, 10}, {104, 16, 20}, {176, 36, 30}, {232, 88, 44}, {252, 156, 84}, {255, 216, 160}}, 13},      // Ember
        {{{24, 10, 48}, {58, 26, 104}, {104, 56, 176}, {156, 110, 232}, {204, 172, 252}, {240, 228, 255}},
         13},                                                                                                // Violet
        {{{16, 20, 38}, {34, 42, 70}, {58, 74, 108}, {90, 110, 148}, {136, 156, 190}, {196, 210, 232}}, 13}, // Slate
        {{{10, 18, 58}, {22, 46, 128}, {40, 90, 200}, {92, 150, 240}, {170, 206, 255}}, 11},                 // Cloth
        {{{70, 32, 28}, {146, 80, 56}, {214, 138, 98}, {246, 190, 150}, {255, 228, 204}}, 10},               // Skin
        {{{70, 52, 46}, {140, 118, 96}, {204, 186, 150}, {238, 228, 196}, {255, 252, 240}}, 11},             // Shell
        {{{4, 6, 12}, {10, 14, 26}, {18, 24, 42}, {30, 38, 62}}, 8},                                         // Night
        {{{66, 22, 4}, {150, 62, 8}, {226, 118, 20}, {252, 176, 60}, {255, 226, 140}}, 11},                  // Amber
        {{{14, 14, 16}, {255, 255, 255}}, 16},                                                               // Grey
        {{{6, 8, 24}, {22, 20, 60}, {60, 34, 96}, {132, 60, 116}, {220, 112, 110}, {255, 190, 130}}, 12},    // Dusk
    }};
    return ramps;
}

Col FromAnchors(const std::vector<Col>& anchors, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    float f = t * static_cast<float>(anchors.size() - 1);
    int i = std::min(static_cast<int>(f), static_cast<int>(anchors.size()) - 2);
    return Mix(anchors[i], anchors[i + 1], f - static_cast<float>(i));
}

std::uint8_t Byte(float v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

} // namespace

Col RampColour(Ramp ramp, float t) {
    return FromAnchors(Ramps()[static_cast<int>(ramp)].Anchors, t);
}

const Palette& GamePalette() {
    static const Palette palette = [] {
        Palette p{};
        int n = 1;
        auto add = [&](Rgb c) {
            for (int i = 1; i < n; ++i)
                if (p[i] == c) return;
            if (n < 256) p[n++] = c;
        };
        add(TextCyan);
        add(TextGreen);
        add({255, 255, 255});
        for (const RampDef& r : Ramps())
            for (int s = 0; s < r.Steps; ++s) {
                Col c = FromAnchors(r.Anchors, static_cast<float>(s) / static_cast<float>(r.Steps - 1));
                add({Byte(c.R), Byte(c.G), Byte(c.B)});
            }
        // A small colour cube catches whatever lies between the ramps.
        const int levels[] = {48, 140, 230};
        for (int r : levels)
            for (int g : levels)
                for (int b : levels)
                    if (n < 256)
                        add({static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)});
        return p;
    }();
    return palette;
}

void Canvas::Paste(const Canvas& from, int x, int y) {
    for (int j = 0; j < from.Height; ++j)
        for (int i = 0; i < from.Width; ++i)
            if (from.On(i, j)) Put(x + i, y + j, from.At(i, j));
}

Vec Painter::ToDesign(Vec p) const {
    if (mirror_) p.X = -p.X;
    return centre_ + Rotate(p * scale_, angle_);
}
Vec Painter::ToObject(Vec d) const {
    Vec p = Rotate(d - centre_, -angle_) * (1.0f / scale_);
    if (mirror_) p.X = -p.X;
    return p;
}

void Painter::Fill(const Sdf& shape, const Shader& shade) {
    constexpr int Sub = 4;
    for (int y = 0; y < canvas_.Height; ++y)
        for (int x = 0; x < canvas_.Width; ++x) {
            Vec centre = ToObject({(static_cast<float>(x) + 0.5f) / unit_ + origin_.X,
                                   (static_cast<float>(y) + 0.5f) / unit_ + origin_.Y});
            // Quick rejection far outside.
            float dc = shape(centre);
            float pix = 1.0f / (unit_ * scale_);
            if (dc > pix * 1.5f) continue;
            int inside = 0;
            if (dc < -pix * 1.5f) {
                inside = Sub * Sub;
            } else {
                for (int j = 0; j < Sub; ++j)
                    for (int i = 0; i < Sub; ++i) {
                        Vec s = ToObject(
                            {(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) / Sub) / unit_ + origin_.X,
                             (static_cast<float>(y) + (static_cast<float>(j) + 0.5f) / Sub) / unit_ + origin_.Y});
                        if (shape(s) < 0) ++inside;
                    }
            }
            if (inside * 2 > Sub * Sub) canvas_.Put(x, y, shade(centre, *this));
        }
}

void Painter::Cut(const Sdf& shape) {
    for (int y = 0; y < canvas_.Height; ++y)
        for (int x = 0; x < canvas_.Width; ++x) {
            Vec c = ToObject({(static_cast<float>(x) + 0.5f) / unit_ + origin_.X,
                              (static_cast<float>(y) + 0.5f) / unit_ + origin_.Y});
            if (shape(c) < 0) canvas_.Clear(x, y);
        }
}

float Painter::Light(float nx, float ny, float nz) const {
    // Normal to screen space: mirror, then rotate.
    if (mirror_) nx = -nx;
    Vec n = Rotate({nx, ny}, angle_);
    float len = std::sqrt(n.X * n.X + n.Y * n.Y + nz * nz);
    if (len <= 0) return 0.5f;
    const float lx = -0.55f, ly = -0.65f, lz = 0.52f; // from the top left, towards the viewer
    float d = (n.X * lx + n.Y * ly + nz * lz) / len;
    float lambert = std::max(0.0f, d);
    float specular = std::pow(std::max(0.0f, d), 18.0f);
    return std::clamp(0.12f + 0.72f * lambert + 0.35f * specular, 0.0f, 1.0f);
}

float Painter::SphereLight(Vec p, Vec c, float r) const {
    Vec d = (p - c) * (1.0f / r);
    float zz = 1.0f - d.X * d.X - d.Y * d.Y;
    float z = zz > 0 ? std::sqrt(zz) : 0.0f;
    return Light(d.X, d.Y, z);
}

float SdCircle(Vec p, Vec c, float r) {
    return Len(p - c) - r;
}

float SdEllipse(Vec p, Vec c, float rx, float ry) {
    Vec d = p - c;
    float k = std::sqrt((d.X * d.X) / (rx * rx) + (d.Y * d.Y) / (ry * ry));
    return (k - 1.0f) * std::min(rx, ry);
}

float SdBox(Vec p, Vec c, float hw, float hh, float round) {
    Vec d{std::fabs(p.X - c.X) - hw + round, std::fabs(p.Y - c.Y) - hh + round};
    Vec o{std::max(d.X, 0.0f), std::max(d.Y, 0.0f)};
    return Len(o) + std::min(std::max(d.X, d.Y), 0.0f) - round;
}

float SdSegment(Vec p, Vec a, Vec b, float r) {
    Vec pa = p - a, ba = b - a;
    float h = std::clamp(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-6f), 0.0f, 1.0f);
    return Len(pa - ba * h) - r;
}

float SdPolygon(Vec p, const std::vector<Vec>& v) {
    float d = Dot(p - v[0], p - v[0]);
    float s = 1.0f;
    for (std::size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        Vec e = v[j] - v[i];
        Vec w = p - v[i];
        Vec b = w - e * std::clamp(Dot(w, e) / std::max(Dot(e, e), 1e-6f), 0.0f, 1.0f);
        d = std::min(d, Dot(b, b));
        bool c1 = p.Y >= v[i].Y, c2 = p.Y<v[j].Y, c3 = e.X * w.Y> e.Y * w.X;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

float Hash(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xffffff) / static_cast<float>(0xffffff);
}

float ValueNoise(float x, float y, int seed, int period) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
    auto wrap = [period](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    auto h = [&](int i, int j) { return Hash(wrap(x0 + i), wrap(y0 + j), seed); };
    float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    float a = h(0, 0) + (h(1, 0) - h(0, 0)) * sx;
    float b = h(0, 1) + (h(1, 1) - h(0, 1)) * sx;
    return a + (b - a) * sy;
}

float Fbm(float x, float y, int seed, int octaves, int period) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x, y, seed + o * 101, period);
        norm += amp;
        x *= 2;
        y *= 2;
        if (period > 0) period *= 2;
        amp *= 0.5f;
    }
    return sum / norm;
}

void OutlineEdges(Canvas& canvas, int x0, int y0, int w, int h, float keep) {
    std::vector<std::pair<int, int>> edge;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            if (!canvas.On(x, y)) continue;
            auto off = [&](int xx, int yy) {
                // Beyond the rectangle counts as inside: a shape cut off by the
                // tile's edge continues in the next tile.
                if (xx < x0 || yy < y0 || xx >= x0 + w || yy >= y0 + h) return false;
                return !canvas.On(xx, yy);
            };
            if (off(x - 1, y) || off(x + 1, y) || off(x, y - 1) || off(x, y + 1)) edge.emplace_back(x, y);
        }
    const Col ink{16, 12, 26};
    for (auto [x, y] : edge) canvas.At(x, y) = Mix(ink, canvas.At(x, y), keep);
}

Surface Quantise(const Canvas& canvas, const Palette& palette) {
    Surface out(canvas.Width, canvas.Height);
    std::unordered_map<std::uint32_t, std::uint8_t> cache;
    for (int y = 0; y < canvas.Height; ++y)
        for (int x = 0; x < canvas.Width; ++x) {
            if (!canvas.On(x, y)) {
                out.Set(x, y, 0);
                continue;
            }
            const Col& c = canvas.At(x, y);
            Rgb rgb{Byte(c.R), Byte(c.G), Byte(c.B)};
            std::uint32_t key =
                static_cast<std::uint32_t>(rgb.R) << 16 | static_cast<std::uint32_t>(rgb.G) << 8 | rgb.B;
            auto it = cache.find(key);
            if (it == cache.end()) {
                // Weighted distance: the eye is most sensitive to green.
                int best = 1;
                long bestD = -1;
                for (int i = 1; i < 256; ++i) {
                    long dr = static_cast<long>(palette[i].R) - rgb.R;
                    long dg = static_cast<long>(palette[i].G) - rgb.G;
                    long db = static_cast<long>(palette[i].B) - rgb.B;
                    long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (bestD < 0 || d < bestD) {
                        bestD = d;
                        best = i;
                    }
                }
                it = cache.emplace(key, static_cast<std::uint8_t>(best)).first;
            }
            out.Set(x, y, it->second);
        }
    return out;
}

} // namespace gravlin::assets
