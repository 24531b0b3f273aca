// Gravlin: the game. The main window's rules and screens run on the SDL
// window, the SDL2_mixer sound device and SDL2_ttf text.

#include "audio/sdl/GameAudio.h"
#include "common/Files.h"
#include "common/StartupTrace.h"
#include "presentation/Controls.h"
#include "presentation/WindowSettings.h"
#include "presentation/sdl/SdlWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"
#include "shell/TestPlay.h"
#include "shell/TfrmMain.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t endRequested = 0;

void RequestEnd(int) {
    endRequested = 1;
}

const char* const Usage = R"(usage: Gravlin [--window | --fullscreen] [--play FILE [--watch SCRIPT]] [--write-controls]
  --window          play in a window this time (Alt+Enter switches at any time)
  --fullscreen      play full screen this time
  --play FILE       try the level in FILE: play starts on it at speed 4, no player
                    file is written, and the game ends when the level is won, lost
                    or given up (Escape); exit status 0 won, 3 lost, 4 given up,
                    5 the window was closed first
  --watch SCRIPT    with --play: play the replay script's key events (seed 1, as
                    gravlin-solve and gravlin-replay play it); Escape stops
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
    gravlin::TraceStartup("main entered");
    std::optional<bool> windowed;
    std::string playFile, watchFile;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--window") == 0) {
            windowed = true;
        } else if (std::strcmp(argv[i], "--fullscreen") == 0) {
            windowed = false;
        } else if (std::strcmp(argv[i], "--write-controls") == 0) {
            return WriteControls();
        } else if (std::strcmp(argv[i], "--play") == 0 && i + 1 < argc) {
            playFile = argv[++i];
        } else if (std::strcmp(argv[i], "--watch") == 0 && i + 1 < argc) {
            watchFile = argv[++i];
        } else {
            const bool help = std::strcmp(argv[i], "--help") == 0;
            if (!help) std::cerr << "Gravlin: unknown option " << argv[i] << "\n";
            std::cerr << Usage;
            return help ? 0 : 2;
        }
    }
    // A level to try, and the key events to play on it.
    std::optional<gravlin::TestPlay> test;
    std::optional<gravlin::LevelCodes> testLevel;
    std::vector<gravlin::ScriptEvent> testScript;
    if (!watchFile.empty() && playFile.empty()) {
        std::cerr << "Gravlin: --watch needs --play\n" << Usage;
        return 2;
    }
    if (!playFile.empty()) {
        std::string why;
        testLevel = gravlin::ReadLevelFile(playFile, &why);
        if (testLevel) why = gravlin::UnplayableReason(*testLevel);
        if (!testLevel || !why.empty()) {
            std::cerr << "Gravlin: " << (testLevel ? playFile + " cannot be played: " + why : why) << "\n";
            return 2;
        }
        if (!watchFile.empty()) {
            auto text = gravlin::ReadWholeFile(watchFile, gravlin::ScriptFileLimit, &why);
            auto events = text ? gravlin::ParseReplayScript(*text, &why) : std::nullopt;
            if (!events) {
                std::cerr << "Gravlin: " << (text ? watchFile + ": " : std::string()) << why << "\n";
                return 2;
            }
            testScript = std::move(*events);
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
    if (testLevel) {
        windowOptions.Title = watchFile.empty() ? "Gravlin - test play" : "Gravlin - watching a solution";
        windowOptions.ScriptedKeys = !watchFile.empty();
    }
    // The player's own keys, where a controls file gives them; a watched
    // script's keys are the game's own, as the replay runner plays them.
    if (watchFile.empty()) {
        std::vector<std::string> problems;
        windowOptions.Keys = gravlin::ReadControls(gravlin::ControlsPath(), &problems);
        for (const auto& p : problems) std::cerr << "Gravlin: " << p << "\n";
    }
    windowOptions.ControllerMappings = gravlin::ControllerMappingsPath();

    std::signal(SIGINT, RequestEnd);
    std::signal(SIGTERM, RequestEnd);

    gravlin::SdlWindow window(windowOptions);
    std::string error;
    gravlin::TraceStartup("settings and controls read");
    if (!window.Open(&error)) {
        std::cerr << "Gravlin: " << error << "\n";
        return 1;
    }
    gravlin::TraceStartup("window open");
    gravlin::TtfTextRenderer text;
    if (!text.Open(&error)) {
        std::cerr << "Gravlin: " << error << "\n";
        window.ShowError("Gravlin", error);
        return 1;
    }
    window.SetTextRenderer(&text);
    gravlin::TraceStartup("font opened");
    gravlin::GameAudio audio;
    if (!audio.OpenDevice()) std::cerr << "Gravlin: playing without sound: " << audio.SilentReason() << "\n";
    gravlin::TraceStartup("sound device opened");

    gravlin::ShellOptions shellOptions;
    if (testLevel) {
        shellOptions.TestPlay = true;
        // A watched solution is played with the seed it was found with.
        if (!watchFile.empty()) shellOptions.Seed = 1;
    }
    gravlin::TfrmMain form(window, audio, shellOptions);
    form.FormCreate();
    gravlin::RunSdlMainLoop(
        window, form,
        [&] {
            if (!form.TimerEnabled()) return;
            if (!testLevel) return form.DXTimerTimer();
            if (!test) test.emplace(form, *testLevel, std::move(testScript));
            test->Frame([&](const gravlin::ScriptEvent& e) {
                if (e.What == gravlin::ScriptEvent::Kind::Key) window.QueueKey(e.Which, e.Down);
            });
        },
        [&] { return !form.Terminated() && !endRequested && !(test && test->Ended()); });

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
    // A test play leaves the game's own settings as they were.
    if (test) return gravlin::TestPlayExitStatus(test->End());
    if (testLevel) return gravlin::TestPlayExitStatus(gravlin::TestPlayEnd::Closed);
    if (!settingsPath.empty() && !gravlin::WriteWindowSettings(settingsPath, left, &error))
        std::cerr << "Gravlin: the window's size and place are not remembered: " << error << "\n";
    return form.ShutdownErrors().empty() ? 0 : 1;
}
