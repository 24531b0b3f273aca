#include "SdlKeys.h"
#include "presentation/sdl/PaletteConversion.h"
#include "presentation/sdl/ScreenScaling.h"
#include "presentation/sdl/SdlWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace gravlin;

TEST(SdlKeys, HeldKeysByPlaceMessagesByLetter) {
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_LEFT), Key::Left);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_KP_8), Key::Kp8);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_APOSTROPHE), Key::Apostrophe);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_SLASH), Key::Slash);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_KP_ENTER), Key::KpEnter);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_F7), Key::F7);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_A), Key::A);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_Z), Key::Z);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_MUTE), Key::None);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_F13), Key::None);
    // Every key the game knows has its place, and its name is SDL's name of
    // that place (the names of the controls file).
    for (int k = 1; k < static_cast<int>(Key::Count); ++k) {
        const Key key = static_cast<Key>(k);
        const SDL_Scancode place = ScancodeOf(key);
        EXPECT_EQ(KeyFromScancode(place), key) << KeyName(key);
        EXPECT_EQ(SDL_GetScancodeName(place), KeySdlName(key));
    }

    // On a French keyboard the key in the place of W is labelled Z: the
    // player walks with the place, the name entry types the label.
    EXPECT_EQ(MessageKeyFor(SDL_SCANCODE_W, SDLK_z), Key::Z);
    EXPECT_EQ(KeyFromScancode(SDL_SCANCODE_W), Key::W);
    // A letter place carrying no letter on this layout types nothing.
    EXPECT_EQ(MessageKeyFor(SDL_SCANCODE_M, SDLK_COMMA), Key::None);
    EXPECT_EQ(MessageKeyFor(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), Key::Escape);
    EXPECT_EQ(VirtualKeyCode(MessageKeyFor(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER)), 13);
}

TEST(PaletteConversion, EveryPixelThroughThePaletteIntoPitchedRows) {
    Palette p{};
    p[1] = Rgb{0x12, 0x34, 0x56};
    p[255] = Rgb{255, 0, 128};
    const PixelLookup lookup = MakePixelLookup(p);
    // In memory red, green, blue, alpha.
    EXPECT_EQ(lookup.Single[0], 0xff000000u);
    EXPECT_EQ(lookup.Single[1], 0xff563412u);
    EXPECT_EQ(lookup.Single[255], 0xff8000ffu);
    // An X server's windows: in memory blue, green, red, alpha.
    EXPECT_EQ(MakePixelLookup(p, PixelOrder::Bgra).Single[1], 0xff123456u);

    // Ten pixels a row: eight go through the pair table, two one by one.
    // Rows 11 pixels apart, as a locked texture may be wider than the picture.
    Surface s(10, 3);
    s.Pixels = {1, 0, 255, 255, 1,   0,        0,   1,   255, 1,   /**/ 0, 1, 1, 0, 255,
                1, 1, 0,   0,   255, /**/ 255, 255, 255, 255, 255, 255,    0, 0, 0, 0};
    std::vector<std::uint32_t> out(33, 0xdeadbeef);
    ConvertToPixels32(s, lookup, out.data(), 11 * 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x)
            EXPECT_EQ(out[y * 11 + x], x < 10 ? lookup.Single[s.Pixels[y * 10 + x]] : 0xdeadbeef) << x << "," << y;

    // Only rows 1 and 2 (asked for 1 to 3): `to` is where row 1 goes.
    std::vector<std::uint32_t> band(22, 0xdeadbeef);
    ConvertToPixels32(s, lookup, band.data(), 11 * 4, 1, 3);
    EXPECT_TRUE(std::equal(band.begin(), band.end(), out.begin() + 11));

    // The rows sent again are those from the first change to the last.
    std::vector<std::uint8_t> shown = s.Pixels;
    EXPECT_EQ(FindChangedRows(shown, s).Count(), 0);
    s.Pixels[1 * 10 + 9] = 7;
    EXPECT_EQ(FindChangedRows(shown, s).First, 1);
    EXPECT_EQ(FindChangedRows(shown, s).End, 2);
    s.Pixels[0] = 7;
    EXPECT_EQ(FindChangedRows(shown, s).First, 0);
    EXPECT_EQ(FindChangedRows(shown, s).End, 2);
    EXPECT_EQ(FindChangedRows({}, s).Count(), 3);
}

