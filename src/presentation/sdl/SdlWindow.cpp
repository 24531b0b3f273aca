#include "presentation/sdl/SdlWindow.h"

#include "SdlGamepads.h"
#include "SdlKeys.h"
#include "SdlScreen.h"
#include "common/StartupTrace.h"
#include "presentation/sdl/PaletteConversion.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace gravlin {

namespace {

bool Fail(std::string* error, const std::string& what) {
    if (error) *error = what + ": " + SDL_GetError();
    return false;
}

} // namespace

SdlWindow::SdlWindow(SdlWindowOptions options)
    : options_(std::move(options)), keyboard_(options_.Keys), controllers_(std::make_unique<SdlGamepads>()),
      screen_(std::make_unique<SdlScreen>()), fullScreen_(!options_.Windowed), windowedX_(options_.X),
      windowedY_(options_.Y) {}

SdlWindow::~SdlWindow() {
    controllers_->Stop();
    screen_->Stop();
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Open(std::string* error) {
    if (window_) return true;
    if (!videoStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return Fail(error, "cannot start the video system");
        videoStarted_ = true;
        TraceStartup("video started");
        std::string warning;
        if (!controllers_->Start(options_.ControllerMappings, &warning))
            std::fprintf(stderr, "Gravlin: %s\n", warning.c_str());
        TraceStartup("controllers started");
    }
    // Keep the full-screen game on screen when another window takes the focus.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // The window's own size: as remembered, but never larger than the
    // desktop; else the largest whole multiple of 640 by 480 that leaves a
    // margin on the desktop.
    int& windowW = windowedWidth_;
    int& windowH = windowedHeight_;
    SDL_DisplayMode desktop;
    bool haveDesktop = SDL_GetDesktopDisplayMode(0, &desktop) == 0 && desktop.w > 0 && desktop.h > 0;
    if (options_.Width && options_.Height) {
        windowW = std::max(ScreenWidth / 2, *options_.Width);
        windowH = std::max(ScreenHeight / 2, *options_.Height);
        if (haveDesktop) {
            windowW = std::min(windowW, std::max(ScreenWidth / 2, desktop.w));
            windowH = std::min(windowH, std::max(ScreenHeight / 2, desktop.h));
        }
    } else if (haveDesktop) {
        int k = std::max(1, std::min(desktop.w * 9 / 10 / ScreenWidth, desktop.h * 9 / 10 / ScreenHeight));
        windowW = ScreenWidth * k;
        windowH = ScreenHeight * k;
    }
    // Made hidden and shown once the way to draw into it is chosen: an
    // OpenGL renderer makes the window again with OpenGL's flag, and a
    // window already shown would appear twice, the first one only for a
    // moment.
    Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN;
    if (fullScreen_) {
        // Created as large as the desktop as well, so that the game covers
        // the screen even where no window manager honours full screen (a
        // bare X server); leaving full screen gives the window its own size.
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        window_ = SDL_CreateWindow(options_.Title.c_str(), 0, 0, haveDesktop ? desktop.w : windowW,
                                   haveDesktop ? desktop.h : windowH, flags);
    } else {
        const SDL_Point at = WindowedPlace();
        window_ = SDL_CreateWindow(options_.Title.c_str(), at.x, at.y, windowW, windowH, flags);
    }
    if (!window_) return Fail(error, "cannot open the game window");
    SDL_SetWindowMinimumSize(window_, ScreenWidth / 2, ScreenHeight / 2);
    TraceStartup("window made");

    if (!screen_->Start(window_, options_.VSync, error)) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    TraceStartup(("drawing through: " + RendererName()).c_str());
    SDL_ShowWindow(window_);
    TraceStartup("window shown");
    SDL_ShowCursor(SDL_DISABLE);
    UpdateScaling();
    // Black until the first frame.
    screen_->ShowBlack();
    return true;
}

std::size_t SdlWindow::ControllerCount() const {
    return controllers_->OpenCount();
}

std::string SdlWindow::RendererName() const {
    return screen_->Name();
}

bool SdlWindow::CreateTexture() {
    if (!screen_->Prepare()) return false;
    textureBroken_ = false;
    redrawNeeded_ = true;
    return true;
}

void SdlWindow::UpdateScaling() {
    if (!window_) return;
    redrawNeeded_ = true;
    screen_->Resize();
}

bool SdlWindow::SetupDisplay(DisplayEvents& events, std::string* error) {
    if (initialised_) Finalize(events);
    if (!window_ && !Open(error)) return false;
    if (!CreateTexture()) return Fail(error, "cannot create the screen texture");
    back_.Resize(ScreenWidth, ScreenHeight);
    paletteKnown_ = false;
    initialised_ = true;
    lost_ = false;
    SDL_ShowCursor(SDL_DISABLE);
    events.DXDrawInitialize();
    events.DXDrawRestoreSurface();
    return true;
}

bool SdlWindow::CanDraw(DisplayEvents& events) {
    if (!initialised_) return false;
    if (lost_) {
        // The renderer's device went away with our texture: make a new one.
        if (textureBroken_ && !CreateTexture()) return false;
        lost_ = false;
        paletteKnown_ = false;
        UpdateScaling();
        events.DXDrawRestoreSurface();
    }
    return true;
}

void SdlWindow::Flip() {
    if (!window_ || !initialised_) return;
    ++flips_;
    // A screen that waits for a key shows the same picture frame after frame:
    // then the screen already shows it and there is nothing to send. Else
    // only the rows from the first changed one to the last changed one go
    // to the texture; the whole texture is drawn and presented as always.
    bool paletteChanged = !paletteKnown_ || shownPalette_ != palette_;
    const bool whole =
        paletteChanged || redrawNeeded_ || shownPixels_.size() != back_.Pixels.size() || screen_->WantsWholePicture();
    const ChangedRows rows = whole ? ChangedRows{0, back_.Height} : FindChangedRows(shownPixels_, back_);
    if (rows.Count() == 0) return;
    redrawNeeded_ = false;
    if (whole) {
        shownPixels_ = back_.Pixels;
    } else {
        const std::size_t from = static_cast<std::size_t>(rows.First) * static_cast<std::size_t>(back_.Width);
        const std::size_t to = static_cast<std::size_t>(rows.End) * static_cast<std::size_t>(back_.Width);
        std::copy(back_.Pixels.begin() + static_cast<std::ptrdiff_t>(from),
                  back_.Pixels.begin() + static_cast<std::ptrdiff_t>(to),
                  shownPixels_.begin() + static_cast<std::ptrdiff_t>(from));
    }
    // The palette goes into the lookup only when the game installed another.
    if (paletteChanged) {
        shownPalette_ = palette_;
        paletteKnown_ = true;
    }
    screen_->Present(back_, palette_, paletteChanged, rows);
    if (++presents_ == 1) TraceStartup("first frame presented");
}

void SdlWindow::Finalize(DisplayEvents& events) {
    if (!initialised_) return;
    events.DXDrawFinalize();
    initialised_ = false;
    screen_->Drop();
}

void SdlWindow::ToggleFullScreen() {
    if (!window_) return;
    bool want = !fullScreen_;
    if (want) RememberWindowedPlace();
    if (SDL_SetWindowFullscreen(window_, want ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return;
    fullScreen_ = want;
    if (!want) {
        SDL_SetWindowSize(window_, windowedWidth_, windowedHeight_);
        const SDL_Point at = WindowedPlace();
        SDL_SetWindowPosition(window_, at.x, at.y);
    }
    SDL_ShowCursor(SDL_DISABLE);
    UpdateScaling();
}

// The window's size and place while it is a window, kept for when it leaves
// full screen again and for the next run.
void SdlWindow::RememberWindowedPlace() {
    if (!window_ || fullScreen_) return;
    int w = 0, h = 0, x = 0, y = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (w > 0 && h > 0) {
        windowedWidth_ = w;
        windowedHeight_ = h;
    }
    WindowFramePosition(x, y);
    windowedX_ = x;
    windowedY_ = y;
}

// The window's position as SDL_SetWindowPosition takes it: a window manager
// that draws a frame places the frame there, while SDL_GetWindowPosition
// tells where the inside is; without the correction the window would creep
// down by its title bar at every start.
void SdlWindow::WindowFramePosition(int& x, int& y) const {
    SDL_GetWindowPosition(window_, &x, &y);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0) {
        x -= left;
        y -= top;
    }
}

// Where the window goes: where it was, when that place still shows its title
// bar on one of the screens (a screen may have gone since); else the middle.
SDL_Point SdlWindow::WindowedPlace() const {
    if (windowedX_ && windowedY_) {
        SDL_Rect top{*windowedX_, *windowedY_, windowedWidth_, 32};
        for (int d = 0; d < SDL_GetNumVideoDisplays(); ++d) {
            SDL_Rect bounds, overlap;
            if (SDL_GetDisplayBounds(d, &bounds) != 0) continue;
            if (SDL_IntersectRect(&top, &bounds, &overlap) == SDL_TRUE && overlap.w >= 64 && overlap.h >= 16)
                return SDL_Point{*windowedX_, *windowedY_};
        }
    }
    return SDL_Point{static_cast<int>(SDL_WINDOWPOS_CENTERED), static_cast<int>(SDL_WINDOWPOS_CENTERED)};
}

WindowSettings SdlWindow::CurrentSettings() const {
    WindowSettings s;
    s.FullScreen = fullScreen_;
    int w = windowedWidth_, h = windowedHeight_;
    std::optional<int> x = windowedX_, y = windowedY_;
    if (window_ && !fullScreen_) {
        int px = 0, py = 0;
        SDL_GetWindowSize(window_, &w, &h);
        WindowFramePosition(px, py);
        x = px;
        y = py;
    }
    s.Width = w;
    s.Height = h;
    s.X = x;
    s.Y = y;
    return s;
}

bool SdlWindow::WaitForMessage(int milliseconds) {
    if (!videoStarted_) return false;
    return SDL_WaitEventTimeout(nullptr, milliseconds) == 1;
}

void SdlWindow::PumpMessages(WindowEvents& events) {
    if (activationPending_ && active_) {
        activationPending_ = false;
        events.FormActivate();
    }
    for (const auto& [key, down] : queuedKeys_) {
        if (!down) {
            keyboard_.Release(key);
            continue;
        }
        keyboard_.Press(key);
        for (std::uint16_t code : keyboard_.MessagesOf(key))
            if (code) events.FormKeyDown(code);
    }
    queuedKeys_.clear();
    if (!videoStarted_) return;
    bool closeDelivered = false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) HandleEvent(e, events, closeDelivered);
}

void SdlWindow::HandleEvent(const SDL_Event& e, WindowEvents& events, bool& closeDelivered) {
    auto requestClose = [&] {
        // Closing the last window also queues SDL_QUIT: one request is enough.
        if (closeDelivered) return;
        closeDelivered = true;
        events.FormCloseRequest();
    };
    if (controllers_->Handle(e, pads_, keyboard_, events)) return;
    switch (e.type) {
    case SDL_QUIT: requestClose(); break;
    case SDL_KEYDOWN: {
        const SDL_Keysym& k = e.key.keysym;
        bool enter = k.scancode == SDL_SCANCODE_RETURN || k.scancode == SDL_SCANCODE_KP_ENTER;
        if (enter && (k.mod & KMOD_ALT)) {
            if (!e.key.repeat) ToggleFullScreen();
            break;
        }
        if (e.key.repeat) break;
        if (options_.ScriptedKeys && k.scancode != SDL_SCANCODE_ESCAPE) break;
        Key held = KeyFromScancode(k.scancode);
        if (held != Key::None) keyboard_.Press(held);
        for (std::uint16_t code : keyboard_.MessagesOf(held, MessageKeyFor(k.scancode, k.sym)))
            if (code) events.FormKeyDown(code);
        break;
    }
    case SDL_KEYUP: {
        if (options_.ScriptedKeys && e.key.keysym.scancode != SDL_SCANCODE_ESCAPE) break;
        Key held = KeyFromScancode(e.key.keysym.scancode);
        if (held != Key::None) keyboard_.Release(held);
        break;
    }
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            redrawNeeded_ = true;
            if (!active_) {
                active_ = true;
                activationPending_ = false;
                events.FormActivate();
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            active_ = false;
            // Keys released while another window had the focus never reach
            // us: forget them rather than leave the player walking. A
            // script's keys are not the keyboard's and stay as they are.
            if (!options_.ScriptedKeys) keyboard_.ReleaseAll();
            pads_.ReleaseAll(keyboard_);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            active_ = false;
            if (!options_.ScriptedKeys) keyboard_.ReleaseAll();
            pads_.ReleaseAll(keyboard_);
            lost_ = true;
            break;
        case SDL_WINDOWEVENT_RESTORED: lost_ = true; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: UpdateScaling(); break;
        case SDL_WINDOWEVENT_EXPOSED:
            // Uncovered: the window's own pixels still hold the picture and
            // are shown again now, frames or not (another window may have
            // the focus); else the picture and the black around it are sent
            // again at the next flip.
            if (!screen_->ShowAgain()) UpdateScaling();
            break;
        case SDL_WINDOWEVENT_CLOSE: requestClose(); break;
        default: break;
        }
        break;
    case SDL_RENDER_TARGETS_RESET:
        lost_ = true;
        redrawNeeded_ = true;
        break;
    case SDL_RENDER_DEVICE_RESET:
        lost_ = true;
        textureBroken_ = true;
        break;
    default: break;
    }
}

void SdlWindow::QueueKey(Key key, bool down) {
    queuedKeys_.emplace_back(key, down);
}

void SdlWindow::ShowError(const std::string& title, const std::string& message) {
    if (!options_.MessageBoxes || SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    // Nobody would see a box on the screenless drivers; it could only hang.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0)) return;
    // A message box cannot show over a full-screen window: step out of it.
    if (window_ && fullScreen_) ToggleFullScreen();
    SDL_ShowCursor(SDL_ENABLE);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_);
}

int RunSdlMainLoop(SdlWindow& window, WindowEvents& events, const std::function<void()>& frameHandler,
                   const std::function<bool()>& running, FrameClock clock) {
    // The first pump delivers the first activation (the game's start-up).
    window.PumpMessages(events);
    while (running()) {
        if (!window.Active()) {
            // No frames while another window has the focus: sleep until a
            // message comes, then handle it. The timeout keeps `running`
            // looked at (a signal asking the game to end).
            window.WaitForMessage(100);
            window.PumpMessages(events);
            if (window.Active()) clock.Start(MonotonicNow());
            continue;
        }
        Nanoseconds now = MonotonicNow();
        if (clock.FrameDue(now)) {
            // Messages typed since the last frame are handled before it, never
            // in the middle of it.
            window.PumpMessages(events);
            if (!running()) break;
            if (window.Active()) frameHandler();
        } else {
            SleepUntil(clock.NextDeadline());
        }
    }
    return 0;
}

} // namespace gravlin
