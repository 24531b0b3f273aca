#include "Replay.h"

#include "audio/silent/SilentAudio.h"
#include "common/Files.h"
#include "presentation/Bmp.h"
#include "presentation/Png.h"
#include "presentation/headless/HeadlessWindow.h"
#include "presentation/sdl/TtfTextRenderer.h"
#include "shell/TfrmMain.h"

#include <cstdlib>
#include <sstream>

namespace gravlin {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

ReplayState StateOf(const TfrmMain& form, const SilentWaves& waves, int frames) {
    ReplayState state;
    const World& w = form.GameWorld();
    state.Frame = frames;
    state.Shell = form.View();
    state.CollectedCount = w.CollectedCount;
    state.DiamondTarget = w.DiamondTarget;
    state.EndPhase = w.EndPhase;
    state.BookCell = w.BookCell;
    state.ActorCount = w.ActorCount;
    state.Player = w.Player;
    for (int i = 0; i < MapCellCount; ++i) {
        state.Content[static_cast<std::size_t>(i)] = w.Cells[static_cast<std::size_t>(i)].Content;
        state.Tile[static_cast<std::size_t>(i)] = w.Cells[static_cast<std::size_t>(i)].Tile;
    }
    state.Cues = waves.Played;
    return state;
}

} // namespace

ReplayResult RunReplay(const ReplayOptions& options) {
    ReplayResult result;
    HeadlessWindow window;
    // Names are drawn as on screen; without the font they are left out.
    TtfTextRenderer text;
    std::string fontError;
    if (text.Open(&fontError)) window.SetTextRenderer(&text);
    SilentAudio audio;
    int frame = 0;
    audio.waves.FrameCounter = &frame;

    ShellOptions shell;
    shell.AppDir = options.DataDir;
    shell.PlayerDir = options.HomeDir;
    shell.Seed = options.Seed;
    TfrmMain form(window, audio, shell);
    form.FormCreate();
    window.PumpMessages(form); // the first activation runs the start-up
    if (form.Terminated()) {
        result.Error = form.FatalError().empty() ? "the game ended during start-up" : form.FatalError();
        return result;
    }
    if (!options.MapFile.empty()) {
        auto codes = ReadLevelFile(options.MapFile, &result.Error);
        if (!codes) return result;
        form.PlayLevelCodes(*codes);
    }
    if (options.Level || !options.MapFile.empty()) {
        std::string why;
        if (!form.StartLevelDirectly(options.Level.value_or(1), options.Speed, &why)) {
            result.Error = options.MapFile.empty() ? why : options.MapFile + ": " + why;
            return result;
        }
    }

    int lastEvent = options.Script.empty() ? 0 : options.Script.back().Frame;
    std::size_t next = 0;
    bool won = false, lost = false;
    for (frame = 0;; ++frame) {
        if (options.Frames && frame >= *options.Frames) break;
        if (!options.Frames && (won || lost || frame > lastEvent + 600)) break;
        while (next < options.Script.size() && options.Script[next].Frame == frame) {
            const ScriptEvent& e = options.Script[next++];
            switch (e.What) {
            case ScriptEvent::Kind::Key: e.Down ? window.KeyDown(e.Which) : window.KeyUp(e.Which); break;
            case ScriptEvent::Kind::Button:
                e.Down ? window.PadDown(e.Pad, e.Button) : window.PadUp(e.Pad, e.Button);
                break;
            case ScriptEvent::Kind::Stick: window.PadStick(e.Pad, e.Axis, e.Value); break;
            case ScriptEvent::Kind::Unplug: window.PadUnplug(e.Pad); break;
            }
        }
        form.DXTimerTimer();
        const int state = form.GameWorld().GameState;
        if (state == StateLevelDone) won = true;
        if (state == StateGameOver) lost = true;
        for (const auto& [at, path] : options.Dumps) {
            if (at != frame) continue;
            std::string error;
            bool ok = EndsWith(path, ".png") ? WritePngFile(path, window.Back(), window.CurrentPalette(), &error)
                                             : WriteBmpFile(path, window.Back(), window.CurrentPalette(), &error);
            if (!ok) result.Error = error;
        }
        if (form.Terminated()) {
            ++frame;
            break;
        }
    }
    result.Frames = frame;
    result.Outcome = won ? ReplayOutcome::Won : (lost ? ReplayOutcome::Lost : ReplayOutcome::Playing);
    if (!form.FatalError().empty()) result.Error = form.FatalError();
    form.FormDestroy();
    // Progress that could not be kept is a failed run, like bad input.
    if (result.Error.empty() && !form.ShutdownErrors().empty()) {
        result.Error = "the player files could not be saved:";
        for (const std::string& e : form.ShutdownErrors()) result.Error += "\n  " + e;
    }
    if (options.State) result.State = StateOf(form, audio.waves, frame);
    return result;
}

