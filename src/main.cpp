// Gravlin: the game. The main window's rules and screens run on the SDL
// window, the SDL2_mixer sound device and SDL2_ttf text.

#include "audio/sdl/GameAudio.h"
#include "presentation/Controls.h"
#include "presentation/WindowSettings.h"
#include "presentation/sdl/SdlWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"
#include "shell/TfrmMain.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>
#include <vector>

namespace {

volatile std::sig_atomic_t endRequested = 0;

void RequestEnd(int) {
    endRequested = 1;
}

const char* const Usage = R"(usage: Gravlin [--window | --fullscreen | --write-controls]
  --window       play in a window this time (Alt+Enter switches at any time)
  --fullscreen   play full screen this time
  --write-controls  write the built-in keys to ~/.config/gravlin/controls.txt to edit
The game starts as it was left: full screen or in a window of the same size
and place, as remembered in ~/.config/gravlin/settings.txt.
)";

// The built-in keys as a controls file for the player to edit.
int WriteControls() {
    const std::string path = gravlin::ControlsPath();
    std::string error = "no configuration folder: neither XDG_CONFIG_HOME nor HOME is set";
    if (!path.empty() && gravlin::WriteControlsFile(path, &error)) {
        std::cout << "Gravlin: the built-in keys are written to " << path << "; edit them there\n";
        return 0;
    }
    std::cerr << "Gravlin: " << error << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<bool> windowed;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            windowed = true;
        } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
            windowed = false;
        } else if (std::strcmp(argv[i], "--write-controls") == 0) {
            return WriteControls();
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0;
            if (!help) std::cerr << "Gravlin: unknown option " << argv[i] << "\n";
            std::cerr << Usage;
            return help ? 0 : 2;
        }
    }
    // The window as it was left last time, unless the command line says.
    const std::string settingsPath = gravlin::WindowSettingsPath();
    std::string warning;
    gravlin::WindowSettings settings;
    if (!settingsPath.empty()) settings = gravlin::ReadWindowSettings(settingsPath, &warning);
    if (!warning.empty()) std::cerr << "Gravlin: " << warning << "\n";
    gravlin::SdlWindowOptions windowOptions;
    windowOptions.Windowed = windowed.value_or(!settings.FullScreen);
    windowOptions.Width = settings.Width;
    windowOptions.Height = settings.Height;
    windowOptions.X = settings.X;
    windowOptions.Y = settings.Y;
    // The player's own keys, where a controls file gives them.
    std::vector<std::string> problems;
    windowOptions.Keys = gravlin::ReadControls(gravlin::ControlsPath(), &problems);
    for (const auto& p : problems) std::cerr << "Gravlin: " << p << "\n";
    windowOptions.ControllerMappings = gravlin::ControllerMappingsPath();

    std::signal(SIGINT, RequestEnd);
    std::signal(SIGTERM, RequestEnd);

    gravlin::SdlWindow window(windowOptions);
    std::string error;
    if (!window.Open(&error)) {
        std::cerr << "Gravlin: " << error << "\n";
        return 1;
    }
    gravlin::TtfTextRenderer text;
    if (!text.Open(&error)) {
        std::cerr << "Gravlin: " << error << "\n";
        window.ShowError("Gravlin", error);
        return 1;
    }
    window.SetTextRenderer(&text);
    gravlin::GameAudio audio;
    if (!audio.OpenDevice()) std::cerr << "Gravlin: playing without sound: " << audio.SilentReason() << "\n";

    gravlin::TfrmMain form(window, audio, gravlin::ShellOptions{});
    form.FormCreate();
    gravlin::RunSdlMainLoop(
        window, form,
        [&] {
            if (form.TimerEnabled()) form.DXTimerTimer();
        },
        [&] { return !form.Terminated() && !endRequested; });

    if (!form.FatalError().empty()) {
        std::cerr << "Gravlin: " << form.FatalError() << "\n";
        window.ShowError("Gravlin cannot start", form.FatalError());
        form.FormDestroy();
        return 1;
    }
    form.FormDestroy();
    if (!settingsPath.empty() && !gravlin::WriteWindowSettings(settingsPath, window.CurrentSettings(), &error))
        std::cerr << "Gravlin: the window's size and place are not remembered: " << error << "\n";
    for (const auto& e : form.ShutdownErrors()) std::cerr << "Gravlin: " << e << "\n";
    return form.ShutdownErrors().empty() ? 0 : 1;
}
