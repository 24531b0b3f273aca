// The player: reading the keys at each cell boundary, choosing the target
// cell (diagonals included), the step motion, the checks at a boundary, the
// death fall and the winning of a level.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"
#include "presentation/Input.h"
#include "world/Frames.h"

#include <cstdlib>

namespace gravlin {

namespace {

bool Held(const World& w, Input input) {
    return w.Keys && w.Keys->Test(input);
}

void LevelWon(World& w) {
    PlayerState& p = w.Player;
    if (Cell* c = CellRecord(w, p.PlayerCell)) c->Tile = c->Content = Book;
    w.GameState = StateLevelDone;
    w.PaceFrames = 8;
    w.PaceCounter = 99;
    if (w.Sound) w.Sound->PlayCheer();
    w.EndPhase = true;
    w.Report.LevelWon = true;
}

// The direction the held arrow inputs ask for. With opposite keys held
// together, left wins over right and down over up in a diagonal, but right
// wins over left and up over down in a straight move.
Dir HeldDirection(bool left, bool right, bool up, bool down) {
    if ((left || right) && (up || down)) return Towards(left ? -1 : 1, down ? 1 : -1);
    if (left || right) return right ? Dir::Right : Dir::Left;
    if (up || down) return up ? Dir::Up : Dir::Down;
    return Dir::Rest;
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
    if (p.PlayerDir == Dir::Rest) return;

    ++p.PlayerStepIndex;
    if (p.PlayerStepIndex > 20) p.PlayerStepIndex = 1;
    const std::size_t s = static_cast<std::size_t>(p.PlayerStepIndex - 1);
    p.PlayerX += p.PlayerStepDX[s];
    p.PlayerY += p.PlayerStepDY[s];
    p.PlayerMoved += MovesVertically(p.PlayerDir) ? std::abs(p.PlayerStepDY[s]) : std::abs(p.PlayerStepDX[s]);
    // A step ends exactly at its 40 pixels. The death fall also ends once it
    // has gone past its length, so a fall whose length is not a whole number
    // of sub-steps still ends.
    if (p.PlayerMoved == p.PlayerMoveLength || (p.PlayerDying && p.PlayerMoved > p.PlayerMoveLength)) PlayerArrive(w);
}

namespace {

// What the cell the player has arrived in does to it.
enum class Arrival { Nothing, Teleport, Death, Win, Input };

Arrival ArrivalAt(const World& w) {
    const PlayerState& p = w.Player;
    if (p.PlayerDying || !InMap(p.PlayerCell)) return Arrival::Nothing;
    const Cell& c = w.Cells[static_cast<std::size_t>(p.PlayerCell)];
    if (c.TeleportNo < 100) return Arrival::Teleport;
    if (DeadlyToPlayer().Has(c.Content)) return Arrival::Death;
    if (c.Content == BookOpen) return Arrival::Win;
    return Arrival::Input;
}

} // namespace

bool PlayerCheckCell(World& w) {
    switch (ArrivalAt(w)) {
    case Arrival::Teleport: StartTeleport(w); return false;
    case Arrival::Death: PlayerDie(w); return false;
    case Arrival::Win: LevelWon(w); return false;
    case Arrival::Input: return true;
    default: return false;
    }
}

bool PlayerTakesInputNext(const World& w) {
    const PlayerState& p = w.Player;
    return w.GameState == StatePlay && !p.PlayerInTransit && p.PlayerReady && ArrivalAt(w) == Arrival::Input;
}

void ReadPlayerInput(World& w) {
    if (w.Keys) w.Keys->UpdateInput();
    if (Held(w, Input::InputEscape)) {
        // The player gives up: the life is lost.
        PlayerDie(w);
        return;
    }
    w.RequestedDir = HeldDirection(Held(w, Input::InputLeft), Held(w, Input::InputRight), Held(w, Input::InputUp),
                                   Held(w, Input::InputDown));

    if (w.RequestedDir == Dir::Rest) {
        int speed = 0;
        if (Held(w, Input::InputSpeed2))
            speed = 2;
        else if (Held(w, Input::InputSpeed4))
            speed = 4;
        else if (Held(w, Input::InputSpeed6))
            speed = 6;
        if (speed != 0) {
            // The level starts afresh at the new speed on the next play frame.
            w.GameSpeed = speed;
            w.Report.SpeedChosen = speed;
            return;
        }
    }
    if (w.RequestedDir != Dir::Rest) w.RequestedDir = TryMove(w);
    CommitDir(w);
}

Dir TryMove(World& w) {
    const int c = w.Player.PlayerCell;
    const Dir wanted = w.RequestedDir;
    if (wanted == Dir::Right || wanted == Dir::Left || wanted == Dir::Up || wanted == Dir::Down) {
        const int t = NeighbourInDir(c, wanted);
        if (AtInnerEdge(c, wanted) || !PlayerEnterable().Has(ContentAt(w, t))) return Dir::Rest;
        return TryEnter(w, wanted, t, true);
    }
    if (!IsDiagonal(wanted)) return Dir::Rest;

    const Dir hDir = HorizontalPart(wanted), vDir = VerticalPart(wanted);
    const bool hEdge = AtInnerEdge(c, hDir), vEdge = AtInnerEdge(c, vDir);
    const int h = NeighbourInDir(c, hDir), v = NeighbourInDir(c, vDir), g = NeighbourInDir(c, wanted);
    const CodeSet& diagonal = PlayerDiagonalSet();
    const bool hOk = !hEdge && diagonal.Has(ContentAt(w, h));
    const bool vOk = !vEdge && diagonal.Has(ContentAt(w, v));
    const bool gOk = !hEdge && !vEdge && diagonal.Has(ContentAt(w, g));
    if (!hOk && !vOk) return Dir::Rest;
    if (hOk && vOk && gOk) {
        // An L-shaped clearing: both side cells are dug or taken, not entered.
        TryEnter(w, hDir, h, false);
        TryEnter(w, vDir, v, false);
        return TryEnter(w, wanted, g, true);
    }
    return hOk ? TryEnter(w, hDir, h, true) : TryEnter(w, vDir, v, true);
}

void CommitDir(World& w) {
    PlayerState& p = w.Player;
    if (w.RequestedDir != Dir::Rest) p.PlayerReady = false;
    if (w.RequestedDir == Dir::Right && w.PlayerPushing)
        w.RequestedDir = Dir::PushRight;
    else if (w.RequestedDir == Dir::Left && w.PlayerPushing)
        w.RequestedDir = Dir::PushLeft;
    if (p.PlayerDir != w.RequestedDir) {
        p.PlayerAnimTicks = 0;
        if (p.PlayerDir != Dir::Rest) p.PlayerPrevDir = p.PlayerDir;
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
    case Dir::Rest: first = r ? PlayerWalkRight : PlayerWalkLeft; break;
    case Dir::Right:
        first = PlayerWalkRight;
        facing = 1;
        steps = StepPairId::StepRight;
        break;
    case Dir::Left:
        first = PlayerWalkLeft;
        facing = 0;
        steps = StepPairId::StepLeft;
        break;
    case Dir::Up:
        first = r ? PlayerWalkRight : PlayerWalkLeft;
        steps = StepPairId::StepUp;
        break;
    case Dir::Down:
        first = r ? PlayerDownRight : PlayerDownLeft;
        steps = StepPairId::StepDown;
        break;
    case Dir::PushRight:
        first = PlayerPushRight;
        facing = 1;
        steps = StepPairId::StepRight;
        break;
    case Dir::PushLeft:
        first = PlayerPushLeft;
        facing = 0;
        steps = StepPairId::StepLeft;
        break;
    case Dir::DownLeft:
        first = PlayerDownLeft;
        facing = 0;
        steps = StepPairId::StepDownLeft;
        break;
    case Dir::UpLeft:
        first = PlayerWalkLeft;
        facing = 0;
        steps = StepPairId::StepUpLeft;
        break;
    case Dir::DownRight:
        first = PlayerDownRight;
        facing = 1;
        steps = StepPairId::StepDownRight;
        break;
    case Dir::UpRight:
        first = PlayerWalkRight;
        facing = 1;
        steps = StepPairId::StepUpRight;
        break;
    default: return;
    }
    p.PlayerFirstFrame = first;
    p.PlayerLastFrame = first + PlayerGroupFrames - 1;
    p.PlayerFrame = first;
    if (facing >= 0) p.PlayerFacingRight = facing == 1;
    if (steps != StepPairId::Count) SetPlayerSteps(w, steps);
    p.PlayerStepIndex = 0;
}

void PlayerArrive(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerDir != Dir::Rest) p.PlayerPrevDir = p.PlayerDir;
    p.PlayerReady = true;
    p.PlayerStepIndex = 0;
    if (p.PlayerPrevDir == Dir::Down) p.HeldRock = NoActor;
    p.PlayerMoved = 0;
    if (p.PlayerMoveLength == 40) return;
    // The death fall is over: the one life is gone and the game is over.
    if (w.Lives > 0) --w.Lives;
    w.GameOverPhase = 0;
    w.PaceCounter = 99;
    w.PaceFrames = 1;
    w.GameState = StateGameOver;
    w.Report.FallEnded = true;
}

void PlayerDie(World& w) {
    PlayerState& p = w.Player;
    if (p.PlayerDying) return;
    p.PlayerDying = true;
    p.PlayerFirstFrame = PlayerDeathFrames.First;
    p.PlayerLastFrame = PlayerDeathFrames.Last;
    p.PlayerFrame = PlayerDeathFrames.First;
    p.PlayerStepDX = w.Steps[StepPairId::StepDown].DX;
    p.PlayerStepDY = w.Steps[StepPairId::FlightDownRight].DY;
    p.PlayerStepIndex = 0;
    p.PlayerAnimDelay = 1;
    p.PlayerAnimTicks = 0;
    p.PlayerMoved = 0;
    p.PlayerDir = Dir::Down;
    // Down to the bottom of the screen; a length of 40 would read as the end
    // of an ordinary step.
    p.PlayerMoveLength = 480 - p.PlayerY;
    if (p.PlayerMoveLength == 40) p.PlayerMoveLength = 42;
    if (w.Sound) w.Sound->PlayManDie();
}

} // namespace gravlin
