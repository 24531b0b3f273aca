// The screens between start-up and play: title, help, main menu, player
// choice with name entry, and the level choice with its map preview.

#include "common/TextLists.h"
#include "shell/TfrmMain.h"

#include <cstdio>

namespace gravlin {

namespace {
constexpr Rgb CurrentNameColour{0, 255, 255};
constexpr Rgb OtherNameColour{0, 128, 0};
constexpr int NameTextSize = 10;
constexpr int MaxNameLength = 8;

// The level a progress list says the player is on (line 0), 1 when the line
// is missing or out of range.
int LevelFromProgress(const TextList& progress, int levelCount) {
    if (progress.empty()) return 1;
    auto n = ParseInt(progress[0]);
    if (!n || *n < 1 || *n > levelCount) return 1;
    return *n;
}
} // namespace

void TfrmMain::IntroFrame() {
    if (EnterScreen(StateIntro)) {
        if (!LoadPicture("All256Intro.DIB")) return;
        Music().SetVolume(0);
        if (!Music().IsPlaying()) Music().Play();
        EnterMenuScreen(false);
        MarkLoaded(StateIntro);
    }
    window_.FillBack();
    Blit(window_.Back(), 0, 0, SheetSurface, Rect{0, 0, 639, 479}, false);
    W.Keys->UpdateInput();
    if (W.Keys->Test(Input::InputEscape)) terminated_ = true;
}

void TfrmMain::HelpFrame() {
    if (EnterScreen(StateHelp)) {
        if (!LoadPicture("Help256.DIB")) return;
        Music().SetVolume(-500);
        EnterMenuScreen(false);
        MarkLoaded(StateHelp);
    }
    window_.FillBack();
    Blit(window_.Back(), 0, 0, SheetSurface, Rect{0, 0, 640, 480}, false);
    W.Keys->UpdateInput();
    if (W.Keys->Test(Input::InputEscape)) W.GameState = StateIntro;
}

void TfrmMain::MenuFrame() {
    if (EnterScreen(StateMenu)) {
        if (!LoadPicture("Userbits.DIB")) return;
        MenuChoice = 1;
        MenuCount = 3;
        InputDelay = 6;
        Music().SetVolume(-1000);
        if (!Music().IsPlaying()) Music().Play();
        EnterMenuScreen(true);
        MarkLoaded(StateMenu);
    }
    window_.FillBack();
    switch (MenuChoice) {
    case 1: MenuItemImage = {20, 7, 9}; break;
    case 2: MenuItemImage = {21, 6, 9}; break;
    default: MenuItemImage = {21, 7, 8}; break;
    }
    for (int i = 0; i < 3; ++i)
        Blit(window_.Back(), 220, 160 + 60 * i, SheetSurface, MenuImageRect(MenuItemImage[static_cast<std::size_t>(i)]),
             false);

    if (!ReadingFrame()) return;
    const Keyboard& keys = *W.Keys;
    if (keys.Test(Input::InputEscape)) {
        W.GameState = StateHelp;
    } else if (keys.Test(Input::InputFire1) || keys.Test(Input::InputFire2)) {
        if (MenuChoice == 1)
            W.GameState = StateLevelSelect;
        else if (MenuChoice == 2)
            W.GameState = StatePlayers;
        else
            terminated_ = true; // the window closes and the program ends
    } else if (keys.Test(Input::InputUp)) {
        MenuChoice = MenuChoice == 1 ? MenuCount : MenuChoice - 1;
    } else if (keys.Test(Input::InputDown)) {
        MenuChoice = MenuChoice == MenuCount ? 1 : MenuChoice + 1;
    }
}

// Steps 1 to 4 of the player switch; the level choice also reloads itself.
void TfrmMain::PlayerSwitch(bool fromLevelChoice, int newPlayer) {
    W.Lives = 0;
    StoreWorking(Players, CurrentPlayer);
    CurrentPlayer = newPlayer;
    LoadWorking(Players, CurrentPlayer);
    CurrentLevel = LevelFromProgress(Players.WorkingProgress, LevelCount);
    if (fromLevelChoice) ScreenLoaded[StateLevelSelect] = false;
}

void TfrmMain::PlayersFrame() {
    if (EnterScreen(StatePlayers)) {
        if (!LoadPicture("Userbits.DIB")) return;
        for (int p = 1; p <= 5; ++p)
            NameLength[static_cast<std::size_t>(p)] = static_cast<int>(
                static_cast<std::size_t>(p) < Players.Roster.size() ? Players.Roster[static_cast<std::size_t>(p)].size()
                                                                    : 0);
        InputDelay = 4;
        EnterMenuScreen(true);
        MarkLoaded(StatePlayers);
    }
    while (Players.Roster.size() < 6) Players.Roster.push_back("");

    window_.FillBack();
    Blit(window_.Back(), 220, 120, SheetSurface, Rect{200, 80, 400, 120}, false);
    TextCanvas canvas = window_.Canvas();
    canvas.SetSize(NameTextSize);
    for (int p = 1; p <= 5; ++p) {
        canvas.SetColour(p == CurrentPlayer ? CurrentNameColour : OtherNameColour);
        canvas.TextOut(284, 160 + 40 * p, Players.Roster[static_cast<std::size_t>(p)]);
    }

    if (!ReadingFrame()) return;
    const Keyboard& keys = *W.Keys;
    if (keys.Test(Input::InputEscape)) {
        W.GameState = StateMenu; // the typed keys stay pending
        return;
    }
    std::string& name = Players.Roster[static_cast<std::size_t>(CurrentPlayer)];
    int& length = NameLength[static_cast<std::size_t>(CurrentPlayer)];
    if (keys.Test(Input::InputDown)) {
        PlayerSwitch(false, CurrentPlayer == 5 ? 1 : CurrentPlayer + 1);
    } else if (keys.Test(Input::InputUp)) {
        PlayerSwitch(false, CurrentPlayer == 1 ? 5 : CurrentPlayer - 1);
    } else if (keys.Test(Input::InputErase)) {
        if (length > 0) {
            if (name.size() < static_cast<std::size_t>(length)) name.resize(static_cast<std::size_t>(length), ' ');
            name[static_cast<std::size_t>(length - 1)] = ' ';
            --length;
        }
    } else if (const std::uint16_t key = PendingKeys.Front(); length < MaxNameLength && key >= 65 && key <= 90) {
        ++length;
        if (name.size() < static_cast<std::size_t>(length)) name.resize(static_cast<std::size_t>(length), ' ');
        name[static_cast<std::size_t>(length - 1)] = static_cast<char>(key);
    }
    PendingKeys.Pop();
}

void TfrmMain::LevelSelectFrame() {
    if (EnterScreen(StateLevelSelect)) {
        CurrentLevel = LevelFromProgress(Players.WorkingProgress, LevelCount);
        ApplyOptions(Players, W.GameSpeed);
        if (!LoadPicture("VsAll256.DIB")) return;
        InputDelay = 3;
        Music().SetVolume(-1500);
        if (!Music().IsPlaying()) Music().Play();
        EnterMenuScreen(true);
        MarkLoaded(StateLevelSelect);
    }
    window_.FillBack();
    Surface& back = window_.Back();

    // a. The 70 level squares, five rows of 14.
    const TextList& progress = Players.WorkingProgress;
    for (int k = 1; k <= LevelCount; ++k) {
        int j = k - 1;
        int tile = 12;
        if (k == CurrentLevel)
            tile = 24;
        else if (k > 60)
            tile = 77;
        else if (static_cast<std::size_t>(k) < progress.size() && progress[static_cast<std::size_t>(k)] == "1")
            tile = 6;
        Blit(back, 114 + 30 * (j % 14), 300 + 30 * (j / 14), SheetSurface, TileRect(tile, TilesPerRow, 20), false);
    }

    // b. The preview, read again every frame. Why a level cannot be played
    // goes to standard error once, when it is chosen.
    std::string why;
    LevelPlayable = LoadLevelPreview(W, Levels, CurrentLevel, &why);
    if (!LevelPlayable && why != levelProblemShown_) std::fprintf(stderr, "Gravlin: %s\n", why.c_str());
    levelProblemShown_ = LevelPlayable ? std::string() : why;
    if (LevelPlayable) {
        for (int cell = 0; cell < MapCellCount; ++cell)
            Blit(back, 160 + 20 * CellColumn(cell), 40 + 20 * CellRow(cell), SheetSurface,
                 TileRect(W.Cells[static_cast<std::size_t>(cell)].Content, TilesPerRow, 20), false);
    } else {
        Blit(back, 176, 100, SheetSurface, Rect{0, 260, 288, 419}, false);
    }

    // c. to e. The labels, the level number, the key help and the title.
    Blit(back, 30, 80, SheetSurface, Rect{8, 188, 78, 212}, false);
    Blit(back, 520, 80, SheetSurface, Rect{200, 186, 286, 220}, false);
    DrawLevelNumber(Target(), CurrentLevel);
    Blit(back, 24, 456, SheetSurface, Rect{0, 434, 512, 450}, false);
    Blit(back, 204, 16, SheetSurface, Rect{354, 24, 568, 40}, false);

    // f. The current player's name, centred on x 560.
    TextCanvas canvas = window_.Canvas();
    canvas.SetColour(CurrentNameColour);
    canvas.SetSize(NameTextSize);
    const std::string name = static_cast<std::size_t>(CurrentPlayer) < Players.Roster.size()
                                 ? Players.Roster[static_cast<std::size_t>(CurrentPlayer)]
                                 : std::string();
    canvas.TextOut(560 - canvas.TextWidth(name) / 2, 120, name);

    if (!ReadingFrame()) return;
    const Keyboard& keys = *W.Keys;
    int& level = CurrentLevel;
    if (keys.Test(Input::InputEscape)) {
        W.GameState = StateHelp;
    } else if (keys.Test(Input::InputLeft)) {
        level = level == 1 ? LevelCount : level - 1;
    } else if (keys.Test(Input::InputRight)) {
        level = level == LevelCount ? 1 : level + 1;
    } else if (keys.Test(Input::InputUp)) {
        level = level > 14 ? level - 14 : level + 56;
    } else if (keys.Test(Input::InputDown)) {
        level = level > 56 ? level - 56 : level + 14;
    } else if (keys.Test(Input::InputNextPlayer)) {
        PlayerSwitch(true, CurrentPlayer == 5 ? 1 : CurrentPlayer + 1);
    }
}

} // namespace gravlin
