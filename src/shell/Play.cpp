// Play and the two endings of a level as screens: the picture, the music and
// the player files around the rules' own level preparation, play frame,
// wipe and game over.

#include "actors/Actors.h"
#include "shell/TfrmMain.h"

namespace gravlin {

void TfrmMain::EnterPlay() {
    if (!LoadPicture("All256.DIB")) return;
    MarkLoaded(StatePlay);
    if (!PrepareLevel(W, Levels, CurrentLevel)) {
        // The level's data went missing since it was chosen: back to the choice.
        W.GameState = StateLevelSelect;
        return;
    }
    // The level a player is on is remembered.
    SetLine(Players.WorkingProgress, 0, std::to_string(CurrentLevel));
}

void TfrmMain::PlayFrame() {
    if (EnterScreen(StatePlay)) {
        EnterPlay();
        if (W.GameState != StatePlay || terminated_) return;
    }
    // The music dies away.
    if (Music().Volume() < -4999)
        Music().Stop();
    else
        Music().SetVolume(Music().Volume() - 10);
    window_.FillBack();
    DrawTarget target = Target();
    ApplyPlayReport(WorldPlayFrame(W, &target));
}

// What the player did in a play frame, applied at once, within the frame.
void TfrmMain::ApplyPlayReport(const PlayReport& report) {
    if (report.SpeedChosen != 0) {
        // The level starts afresh at the new speed on the next play frame.
        NoteSpeedChosen(Players.WorkingOptions, report.SpeedChosen);
        ScreenLoaded[StatePlay] = false;
    }
    if (report.LevelWon) {
        NoteLevelWon(Players.WorkingProgress, CurrentLevel, LevelCount);
        // A won level is kept at once, not only at a clean exit.
        SavePlayers();
    }
}

void TfrmMain::LevelDoneFrame() {
    window_.FillBack();
    DrawTarget target = Target();
    if (LevelDoneTick(W, &target)) W.GameState = StateLevelSelect;
}

void TfrmMain::GameOverFrame() {
    DrawTarget target = Target();
    if (GameOverTick(W, &target)) W.GameState = StateLevelSelect;
}

bool TfrmMain::StartLevelDirectly(int level, int speed, std::string* why) {
    // A level that cannot be played is refused here, before anything changes.
    auto codes = ReadLevel(Levels, level, why);
    if (!codes) return false;
    if (Levels.Override) {
        const std::string reason = UnplayableReason(*codes);
        if (!reason.empty()) {
            if (why) *why = reason;
            return false;
        }
    }
    CurrentLevel = level;
    W.GameSpeed = speed;
    NoteSpeedChosen(Players.WorkingOptions, speed);
    W.GameState = StatePlay;
    ScreenLoaded[StatePlay] = false;
    return true;
}

void TfrmMain::PlayLevelCodes(const LevelCodes& codes) {
    Levels.Override = codes;
}

} // namespace gravlin
