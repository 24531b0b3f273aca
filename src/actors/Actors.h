#pragma once
// The rules of everything that moves or changes on the map: the player, its
// interactions, rocks, eggs, monsters, chasers and weed; the actor pass and
// animation of the play tick; collecting, the book and the border spawn.
// Every rule is a free function over the World.

#include "world/MapDrawing.h"
#include "world/World.h"

namespace gravlin {

// ---- The play tick -------------------------------------------------------

// One play frame after its music fade, life display and clearing: the
// player's tick, the actor pass, the three drawing passes, one border spawn
// step while the book is open, and the player's sprite. With no target the
// pixel copies are skipped and everything else (animations included) runs.
void PlayTick(World& w, DrawTarget* target);

// Walks the actor table in index order: decisions for actors at rest (only
// in play), then one step of every moving actor.
void TickActors(World& w);

// One animation step of one actor, with the kind-specific endings.
void AdvanceAnimation(World& w, int actor);

// Draws the player's frame and advances its animation.
void DrawPlayer(World& w, DrawTarget* target);

// ---- The player ----------------------------------------------------------

void PlayerTick(World& w);
bool PlayerCheckCell(World& w);
void ReadPlayerInput(World& w);
std::uint8_t TryMove(World& w);
void CommitDir(World& w);
void SetPlayerAnimation(World& w);
void PlayerArrive(World& w);
void PlayerDie(World& w);

// What moving into a cell does to it. Returns d when the move happens, 0
// when it is refused.
std::uint8_t TryEnter(World& w, std::uint8_t d, int target, bool commit);
void OpenLocksA(World& w);
void OpenLocksB(World& w);
void StartTeleport(World& w);
// Makes a diamond actor fly off the map from a row (a collected diamond, or a
// fragment of the level-won wipe) and flips ExplosionToggle.
void StartDiamondFlight(World& w, ActorRecord& a, int row, int animTicks);
void TeleportStep(World& w);

// ---- Rocks, eggs, monsters, chasers, weed ----------------------------------

void RockUpdate(World& w, int actor);
bool RockMove(World& w, int cell, int dir);
void EggUpdate(World& w, int actor);
bool EggMove(World& w, int cell, int dir);
void BecomeMonster(World& w, int actor);
void MonsterUpdate(World& w, int actor);
void MonsterDies(World& w, int actor);
void ChaserUpdate(World& w, int actor);
void ChaserBecomesDiamond(World& w, int actor);
void WeedUpdate(World& w, int actor);

// ---- Collecting and the book ----------------------------------------------

// One collect event: opens the book when the count reaches the target.
void NoteCollected(World& w);
// One frame of the border turning into monsters while the book is open.
void BorderSpawnStep(World& w);
// Rewrites the top-right end of the border (cells 14 and 15).
void ShowLives(World& w);

} // namespace gravlin
