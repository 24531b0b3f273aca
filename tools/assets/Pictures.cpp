#include "Pictures.h"

#include "Text.h"
#include "Tiles.h"

#include <algorithm>
#include <string>

namespace gravlin::assets {

namespace {

void FillRect(Canvas& c, Rect r, Col colour) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) c.Put(x, y, colour);
}

// A framed panel: dark fill, a light top-left edge and a dark bottom-right edge.
void Panel(Canvas& c, Rect r, Col fill, Col light, Col dark) {
    FillRect(c, r, fill);
    for (int x = r.Left; x < r.Right; ++x) {
        c.Put(x, r.Top, light);
        c.Put(x, r.Bottom - 1, dark);
    }
    for (int y = r.Top; y < r.Bottom; ++y) {
        c.Put(r.Left, y, light);
        c.Put(r.Right - 1, y, dark);
    }
}

// Draws a rendered text centred in a rectangle, clipped to it.
void TextIn(Canvas& c, Rect r, const std::string& text, int size, const TextStyle& style, Face face = Face::Bold,
            int align = 1) {
    Canvas box(r.Width(), r.Height());
    TextMask m = CropInk(RenderText(text, size, face));
    int x = align == 1 ? (r.Width() - m.Width) / 2 : 0;
    int y = (r.Height() - m.Height) / 2;
    DrawMask(box, m, x, y, style);
    c.Paste(box, r.Left, r.Top);
}

// Draws a rendered text in a rectangle of the level choice's sheet that the
// game copies to the screen with its left edge at `screenLeft`: the text is
// placed so that it lands centred on the screen, wherever that falls inside
// the rectangle.
void TextCentredOnScreen(Canvas& c, Rect r, int screenLeft, const std::string& text, int size, const TextStyle& style,
                         Face face = Face::Bold) {
    Canvas box(r.Width(), r.Height());
    TextMask m = CropInk(RenderText(text, size, face));
    DrawMask(box, m, ScreenWidth / 2 - screenLeft - m.Width / 2, (r.Height() - m.Height) / 2, style);
    c.Paste(box, r.Left, r.Top);
}

// A tile drawn at any size (the tile art scales, it is drawn by code).
void PutTile(Canvas& c, int tile, int x, int y, int size) {
    Canvas t = DrawTile(tile, size);
    c.Paste(t, x, y);
}

const TextStyle GoldText{{255, 240, 160}, {226, 126, 20}, true, {30, 14, 6}, 2, {8, 6, 16}};
const TextStyle IceText{{230, 255, 255}, {60, 170, 230}, true, {8, 20, 50}, 0, {}};
const TextStyle PaleText{{220, 226, 240}, {170, 180, 205}, false, {}, 0, {}};
const TextStyle DimText{{120, 136, 170}, {80, 94, 130}, false, {}, 0, {}};

// Night-time cave background for the full-screen pictures.
void CaveBackground(Canvas& c, int seed) {
    for (int y = 0; y < c.Height; ++y)
        for (int x = 0; x < c.Width; ++x) {
            float n = Fbm(static_cast<float>(x) / 60, static_cast<float>(y) / 60, seed, 4);
            float v = 0.1f + 0.55f * static_cast<float>(y) / static_cast<float>(c.Height);
            float t = std::clamp(v * 0.55f + (n - 0.5f) * 0.35f, 0.0f, 1.0f);
            t = std::floor(t * 10) / 10; // banded, like painted rock layers
            c.Put(x, y, RampColour(Ramp::Dusk, t * 0.55f));
        }
}

} // namespace

Canvas PlaySheet() {
    Canvas sheet(ScreenWidth, ScreenHeight);
    for (int t = 0; t <= HighestTile; ++t)
        PutTile(sheet, t, (t % SheetTilesPerRow) * 40, (t / SheetTilesPerRow) * 40, 40);
    return sheet;
}