// The vector conversion gives the bytes of the pair table for every index
// at every place of a 64-pixel round, in rows with a tail shorter than a
// round and a pitch wider than the row.
TEST(PaletteConversion, EveryPathAgreesWithThePairTable) {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = Rgb{static_cast<std::uint8_t>(i * 37 + 11), static_cast<std::uint8_t>(i * 101 + 3),
                   static_cast<std::uint8_t>(255 - i * 13)};
    Surface s(64 * 3 + 9, 70);
    for (std::size_t i = 0; i < s.Pixels.size(); ++i) s.Pixels[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    const int pitch = (s.Width + 3) * 4;
    for (const PixelOrder order : {PixelOrder::Rgba, PixelOrder::Bgra}) {
        const PixelLookup lookup = MakePixelLookup(p, order);
        std::vector<std::uint32_t> pairs(static_cast<std::size_t>(pitch / 4) * 70, 0xdeadbeef), fast = pairs;
        ConvertToPixels32With(ConvertPath::Pairs, s, lookup, pairs.data(), pitch, 0, s.Height);
        for (const ConvertPath path : {ConvertPath::Vbmi}) {
            if (!HasConvertPath(path)) continue;
            ConvertToPixels32With(path, s, lookup, fast.data(), pitch, 0, s.Height);
            EXPECT_EQ(fast, pairs) << int(path) << " " << int(order);
        }
        for (int y = 0; y < s.Height; ++y)
            for (int x = 0; x < s.Width; ++x)
                ASSERT_EQ(pairs[static_cast<std::size_t>(y * pitch / 4 + x)], lookup.Single[s.Pixels[y * s.Width + x]]);
    }
}

// The picture's place: whole multiples where they keep three quarters of
// the largest picture that fits, else the largest that fits; centred.
// Every window pixel of the place shows the picture pixel under its centre,
// at whole, fractional and shrinking scales, by every way of scaling the
// processor has; nothing outside the place is
// written; a band of rows converted alone writes exactly the window rows of
// those picture rows, as the whole picture converted again would.
TEST(ScreenScaling, EveryWindowPixelShowsThePicturePixelUnderItsCentre) {
    auto same = [](const ScreenPlace& a, const ScreenPlace& b) {
        return a.X == b.X && a.Y == b.Y && a.W == b.W && a.H == b.H;
    };
    EXPECT_TRUE(same(PlaceScreen(1280, 960, 640, 480), {0, 0, 1280, 960}));
    EXPECT_TRUE(same(PlaceScreen(1920, 1080, 640, 480), {320, 60, 1280, 960}));
    EXPECT_TRUE(same(PlaceScreen(1366, 768, 640, 480), {171, 0, 1024, 768}));
    EXPECT_TRUE(same(PlaceScreen(1000, 700, 640, 480), {33, 0, 933, 700}));

    Palette p{};
    for (int i = 0; i < 256; ++i) p[i] = Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 9};
    const PixelLookup lookup = MakePixelLookup(p, PixelOrder::Bgra);
    Surface picture(40, 30);
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i) picture.Pixels[i] = static_cast<std::uint8_t>(i * 13);
    for (const auto& [w, h] :
         std::vector<std::pair<int, int>>{{40, 30}, {80, 60}, {120, 90}, {160, 120}, {97, 50}, {61, 47}, {20, 15}})
        for (const ScalePath path : {ScalePath::Portable, ScalePath::Sse2, ScalePath::Avx512}) {
            if (!HasScalePath(path)) continue;
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + " by way " + std::to_string(int(path)));
            const ScreenPlace place = PlaceScreen(w, h, picture.Width, picture.Height);
            ScaledConversion scaled;
            scaled.Place(place, picture.Width, picture.Height, path);
            const int pitch = (w + 5) * 4;
            std::vector<std::uint32_t> window(static_cast<std::size_t>(pitch / 4) * static_cast<std::size_t>(h), 7);
            const ChangedRows all = scaled.Convert(picture, lookup, window.data(), pitch, 0, picture.Height);
            EXPECT_EQ(all.First, place.Y);
            EXPECT_EQ(all.End, place.Y + place.H);
            auto under = [](int i, int pictureSize, int placeSize) {
                return static_cast<int>(std::floor((i + 0.5) * pictureSize / placeSize));
            };
            auto expected = [&](const Surface& pic, int x, int y) {
                const bool inside = x >= place.X && x < place.X + place.W && y >= place.Y && y < place.Y + place.H;
                if (!inside) return std::uint32_t{7};
                return lookup
                    .Single[pic.At(under(x - place.X, pic.Width, place.W), under(y - place.Y, pic.Height, place.H))];
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(window[static_cast<std::size_t>(y * pitch / 4 + x)], expected(picture, x, y))
                        << x << "," << y;

            Surface changed = picture;
            for (int x = 0; x < changed.Width; ++x) changed.Set(x, 8, 200);
            const ChangedRows band = scaled.Convert(changed, lookup, window.data(), pitch, 8, 1);
            for (int y = 0; y < h; ++y) {
                const bool shows = y >= place.Y && y < place.Y + place.H && under(y - place.Y, 30, place.H) == 8;
                EXPECT_EQ(shows, y >= band.First && y < band.End) << "row " << y;
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(window[static_cast<std::size_t>(y * pitch / 4 + x)], expected(changed, x, y))
                        << x << "," << y;
            }
        }
}

