// The player: reading the keys at each cell boundary, choosing the target
// cell (diagonals included), the step motion, the checks at a boundary, the
// death fall and the winning of a level.
#include "actors/Actors.h"

#include "actors/Grid.h"
#include "audio/SoundCues.h"
#include "presentation/Input.h"

#include <cstdlib>
#include <string>

namespace gravlin {

namespace {

bool Held(const World& w, Input input) { return w.Keys && w.Keys->Test(input); }

// Writes a line of a player's list, growing the list with "0" lines when it
// is too short; a negative line number writes nothing.
void SetLine(TextList& list, int line, const std::string& text) {
    if (line < 0) return;
    const std::size_t at = static_cast<std::size_t>(line);
    while (list.size() <= at) list.emplace_back("0");
    list[at] = text;
}

void LevelWon(World& w) {
    PlayerState& p = w.Player;
    if (Cell* c = CellRecord(w, p.PlayerCell)) c->Tile = c->Content = Book;
    w.GameState = StateLevelDone;
    w.PaceFrames = 8;
    w.PaceCounter = 99;
    if (w.Sound) w.Sound->PlayCheer();
    w.EndPhase = true;
    SetLine(w.WorkingProgress, w.CurrentLevel, "1");
    ++w.CurrentLevel;
    if (w.CurrentLevel > w.LevelCount) w.CurrentLevel = 1;
    SetLine(w.WorkingProgress, 0, std::to_string(w.CurrentLevel));
}

void SetPlayerSteps(World& w, StepPairId id) {
    w.Player.PlayerStepDX = w.Steps[id].DX;
    w.Player.PlayerStepDY = w.Steps[id].DY;
}

} // namespace

void PlayerTick(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerInTransit) return;
    if (p.PlayerReady && PlayerCheckCell(w)) ReadPlayerInput(w);
    if (p.PlayerDir == 0) return;

    ++p.PlayerStepIndex;
    if (p.PlayerStepIndex > 20) p.PlayerStepIndex = 1;
    const std::size_t s = static_cast<std::size_t>(p.PlayerStepIndex - 1);
    p.PlayerX += p.PlayerStepDX[s];
    p.PlayerY += p.PlayerStepDY[s];
    p.PlayerMoved += (p.PlayerDir == 3 || p.PlayerDir == 4) ? std::abs(p.PlayerStepDY[s]) : std::abs(p.PlayerStepDX[s]);
    // A step ends exactly at its 40 pixels. The death fall also ends once it
    // has gone past its length, so a fall whose length is not a whole number
    // of sub-steps still ends.
    if (p.PlayerMoved == p.PlayerMoveLength || (p.PlayerDying && p.PlayerMoved > p.PlayerMoveLength))
        PlayerArrive(w);
}

bool PlayerCheckCell(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerDying) return false;
    const Cell* c = CellRecord(w, p.PlayerCell);
    if (!c) return false;
    if (c->TeleportNo < 100) {
        StartTeleport(w);
        return false;
    }
    if (DeadlyToPlayer().Has(c->Content)) {
        PlayerDie(w);
        return false;
    }
    if (c->Content == BookOpen) {
        LevelWon(w);
        return false;
    }
    return true;
}

void ReadPlayerInput(World& w) {
    if (w.Keys) w.Keys->UpdateInput();
    if (Held(w, Input::InputEscape)) {
        // The player gives up: the life is lost.
        PlayerDie(w);
        return;
    }
    const bool left = Held(w, Input::InputLeft), right = Held(w, Input::InputRight);
    const bool up = Held(w, Input::InputUp), down = Held(w, Input::InputDown);
    std::uint8_t d = 0;
    if (left && down) d = 10;
    else if (left && up) d = 11;
    else if (right && down) d = 12;
    else if (right && up) d = 13;
    else if (right) d = 1;
    else if (left) d = 2;
    else if (up) d = 3;
    else if (down) d = 4;
    w.RequestedDir = d;

    if (d == 0) {
        int speed = 0;
        if (Held(w, Input::InputSpeed2)) speed = 2;
        else if (Held(w, Input::InputSpeed4)) speed = 4;
        else if (Held(w, Input::InputSpeed6)) speed = 6;
        if (speed != 0) {
            // The level starts afresh at the new speed on the next play frame.
            w.GameSpeed = speed;
            SetLine(w.WorkingOptions, 0, std::to_string(speed));
            w.ScreenLoaded[StatePlay] = false;
            return;
        }
    }
    if (w.RequestedDir != 0) w.RequestedDir = TryMove(w);
    CommitDir(w);
}

