// Gravlin: the game. The main window's rules and screens run on the SDL
// window, the SDL2_mixer sound device and SDL2_ttf text.

#include "audio/sdl/GameAudio.h"
#include "presentation/WindowSettings.h"
#include "presentation/sdl/SdlWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"
#include "shell/TfrmMain.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>

namespace {

volatile std::sig_atomic_t endRequested = 0;

void RequestEnd(int) {
    endRequested = 1;
}

const char* const Usage = R"(usage: Gravlin [--window | --fullscreen]
  --window       play in a window this time (Alt+Enter switches at any time)
  --fullscreen   play full screen this time
The game starts as it was left: full screen or in a window of the same size
and place, as remembered in ~/.config/gravlin/settings.txt.
)";

} // namespace

int main(int argc, char** argv) {
    std::optional<bool> windowed;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            windowed = true;
        } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
            windowed = false;
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0;
            if (!help) std::cerr << "Gravlin: unknown option " << argv[i] << "\n";
            std::cerr << Usage;
            return help ? 0 : 2;
        }
    }
    // The window as it was left last time, unless the command line says.
    const std::string settingsPath = gravlin::WindowSettingsPath();
    if (!settingsPath.empty()) gravlin::RemoveStaleTemporaries(gravlin::UserConfigDir());
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
    // The window as it was left (a message box about a failed save would
    // take it out of full screen).
    const gravlin::WindowSettings left = window.CurrentSettings();
    form.FormDestroy();
    if (!settingsPath.empty() && !gravlin::WriteWindowSettings(settingsPath, left, &error))
        std::cerr << "Gravlin: the window's size and place are not remembered: " << error << "\n";
    return form.ShutdownErrors().empty() ? 0 : 1;
}