namespace {

Palette GreyPalette() {
    Palette p{};
    for (int i = 0; i < 256; ++i)
        p[i] = Rgb{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)};
    p[77] = Rgb{250, 10, 10};
    return p;
}

} // namespace

TEST(TtfTextRenderer, DrawsInTheNearestEntryOverATransparentBackground) {
    TtfTextRenderer text;
    std::string error;
    ASSERT_TRUE(text.Open(&error)) << error;
    // 10 points at 96 dpi is about 13 pixels: a line is a little taller.
    EXPECT_GE(text.LineHeight(10), 13);
    EXPECT_LE(text.LineHeight(10), 18);
    int w10 = text.TextWidth("Name 001", 10);
    EXPECT_GT(w10, 30);
    EXPECT_LT(w10, 80);
    EXPECT_GT(text.TextWidth("Name 001", 20), w10 * 3 / 2);
    EXPECT_EQ(text.TextWidth("", 10), 0);

    Palette p = GreyPalette();
    Surface s(200, 40);
    s.Fill(3);
    text.DrawText(s, p, 10, 5, "LEVEL 12", Rgb{255, 0, 0}, 12);
    int ink = 0, other = 0;
    int minX = 999, maxX = -1;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x) {
            auto v = s.At(x, y);
            if (v == 77) {
                ++ink;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            } else if (v != 3) {
                ++other;
            }
        }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(other, 0) << "text is one colour, with no smoothing and no background";
    EXPECT_GE(minX, 10);
    EXPECT_LE(maxX, 10 + text.TextWidth("LEVEL 12", 12));
}

TEST(TtfTextRenderer, TextOffEverySideIsClipped) {
    TtfTextRenderer text;
    std::string error;
    ASSERT_TRUE(text.Open(&error)) << error;
    Palette p = GreyPalette();
    Surface s(30, 10);
    for (auto [x, y] : {std::pair{-20, -8}, {25, 5}, {-500, 0}, {0, 500}, {5, -3}}) {
        s.Fill(0);
        text.DrawText(s, p, x, y, "WWWWWWWW", Rgb{255, 255, 255}, 14);
    }
    SUCCEED(); // nothing written outside (checked by the sanitizer build)
}

TEST(TtfTextRenderer, AMissingFontIsAClearError) {
    TtfTextRenderer text;
    std::string error;
    EXPECT_FALSE(text.Open(&error, "/no/such/folder/DejaVuSans.ttf"));
    EXPECT_NE(error.find("/no/such/folder/DejaVuSans.ttf"), std::string::npos) << error;
    // Without a font it draws and measures nothing instead of failing.
    Surface s(10, 10);
    text.DrawText(s, GreyPalette(), 0, 0, "x", Rgb{}, 10);
    EXPECT_EQ(text.TextWidth("x", 10), 0);
}

