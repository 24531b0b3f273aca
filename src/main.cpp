// Gravlin: the game. The main window's rules and screens run on the SDL
// window, the SDL2_mixer sound device and SDL2_ttf text.

#include "audio/sdl/GameAudio.h"
#include "presentation/sdl/SdlWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"
#include "shell/TfrmMain.h"

#include <csignal>
#include <cstring>
#include <iostream>

namespace {

volatile std::sig_atomic_t endRequested = 0;

void RequestEnd(int) { endRequested = 1; }

const char* const Usage = R"(usage: Gravlin [--window]
  --window   play in a window instead of full screen (Alt+Enter switches)
)";

} // namespace

int main(int argc, char** argv) {
    gravlin::SdlWindowOptions windowOptions;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            windowOptions.Windowed = true;
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0;
            if (!help) std::cerr << "Gravlin: unknown option " << argv[i] << "\n";
            std::cerr << Usage;
            return help ? 0 : 2;
        }
    }
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
    for (const auto& e : form.ShutdownErrors()) std::cerr << "Gravlin: " << e << "\n";
    return form.ShutdownErrors().empty() ? 0 : 1;
}
