// The play tick: the player's tick, the actor pass, the drawing passes (which
// advance every animation, drawn or not), the border spawn while the book is
// open, and the player's sprite.
#include "Grid.h"
#include "actors/Actors.h"
#include "audio/SoundCues.h"

#include <cstdlib>

namespace gravlin {

bool PrepareLevel(World& w, LevelStore& levels, int level) {
    w.EndPhase = false;
    w.LoseCuePlayed = false;
    w.RockFallInto = RockFallIntoClosedBook();
    if (w.Lives == 0) w.Lives = 1;
    BuildStepTables(w.Steps, w.GameSpeed);
    w.DiamondTarget = 0;
    if (!SetupLevel(w, levels, level)) return false;
    w.WeedGrowingNow = false;
    w.CollectedCount = 0;
    w.WipeRing = 0;
    return true;
}

PlayReport WorldPlayFrame(World& w, DrawTarget* target) {
    w.Report = PlayReport{};
    if (!w.EndPhase) ShowLives(w);
    PlayTick(w, target);
    return w.Report;
}

namespace {

// One step of an actor's animation; `a` is record `actor`.
inline void AdvanceRecord(World& w, ActorRecord& a, int actor) {
    ++a.AnimTicks;
    if (a.AnimTicks <= a.AnimDelay) return;
    a.AnimTicks = 0;
    if (!a.AnimForward) {
        --a.Frame;
        if (a.Frame < a.FirstFrame) a.Frame = a.LastFrame;
        return;
    }
    ++a.Frame;
    if (a.Frame <= a.LastFrame) return;
    switch (a.Kind) {
    case WeedGrowing:
        // The new weed is grown: it spreads like any other from now on, and
        // the next weed may start growing.
        a.Kind = Weed;
        a.FirstFrame = a.LastFrame = a.Frame = Weed;
        a.Dir = Dir::Rest;
        w.WeedGrowingNow = false;
        break;
    case ChaserToDiamond: ChaserBecomesDiamond(w, actor); break;
    case EggHatching: BecomeMonster(w, actor); break;
    case MonsterDying:
    case DiamondTaken: a.Frame = a.LastFrame; break;
    case Digging: a.Active = false; break;
    default: a.Frame = a.FirstFrame; break;
    }
}

// The two drawing passes without a picture: every active actor's animation
// advances once, in table order. That is what the passes do, chasers first
// and then the rest, because an animation step changes only its own actor
// (and cells, which no animation step reads), never makes or ends a chaser,
// and never adds an actor.
void AdvanceEveryAnimation(World& w) {
    const int count = w.ActorCount < ActorTableSize ? w.ActorCount : ActorTableSize;
    for (int i = 0; i < count; ++i) {
        ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (a.Active) AdvanceRecord(w, a, i);
    }
}

} // namespace

void PlayTick(World& w, DrawTarget* target) {
    PlayerTick(w);
    TickActors(w);
    if (target) {
        // Chasers go beneath the map's tiles, so one inside earth is hidden.
        DrawActors(w, target, ActorSelection::ChasersOnly, AdvanceAnimation);
        DrawCells(w, *target);
        DrawActors(w, target, ActorSelection::AllButChasers, AdvanceAnimation);
    } else {
        AdvanceEveryAnimation(w);
    }
    if (w.EndPhase) BorderSpawnStep(w);
    if (!w.Player.PlayerInTransit) DrawPlayer(w, target);
}

void TickActors(World& w) {
    // The count is taken once: an actor created during the pass waits for
    // the next one.
    const int count = w.ActorCount < ActorTableSize ? w.ActorCount : ActorTableSize;
    for (int i = 0; i < count; ++i) {
        ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (!a.Active) continue;

        if (a.Dir == Dir::Rest && w.GameState == StatePlay) {
            switch (a.Kind) {
            case Egg: EggUpdate(w, i); break;
            case Monster:
                // Monsters stand still while the border turns into monsters.
                if (!w.EndPhase) MonsterUpdate(w, i);
                break;
            case Chaser: ChaserUpdate(w, i); break;
            case Rock: RockUpdate(w, i); break;
            case Weed: WeedUpdate(w, i); break;
            default: break;
            }
        }

        // A move decided just now takes its first sub-step in the same tick.
        if (a.Dir == Dir::Rest || a.Dir == Dir::InPlace) continue;
        if (a.StepIndex < 20) ++a.StepIndex;
        const std::size_t s = static_cast<std::size_t>(a.StepIndex - 1);
        const StepPair& steps = w.Steps[a.Steps];
        a.X += steps.DX[s];
        a.Y += steps.DY[s];
        a.Moved += MovesVertically(a.Dir) ? std::abs(steps.DY[s]) : std::abs(steps.DX[s]);
        if (a.Moved < a.MoveLength) continue;

        if (a.Kind == MonsterDying || a.Kind == DiamondTaken) {
            a.Active = false;
        } else if (a.Kind == PlayerTeleport) {
            TeleportStep(w);
        } else {
            a.Dir = Dir::Rest;
            a.Moved = 0;
            a.StepIndex = 0;
        }
    }
}

void AdvanceAnimation(World& w, int actor) {
    if (ActorRecord* a = ActorAt(w, actor)) AdvanceRecord(w, *a, actor);
}

void DrawPlayer(World& w, DrawTarget* target) {
    PlayerState& p = w.Player;
    // The frame shown is the one from before the advance.
    if (target)
        Blit(target->Back, p.PlayerX, p.PlayerY, target->Sheet, TileRect(p.PlayerFrame, target->TilesPerRow), true);
    ++p.PlayerAnimTicks;
    if (p.PlayerAnimTicks > p.PlayerAnimDelay) {
        p.PlayerAnimTicks = 0;
        ++p.PlayerFrame;
        if (p.PlayerFrame > p.PlayerLastFrame) p.PlayerFrame = p.PlayerFirstFrame;
    }
}

} // namespace gravlin