namespace {

// Records what the window tells the game.
struct RecordingEvents : WindowEvents {
    std::vector<std::string> Calls;
    std::vector<std::uint16_t> Keys;
    void DXDrawInitialize() override { Calls.push_back("initialize"); }
    void DXDrawRestoreSurface() override { Calls.push_back("restore"); }
    void DXDrawFinalize() override { Calls.push_back("finalize"); }
    void FormActivate() override { Calls.push_back("activate"); }
    void FormKeyDown(std::uint16_t key) override { Keys.push_back(key); }
    void FormCloseRequest() override { Calls.push_back("close"); }
};

void PushKey(Uint32 type, SDL_Scancode sc, SDL_Keycode sym, bool repeat = false, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat ? 1 : 0;
    e.key.keysym.scancode = sc;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

void PushWindowEvent(Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = what;
    SDL_PushEvent(&e);
}

class DummyVideo : public ::testing::Test {
  protected:
    void SetUp() override { ::setenv("SDL_VIDEODRIVER", "dummy", 1); }
};

// The window's own pixels, or SDL's software renderer when the player's
// environment names it.
class DrawingWays : public DummyVideo, public ::testing::WithParamInterface<const char*> {
  protected:
    void SetUp() override {
        DummyVideo::SetUp();
        if (std::string(GetParam()) == "software") ::setenv("SDL_RENDER_DRIVER", "software", 1);
    }
    void TearDown() override { ::unsetenv("SDL_RENDER_DRIVER"); }
};

// A window for unattended tests: no vsync wait, no message boxes.
SdlWindowOptions TestWindow() {
    SdlWindowOptions o;
    o.Windowed = true;
    o.VSync = false;
    o.MessageBoxes = false;
    return o;
}

} // namespace

TEST_P(DrawingWays, WindowOpensFlipsAndDeliversTheGamesEvents) {
    SdlWindow window(TestWindow());
    std::string error;
    ASSERT_TRUE(window.Open(&error)) << error;
    EXPECT_EQ(window.RendererName(), GetParam());
    RecordingEvents ev;
    EXPECT_FALSE(window.CanDraw(ev)); // not set up yet

    // The first pump is the first activation; the game then sets the display up.
    window.PumpMessages(ev);
    ASSERT_TRUE(window.SetupDisplay(ev, &error)) << error;
    EXPECT_EQ(ev.Calls, (std::vector<std::string>{"activate", "initialize", "restore"}));
    ASSERT_TRUE(window.CanDraw(ev));
    Palette p = GreyPalette();
    window.SetPalette(p);
    window.FillBack();
    window.Back().Set(5, 5, 77);
    window.Flip();
    window.Flip();
    EXPECT_EQ(window.FlipCount(), 2);
    // The same picture again is not sent again; a changed pixel or palette is.
    EXPECT_EQ(window.PresentCount(), 1);
    window.Back().Set(6, 5, 77);
    window.Flip();
    EXPECT_EQ(window.PresentCount(), 2);
    p[3] = Rgb{1, 2, 3};
    window.SetPalette(p);
    window.Flip();
    window.Flip();
    EXPECT_EQ(window.PresentCount(), 3);

    // Keys: a press delivers its code and holds the key; a repeat does
    // nothing; the release lets go; Alt+Enter is the window's own.
    ev.Calls.clear();
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_UP, SDLK_UP, true);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_N, SDLK_n);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, false, KMOD_LALT);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_1, SDLK_1);
    window.PumpMessages(ev);
    EXPECT_EQ(ev.Keys, (std::vector<std::uint16_t>{38, 78}));
    window.Keys().UpdateInput();
    EXPECT_TRUE(window.Keys().Test(Input::InputUp));
    EXPECT_FALSE(window.Keys().Test(Input::InputFire1));
    PushKey(SDL_KEYUP, SDL_SCANCODE_UP, SDLK_UP);
    window.PumpMessages(ev);
    window.Keys().UpdateInput();
    EXPECT_FALSE(window.Keys().Test(Input::InputUp));

    // Focus: lost stops the frames and lets go of held keys; regained
    // activates the game again.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_LEFT, SDLK_LEFT);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    window.PumpMessages(ev);
    EXPECT_FALSE(window.Active());
    window.Keys().UpdateInput();
    EXPECT_FALSE(window.Keys().Test(Input::InputLeft));
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    window.PumpMessages(ev);
    EXPECT_TRUE(window.Active());
    EXPECT_EQ(ev.Calls, (std::vector<std::string>{"activate"}));

    // Minimised and restored, or the renderer reset: the next CanDraw
    // restores the surfaces, once.
    for (bool deviceReset : {false, true}) {
        ev.Calls.clear();
        if (deviceReset) {
            SDL_Event e{};
            e.type = SDL_RENDER_DEVICE_RESET;
            SDL_PushEvent(&e);
        } else {
            PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
            PushWindowEvent(SDL_WINDOWEVENT_RESTORED);
        }
        window.PumpMessages(ev);
        EXPECT_TRUE(window.CanDraw(ev));
        EXPECT_TRUE(window.CanDraw(ev));
        EXPECT_EQ(ev.Calls, (std::vector<std::string>{"restore"}));
        window.Flip();
    }

    // Closing the window asks the game to end, once even with SDL_QUIT behind it.
    ev.Calls.clear();
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    window.PumpMessages(ev);
    EXPECT_EQ(ev.Calls, (std::vector<std::string>{"close"}));

    window.Finalize(ev);
    window.Finalize(ev);
    EXPECT_EQ(ev.Calls, (std::vector<std::string>{"close", "finalize"}));
    EXPECT_FALSE(window.CanDraw(ev));
}

