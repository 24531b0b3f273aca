#include "Tiles.h"

#include "Text.h"

#include <algorithm>
#include <string>

namespace gravlin::assets {

namespace {

// ---------------------------------------------------------------- helpers

Shader Flat(Ramp r, float t) {
    Col c = RampColour(r, t);
    return [c](Vec, const Painter&) { return c; };
}

// A ball lit from the top left, its light mapped onto part of a ramp.
Shader Ball(Ramp r, Vec c, float radius, float lo = 0.08f, float hi = 0.95f) {
    return [=](Vec p, const Painter& pt) { return RampColour(r, lo + (hi - lo) * pt.SphereLight(p, c, radius)); };
}

// A round bar along a segment, lit across its width.
Shader Bar(Ramp r, Vec a, Vec b, float radius, float lo = 0.1f, float hi = 0.9f) {
    return [=](Vec p, const Painter& pt) {
        Vec ab = b - a;
        float len = std::max(Len(ab), 1e-4f);
        Vec n{-ab.Y / len, ab.X / len};
        float s = std::clamp(Dot(p - a, n) / radius, -1.0f, 1.0f);
        float z = std::sqrt(std::max(0.0f, 1 - s * s));
        return RampColour(r, lo + (hi - lo) * pt.Light(n.X * s, n.Y * s, z));
    };
}

// A flat facet with a fixed normal.
Shader Facet(Ramp r, float nx, float ny, float nz, float lo = 0.05f, float hi = 1.0f) {
    return [=](Vec, const Painter& pt) { return RampColour(r, lo + (hi - lo) * pt.Light(nx, ny, nz)); };
}

Sdf Circle(Vec c, float r) {
    return [=](Vec p) { return SdCircle(p, c, r); };
}
Sdf Ellipse(Vec c, float rx, float ry) {
    return [=](Vec p) { return SdEllipse(p, c, rx, ry); };
}
Sdf Box(Vec c, float hw, float hh, float round = 0) {
    return [=](Vec p) { return SdBox(p, c, hw, hh, round); };
}
Sdf Segment(Vec a, Vec b, float r) {
    return [=](Vec p) { return SdSegment(p, a, b, r); };
}
Sdf Poly(std::vector<Vec> pts) {
    return [pts = std::move(pts)](Vec p) { return SdPolygon(p, pts); };
}

// A four-pointed glint.
Sdf Star(Vec c, float r, float thin = 0.22f) {
    return [=](Vec p) {
        Vec d = p - c;
        float ax = std::fabs(d.X), ay = std::fabs(d.Y);
        float a = ax / r + ay / (r * thin) - 1;
        float b = ay / r + ax / (r * thin) - 1;
        return std::min(a, b) * r * thin;
    };
}

void GlintAt(Painter& p, Vec c, float r) {
    p.Fill(Star(c, r), [=](Vec q, const Painter&) {
        float d = Len(q - c) / r;
        return Mix(Col{255, 255, 255}, RampColour(Ramp::Ice, 0.75f), std::clamp(d * 1.4f - 0.2f, 0.0f, 1.0f));
    });
}

// ---------------------------------------------------------------- earth

Col EarthColour(Vec p, int seed) {
    float n = Fbm(p.X / 10.0f, p.Y / 10.0f, seed, 3, 4);
    float nl = Fbm((p.X - 1.2f) / 10.0f, (p.Y - 1.2f) / 10.0f, seed, 3, 4);
    float clump = std::floor(n * 5.0f) / 5.0f;
    float light = (n - nl) * 6.0f; // brighter on slopes facing the top left
    float grain = Hash(static_cast<int>(std::floor(p.X)) & 63, static_cast<int>(std::floor(p.Y)) & 63, seed + 7);
    float t = 0.30f + 0.34f * clump + std::clamp(light, -0.16f, 0.16f);
    if (grain > 0.93f) t += 0.12f;
    if (grain < 0.05f) t -= 0.12f;
    return RampColour(Ramp::Earth, t);
}

void DrawEarth(Painter& p, int dig) {
    p.Fill(Box({20, 20}, 20.5f, 20.5f), [](Vec q, const Painter&) { return EarthColour(q, 11); });
    // Pebbles, kept off the edges so that neighbouring tiles join.
    const Vec stones[] = {{9, 10}, {29, 8}, {21, 23}, {7, 31}, {32, 30}, {15, 36}};
    const float radii[] = {2.2f, 1.6f, 2.6f, 1.8f, 2.0f, 1.4f};
    for (int i = 0; i < 6; ++i)
        p.Fill(Ellipse(stones[i], radii[i] * 1.2f, radii[i]),
               Ball(Ramp::Stone, stones[i], radii[i] * 1.2f, 0.15f, 0.75f));
    if (dig <= 0) return;
    // Digging away: a ragged hole grows from the middle, crumbs fly off.
    float r = 4.0f + 4.6f * static_cast<float>(dig);
    Sdf hole = [r, dig](Vec q) {
        Vec d = q - Vec{20, 20};
        float a = std::atan2(d.Y, d.X);
        float wobble = 1.6f * std::sin(5 * a + static_cast<float>(dig)) + 1.1f * std::sin(9 * a + 2);
        return Len(d) - (r + wobble);
    };
    // Rim: shadow on the upper left inside edge, light on the lower right.
    p.Fill([hole](Vec q) { return hole(q) - 2.2f; },
           [hole](Vec q, const Painter&) {
               float dx = hole({q.X + 0.6f, q.Y + 0.6f}) - hole({q.X - 0.6f, q.Y - 0.6f});
               Col base = EarthColour(q, 11);
               return dx > 0 ? Scale(base, 0.7f) : Mix(base, RampColour(Ramp::Earth, 0.95f), 0.35f);
           });
    p.Cut(hole);
    // Crumbs inside the hole, flying outwards.
    for (int i = 0; i < 5; ++i) {
        float a = static_cast<float>(i) * 1.26f + static_cast<float>(dig) * 0.4f;
        float d = r * 0.55f + static_cast<float>(i % 2) * 2;
        Vec c{20 + std::cos(a) * d, 20 + std::sin(a) * d};
        float cr = 2.0f - 0.25f * static_cast<float>(dig);
        p.Fill(Circle(c, cr), Ball(Ramp::Earth, c, cr, 0.2f, 0.85f));
    }
}

// ---------------------------------------------------------------- gems

// A cut gem: crown facets over a pointed pavilion, flat shaded.
void DrawGem(Painter& p, Ramp r, float lo = 0.04f) {
    const Vec t1{13, 8}, t2{27, 8}, g1{4, 17}, g2{36, 17}, m1{12, 17}, m2{20, 17}, m3{28, 17}, b{20, 35};
    struct F {
        std::vector<Vec> pts;
        float nx, ny, nz;
    };
    const F facets[] = {
        {{t1, t2, m2}, 0.0f, -0.55f, 0.83f},  {{t1, m2, m1}, -0.4f, -0.35f, 0.85f}, {{t2, m3, m2}, 0.4f, -0.35f, 0.85f},
        {{t1, m1, g1}, -0.75f, -0.45f, 0.5f}, {{t2, g2, m3}, 0.75f, -0.45f, 0.5f},  {{g1, m1, b}, -0.7f, 0.45f, 0.55f},
        {{m1, m2, b}, -0.22f, 0.55f, 0.8f},   {{m2, m3, b}, 0.22f, 0.55f, 0.8f},    {{m3, g2, b}, 0.7f, 0.45f, 0.55f},
    };
    for (const F& f : facets) p.Fill(Poly(f.pts), Facet(r, f.nx, f.ny, f.nz, lo, 1.0f));
    // Bright table edge.
    p.Fill(Segment({14, 8.6f}, {24, 8.6f}, 0.55f), Flat(r, 1.0f));
}

void DrawDiamond(Painter& p) {
    DrawGem(p, Ramp::Ice);
}

void DrawSparkle(Painter& p, int k) { // k = 1..5
    float s = 1.0f - 0.2f * static_cast<float>(k);
    if (s > 0.05f) {
        p.SetTransform({20 * (1 - s), 20 * (1 - s) + 1.5f * static_cast<float>(k)}, 0, s);
        DrawGem(p, Ramp::Ice, 0.2f);
        p.ResetTransform();
    }
    for (int i = 0; i < 4; ++i) {
        float a = static_cast<float>(i) * Pi / 2 + 0.5f + 0.3f * static_cast<float>(k);
        float d = 3.0f + 2.2f * static_cast<float>(k);
        float r = 3.0f + 0.8f * static_cast<float>(std::min(k, 3)) - (k == 5 ? 1.0f : 0);
        GlintAt(p, {20 + std::cos(a) * d, 20 + std::sin(a) * d}, r);
    }
    GlintAt(p, {20, 20}, 6.5f + static_cast<float>(k));
}

// ---------------------------------------------------------------- egg

float SdEgg(Vec q) {
    Vec d = q - Vec{20, 21};
    float ry = 15.0f;
    float k = std::clamp(d.Y / ry, -1.0f, 1.0f);
    float rx = 12.5f * (1 + 0.13f * k);
    return SdEllipse(d, {0, 0}, rx, ry);
}

void DrawEggShell(Painter& p, int cracks) {
    p.Fill(SdEgg, [](Vec q, const Painter& pt) {
        Vec d = q - Vec{20, 21};
        float nx = d.X / 13.0f, ny = d.Y / 15.0f;
        float z = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
        float l = pt.Light(nx, ny, z);
        return RampColour(Ramp::Shell, 0.1f + 0.9f * l);
    });
    // Violet speckles: a hint of what sleeps inside.
    const Vec spots[] = {{15, 14}, {24, 11}, {26, 22}, {14, 26}, {21, 30}, {19, 20}, {28, 29}};
    const float sr[] = {1.5f, 1.1f, 1.7f, 1.3f, 1.2f, 0.9f, 1.0f};
    for (int i = 0; i < 7; ++i) p.Fill(Circle(spots[i], sr[i]), Flat(Ramp::Violet, 0.45f));
    if (cracks > 0) {
        std::vector<Vec> zig = {{8, 21}, {12, 18}, {15, 22}, {19, 17}, {23, 22}, {27, 18}, {32, 21}};
        int n = cracks == 1 ? 4 : 7;
        for (int i = 0; i + 1 < n; ++i) p.Fill(Segment(zig[i], zig[i + 1], 0.75f), Flat(Ramp::Shell, 0.0f));
        if (cracks > 1) {
            p.Fill(Segment({19, 17}, {18, 11}, 0.6f), Flat(Ramp::Shell, 0.0f));
            p.Fill(Segment({23, 22}, {25, 27}, 0.6f), Flat(Ramp::Shell, 0.0f));
        }
    }
}

// ---------------------------------------------------------------- monster

struct MonsterLook {
    Ramp Body = Ramp::Violet;
    Col Eye{255, 226, 90};
    bool Open = false;
    bool Dead = false;
    bool Angry = false;
};

void DrawMonster(Painter& p, const MonsterLook& m) {
    float ry = m.Open ? 11.5f : 12.5f, rx = m.Open ? 13.8f : 13.0f;
    Vec c{20, 37 - ry - 3};
    // Feet.
    for (float fx : {13.0f, 27.0f}) {
        Vec f{fx + (m.Open ? (fx < 20 ? -2.0f : 2.0f) : 0.0f), 35.5f};
        p.Fill(Ellipse(f, 4.2f, 2.6f), Ball(m.Body, f, 4.2f, 0.05f, 0.55f));
    }
    // Horns.
    for (int side : {-1, 1}) {
        float sx = static_cast<float>(side);
        std::vector<Vec> horn = {
            {c.X + sx * 6, c.Y - ry + 4}, {c.X + sx * 12, c.Y - ry + 6}, {c.X + sx * 13.5f, c.Y - ry - 4.5f}};
        p.Fill(Poly(horn), Facet(Ramp::Shell, -0.5f * sx, -0.6f, 0.6f, 0.2f, 1.0f));
    }
    // Arms.
    for (int side : {-1, 1}) {
        float sx = static_cast<float>(side);
        Vec a{c.X + sx * (rx - 2), c.Y + 2};
        Vec b{c.X + sx * (rx + 2.2f), m.Open ? c.Y - 7 : c.Y + 7};
        p.Fill(Segment(a, b, 2.6f), Bar(m.Body, a, b, 2.6f, 0.05f, 0.7f));
        for (int f = -1; f <= 1; ++f) {
            Vec claw{b.X + sx * 1.2f + static_cast<float>(f) * 1.3f, b.Y + (m.Open ? -2.2f : 2.2f)};
            p.Fill(Circle(claw, 1.0f), Flat(Ramp::Shell, 0.85f));
        }
    }
    p.Fill(Ellipse(c, rx, ry), Ball(m.Body, c, std::max(rx, ry), 0.05f, 0.92f));
    // Belly.
    Vec belly{c.X, c.Y + ry * 0.35f};
    p.Fill(Ellipse(belly, rx * 0.55f, ry * 0.5f), Ball(m.Body, belly, rx * 0.7f, 0.45f, 1.0f));
    // Eyes.
    for (int side : {-1, 1}) {
        Vec e{c.X + static_cast<float>(side) * 5.5f, c.Y - 4.0f};
        if (m.Dead) {
            p.Fill(Segment({e.X - 2.3f, e.Y - 2.3f}, {e.X + 2.3f, e.Y + 2.3f}, 0.9f), Flat(Ramp::Grey, 0.95f));
            p.Fill(Segment({e.X - 2.3f, e.Y + 2.3f}, {e.X + 2.3f, e.Y - 2.3f}, 0.9f), Flat(Ramp::Grey, 0.95f));
            continue;
        }
        p.Fill(Ellipse(e, 3.6f, 4.0f), [m](Vec, const Painter&) { return m.Eye; });
        p.Fill(Ellipse({e.X + static_cast<float>(side) * 0.2f, e.Y + 0.9f}, 1.6f, 2.3f), Flat(Ramp::Night, 0.0f));
        p.Fill(Circle({e.X - 1.2f, e.Y - 1.6f}, 0.8f), Flat(Ramp::Grey, 1.0f));
        if (m.Angry) {
            float sx = static_cast<float>(side);
            p.Fill(Segment({e.X - sx * 4.0f, e.Y - 6.5f}, {e.X + sx * 2.5f, e.Y - 3.8f}, 1.1f), Flat(m.Body, 0.0f));
        }
    }
    // Mouth with fangs.
    Vec mo{c.X, c.Y + 4.0f};
    float mh = m.Open ? 3.6f : 1.6f;
    p.Fill(Ellipse(mo, 7.0f, mh), Flat(Ramp::Ember, 0.08f));
    if (m.Open) p.Fill(Ellipse({mo.X, mo.Y + mh * 0.5f}, 3.5f, mh * 0.45f), Flat(Ramp::Ember, 0.45f));
    for (int f : {-1, 1}) {
        float fx = mo.X + static_cast<float>(f) * 3.8f;
        p.Fill(Poly({{fx - 1.4f, mo.Y - mh + 0.2f}, {fx + 1.4f, mo.Y - mh + 0.2f}, {fx, mo.Y - mh + 3.4f}}),
               Flat(Ramp::Shell, 0.95f));
    }
}

// ---------------------------------------------------------------- player

struct Pose {
    float Bob = 0;      // body offset down
    float Lean = 0;     // radians, forward
    float FrontLeg = 0; // radians from straight down, positive forward
    float BackLeg = 0;
    float FrontArm = 0.3f; // radians from straight down, positive forward
    float BackArm = -0.3f;
    bool ArmsUp = false;
    bool Dead = false;
    float Knee = 0; // lift of the forward foot
};

// The digger facing left in object space (forward is -x).
void DrawPlayer(Painter& p, const Pose& s) {
    const Ramp cloth = Ramp::Cloth;
    Vec hip{20, 27 + s.Bob};
    auto limb = [](Vec from, float angle, float len) {
        return Vec{from.X - std::sin(angle) * len, from.Y + std::cos(angle) * len};
    };
    auto leg = [&](float angle, float shade, float lift) {
        Vec foot = limb(hip, angle, 8.0f);
        foot.Y -= lift;
        p.Fill(Segment(hip, foot, 2.9f), Bar(cloth, hip, foot, 2.9f, 0.02f, 0.6f * shade));
        Vec boot{foot.X - 1.2f, foot.Y + 1.2f};
        p.Fill(Ellipse(boot, 4.2f, 2.7f), Ball(Ramp::Earth, boot, 4.2f, 0.02f, 0.5f * shade + 0.15f));
    };
    Vec shoulder{20 - std::sin(s.Lean) * 8, 20 + s.Bob + (1 - std::cos(s.Lean)) * 6};
    auto arm = [&](float angle, float shade) {
        Vec hand = s.ArmsUp ? Vec{shoulder.X - std::sin(angle) * 7.5f, shoulder.Y - std::cos(angle) * 7.5f}
                            : limb(shoulder, angle, 7.5f);
        p.Fill(Segment(shoulder, hand, 2.5f), Bar(cloth, shoulder, hand, 2.5f, 0.05f, 0.8f * shade));
        p.Fill(Circle(hand, 2.6f), Ball(Ramp::Skin, hand, 2.6f, 0.1f, 0.85f * shade + 0.1f));
    };
    // Far side first, darker.
    leg(s.BackLeg, 0.7f, 0);
    arm(s.BackArm, 0.6f);
    // Body: overalls over a round torso.
    Vec body{20 - std::sin(s.Lean) * 4, 23.5f + s.Bob};
    p.Fill(Ellipse(body, 8.2f, 7.2f), Ball(cloth, body, 8.2f, 0.05f, 0.9f));
    p.Fill(Box({body.X, body.Y - 4.5f}, 4.2f, 1.0f), Flat(Ramp::Gold, 0.55f)); // belt of the bib
    leg(s.FrontLeg, 1.0f, s.Knee);
    // Head with a miner's helmet and lamp.
    Vec head{20 - std::sin(s.Lean) * 11, 13 + s.Bob + (1 - std::cos(s.Lean)) * 4};
    p.Fill(Circle(head, 8.0f), Ball(Ramp::Skin, head, 8.0f, 0.1f, 0.95f));
    // Nose and eye look forward (left).
    Vec nose{head.X - 7.0f, head.Y + 1.5f};
    p.Fill(Circle(nose, 2.0f), Ball(Ramp::Skin, nose, 2.0f, 0.2f, 0.95f));
    Vec eye{head.X - 3.5f, head.Y - 0.5f};
    if (s.Dead) {
        p.Fill(Segment({eye.X - 1.6f, eye.Y - 1.6f}, {eye.X + 1.6f, eye.Y + 1.6f}, 0.7f), Flat(Ramp::Night, 0));
        p.Fill(Segment({eye.X - 1.6f, eye.Y + 1.6f}, {eye.X + 1.6f, eye.Y - 1.6f}, 0.7f), Flat(Ramp::Night, 0));
        p.Fill(Circle({head.X - 3.5f, head.Y + 4.2f}, 1.5f), Flat(Ramp::Ember, 0.1f));
    } else {
        p.Fill(Ellipse(eye, 1.9f, 2.4f), Flat(Ramp::Grey, 1.0f));
        p.Fill(Ellipse({eye.X - 0.7f, eye.Y + 0.3f}, 1.0f, 1.5f), Flat(Ramp::Night, 0));
        p.Fill(Segment({head.X - 5.5f, head.Y + 4.2f}, {head.X - 2.5f, head.Y + 4.6f}, 0.5f), Flat(Ramp::Skin, 0.05f));
    }
    // Helmet: a dome and a brim, the lamp in front.
    Vec dome{head.X + 0.5f, head.Y - 2.0f};
    p.Fill([dome](Vec q) { return Intersect(SdCircle(q, dome, 8.2f), q.Y - dome.Y); },
           Ball(Ramp::Gold, dome, 8.2f, 0.1f, 1.0f));
    p.Fill(Box({dome.X - 1.5f, dome.Y + 0.2f}, 9.8f, 1.2f, 1.0f), Flat(Ramp::Gold, 0.32f));
    Vec lamp{dome.X - 7.0f, dome.Y - 4.0f};
    p.Fill(Circle(lamp, 2.4f), Ball(Ramp::Grey, lamp, 2.4f, 0.4f, 1.0f));
    p.Fill(Circle({lamp.X - 0.5f, lamp.Y}, 1.3f), Flat(Ramp::Gold, 1.0f));
    // Near arm last.
    arm(s.FrontArm, 1.0f);
}

Pose WalkPose(int k) {
    float ph = static_cast<float>(k) * Pi / 2;
    Pose s;
    s.FrontLeg = 0.55f * std::cos(ph);
    s.BackLeg = -s.FrontLeg;
    s.Knee = std::max(0.0f, std::sin(ph)) * 2.0f;
    s.FrontArm = -0.6f * std::cos(ph);
    s.BackArm = -s.FrontArm;
    s.Bob = (k % 2 == 1) ? -1.0f : 0.0f;
    return s;
}

Pose PushPose(int k) {
    float ph = static_cast<float>(k) * Pi / 2;
    Pose s;
    s.Lean = 0.32f;
    s.FrontLeg = -0.25f + 0.45f * std::cos(ph);
    s.BackLeg = -0.25f - 0.45f * std::cos(ph);
    s.Knee = std::max(0.0f, std::sin(ph)) * 1.5f;
    s.FrontArm = 1.45f + 0.08f * std::sin(ph);
    s.BackArm = 1.3f - 0.08f * std::sin(ph);
    s.Bob = 0.2f + ((k % 2 == 1) ? -0.8f : 0.0f);
    return s;
}

Pose DownPose(int k) {
    float ph = static_cast<float>(k) * Pi / 2;
    Pose s;
    s.ArmsUp = true;
    s.FrontArm = 0.35f + 0.25f * std::sin(ph);
    s.BackArm = -0.35f - 0.25f * std::sin(ph);
    s.FrontLeg = 0.25f * std::sin(ph);
    s.BackLeg = -0.2f * std::sin(ph) - 0.1f;
    s.Knee = 1.5f + std::cos(ph);
    s.Bob = -1.0f + ((k % 2) ? 0.5f : 0.0f);
    return s;
}

void DrawPlayerFrame(Painter& p, const Pose& s, bool right, float angle = 0) {
    // The figure is drawn in tile coordinates; the transform mirrors it about
    // the tile's middle for the right-facing frames and turns it about the
    // middle while it tumbles.
    Vec mid{20, 20};
    p.SetTransform(mid - Rotate(Vec{right ? -20.0f : 20.0f, 20.0f}, angle), angle, 1.0f, right);
    DrawPlayer(p, s);
    p.ResetTransform();
}

void DrawTeleportOrb(Painter& p, int k) {
    Vec c{20, 20};
    p.Fill(Circle(c, 13.0f), [c](Vec q, const Painter&) {
        float d = Len(q - c) / 13.0f;
        return Mix(Col{255, 255, 255}, RampColour(Ramp::Violet, 0.35f), std::clamp(d * d * 1.3f, 0.0f, 1.0f));
    });
    // A faint figure inside the light.
    p.Fill(Circle({20, 15}, 3.5f), Flat(Ramp::Violet, 0.95f));
    p.Fill(Ellipse({20, 23.5f}, 4.0f, 5.0f), Flat(Ramp::Violet, 0.95f));
    for (int i = 0; i < 3; ++i) {
        float a = static_cast<float>(k) * 2 * Pi / 5 + static_cast<float>(i) * 2 * Pi / 3;
        Vec s{c.X + std::cos(a) * 15.5f, c.Y + std::sin(a) * 15.5f};
        GlintAt(p, s, 4.0f);
        Vec t{c.X + std::cos(a - 0.6f) * 14.5f, c.Y + std::sin(a - 0.6f) * 14.5f};
        p.Fill(Circle(t, 1.3f), Flat(Ramp::Violet, 0.8f));
    }
}

// ---------------------------------------------------------------- chaser

void DrawChaser(Painter& p, int k, bool right, float glow = 0) {
    Vec c{20, 20};
    float spin = (right ? 1.0f : -1.0f) * static_cast<float>(k) * (Pi / 4) / 4;
    // Spiky flame body, eight points, turning as it runs.
    Sdf body = [c, spin](Vec q) {
        Vec d = q - c;
        float a = std::atan2(d.Y, d.X) - spin;
        float spikes = std::pow(std::fabs(std::cos(a * 4)), 6.0f);
        return Len(d) - (11.0f + 6.5f * spikes);
    };
    p.Fill(body, [c, glow](Vec q, const Painter& pt) {
        float l = pt.SphereLight(q, c, 17.0f);
        float d = Len(q - c) / 17.0f;
        Col base = RampColour(Ramp::Amber, 0.15f + 0.8f * l - 0.35f * d);
        return Mix(base, Col{255, 255, 240}, glow);
    });
    Vec core{c.X + (right ? 1.0f : -1.0f), c.Y};
    p.Fill(Circle(core, 9.5f), Ball(Ramp::Gold, core, 9.5f, 0.35f, 1.0f));
    // Eyes looking the way it runs.
    float look = right ? 2.2f : -2.2f;
    for (int side : {-1, 1}) {
        Vec e{core.X + static_cast<float>(side) * 3.6f + look * 0.4f, core.Y - 1.5f};
        p.Fill(Ellipse(e, 2.5f, 3.1f), Flat(Ramp::Grey, 1.0f));
        p.Fill(Ellipse({e.X + look * 0.45f, e.Y + 0.5f}, 1.3f, 1.9f), Flat(Ramp::Night, 0));
    }
    for (int side : {-1, 1}) {
        float sx = static_cast<float>(side);
        p.Fill(Segment({core.X + sx * 6.5f + look * 0.4f, core.Y - 6.8f},
                       {core.X + sx * 1.2f + look * 0.4f, core.Y - 4.2f}, 0.9f),
               Flat(Ramp::Ember, 0.08f));
    }
    // A jagged grin.
    p.Fill(Poly({{core.X - 4, core.Y + 3.5f},
                 {core.X + 4, core.Y + 3.5f},
                 {core.X + 2.5f, core.Y + 6},
                 {core.X, core.Y + 4.8f},
                 {core.X - 2.5f, core.Y + 6}}),
           Flat(Ramp::Ember, 0.08f));
}

void DrawChaserHome(Painter& p) {
    Vec c{20, 21};
    // A golden ring set in the floor, with a gem-shaped socket.
    p.Fill([c](Vec q) { return Subtract(SdEllipse(q, c, 16.5f, 15.5f), SdEllipse(q, c, 11.5f, 10.5f)); },
           [c](Vec q, const Painter& pt) {
               Vec d = q - c;
               float r = Len(d);
               float s = std::clamp((r - 14.0f) / 2.5f, -1.0f, 1.0f);
               Vec n = d * (1.0f / std::max(r, 1e-3f));
               return RampColour(Ramp::Gold, 0.1f + 0.85f * pt.Light(n.X * s, n.Y * s, std::sqrt(1 - s * s)));
           });
    for (int i = 0; i < 4; ++i) {
        float a = static_cast<float>(i) * Pi / 2 + Pi / 4;
        Vec s{c.X + std::cos(a) * 14.0f, c.Y + std::sin(a) * 13.0f};
        p.Fill(Circle(s, 1.7f), Ball(Ramp::Ember, s, 1.7f, 0.3f, 1.0f));
    }
    p.Fill(Ellipse(c, 10.5f, 9.5f), Flat(Ramp::Night, 0.7f));
    p.Fill(Poly({{c.X, c.Y - 7}, {c.X + 6, c.Y - 1}, {c.X, c.Y + 7}, {c.X - 6, c.Y - 1}}),
           [](Vec q, const Painter&) { return RampColour(Ramp::Amber, 0.35f + 0.02f * (q.Y - 14)); });
    p.Fill(Poly({{c.X, c.Y - 4.5f}, {c.X + 3.5f, c.Y - 1}, {c.X, c.Y + 4}, {c.X - 3.5f, c.Y - 1}}),
           Flat(Ramp::Night, 0.5f));
}

// ---------------------------------------------------------------- rock

float RockRadius(float a) {
    return 16.0f + 1.1f * std::sin(3 * a + 1.0f) + 0.7f * std::sin(5 * a + 2.0f) + 0.4f * std::sin(8 * a);
}

void DrawRock(Painter& p, int k) {
    // Drawn about its centre; the transform turns it 18 degrees a frame.
    p.SetTransform({20, 20.5f}, static_cast<float>(k) * 2 * Pi / 20);
    Vec o{0, 0};
    Sdf shape = [](Vec q) {
        float a = std::atan2(q.Y, q.X);
        return (Len(q) - RockRadius(a)) * 0.9f;
    };
    p.Fill(shape, [o](Vec q, const Painter& pt) {
        float l = pt.SphereLight(q, o, 17.0f);
        float n = Fbm(q.X / 6 + 10, q.Y / 6 + 10, 5, 3);
        float facet = std::floor(n * 4) / 4;
        return RampColour(Ramp::Stone, 0.05f + 0.8f * l + 0.25f * (facet - 0.45f));
    });
    // Cracks and a quartz vein that show the turn.
    p.Fill(Segment({-8, -6}, {-2, -3}, 0.6f), Flat(Ramp::Stone, 0.05f));
    p.Fill(Segment({-2, -3}, {1, -9}, 0.55f), Flat(Ramp::Stone, 0.05f));
    p.Fill(Segment({5, 6}, {11, 3}, 0.55f), Flat(Ramp::Stone, 0.08f));
    p.Fill(
        [](Vec q) {
            return Intersect(SdSegment(q, {-6, 7}, {6, 12}, 1.4f), SdCircle(q, {0, 0}, 14.5f));
        },
        [o](Vec q, const Painter& pt) { return RampColour(Ramp::Shell, 0.35f + 0.65f * pt.SphereLight(q, o, 17.0f)); });
    p.Fill(Circle({8, -8}, 1.6f), Flat(Ramp::Stone, 0.15f));
    p.Fill(Circle({-9, 5}, 1.2f), Flat(Ramp::Stone, 0.15f));
    p.ResetTransform();
}

// ---------------------------------------------------------------- walls

Col Bevel(Vec q, Vec c, float hw, float hh, float width, Col base, float amount) {
    float dl = q.X - (c.X - hw), dr = (c.X + hw) - q.X, dt = q.Y - (c.Y - hh), db = (c.Y + hh) - q.Y;
    float m = std::min(std::min(dl, dr), std::min(dt, db));
    if (m > width) return base;
    if (m == dt || m == dl) return Mix(base, Col{255, 250, 235}, amount);
    return Scale(base, 1.0f - amount);
}

void DrawBrickWall(Painter& p) {
    p.Fill(Box({20, 20}, 20.5f, 20.5f), Flat(Ramp::Slate, 0.08f)); // mortar
    struct B {
        float x0, y0, x1, y1;
        int seed;
    };
    const B bricks[] = {{0.5f, 0.5f, 19.5f, 12.5f, 1},   {20.5f, 0.5f, 39.5f, 12.5f, 2}, {-10, 13.5f, 9.5f, 26.5f, 3},
                        {10.5f, 13.5f, 29.5f, 26.5f, 4}, {30.5f, 13.5f, 50, 26.5f, 3},   {0.5f, 27.5f, 19.5f, 39.5f, 5},
                        {20.5f, 27.5f, 39.5f, 39.5f, 6}};
    for (const B& b : bricks) {
        Vec c{(b.x0 + b.x1) / 2, (b.y0 + b.y1) / 2};
        float hw = (b.x1 - b.x0) / 2, hh = (b.y1 - b.y0) / 2;
        int seed = b.seed;
        p.Fill(Box(c, hw, hh, 0.6f), [c, hw, hh, seed](Vec q, const Painter&) {
            float n = Fbm(q.X / 4, q.Y / 4, 30 + seed, 2);
            Col base = RampColour(Ramp::Slate, 0.38f + 0.12f * static_cast<float>(seed % 3) / 2 + 0.2f * (n - 0.5f));
            return Bevel(q, c, hw, hh, 1.6f, base, 0.32f);
        });
    }
}

void DrawMetalWall(Painter& p) {
    p.Fill(Box({20, 20}, 20.5f, 20.5f), [](Vec q, const Painter&) {
        float shine = std::clamp(1 - std::fabs((q.X + q.Y) - 30) / 10, 0.0f, 1.0f) * 0.18f;
        Col base = RampColour(Ramp::Stone, 0.42f + shine - 0.004f * (q.X + q.Y));
        return Bevel(q, {20, 20}, 20, 20, 2.5f, base, 0.38f);
    });
    p.Fill(Box({20, 20}, 11, 11, 1.5f), [](Vec q, const Painter&) {
        Col base = RampColour(Ramp::Stone, 0.34f);
        // Sunken panel: light on the lower right edge.
        float dl = q.X - 9, dt = q.Y - 9, dr = 31 - q.X, db = 31 - q.Y;
        float m = std::min(std::min(dl, dr), std::min(dt, db));
        if (m < 1.3f) return (m == dt || m == dl) ? Scale(base, 0.6f) : Mix(base, Col{240, 240, 230}, 0.3f);
        return base;
    });
    for (Vec r : {Vec{5.5f, 5.5f}, Vec{34.5f, 5.5f}, Vec{5.5f, 34.5f}, Vec{34.5f, 34.5f}})
        p.Fill(Circle(r, 2.1f), Ball(Ramp::Stone, r, 2.1f, 0.1f, 1.0f));
}

void DrawCobbleWall(Painter& p) {
    p.Fill(Box({20, 20}, 20.5f, 20.5f), Flat(Ramp::Earth, 0.08f));
    struct S {
        Vec c;
        float rx, ry;
    };
    const S stones[] = {{{10, 9.5f}, 9.5f, 8.5f}, {{30, 10}, 9.5f, 9.5f}, {{8, 29}, 8.0f, 10.5f},
                        {{26, 30}, 12.5f, 9.5f},  {{40, 30}, 3, 8},       {{0, 9}, 1.5f, 6}};
    int i = 0;
    for (const S& s : stones) {
        int seed = i++;
        p.Fill(Box(s.c, s.rx, s.ry, 4.5f), [s, seed](Vec q, const Painter& pt) {
            Vec d = q - s.c;
            float nx = std::clamp(d.X / s.rx, -1.0f, 1.0f), ny = std::clamp(d.Y / s.ry, -1.0f, 1.0f);
            nx = nx * nx * nx;
            ny = ny * ny * ny;
            float l = pt.Light(nx, ny, 0.8f);
            float n = Fbm(q.X / 3, q.Y / 3, 50 + seed, 2);
            float moss = (d.Y < -s.ry * 0.35f && n > 0.42f) ? 1.0f : 0.0f;
            if (moss > 0) return RampColour(Ramp::Leaf, 0.25f + 0.5f * l);
            return RampColour(Ramp::Stone, 0.12f + 0.6f * l + 0.2f * (n - 0.5f));
        });
    }
}

// The plate of the border ring. Every ring tile is the same plate: a
// bevelled block with a groove inset all round it and a rivet on the groove
// at the middle of each side, so that the walls and the corners read as one
// frame. The top corners are rounded on their outer corner (rocks roll off
// them); there the bevel and the groove follow the round.
enum class PlateCorner { None, TopLeft, TopRight };

// Signed distance of a line of the plate drawn `inset` units inside the
// tile's edge, its square corners rounded by `round`; the rounded corner's
// round shrinks with the inset, so every line is concentric with the outline.
float SdPlate(Vec q, PlateCorner corner, float inset, float round) {
    constexpr float Half = 20.5f, OuterRound = 20.0f;
    Vec d = q - Vec{20, 20};
    bool roundedHere = (corner == PlateCorner::TopLeft && d.X < 0 && d.Y < 0) ||
                       (corner == PlateCorner::TopRight && d.X > 0 && d.Y < 0);
    float h = Half - inset;
    return SdBox(q, {20, 20}, h, h, roundedHere ? OuterRound - inset : round);
}

void DrawBorder(Painter& p, PlateCorner corner) {
    constexpr float GrooveInset = 7.5f;
    Sdf shape = [corner](Vec q) { return SdPlate(q, corner, 0, 0); };
    p.Fill(shape, [corner, shape](Vec q, const Painter&) {
        float n = Fbm(q.X / 5, q.Y / 5, 71, 2, 8);
        Col base = RampColour(Ramp::Slate, 0.22f + 0.14f * n);
        float e = -shape(q);
        float gx = shape({q.X + 0.5f, q.Y + 0.5f}) - shape({q.X - 0.5f, q.Y - 0.5f});
        if (e < 3.0f) return gx > 0 ? Mix(base, RampColour(Ramp::Slate, 1.0f), 0.55f) : Scale(base, 0.5f);
        float g = SdPlate(q, corner, GrooveInset, 3);
        if (std::fabs(g) < 0.9f) return Scale(base, 0.55f);
        if (g < 1.9f && g > 0) return Mix(base, RampColour(Ramp::Slate, 0.8f), 0.3f);
        return base;
    });
    for (Vec r : {Vec{20, GrooveInset}, Vec{20, 40 - GrooveInset}, Vec{GrooveInset, 20}, Vec{40 - GrooveInset, 20}})
        p.Fill(Circle(r, 1.6f), Ball(Ramp::Slate, r, 1.6f, 0.2f, 1.0f));
}

// ---------------------------------------------------------------- weed

void DrawWeed(Painter& p, int stage) { // 0..4
    float g = (static_cast<float>(stage) + 1) / 5.0f;
    // A thorny bramble that grows from the floor into a dome filling the cell.
    const float reach = 6.0f + 16.5f * g;
    const int count = 5 + stage * 7;
    std::vector<Vec> leaves;
    for (int i = 0; i < count; ++i) {
        float a = Pi + Pi * (0.06f + 0.88f * Hash(i, 2, 9));
        float r = reach * (0.25f + 0.75f * std::sqrt(Hash(i, 1, 9)));
        Vec c{20 + std::cos(a) * r * 0.95f, 37.5f + std::sin(a) * r * 1.45f};
        c.X = std::clamp(c.X, 4.5f, 35.5f);
        c.Y = std::clamp(c.Y, 4.5f, 35.5f);
        leaves.push_back(c);
    }
    Vec root{20, 38};
    // Dark body of the bush, so that it reads as one shape.
    const float body = 2.5f + 1.6f * g;
    p.Fill(
        [&leaves, body](Vec q) {
            float d = 1e9f;
            for (Vec c : leaves) d = std::min(d, SdCircle(q, c, body));
            return d;
        },
        Flat(Ramp::Leaf, 0.1f));
    for (std::size_t i = 0; i < leaves.size(); i += 2) {
        Vec tip = leaves[i];
        Vec mid{(root.X + tip.X) / 2 + (i % 4 ? 3.0f : -3.0f), (root.Y + tip.Y) / 2};
        p.Fill(Segment(root, mid, 1.2f), Flat(Ramp::Earth, 0.3f));
        p.Fill(Segment(mid, tip, 1.0f), Flat(Ramp::Leaf, 0.2f));
    }
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        Vec c = leaves[i];
        float size = 2.6f + 1.6f * g;
        float tilt = Hash(static_cast<int>(i), 3, 9) * Pi;
        Vec d{std::cos(tilt) * size, std::sin(tilt) * size};
        p.Fill(Segment(c - d * 0.5f, c + d * 0.5f, size * 0.45f), [c, size](Vec q, const Painter& pt) {
            return RampColour(Ramp::Leaf, 0.25f + 0.75f * pt.SphereLight(q, c, size * 0.9f));
        });
    }
    // Thorns and red berries once it is grown.
    for (std::size_t i = 0; i < leaves.size() && stage >= 2; i += 3) {
        Vec c = leaves[i] + Vec{1.8f, -1.8f};
        p.Fill(Circle(c, 1.4f), Ball(Ramp::Ember, c, 1.4f, 0.45f, 1.0f));
    }
}

// ---------------------------------------------------------------- teleports

Ramp TeleportRamp(int n) {
    const Ramp ramps[] = {Ramp::Gold, Ramp::Rose, Ramp::Leaf, Ramp::Ice, Ramp::Ember};
    return ramps[(n - 1) % 5];
}

void DrawNumeral(Canvas& canvas, int n, int size, Col colour) {
    // The numeral, fitted to a box in the middle of the tile.
    TextMask m = CropInk(RenderText(std::to_string(n), 64, Face::Bold));
    int h = size == 40 ? 13 : 8, w = size == 40 ? 9 : 5;
    TextMask f = FitMask(m, w, h);
    TextStyle st;
    st.Top = colour;
    st.Bottom = colour;
    DrawMask(canvas, f, size / 2 - w / 2, size / 2 - h / 2, st);
}

void DrawPortalRing(Painter& p, Ramp r) {
    Vec c{20, 20};
    p.Fill([c](Vec q) { return Subtract(SdCircle(q, c, 18.0f), SdCircle(q, c, 12.5f)); },
           [c, r](Vec q, const Painter& pt) {
               Vec d = q - c;
               float len = Len(d);
               float s = std::clamp((len - 15.25f) / 2.75f, -1.0f, 1.0f);
               Vec n = d * (1.0f / std::max(len, 1e-3f));
               return RampColour(r, 0.08f + 0.9f * pt.Light(n.X * s, n.Y * s, std::sqrt(1 - s * s)));
           });
}

void DrawSwirl(Painter& p, float turn, Ramp inner) {
    Vec c{20, 20};
    p.Fill(Circle(c, 12.6f), [c, turn, inner](Vec q, const Painter&) {
        Vec d = q - c;
        float r = Len(d) / 12.6f;
        float a = std::atan2(d.Y, d.X) + turn;
        float arm = std::sin(3 * a + r * 7.0f);
        float t = 0.12f + 0.45f * (1 - r) + (arm > 0.3f ? 0.22f : 0.0f);
        if (r < 0.22f) return Col{255, 255, 255};
        return RampColour(inner, t);
    });
}

void DrawTeleportEntrance(Painter& p, Canvas& canvas, int n, int size) {
    DrawPortalRing(p, TeleportRamp(n));
    DrawSwirl(p, static_cast<float>(n), Ramp::Violet);
    p.Fill(Circle({20, 20}, 8.0f), Flat(Ramp::Night, 0.2f));
    DrawNumeral(canvas, n, size, RampColour(TeleportRamp(n), 0.95f));
}

void DrawTeleportExit(Painter& p, Canvas& canvas, int n, int size) {
    Vec c{20, 20};
    Ramp r = TeleportRamp(n);
    // A dashed landing ring.
    p.Fill(
        [c](Vec q) {
            Vec d = q - c;
            float a = std::atan2(d.Y, d.X);
            float dash = std::sin(a * 6) > -0.2f ? -1.0f : 1.0f;
            return std::max(std::fabs(Len(d) - 16.0f) - 2.2f, dash);
        },
        Flat(r, 0.7f));
    p.Fill(Circle(c, 9.0f), Flat(Ramp::Night, 0.25f));
    DrawNumeral(canvas, n, size, RampColour(r, 0.95f));
}

// ---------------------------------------------------------------- hazards

void DrawMine(Painter& p) {
    Vec c{20, 21};
    for (int i = 0; i < 8; ++i) {
        float a = static_cast<float>(i) * Pi / 4;
        Vec d{std::cos(a), std::sin(a)};
        Vec tip = c + d * 18.5f;
        Vec side{-d.Y, d.X};
        p.Fill(Poly({c + d * 8.0f + side * 4.2f, tip, c + d * 8.0f - side * 4.2f}), [=](Vec q, const Painter& pt) {
            float along = Dot(q - c, d);
            float across = Dot(q - c, side) > 0 ? 1.0f : -1.0f;
            float l = pt.Light(d.X * 0.4f + side.X * across * 0.6f, d.Y * 0.4f + side.Y * across * 0.6f, 0.7f);
            return along > 14.5f ? RampColour(Ramp::Ember, 0.4f + 0.6f * l) : RampColour(Ramp::Stone, 0.1f + 0.7f * l);
        });
    }
    p.Fill(Circle(c, 10.5f), Ball(Ramp::Stone, c, 10.5f, 0.0f, 0.75f));
    p.Fill(Circle({c.X + 2.5f, c.Y + 2.5f}, 3.0f), Ball(Ramp::Ember, {c.X + 2.5f, c.Y + 2.5f}, 3.0f, 0.55f, 1.0f));
    p.Fill(Circle({c.X - 4, c.Y - 4.5f}, 2.0f), Flat(Ramp::Stone, 0.85f));
}

void DrawFlame(Painter& p) {
    Sdf outer = [](Vec q) {
        float d = SdCircle(q, {20, 26}, 11.5f);
        float t = SdPolygon(q, {{9.5f, 25}, {20, 2}, {30.5f, 25}});
        float lick = SdPolygon(q, {{8.5f, 27}, {10, 9}, {15, 20}});
        float lick2 = SdPolygon(q, {{25, 20}, {31, 11}, {31.5f, 27}});
        return std::min(std::min(d, t), std::min(lick, lick2));
    };
    p.Fill(outer, [](Vec q, const Painter&) { return RampColour(Ramp::Ember, 0.45f - 0.008f * (q.Y - 20)); });
    Sdf mid = [](Vec q) { return std::min(SdCircle(q, {20, 28}, 7.5f), SdPolygon(q, {{13, 27}, {20, 10}, {27, 27}})); };
    p.Fill(mid, Flat(Ramp::Amber, 0.7f));
    p.Fill(
        [](Vec q) {
            return std::min(SdCircle(q, {20, 30}, 4.0f), SdPolygon(q, {{16.5f, 30}, {20, 19}, {23.5f, 30}}));
        },
        Flat(Ramp::Gold, 0.95f));
}

void DrawSkull(Painter& p) {
    Vec c{20, 17};
    p.Fill(
        [c](Vec q) {
            return std::min(SdCircle(q, c, 13.0f), SdBox(q, {20, 30}, 7.5f, 6.0f, 2.5f));
        },
        [c](Vec q, const Painter& pt) {
            return RampColour(Ramp::Shell, 0.1f + 0.9f * pt.SphereLight(q, {20, 20}, 16.0f));
        });
    for (int s : {-1, 1}) {
        Vec e{c.X + static_cast<float>(s) * 5.5f, c.Y + 2.5f};
        p.Fill(Ellipse(e, 3.8f, 4.2f), Flat(Ramp::Night, 0.1f));
        p.Fill(Circle({e.X, e.Y + 0.5f}, 1.5f), Ball(Ramp::Ember, {e.X, e.Y + 0.5f}, 1.6f, 0.6f, 1.0f));
    }
    p.Fill(Poly({{20, 22.5f}, {22, 26.5f}, {18, 26.5f}}), Flat(Ramp::Night, 0.1f));
    for (int i = 0; i < 4; ++i) {
        float x = 14.5f + static_cast<float>(i) * 3.7f;
        p.Fill(Segment({x, 30.5f}, {x, 35.5f}, 0.55f), Flat(Ramp::Shell, 0.1f));
    }
}

// ---------------------------------------------------------------- books

void DrawClosedBook(Painter& p) {
    // Pages seen at the right and bottom edge.
    p.Fill(Box({22, 22}, 11, 14.5f, 1.5f), [](Vec q, const Painter&) {
        return RampColour(Ramp::Shell, (static_cast<int>(std::floor(q.X + q.Y)) % 2) ? 0.72f : 0.6f);
    });
    // Cover.
    p.Fill(Box({19, 19.5f}, 11.5f, 15.5f, 1.5f), [](Vec q, const Painter&) {
        Col base = RampColour(Ramp::Ember, 0.3f + 0.15f * Fbm(q.X / 3, q.Y / 3, 90, 2));
        return Bevel(q, {19, 19.5f}, 11.5f, 15.5f, 1.5f, base, 0.35f);
    });
    // Spine band and gold fittings.
    p.Fill(Box({9.5f, 19.5f}, 2.0f, 15.5f, 1.0f), Bar(Ramp::Ember, {9.5f, 4}, {9.5f, 35}, 2.0f, 0.05f, 0.5f));
    for (Vec k : {Vec{28.5f, 6.5f}, Vec{28.5f, 32.5f}})
        p.Fill(Box(k, 2.2f, 2.2f, 0.8f), Ball(Ramp::Gold, k, 3.0f, 0.2f, 1.0f));
    Vec e{20, 19};
    p.Fill(Poly({{e.X, e.Y - 7}, {e.X + 6, e.Y - 1}, {e.X, e.Y + 7}, {e.X - 6, e.Y - 1}}),
           Ball(Ramp::Gold, e, 7.0f, 0.2f, 1.0f));
    p.Fill(Poly({{e.X, e.Y - 3.5f}, {e.X + 3, e.Y - 0.5f}, {e.X, e.Y + 3.5f}, {e.X - 3, e.Y - 0.5f}}),
           Facet(Ramp::Ice, -0.4f, -0.4f, 0.8f, 0.3f, 1.0f));
    // Clasp.
    p.Fill(Box({30.5f, 19.5f}, 2.0f, 3.0f, 0.8f), Ball(Ramp::Gold, {30.5f, 19.5f}, 3.0f, 0.2f, 1.0f));
}

void DrawOpenBook(Painter& p) {
    // Light rising from the pages.
    p.Fill(Poly({{9, 22}, {2, 1}, {38, 1}, {31, 22}}), [](Vec q, const Painter&) {
        float t = std::clamp((q.Y - 1) / 21, 0.0f, 1.0f);
        float ray = std::sin(q.X * 0.9f + (20 - q.X) * 0.05f * q.Y) > 0.35f ? 0.15f : 0.0f;
        return RampColour(Ramp::Gold, 0.55f + 0.4f * t + ray);
    });
    p.Cut([](Vec q) { return std::sin((q.X - 20) / std::max(26 - q.Y, 2.0f) * 9) > 0.55f && q.Y < 17 ? -1.0f : 1.0f; });
    // Cover under the pages.
    p.Fill(Poly({{2, 25}, {20, 29}, {38, 25}, {38, 34}, {20, 38}, {2, 34}}),
           Facet(Ramp::Ember, 0, 0.3f, 0.9f, 0.05f, 0.6f));
    // Two pages, curved.
    p.Fill(Poly({{4, 20}, {11, 17}, {20, 21}, {20, 33}, {11, 29}, {4, 31}}),
           Facet(Ramp::Shell, -0.3f, -0.4f, 0.85f, 0.3f, 1.0f));
    p.Fill(Poly({{20, 21}, {29, 17}, {36, 20}, {36, 31}, {29, 29}, {20, 33}}),
           Facet(Ramp::Shell, 0.3f, -0.4f, 0.85f, 0.3f, 1.0f));
    for (int i = 0; i < 3; ++i) {
        float y = 22.5f + static_cast<float>(i) * 2.6f;
        p.Fill(Segment({7, y}, {17, y + 1}, 0.4f), Flat(Ramp::Shell, 0.35f));
        p.Fill(Segment({23, y + 1}, {33, y}, 0.4f), Flat(Ramp::Shell, 0.35f));
    }
    p.Fill(Segment({20, 21}, {20, 33}, 0.5f), Flat(Ramp::Shell, 0.15f));
    GlintAt(p, {20, 9}, 5.0f);
}

// ---------------------------------------------------------------- keys

void DrawKey(Painter& p, Ramp r) {
    p.SetTransform({20, 20}, -Pi / 4);
    // Bow, shaft and bit, drawn along x about the middle.
    Vec bow{-9, 0};
    p.Fill([bow](Vec q) { return Subtract(SdCircle(q, bow, 7.5f), SdCircle(q, bow, 3.0f)); },
           [bow, r](Vec q, const Painter& pt) {
               Vec d = q - bow;
               float len = Len(d);
               float s = std::clamp((len - 5.25f) / 2.25f, -1.0f, 1.0f);
               Vec n = d * (1.0f / std::max(len, 1e-3f));
               return RampColour(r, 0.1f + 0.88f * pt.Light(n.X * s, n.Y * s, std::sqrt(1 - s * s)));
           });
    p.Fill(Segment({-2, 0}, {15, 0}, 2.2f), Bar(r, {-2, 0}, {15, 0}, 2.2f, 0.1f, 0.98f));
    p.Fill(Box({9.5f, 4.2f}, 1.5f, 2.6f), Facet(r, 0, 0.2f, 0.9f, 0.1f, 0.9f));
    p.Fill(Box({14, 4.8f}, 1.6f, 3.2f), Facet(r, 0, 0.2f, 0.9f, 0.1f, 0.9f));
    p.ResetTransform();
}

void DrawLockedGem(Painter& p, Ramp r) {
    p.SetTransform({0, 0}, 0, 0.86f);
    DrawGem(p, r, 0.05f);
    p.ResetTransform();
    // Padlock in front.
    p.Fill(
        [](Vec q) {
            return Subtract(SdBox(q, {29, 23}, 5.0f, 6.0f, 4.5f), SdBox(q, {29, 23}, 2.4f, 3.6f, 2.3f));
        },
        Bar(Ramp::Stone, {29, 17}, {29, 17}, 1, 0.7f, 0.7f));
    p.Fill(Box({29, 31}, 7.0f, 5.5f, 1.5f), [](Vec q, const Painter&) {
        return Bevel(q, {29, 31}, 7.0f, 5.5f, 1.2f, RampColour(Ramp::Stone, 0.55f), 0.4f);
    });
    p.Fill(Circle({29, 30}, 1.7f), Flat(r, 0.15f));
    p.Fill(Box({29, 32.5f}, 0.7f, 2.0f), Flat(r, 0.15f));
}

// ---------------------------------------------------------------- empty

void DrawEmpty(Painter& p) {
    p.Fill(Box({20, 20}, 20.5f, 20.5f), [](Vec q, const Painter&) {
        float n = Hash(static_cast<int>(std::floor(q.X)), static_cast<int>(std::floor(q.Y)), 3);
        bool dot = std::fmod(q.X + 0.01f, 10.0f) < 1.0f && std::fmod(q.Y + 0.01f, 10.0f) < 1.0f;
        return RampColour(Ramp::Night, dot ? 0.55f : 0.12f + (n > 0.9f ? 0.15f : 0.0f));
    });
}

} // namespace

