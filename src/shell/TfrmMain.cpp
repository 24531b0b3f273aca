#include "shell/TfrmMain.h"

#include "actors/Actors.h"
#include "common/Files.h"
#include "common/StartupTrace.h"
#include "presentation/Bmp.h"

#include <chrono>
#include <cstdio>

namespace gravlin {

namespace {
// Every picture the game shows; all are checked at start-up so that a
// missing one is reported before the game starts, not in the middle of it.
const char* const Pictures[] = {"All256Intro.DIB", "Help256.DIB", "Userbits.DIB", "VsAll256.DIB", "All256.DIB"};
} // namespace

TfrmMain::TfrmMain(Window& window, AudioSystem& audio, ShellOptions options)
    : window_(window), audio_(audio), options_(std::move(options)) {
    W.Sound = &Cues;
    W.Keys = &window_.Keys();
}

void TfrmMain::FormCreate() {
    firstActivation_ = true;
}

void TfrmMain::Fatal(const std::string& message) {
    if (fatalError_.empty()) fatalError_ = message;
    terminated_ = true;
}

void TfrmMain::FormActivate() {
    if (!firstActivation_) return;
    firstActivation_ = false;

    // 1. Start values.
    LevelCount = LevelCountFixed;
    W.Lives = 0;
    W.ExplosionToggle = true;
    ScreenLoaded.fill(false);
    Cues.MonsterStepCueEvery = 3;
    Cues.MonsterStepCount = 99;
    W.GameState = StateIntro;

    // 2. The program's folder and its two data folders.
    AppDir = options_.AppDir.empty() ? ExecutableDir() : options_.AppDir;
    SurfacesDir = JoinPath(AppDir, "Surfaces/");
    MapsDir = JoinPath(AppDir, "maps/");
    SoundsDir = JoinPath(AppDir, "Sounds/");

    // 3. The tile sheet's header.
    std::string error;
    auto header = ReadTileSheetHeader(SurfacesDir + "All256.hdr", &error);
    if (!header) return Fatal(error);
    TilesPerRow = header->TilesPerRow;
    TraceStartup("tile sheet header read");

    // 4. The level lists.
    Levels = LevelStore{};
    Levels.MapsDir = MapsDir;
    Levels.UserMapsDir = PlayerLevelFolder(options_.PlayerDir);

    // 5. The sound library and the cue volumes.
    if (!audio_.LoadSoundLibrary(SoundsDir + "Soundlib.dxw", &error)) return Fatal(error);
    Cues.SetWaves(&audio_.Waves());
    Cues.LoadCueVolumes();
    TraceStartup("sound library loaded");

    // 6. The roster.
    if (options_.PlayerDir.empty()) {
        Players = PlayerFilesFor(AppDir);
        if (Players.Dir != AppDir)
            std::fprintf(stderr, "Gravlin: %s cannot be written: player files are kept in %s\n", AppDir.c_str(),
                         Players.Dir.c_str());
    } else {
        Players = PlayerFiles{};
        Players.Dir = options_.PlayerDir;
    }
    // What saves killed half-way left behind, in the folders the game writes.
    for (const std::string& dir : {Players.Dir, MapsDir})
        for (const std::string& path : RemoveStaleTemporaries(dir))
            std::fprintf(stderr, "Gravlin: removed %s, left by a save that was cut off\n", path.c_str());
    ReadRoster(Players, CurrentPlayer);

    // 7. The player files, the current player's lists, the options.
    LoadPlayerFiles(Players);
    for (const std::string& repair : Players.Repairs) std::fprintf(stderr, "Gravlin: %s\n", repair.c_str());
    LoadWorking(Players, CurrentPlayer);
    ApplyOptions(Players, W.GameSpeed);
    playerFilesLoaded_ = true;
    TraceStartup("player files read");

    // 9. Menu pacing.
    InputDelay = 4;
    InputCounter = 0;

    // 10. The built-in levels.
    LoadBuiltInMaps(Levels);
    if (!Levels.BuiltInMapsProblem.empty()) std::fprintf(stderr, "Gravlin: %s\n", Levels.BuiltInMapsProblem.c_str());
    if (!Levels.RebuildWriteError.empty())
        std::fprintf(stderr, "Gravlin: the rebuilt built-in levels are not saved: %s\n",
                     Levels.RebuildWriteError.c_str());
    TraceStartup("built-in levels read");

    // 11. The display; first make sure every picture can be read.
    for (const char* name : Pictures)
        if (!ReadBmpFile(SurfacesDir + name, &error)) return Fatal(error);
    TraceStartup("pictures checked");
    if (!window_.SetupDisplay(*this, &error)) return Fatal(error);
    timerEnabled_ = true;
    TraceStartup("display set up");

    // 12. The music, then the random seed.
    std::string warning;
    if (!audio_.OpenMusic(SoundsDir + "Bass2.wav", &error, &warning)) return Fatal(error);
    if (!warning.empty()) std::fprintf(stderr, "Gravlin: %s\n", warning.c_str());
    TraceStartup("music opened");
    if (options_.Seed) {
        W.Rng.Seed = *options_.Seed;
    } else {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        W.Rng.Seed = static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    started_ = true;
}

void TfrmMain::DXDrawInitialize() {
    if (!SheetExists) {
        SheetSurface.Resize(ScreenWidth, ScreenHeight);
        SheetExists = true;
    }
    // The keyboard brings its key map: the built-in one or the player's own.
}

void TfrmMain::DXDrawRestoreSurface() {
    SheetSurface.Resize(ScreenWidth, ScreenHeight);
    SheetExists = true;
    switch (W.GameState) {
    case StateIntro: LoadPicture("All256Intro.DIB"); break;
    case StateHelp: LoadPicture("Help256.DIB"); break;
    case StateLevelSelect: LoadPicture("VsAll256.DIB"); break;
    case StatePlay: LoadPicture("All256.DIB"); break;
    default: break;
    }
}

void TfrmMain::DXDrawFinalize() {
    timerEnabled_ = false;
    SheetSurface = Surface{};
    SheetExists = false;
}

bool TfrmMain::LoadPicture(const std::string& name) {
    std::string error;
    if (!SheetExists) SheetSurface.Resize(ScreenWidth, ScreenHeight), SheetExists = true;
    if (LoadScreenPicture(window_, SheetSurface, SurfacesDir, name, &error)) return true;
    Fatal(error);
    return false;
}

void TfrmMain::DXTimerTimer() {
    window_.PumpMessages(*this);
    if (terminated_ || !started_) return;
    if (!window_.CanDraw(*this)) return;
    switch (W.GameState) {
    case StateIntro: IntroFrame(); break;
    case StateHelp: HelpFrame(); break;
    case StateMenu: MenuFrame(); break;
    case StatePlayers: PlayersFrame(); break;
    case StateLevelSelect: LevelSelectFrame(); break;
    case StatePlay: PlayFrame(); break;
    case StateLevelDone: LevelDoneFrame(); break;
    case StateGameOver: GameOverFrame(); break;
    default: break;
    }
    window_.Flip();
}

void TfrmMain::FormKeyDown(std::uint16_t key) {
    if (options_.TestPlay && key == 27) {
        // A test play ends at once: the level is given up unless it was
        // already won or lost.
        gaveUp_ = W.GameState == StatePlay && !W.Player.PlayerDying;
        terminated_ = true;
        return;
    }
    if (ScreenLoaded[StatePlayers]) PendingKeys.Push(key);
    if (key == 27) {
        if (W.GameState == StateLevelDone) W.GameState = StateLevelSelect;
    } else if (key == 13 || key == 32) {
        if (W.GameState == StateIntro)
            W.GameState = StateHelp;
        else if (W.GameState == StateHelp)
            W.GameState = StateMenu;
        else if (W.GameState == StateLevelSelect && LevelPlayable)
            W.GameState = StatePlay;
    }
}

void TfrmMain::FormCloseRequest() {
    terminated_ = true;
}

bool TfrmMain::SavePlayers() {
    if (!playerFilesLoaded_ || options_.TestPlay) return true;
    std::vector<std::string> errors;
    std::string error;
    if (Players.Roster.empty()) Players.Roster.push_back("1");
    Players.Roster[0] = std::to_string(CurrentPlayer);
    if (!SaveRoster(Players, CurrentPlayer, &error)) errors.push_back(error);
    SavePlayerFiles(Players, CurrentPlayer, &errors);
    // Said at once: after a won level the game goes on, and a later save
    // may never come.
    for (const std::string& e : errors) std::fprintf(stderr, "Gravlin: not saved: %s\n", e.c_str());
    shutdownErrors_ = std::move(errors);
    return shutdownErrors_.empty();
}

void TfrmMain::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    if (Music().IsPlaying()) Music().Stop();
    audio_.Close();
    // Player files are written only when they were read: a start-up that
    // failed before reading them must not replace them with defaults.
    SavePlayers();
    window_.Finalize(*this);
    // What is lost is shown where the player sees it (a message box where
    // there is a display), not only on standard error.
    if (!shutdownErrors_.empty()) {
        std::string message = "The players' names and progress could not all be saved. Not written:\n";
        for (const std::string& e : shutdownErrors_) message += "\n" + e;
        window_.ShowError("Gravlin could not save", message);
    }
}

bool TfrmMain::EnterScreen(int state) {
    return !ScreenLoaded[static_cast<std::size_t>(state)];
}

void TfrmMain::MarkLoaded(int state) {
    for (int s : {StateIntro, StateHelp, StateMenu, StatePlayers, StateLevelSelect, StatePlay})
        ScreenLoaded[static_cast<std::size_t>(s)] = false;
    ScreenLoaded[static_cast<std::size_t>(state)] = true;
}

// Entry of the title, help, menu, player and level choice screens: the
// Escape that brought the player here (still held) does not act again on this
// screen; it must be let go and pressed anew. The paced screens count taps
// from their entry on.
void TfrmMain::EnterMenuScreen(bool paced) {
    W.Keys->IgnoreWhileHeld(Input::InputEscape);
    if (paced) W.Keys->ForgetTaps();
}

// The menus read the keyboard only every InputDelay + 1 frames; a key tapped
// between two readings still counts at the next one.
bool TfrmMain::ReadingFrame() {
    ++InputCounter;
    if (InputCounter <= InputDelay) return false;
    InputCounter = 0;
    W.Keys->UpdateInputCountingTaps();
    return true;
}

DrawTarget TfrmMain::Target() {
    return DrawTarget{window_.Back(), SheetSurface, TilesPerRow};
}

ShellView TfrmMain::View() const {
    ShellView v;
    v.GameState = W.GameState;
    v.CurrentLevel = CurrentLevel;
    v.CurrentPlayer = CurrentPlayer;
    v.GameSpeed = W.GameSpeed;
    v.Lives = W.Lives;
    v.LevelPlayable = LevelPlayable;
    v.MenuChoice = MenuChoice;
    v.MenuItemImage = MenuItemImage;
    v.InputDelay = InputDelay;
    v.InputCounter = InputCounter;
    v.NameLength = NameLength;
    v.KeysWaiting = PendingKeys.Size();
    v.PendingKey = PendingKeys.Front();
    v.ScreenLoaded = ScreenLoaded;
    return v;
}

Rect MenuImageRect(int n) {
    int left = 200 * (n % 3), top = 40 * (n / 3);
    return Rect{left, top, left + 200, top + 40};
}

} // namespace gravlin
