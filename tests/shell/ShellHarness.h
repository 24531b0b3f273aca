#pragma once
// A main window on the headless display and the silent sound device, over
// the built game folder, with its player files in a fresh folder.

#include "audio/silent/SilentAudio.h"
#include "presentation/headless/HeadlessWindow.h"
#include "shell/TfrmMain.h"

#include <filesystem>
#include <unistd.h>
#include <string>

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
    int State() const { return form.W.GameState; }
};

} // namespace gravlin::testing
