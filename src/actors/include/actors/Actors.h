#pragma once
// The rules of everything that moves or changes on the map: the player, its
// interactions, rocks, eggs, monsters, chasers and weed; the actor pass and
// animation of the play tick; collecting, the book and the border spawn.
// Every rule is a free function over the World.

#include "world/LevelFiles.h"
#include "world/MapDrawing.h"
#include "world/World.h"

namespace gravlin {

// ---- A level from its preparation to its end -------------------------------

// The rules' part of preparing a level for play (the picture and the
// progress are the caller's): the end phase and the lose cue cleared, the
// closed-book RockFallInto, one life, the step tables of GameSpeed, the
// level's cells and actors, the counts. False when the level cannot be read.
bool PrepareLevel(World& w, LevelStore& levels, int level);

// The rules' part of one play frame: the life display while the book is
// closed, then the play tick. Returns what the player did that the caller
// must act on.
PlayReport WorldPlayFrame(World& w, DrawTarget* target);

// One frame of the level-won wipe (the caller clears the picture first):
// moves, the map and the actors drawn, and on paced frames one more ring of
// cells blown away from the book. True when the wipe is over.
bool LevelDoneTick(World& w, DrawTarget* target);

// One frame of the game over: every object flies to the middle of the
// screen; the picture is cleared and drawn anew on the frames they move.
// True when all of them are there.
bool GameOverTick(World& w, DrawTarget* target);

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
// Whether the player reads the keys in the World's next play frame.
bool PlayerTakesInputNext(const World& w);
void ReadPlayerInput(World& w);
Dir TryMove(World& w);
void CommitDir(World& w);
void SetPlayerAnimation(World& w);
void PlayerArrive(World& w);
void PlayerDie(World& w);

// What moving into a cell does to it. Returns d when the move happens, Rest
// when it is refused.
Dir TryEnter(World& w, Dir d, int target, bool commit);
void OpenLocksA(World& w);
void OpenLocksB(World& w);
void StartTeleport(World& w);
// Makes a diamond actor fly off the map from a row (a collected diamond, or a
// fragment of the level-won wipe) and flips ExplosionToggle.
void StartDiamondFlight(World& w, ActorRecord& a, int row, int animTicks);
void TeleportStep(World& w);

// ---- Rocks, eggs, monsters, chasers, weed ----------------------------------

void RockUpdate(World& w, int actor);
bool RockMove(World& w, int cell, Dir dir);
void EggUpdate(World& w, int actor);
bool EggMove(World& w, int cell, Dir dir);

// Where a rock or an egg at rest that does not fall rolls: off a rounded
// thing below it to the left if it can, else to the right, else Rest. The
// landing cell must be in `landingInto` (the rock's and the egg's sets
// differ), and neither the side cell nor the landing cell may be the
// player's; a chosen landing cell that is empty is reserved at once. Rocks
// roll as far as the grid goes (their side cell must be empty, so the border
// stops them); eggs never roll across the inner edge of the playable area,
// the same edge the player and the monsters keep to.
enum class RollEdge { GridEdge, InnerEdge };
Dir RollDecision(World& w, int cell, const CodeSet& landingInto, RollEdge edge);
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
