#pragma once
// A main window on the headless display and the silent sound device, over
// the built game folder, with its player files in a fresh folder.

#include "audio/silent/SilentAudio.h"
#include "presentation/headless/HeadlessWindow.h"
#include "shell/TfrmMain.h"

#include <filesystem>
#include <string>
#include <unistd.h>

namespace gravlin {

// The tests' way into the main window's state, to set a scene up and look
// at what the handlers did.
struct ShellTestAccess {
    static World& W(TfrmMain& f) { return f.W; }
    static LevelStore& Levels(TfrmMain& f) { return f.Levels; }
    static PlayerFiles& Players(TfrmMain& f) { return f.Players; }
    static SoundCues& Cues(TfrmMain& f) { return f.Cues; }
    static Surface& Sheet(TfrmMain& f) { return f.SheetSurface; }
    static int& TilesPerRow(TfrmMain& f) { return f.TilesPerRow; }
    static int& CurrentPlayer(TfrmMain& f) { return f.CurrentPlayer; }
    static int& CurrentLevel(TfrmMain& f) { return f.CurrentLevel; }
    static bool& LevelPlayable(TfrmMain& f) { return f.LevelPlayable; }
    static int& MenuChoice(TfrmMain& f) { return f.MenuChoice; }
    static std::array<int, 3>& MenuItemImage(TfrmMain& f) { return f.MenuItemImage; }
    static std::array<int, 6>& NameLength(TfrmMain& f) { return f.NameLength; }
    static TypedKeys& PendingKeys(TfrmMain& f) { return f.PendingKeys; }
    static std::array<bool, 12>& ScreenLoaded(TfrmMain& f) { return f.ScreenLoaded; }
};

} // namespace gravlin

namespace gravlin::testing {

inline std::string FreshFolder(const std::string& tag) {
    static int serial = 0;
    auto dir = std::filesystem::temp_directory_path() /
               ("gravlin-" + tag + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

struct ShellHarness {
    HeadlessWindow window;
    SilentAudio audio;
    int frame = 0;
    std::string home = FreshFolder("home");
    TfrmMain form;

    explicit ShellHarness(std::string appDir = GRAVLIN_GAME_DIR)
        : form(window, audio, ShellOptions{std::move(appDir), home, 1u}) {
        audio.waves.FrameCounter = &frame;
        form.FormCreate();
        window.PumpMessages(form);
    }
    ~ShellHarness() {
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i, ++frame) form.DXTimerTimer();
    }
    // A key pressed and released: its key-down message arrives in the next
    // frame and it is held for `held` frames.
    void Tap(Key k, int held = 1) {
        window.KeyDown(k);
        Frames(held);
        window.KeyUp(k);
    }
    int State() const { return form.GameWorld().GameState; }

    World& W() { return ShellTestAccess::W(form); }
    LevelStore& Levels() { return ShellTestAccess::Levels(form); }
    PlayerFiles& Players() { return ShellTestAccess::Players(form); }
    SoundCues& Cues() { return ShellTestAccess::Cues(form); }
    Surface& Sheet() { return ShellTestAccess::Sheet(form); }
    int& TilesPerRow() { return ShellTestAccess::TilesPerRow(form); }
    int& CurrentPlayer() { return ShellTestAccess::CurrentPlayer(form); }
    int& CurrentLevel() { return ShellTestAccess::CurrentLevel(form); }
    bool& LevelPlayable() { return ShellTestAccess::LevelPlayable(form); }
    int& MenuChoice() { return ShellTestAccess::MenuChoice(form); }
    std::array<int, 3>& MenuItemImage() { return ShellTestAccess::MenuItemImage(form); }
    std::array<int, 6>& NameLength() { return ShellTestAccess::NameLength(form); }
    TypedKeys& PendingKeys() { return ShellTestAccess::PendingKeys(form); }
    std::array<bool, 12>& ScreenLoaded() { return ShellTestAccess::ScreenLoaded(form); }
};

} // namespace gravlin::testing