bool IsOpaqueTile(int t) {
    return t == 0 || t == 1 || t == 97 || t == 98 || t == 99 || t == 127 || t == 135 || t == 136;
}

bool IsUsedTile(int t) {
    return t >= 0 && t <= HighestTile;
}

Canvas DrawTile(int t, int size) {
    Canvas c(size, size);
    if (size == 20 && t == 0) return c; // the preview's empty cell: plain black
    Painter p(c, static_cast<float>(size) / 40.0f);
    bool outline = !IsOpaqueTile(t) || t == 128 || t == 129;
    if (t == 0)
        DrawEmpty(p);
    else if (t == 1)
        DrawEarth(p, 0);
    else if (t >= 2 && t <= 5)
        DrawEarth(p, t - 1);
    else if (t == 6)
        DrawDiamond(p);
    else if (t >= 7 && t <= 11)
        DrawSparkle(p, t - 6);
    else if (t >= 12 && t <= 15) {
        p.SetTransform(Vec{20, 21} - Rotate({20, 21}, static_cast<float>(t - 12) * Pi / 2),
                       static_cast<float>(t - 12) * Pi / 2);
        DrawEggShell(p, 0);
        p.ResetTransform();
    } else if (t == 16 || t == 17) {
        float a = t == 16 ? -0.12f : 0.12f;
        p.SetTransform(Vec{20, 36} - Rotate({20, 36}, a), a);
        DrawEggShell(p, t - 15);
        p.ResetTransform();
        if (t == 17) {
            p.Fill(Ellipse({20, 19}, 5.0f, 2.2f), Flat(Ramp::Violet, 0.1f));
            for (float ex : {17.8f, 22.2f}) p.Fill(Circle({ex, 19}, 1.0f), Flat(Ramp::Gold, 0.9f));
        }
    } else if (t == 18 || t == 19) {
        MonsterLook m;
        float s = t == 18 ? 0.7f : 0.85f;
        p.SetTransform({20 * (1 - s), 40 * (1 - s) - 1}, 0, s);
        DrawMonster(p, m);
        p.ResetTransform();
        // Shell halves: the lower cup stays, the cap flies up (18) or apart (19).
        auto lower = [](Vec q) { return Intersect(SdEgg(q), 24 - q.Y + 1.5f * std::sin(q.X * 1.4f)); };
        auto shellShade = [](Vec q, const Painter& pt) {
            Vec d = q - Vec{20, 21};
            float nx = d.X / 13.0f, ny = d.Y / 15.0f;
            return RampColour(Ramp::Shell,
                              0.1f + 0.9f * pt.Light(nx, ny, std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny))));
        };
        if (t == 18) {
            p.Fill(lower, shellShade);
            p.SetTransform(Vec{21, 7} - Rotate({20, 10}, -0.3f), -0.3f);
            p.Fill([](Vec q) { return Intersect(SdEgg(q), q.Y - 14 + 1.5f * std::sin(q.X * 1.4f)); }, shellShade);
            p.ResetTransform();
        } else {
            p.SetTransform({-8, 8}, -0.5f);
            p.Fill([lower](Vec q) { return Intersect(lower(q), 20 - q.X); }, shellShade);
            p.SetTransform({10, -6}, 0.5f);
            p.Fill([lower](Vec q) { return Intersect(lower(q), q.X - 20); }, shellShade);
            p.ResetTransform();
        }
    } else if (t == 20)
        DrawKey(p, Ramp::Gold);
    else if (t == 21)
        DrawKey(p, Ramp::Rose);
    else if (t == 22)
        DrawLockedGem(p, Ramp::Gold);
    else if (t == 23)
        DrawLockedGem(p, Ramp::Rose);
    else if (t >= 24 && t <= 47) {
        int group = (t - 24) / 4, k = (t - 24) % 4;
        // Groups: 0 walk L, 1 push L, 2 down L, 3 walk R, 4 down R, 5 push R.
        const bool right[] = {false, false, false, true, true, true};
        Pose s = group == 1 || group == 5 ? PushPose(k) : (group == 2 || group == 4 ? DownPose(k) : WalkPose(k));
        DrawPlayerFrame(p, s, right[group]);
    } else if (t >= 48 && t <= 52)
        DrawTeleportOrb(p, t - 48);
    else if (t >= 53 && t <= 61) {
        Pose s;
        s.ArmsUp = true;
        s.Dead = true;
        s.FrontArm = 0.5f;
        s.BackArm = -0.5f;
        s.FrontLeg = 0.4f;
        s.BackLeg = -0.3f;
        DrawPlayerFrame(p, s, false, static_cast<float>(t - 53) * 2 * Pi / 9);
    } else if (t == 62 || t == 63) {
        MonsterLook m;
        m.Open = t == 63;
        DrawMonster(p, m);
    } else if (t >= 64 && t <= 67)
        DrawChaser(p, t - 64, false);
    else if (t == 68)
        DrawChaserHome(p);
    else if (t >= 69 && t <= 72)
        DrawChaser(p, t - 69, true);
    else if (t >= 73 && t <= 76) {
        int k = t - 73;
        if (k < 2) {
            float s = 1.0f - 0.25f * static_cast<float>(k);
            p.SetTransform({20 * (1 - s), 20 * (1 - s)}, 0, s);
            DrawChaser(p, k, false, 0.35f + 0.3f * static_cast<float>(k));
            p.ResetTransform();
        } else {
            float s = k == 2 ? 0.7f : 1.0f;
            p.SetTransform({20 * (1 - s), 20 * (1 - s)}, 0, s);
            DrawGem(p, Ramp::Ice, k == 2 ? 0.5f : 0.1f);
            p.ResetTransform();
        }
        GlintAt(p, {8 + 3 * static_cast<float>(k), 9}, 4.0f + static_cast<float>(k));
        GlintAt(p, {32 - 2 * static_cast<float>(k), 30}, 3.0f + static_cast<float>(k % 2));
        if (k >= 1) GlintAt(p, {31, 8}, 3.0f);
    } else if (t >= 77 && t <= 96)
        DrawRock(p, t - 77);
    else if (t == 97)
        DrawBrickWall(p);
    else if (t == 98 || t == 99 || t == 127)
        DrawBorder(p, PlateCorner::None);
    else if (t == 128)
        DrawBorder(p, PlateCorner::TopLeft);
    else if (t == 129)
        DrawBorder(p, PlateCorner::TopRight);
    else if (t >= 100 && t <= 104)
        DrawWeed(p, t - 100);
    else if (t >= 105 && t <= 109)
        DrawTeleportEntrance(p, c, t - 104, size);
    else if (t >= 110 && t <= 114)
        DrawTeleportExit(p, c, t - 109, size);
    else if (t >= 115 && t <= 126) {
        int k = t - 115;
        DrawPortalRing(p, Ramp::Violet);
        DrawSwirl(p, -static_cast<float>(k) * 2 * Pi / 36, Ramp::Violet);
        float pulse = 2.5f + 1.5f * std::sin(static_cast<float>(k) * 2 * Pi / 12);
        p.Fill(Circle({20, 20}, pulse), Flat(Ramp::Grey, 1.0f));
        GlintAt(p,
                {20 + 15 * std::cos(static_cast<float>(k) * 2 * Pi / 12),
                 20 + 15 * std::sin(static_cast<float>(k) * 2 * Pi / 12)},
                3.5f);
    } else if (t == 130)
        DrawMine(p);
    else if (t == 131)
        DrawFlame(p);
    else if (t == 132)
        DrawSkull(p);
    else if (t == 133)
        DrawOpenBook(p);
    else if (t == 134)
        DrawClosedBook(p);
    else if (t == 135)
        DrawMetalWall(p);
    else if (t == 136)
        DrawCobbleWall(p);
    else if (t == 137 || t == 138) {
        MonsterLook m;
        m.Body = Ramp::Ember;
        m.Eye = Col{255, 250, 200};
        m.Angry = true;
        m.Open = t == 138;
        DrawMonster(p, m);
    } else if (t >= 139 && t <= 143) {
        int k = t - 139;
        if (k < 3) {
            MonsterLook m;
            m.Dead = true;
            m.Open = k == 1;
            float s = 1.0f - 0.17f * static_cast<float>(k);
            float a = static_cast<float>(k) * 0.55f;
            p.SetTransform(Vec{20, 20} - Rotate(Vec{20, 20} * s, a), a, s);
            DrawMonster(p, m);
            p.ResetTransform();
        }
        if (k >= 2) {
            // A puff of smoke that thins out.
            float s = k == 2 ? 0.8f : (k == 3 ? 1.0f : 0.75f);
            const Vec puffs[] = {{14, 22}, {24, 18}, {20, 27}, {27, 27}, {13, 29}};
            const float pr[] = {6.5f, 7.5f, 6.0f, 5.0f, 4.5f};
            for (int i = 0; i < 5; ++i) {
                if (k == 4 && i % 2 == 1) continue;
                Vec c0{20 + (puffs[i].X - 20) * (1 + 0.2f * static_cast<float>(k - 2)), 20 + (puffs[i].Y - 20) * s};
                p.Fill(Circle(c0, pr[i] * s), Ball(Ramp::Stone, c0, pr[i] * s, 0.35f, 1.0f));
            }
        }
        if (k >= 1) {
            GlintAt(p, {9, 10}, 3.0f + static_cast<float>(k % 2));
            GlintAt(p, {31, 12}, 2.5f + static_cast<float>((k + 1) % 2));
        }
    }
    if (outline) OutlineEdges(c, 0, 0, size, size, size == 40 ? 0.4f : 0.55f);
    return c;
}

} // namespace gravlin::assets