bool ParseReplayArguments(int argc, char** argv, ReplayOptions& o, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    std::string scriptPath;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        auto number = [&](const std::string& text, long min, long max, long& out) {
            auto n = ParseInt(text);
            if (!n || *n < min || *n > max) return false;
            out = *n;
            return true;
        };
        std::string v;
        long n = 0;
        if (a == "--data") {
            if (!value(o.DataDir)) return fail("--data needs a folder");
        } else if (a == "--home") {
            if (!value(o.HomeDir)) return fail("--home needs a folder");
        } else if (a == "--level") {
            if (!value(v) || !number(v, 1, 999, n)) return fail("--level needs a level number from 1");
            o.Level = static_cast<int>(n);
        } else if (a == "--map") {
            if (!value(o.MapFile)) return fail("--map needs a level file");
        } else if (a == "--speed") {
            if (!value(v) || !number(v, 2, 6, n) || n % 2 != 0) return fail("--speed must be 2, 4 or 6");
            o.Speed = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!value(v)) return fail("--seed needs a number");
            char* end = nullptr;
            unsigned long long s = std::strtoull(v.c_str(), &end, 10);
            if (v.empty() || *end != '\0' || s > 0xffffffffULL)
                return fail("--seed needs a number from 0 to 4294967295");
            o.Seed = static_cast<std::uint32_t>(s);
        } else if (a == "--frames") {
            if (!value(v) || !number(v, 0, 100000000, n)) return fail("--frames needs a number of frames");
            o.Frames = static_cast<int>(n);
        } else if (a == "--dump") {
            if (!value(v)) return fail("--dump needs F:PATH");
            auto colon = v.find(':');
            if (colon == std::string::npos || !number(v.substr(0, colon), 0, 100000000, n) || colon + 1 >= v.size())
                return fail("--dump needs F:PATH, got \"" + v + "\"");
            o.Dumps.emplace_back(static_cast<int>(n), v.substr(colon + 1));
        } else if (a == "--state") {
            o.State = true;
        } else if (a == "--expect") {
            if (!value(o.Expect) || (o.Expect != "won" && o.Expect != "lost" && o.Expect != "playing"))
                return fail("--expect needs won, lost or playing");
        } else if (a == "--help" || a == "-h") {
            return fail("usage");
        } else if (!a.empty() && a[0] == '-') {
            return fail("unknown option \"" + a + "\"");
        } else if (scriptPath.empty()) {
            scriptPath = a;
        } else {
            return fail("only one script may be given (\"" + a + "\")");
        }
    }
    if (o.Level && !o.MapFile.empty()) return fail("--level and --map cannot be used together");
    if (o.DataDir.empty()) o.DataDir = ExecutableDir();
    std::string why;
    if (!o.MapFile.empty() && !ReadWholeFile(o.MapFile, SmallFileLimit, &why)) return fail(why);
    if (!scriptPath.empty()) {
        auto text = ReadWholeFile(scriptPath, ScriptFileLimit, &why);
        if (!text) return fail(why);
        auto events = ParseReplayScript(*text, &why);
        if (!events) return fail(scriptPath + ": " + why);
        o.Script = std::move(*events);
    }
    return true;
}

} // namespace gravlin