Canvas LevelChoiceSheet() {
    Canvas sheet(ScreenWidth, ScreenHeight);
    for (int t = 0; t <= HighestTile; ++t)
        PutTile(sheet, t, (t % SheetTilesPerRow) * 20, (t / SheetTilesPerRow) * 20, 20);
    // Labels.
    TextIn(sheet, LevelLabelRect, "LEVEL", 19, GoldText);
    {
        Rect r = PlayerLabelRect;
        TextIn(sheet, {r.Left, r.Top, r.Right, r.Top + 18}, "PLAYER", 15, IceText);
        // A thin rule under the word, above where the name is written.
        for (int x = r.Left + 10; x < r.Right - 10; ++x) sheet.Put(x, r.Top + 21, RampColour(Ramp::Ice, 0.45f));
    }
    // Digits: each glyph scaled to fill its rectangle, with a dark rim.
    for (int d = 0; d < 10; ++d) {
        int w = DigitRight[d] - DigitLeft[d], h = DigitBottom - DigitTop;
        TextMask m = FitMask(CropInk(RenderText(std::to_string(d), 96, Face::Bold)), w - 2, h - 2);
        if (d == 1) {
            // Too narrow for the font's one: a stem with a flag.
            for (int y = 0; y < m.Height; ++y)
                for (int x = 0; x < m.Width; ++x)
                    m.Ink[static_cast<std::size_t>(y) * m.Width + x] = x >= 1 || (y >= 2 && y <= 5);
        }
        Canvas box(w, h);
        TextStyle st{{255, 246, 180}, {236, 140, 24}, true, {40, 18, 8}, 0, {}};
        DrawMask(box, m, 1, 1, st);
        sheet.Paste(box, DigitLeft[d], DigitTop);
    }
    // The picture shown when a level's file is missing.
    {
        Rect r = NoPreviewRect;
        Panel(sheet, r, RampColour(Ramp::Night, 0.45f), RampColour(Ramp::Slate, 0.6f), RampColour(Ramp::Night, 0.0f));
        Canvas inner(r.Width(), r.Height());
        Painter p(inner, 1.0f);
        // A torn map with a question mark.
        p.Fill(
            [](Vec q) {
                return SdPolygon(q, {{104, 22}, {184, 18}, {178, 56}, {188, 96}, {100, 100}, {110, 60}});
            },
            [](Vec q, const Painter&) { return RampColour(Ramp::Shell, 0.55f + 0.2f * Fbm(q.X / 9, q.Y / 9, 4, 2)); });
        p.Fill(
            [](Vec q) {
                return SdPolygon(q, {{110, 60}, {178, 56}, {176, 62}, {112, 66}});
            },
            RampColour(Ramp::Night, 0.2f));
        TextMask qm = CropInk(RenderText("?", 56, Face::Bold));
        DrawMask(inner, qm, 144 - qm.Width / 2, 60 - qm.Height / 2 - 2,
                 TextStyle{{120, 40, 20}, {70, 20, 10}, true, {250, 240, 210}, 0, {}});
        TextIn(inner, {0, 112, r.Width(), 132}, "LEVEL FILE MISSING", 15, GoldText);
        TextIn(inner, {0, 134, r.Width(), 152}, "choose another level", 13, PaleText, Face::Regular);
        sheet.Paste(inner, r.Left, r.Top);
        OutlineEdges(sheet, r.Left + 96, r.Top + 14, 100, 92, 0.5f);
    }
    TextCentredOnScreen(sheet, TitleStripRect, TitleStripScreenLeft, "CHOOSE A LEVEL", 14, IceText);
    TextCentredOnScreen(sheet, KeyHelpRect, KeyHelpScreenLeft,
                        "Arrows choose    Enter plays    Tab changes player    Esc goes back", 13, PaleText,
                        Face::Regular);
    return sheet;
}

Canvas MenuPicture() {
    Canvas pic(ScreenWidth, ScreenHeight);
    struct Item {
        int Plain, Lit;
        const char* Word;
    };
    const Item items[] = {{21, 20, "PLAY"}, {7, 6, "PLAYERS"}, {9, 8, "QUIT"}};
    for (const Item& it : items) {
        for (int lit = 0; lit < 2; ++lit) {
            int n = lit ? it.Lit : it.Plain;
            Rect r{200 * (n % 3), 40 * (n / 3), 200 * (n % 3) + 200, 40 * (n / 3) + 40};
            Canvas box(200, 40);
            if (lit) {
                // A glowing bar with arrows either side.
                for (int y = 2; y < 38; ++y)
                    for (int x = 14; x < 186; ++x) {
                        float edge = std::min({static_cast<float>(x - 14), static_cast<float>(185 - x),
                                               static_cast<float>(y - 2) * 3, static_cast<float>(37 - y) * 3});
                        if (edge < 0) continue;
                        float t = 0.25f + 0.25f * (1 - std::fabs(static_cast<float>(y) - 20) / 18);
                        box.Put(x, y, edge < 2 ? RampColour(Ramp::Gold, 0.75f) : RampColour(Ramp::Dusk, t));
                    }
                Painter p(box, 1.0f);
                p.Fill([](Vec q) { return SdPolygon(q, {{2, 11}, {12, 20}, {2, 29}}); }, RampColour(Ramp::Gold, 0.85f));
                p.Fill(
                    [](Vec q) {
                        return SdPolygon(q, {{198, 11}, {188, 20}, {198, 29}});
                    },
                    RampColour(Ramp::Gold, 0.85f));
                TextIn(box, {0, 0, 200, 40}, it.Word, 26, GoldText);
            } else {
                TextIn(box, {0, 0, 200, 40}, it.Word, 22,
                       TextStyle{{150, 166, 200}, {96, 110, 150}, true, {14, 16, 30}, 0, {}});
            }
            pic.Paste(box, r.Left, r.Top);
        }
    }
    return pic;
}