std::uint8_t TryMove(World& w) {
    const int c = w.Player.PlayerCell;
    auto straight = [&](std::uint8_t d, bool atEdge) -> std::uint8_t {
        const int t = NeighbourInDir(c, d);
        if (atEdge || !PlayerEnterable().Has(ContentAt(w, t))) return 0;
        return TryEnter(w, d, t, true);
    };
    switch (w.RequestedDir) {
    case 1: return straight(1, AtRightEdge(c));
    case 2: return straight(2, AtLeftEdge(c));
    case 3: return straight(3, AtTopEdge(c));
    case 4: return straight(4, AtBottomEdge(c));
    default: break;
    }

    const std::uint8_t code = w.RequestedDir;
    std::uint8_t hDir, vDir;
    bool hEdge, vEdge;
    switch (code) {
    case 10: hDir = 2; vDir = 4; hEdge = AtLeftEdge(c); vEdge = AtBottomEdge(c); break;
    case 11: hDir = 2; vDir = 3; hEdge = AtLeftEdge(c); vEdge = AtTopEdge(c); break;
    case 12: hDir = 1; vDir = 4; hEdge = AtRightEdge(c); vEdge = AtBottomEdge(c); break;
    case 13: hDir = 1; vDir = 3; hEdge = AtRightEdge(c); vEdge = AtTopEdge(c); break;
    default: return 0;
    }
    const int h = NeighbourInDir(c, hDir), v = NeighbourInDir(c, vDir), g = NeighbourInDir(c, code);
    const CodeSet& diagonal = PlayerDiagonalSet();
    const bool hOk = !hEdge && diagonal.Has(ContentAt(w, h));
    const bool vOk = !vEdge && diagonal.Has(ContentAt(w, v));
    const bool gOk = !hEdge && !vEdge && diagonal.Has(ContentAt(w, g));
    if (!hOk && !vOk) return 0;
    if (hOk && vOk && gOk) {
        // An L-shaped clearing: both side cells are dug or taken, not entered.
        TryEnter(w, hDir, h, false);
        TryEnter(w, vDir, v, false);
        return TryEnter(w, code, g, true);
    }
    return hOk ? TryEnter(w, hDir, h, true) : TryEnter(w, vDir, v, true);
}

void CommitDir(World& w) {
    PlayerState& p = w.Player;
    if (w.RequestedDir != 0) p.PlayerReady = false;
    if (w.RequestedDir == 1 && w.PlayerPushing) w.RequestedDir = 8;
    else if (w.RequestedDir == 2 && w.PlayerPushing) w.RequestedDir = 9;
    if (p.PlayerDir != w.RequestedDir) {
        p.PlayerAnimTicks = 0;
        if (p.PlayerDir != 0) p.PlayerPrevDir = p.PlayerDir;
        p.PlayerDir = w.RequestedDir;
        SetPlayerAnimation(w);
    }
}

void SetPlayerAnimation(World& w) {
    PlayerState& p = w.Player;
    const bool r = p.PlayerFacingRight;
    int first;
    int facing = -1; // -1 unchanged, 0 left, 1 right
    StepPairId steps = StepPairId::Count;
    switch (p.PlayerDir) {
    case 0: first = r ? 36 : 24; break;
    case 1: first = 36; facing = 1; steps = StepPairId::StepRight; break;
    case 2: first = 24; facing = 0; steps = StepPairId::StepLeft; break;
    case 3: first = r ? 36 : 24; steps = StepPairId::StepUp; break;
    case 4: first = r ? 40 : 32; steps = StepPairId::StepDown; break;
    case 8: first = 44; facing = 1; steps = StepPairId::StepRight; break;
    case 9: first = 28; facing = 0; steps = StepPairId::StepLeft; break;
    case 10: first = 32; facing = 0; steps = StepPairId::StepDownLeft; break;
    case 11: first = 24; facing = 0; steps = StepPairId::StepUpLeft; break;
    case 12: first = 40; facing = 1; steps = StepPairId::StepDownRight; break;
    case 13: first = 36; facing = 1; steps = StepPairId::StepUpRight; break;
    default: return;
    }
    p.PlayerFirstFrame = first;
    p.PlayerLastFrame = first + 3;
    p.PlayerFrame = first;
    if (facing >= 0) p.PlayerFacingRight = facing == 1;
    if (steps != StepPairId::Count) SetPlayerSteps(w, steps);
    p.PlayerStepIndex = 0;
}

void PlayerArrive(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerDir != 0) p.PlayerPrevDir = p.PlayerDir;
    p.PlayerReady = true;
    p.PlayerStepIndex = 0;
    if (p.PlayerPrevDir == 4) p.HeldRock = NoActor;
    p.PlayerMoved = 0;
    if (p.PlayerMoveLength == 40) return;
    // The death fall is over: the one life is gone and the game is over.
    if (w.Lives > 0) --w.Lives;
    w.GameOverPhase = 0;
    w.PaceCounter = 99;
    w.PaceFrames = 1;
    w.GameState = StateGameOver;
}

void PlayerDie(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerDying) return;
    p.PlayerDying = true;
    p.PlayerFirstFrame = 53;
    p.PlayerLastFrame = 61;
    p.PlayerFrame = 53;
    p.PlayerStepDX = w.Steps[StepPairId::StepDown].DX;
    p.PlayerStepDY = w.Steps[StepPairId::FlightDownRight].DY;
    p.PlayerStepIndex = 0;
    p.PlayerAnimDelay = 1;
    p.PlayerAnimTicks = 0;
    p.PlayerMoved = 0;
    p.PlayerDir = 4;
    // Down to the bottom of the screen; a length of 40 would read as the end
    // of an ordinary step.
    p.PlayerMoveLength = 480 - p.PlayerY;
    if (p.PlayerMoveLength == 40) p.PlayerMoveLength = 42;
    if (w.Sound) w.Sound->PlayManDie();
}

} // namespace gravlin