INSTANTIATE_TEST_SUITE_P(Sdl, DrawingWays, ::testing::Values("window surface", "software"),
                         [](const ::testing::TestParamInfo<const char*>& way) {
                             return std::string(way.param) == "software" ? "SoftwareRenderer" : "WindowSurface";
                         });

TEST_F(DummyVideo, MainLoopRunsAtMostSixtyFramesASecondOnlyWhileActive) {
    SdlWindow window(TestWindow());
    std::string error;
    ASSERT_TRUE(window.Open(&error)) << error;
    RecordingEvents ev;
    int frames = 0;
    Nanoseconds start = MonotonicNow();
    auto frame = [&] {
        if (frames == 0) {
            ASSERT_TRUE(window.SetupDisplay(ev, nullptr));
        }
        ++frames;
        if (window.CanDraw(ev)) {
            window.FillBack();
            window.Flip();
        }
        // Half-way the window loses the focus for a quarter of a second.
        if (frames == 15) PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
    };
    bool regained = false;
    auto running = [&] {
        Nanoseconds t = MonotonicNow() - start;
        if (!regained && !window.Active() && t > 500'000'000) {
            PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
            regained = true;
        }
        return t < 1'000'000'000;
    };
    EXPECT_EQ(RunSdlMainLoop(window, ev, frame, running), 0);
    EXPECT_TRUE(regained);
    // Never faster than 60 a second, and none while away (about 0.25 s from
    // frame 15 to 0.5 s): at most 52 in the second. How few a loaded machine
    // manages is a matter for the benchmarks, not for this test.
    EXPECT_GE(frames, 15);
    EXPECT_LE(frames, 52);
    EXPECT_EQ(std::count(ev.Calls.begin(), ev.Calls.end(), "activate"), 2);
}

TEST_F(DummyVideo, ErrorsOnAScreenlessDriverShowNoBoxAndDoNotWait) {
    SdlWindow window; // full screen, message boxes on
    std::string error;
    ASSERT_TRUE(window.Open(&error)) << error;
    EXPECT_TRUE(window.FullScreen());
    window.ShowError("Gravlin", "Surfaces/All256.hdr: file missing or unreadable");
    // Alt+Enter leaves full screen and comes back.
    RecordingEvents ev;
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, false, KMOD_RALT);
    window.PumpMessages(ev);
    EXPECT_FALSE(window.FullScreen());
    EXPECT_TRUE(ev.Keys.empty());
    window.ToggleFullScreen();
    EXPECT_TRUE(window.FullScreen());
}