Canvas TitlePicture() {
    Canvas pic(ScreenWidth, ScreenHeight);
    CaveBackground(pic, 17);
    // Ground of earth tiles with a scene on top.
    for (int x = 0; x < 640; x += 40) {
        PutTile(pic, 1, x, 400, 40);
        PutTile(pic, 1, x, 440, 40);
    }
    for (int x = 0; x < 640; x += 40) PutTile(pic, 127, x, 0, 40);
    PutTile(pic, 128, 0, 0, 40);
    PutTile(pic, 129, 600, 0, 40);
    // Big tiles drawn at twice the size.
    PutTile(pic, 40, 70, 320, 80);
    PutTile(pic, 77, 170, 320, 80);
    PutTile(pic, 6, 262, 330, 70);
    PutTile(pic, 6, 318, 345, 56);
    PutTile(pic, 62, 460, 320, 80);
    PutTile(pic, 66, 540, 250, 60);
    PutTile(pic, 134, 380, 330, 70);
    PutTile(pic, 104, 572, 345, 56); // the bush ends inside the picture
    // Title.
    {
        TextMask m = CropInk(RenderText("GRAVLIN", 104, Face::Bold));
        int x = 320 - m.Width / 2, y = 84;
        // A thick dark rim, then the gold letters.
        TextStyle rim{{30, 14, 40}, {30, 14, 40}, false, {}, 0, {}};
        for (int dy = -3; dy <= 5; ++dy)
            for (int dx = -3; dx <= 5; ++dx)
                if (dx * dx + dy * dy <= 20) DrawMask(pic, m, x + dx, y + dy, rim);
        TextStyle gold{{255, 252, 214}, {210, 96, 16}, false, {}, 0, {}};
        DrawMask(pic, m, x, y, gold);
        // Light band across the upper third of the letters.
        for (int j = 0; j < m.Height / 3; ++j)
            for (int i = 0; i < m.Width; ++i)
                if (m.On(i, j) && m.On(i, j + 2) && (i + j) % 2 == 0 && j > 3)
                    pic.Put(x + i, y + j, Col{255, 255, 236});
    }
    TextIn(pic, {0, 210, 640, 236}, "dig  \xc2\xb7  collect  \xc2\xb7  survive", 20, PaleText, Face::Bold);
    TextIn(pic, {0, 262, 640, 292}, "PRESS ENTER", 24, GoldText);
    TextIn(pic, {0, 296, 640, 314}, "Esc quits", 13, DimText, Face::Regular);
    return pic;
}

