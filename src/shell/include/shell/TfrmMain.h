#pragma once
// The game's main window: start-up and shut-down, the state machine of
// screens and its frame handler, the screens and menus, the play frame and
// the level endings. It owns the World and drives everything through the
// window, keyboard and sound interfaces, so the same code runs on screen and
// headless.

#include "audio/AudioSystem.h"
#include "audio/SoundCues.h"
#include "presentation/Display.h"
#include "shell/PlayerFiles.h"
#include "world/LevelFiles.h"
#include "world/MapDrawing.h"
#include "world/World.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace gravlin {

struct ShellOptions {
    // The game folder (holding Surfaces/, maps/, Sounds/); empty means the
    // folder of the running program.
    std::string AppDir;
    // Folder of the player files; empty means the game folder when it is
    // writable, else the user's data folder. The player's own levels are in
    // its "maps" folder when it is given, else in the user's data folder's.
    std::string PlayerDir;
    // Seed of the random generator; none means the clock.
    std::optional<std::uint32_t> Seed;
    // A test play of one level (the game's --play): no player file is
    // written, and Escape ends the program at once.
    bool TestPlay = false;
};

// The keys typed on the name entry, oldest first: the key handler adds every
// key typed while the screen is loaded, and each of the screen's readings
// takes at most one, so keys typed faster than the screen reads are kept.
class TypedKeys {
  public:
    static constexpr std::size_t Capacity = 16;
    // Adds a key; a key typed while the queue is full is dropped.
    void Push(std::uint16_t key) {
        if (count_ < Capacity) keys_[(first_ + count_++) % Capacity] = key;
    }
    // The oldest key, 0 when none is waiting.
    std::uint16_t Front() const { return count_ ? keys_[first_] : 0; }
    void Pop() {
        if (!count_) return;
        first_ = (first_ + 1) % Capacity;
        --count_;
    }
    std::size_t Size() const { return count_; }

  private:
    std::array<std::uint16_t, Capacity> keys_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
};

// What the tools and tests read of the main window between frames.
struct ShellView {
    int GameState = StateIntro;
    int CurrentLevel = 1;
    int CurrentPlayer = 1;
    int GameSpeed = 4;
    int Lives = 0;
    bool LevelPlayable = false;
    int MenuChoice = 1;
    std::array<int, 3> MenuItemImage{};
    int InputDelay = 0;
    int InputCounter = 0;
    std::array<int, 6> NameLength{};
    // How many typed keys wait for the name entry, and the oldest (0: none).
    std::size_t KeysWaiting = 0;
    std::uint16_t PendingKey = 0;
    // Indexed by state value: whose entry actions ran.
    std::array<bool, 12> ScreenLoaded{};
};

class TfrmMain : public WindowEvents {
  public:
    TfrmMain(Window& window, AudioSystem& audio, ShellOptions options);

    // Window events.
    void FormCreate();
    void FormActivate() override;
    void DXDrawInitialize() override;
    void DXDrawRestoreSurface() override;
    void DXDrawFinalize() override;
    void DXTimerTimer();
    void FormKeyDown(std::uint16_t key) override;
    void FormCloseRequest() override;
    void FormDestroy();

    // Whether the program is to end (title Escape, menu quit, window closed,
    // a fatal start-up error).
    bool Terminated() const { return terminated_; }
    // A start-up error that ends the program (file and reason), or empty.
    const std::string& FatalError() const { return fatalError_; }
    // The files the last save could not write (after FormDestroy, those of
    // the save at shut-down, which are also shown through ShowError).
    const std::vector<std::string>& ShutdownErrors() const { return shutdownErrors_; }
    // Whether the frame timer runs (the display is set up).
    bool TimerEnabled() const { return timerEnabled_; }
    // Whether a test play ended by Escape while the level was being played.
    bool GaveUp() const { return gaveUp_; }

    // Starts play directly on a level (the replay runner's --level), or on
    // a level given as its codes, which then stands for every level number
    // (the replay runner's --map). False, with `why`, and nothing changed,
    // when the level cannot be played.
    bool StartLevelDirectly(int level, int speed, std::string* why);
    void PlayLevelCodes(const LevelCodes& codes);

    // The shell's state, the World of the rules, the players' names and the
    // picture the screens draw from.
    ShellView View() const;
    const World& GameWorld() const { return W; }
    const TextList& Roster() const { return Players.Roster; }
    const Surface& Sheet() const { return SheetSurface; }

  private:
    // Tests set up and look into the window's state through this.
    friend struct ShellTestAccess;

    // State handlers.
    void IntroFrame();
    void HelpFrame();
    void MenuFrame();
    void PlayersFrame();
    void LevelSelectFrame();
    void PlayFrame();
    void LevelDoneFrame();
    void GameOverFrame();

    bool EnterScreen(int state);
    void MarkLoaded(int state);
    void EnterMenuScreen(bool paced);
    bool LoadPicture(const std::string& name);
    void Fatal(const std::string& message);
    bool ReadingFrame();
    void EnterPlay();
    void PlayerSwitch(bool fromLevelChoice, int newPlayer);
    void ApplyPlayReport(const PlayReport& report);
    bool SavePlayers();
    DrawTarget Target();
    MusicStream& Music() { return audio_.Music(); }

    // The shell's state. Names as the game's design gives them.
    World W;
    LevelStore Levels;
    PlayerFiles Players;
    SoundCues Cues;
    Surface SheetSurface;
    bool SheetExists = false;
    int TilesPerRow = 16;
    int InputDelay = 4;
    int InputCounter = 0;
    std::array<int, 6> NameLength{};
    int MenuChoice = 1;
    int MenuCount = 3;
    std::array<int, 3> MenuItemImage{20, 7, 9};
    // The keys typed on the name entry; the oldest is the pending key.
    TypedKeys PendingKeys;
    int CurrentPlayer = 1;
    int CurrentLevel = 1;
    int LevelCount = LevelCountFixed;
    bool LevelPlayable = false;
    // One flag per state (indexed by state value) whose entry actions ran.
    std::array<bool, 12> ScreenLoaded{};
    std::string AppDir, SurfacesDir, MapsDir, SoundsDir;

    Window& window_;
    AudioSystem& audio_;
    ShellOptions options_;

    bool firstActivation_ = false;
    bool playerFilesLoaded_ = false;
    bool timerEnabled_ = false;
    bool destroyed_ = false;
    bool started_ = false;
    bool terminated_ = false;
    bool gaveUp_ = false;
    std::string fatalError_;
    // Why the level chosen last cannot be played, as said on standard error.
    std::string levelProblemShown_;
    std::vector<std::string> shutdownErrors_;
};

// The source rectangle of image n on the menu picture (200 by 40, three a row).
Rect MenuImageRect(int n);

} // namespace gravlin