Canvas HelpPicture() {
    Canvas pic(ScreenWidth, ScreenHeight);
    CaveBackground(pic, 23);
    TextIn(pic, {0, 8, 640, 44}, "HOW TO PLAY", 30, GoldText);
    TextIn(pic, {0, 44, 640, 62}, "Collect everything, then walk into the open book.", 14, PaleText, Face::Regular);
    struct Entry {
        int TileA, TileB;
        const char* Name;
        const char* Line;
    };
    const Entry entries[] = {
        {1, -1, "Earth", "Walk into it to dig it away."},
        {6, -1, "Diamond", "Take every one of them."},
        {77, -1, "Rock", "Falls, rolls off round things; push it."},
        {12, 62, "Egg, monster", "Hatches on landing. Crush it!"},
        {64, 68, "Chaser, home", "Hugs walls. Home makes a gem."},
        {20, 22, "Key, lock", "Frees the gem of its colour."},
        {105, 110, "Teleport", "Out at the exit of its number."},
        {104, -1, "Weed", "Spreads into empty space. Run!"},
        {130, 132, "Hazards", "Deadly to the touch."},
        {134, 133, "Book", "Opens when all is taken. Enter!"},
    };
    // Two columns of panels with the same 16-pixel margin left and right as
    // the keys panel below them.
    const int top = 74, rowH = 56, margin = 16, panelW = 300, colStep = ScreenWidth - 2 * margin - panelW;
    for (int i = 0; i < 10; ++i) {
        int col = i % 2, row = i / 2;
        int x = margin + col * colStep, y = top + row * rowH;
        Panel(pic, {x, y, x + panelW, y + 50}, RampColour(Ramp::Night, 0.6f), RampColour(Ramp::Slate, 0.35f),
              RampColour(Ramp::Night, 0.0f));
        const Entry& e = entries[i];
        PutTile(pic, e.TileA, x + 5, y + 5, 40);
        int tx = x + 50;
        if (e.TileB >= 0) {
            PutTile(pic, e.TileB, x + 47, y + 5, 40);
            tx = x + 92;
        }
        DrawText(pic, e.Name, tx, y + 7, 15, TextStyle{{255, 232, 140}, {236, 170, 60}, false, {}, 0, {}}, 0,
                 Face::Bold);
        TextIn(pic, {tx, y + 26, x + panelW - 2, y + 46}, e.Line, 12, PaleText, Face::Regular, 0);
    }
    // Keys.
    int ky = top + 5 * rowH + 6;
    Panel(pic, {margin, ky, ScreenWidth - margin, ky + 86}, RampColour(Ramp::Night, 0.7f), RampColour(Ramp::Ice, 0.35f),
          RampColour(Ramp::Night, 0.0f));
    DrawText(pic, "Move", 30, ky + 8, 15, IceText, 0, Face::Bold);
    DrawText(pic, "arrow keys, or  '  /  Z  X  (up, down, left, right)", 110, ky + 9, 14, PaleText, 0, Face::Regular);
    DrawText(pic, "Speed", 30, ky + 34, 15, IceText, 0, Face::Bold);
    DrawText(pic, "F5 slow   F6 normal   F7 fast", 110, ky + 35, 14, PaleText, 0, Face::Regular);
    DrawText(pic, "Esc gives up", 430, ky + 35, 14, PaleText, 0, Face::Regular);
    DrawText(pic, "Pad", 30, ky + 60, 15, IceText, 0, Face::Bold);
    DrawText(pic, "stick or D-pad moves   A goes on   B back   shoulders: slow, fast", 110, ky + 61, 14, PaleText, 0,
             Face::Regular);
    TextIn(pic, {0, 454, 640, 476}, "PRESS ENTER", 18, GoldText);
    return pic;
}

Canvas ContactSheet() {
    const int cell = 56, perRow = 16;
    int rows = (HighestTile + perRow) / perRow;
    Canvas sheet(perRow * cell, rows * cell);
    FillRect(sheet, {0, 0, sheet.Width, sheet.Height}, RampColour(Ramp::Night, 0.3f));
    for (int t = 0; t <= HighestTile; ++t) {
        int x = (t % perRow) * cell, y = (t / perRow) * cell;
        FillRect(sheet, {x + 7, y + 2, x + 49, y + 44}, RampColour(Ramp::Night, 0.0f));
        PutTile(sheet, t, x + 8, y + 3, 40);
        TextIn(sheet, {x, y + 44, x + cell, y + cell}, std::to_string(t), 11, PaleText, Face::Regular);
    }
    return sheet;
}

Canvas IconPicture(int size) {
    Canvas pic(size, size);
    Painter p(pic, static_cast<float>(size) / 40.0f);
    p.Fill(
        [](Vec q) {
            return SdBox(q, {20, 20}, 19.5f, 19.5f, 6);
        },
        [](Vec q, const Painter&) { return RampColour(Ramp::Dusk, 0.05f + 0.3f * q.Y / 40); });
    Canvas rock = DrawTile(77, size * 3 / 5), player = DrawTile(36, size * 3 / 5), gem = DrawTile(6, size / 2);
    pic.Paste(rock, size * 2 / 5 - 1, size * 2 / 5 - 1);
    pic.Paste(gem, size / 2 - 2, 1);
    pic.Paste(player, 0, size * 2 / 5 - 1);
    return pic;
}

} // namespace gravlin::assets
