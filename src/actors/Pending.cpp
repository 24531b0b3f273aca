// Rules not written yet: each definition here is replaced by the real one.
#include "actors/Actors.h"

namespace gravlin {

void PlayTick(World& /*w*/, DrawTarget* /*target*/) {}
void TickActors(World& /*w*/) {}
void AdvanceAnimation(World& /*w*/, int /*actor*/) {}
void DrawPlayer(World& /*w*/, DrawTarget* /*target*/) {}
void PlayerTick(World& /*w*/) {}
bool PlayerCheckCell(World& /*w*/) { return false; }
void ReadPlayerInput(World& /*w*/) {}
std::uint8_t TryMove(World& /*w*/) { return 0; }
void CommitDir(World& /*w*/) {}
void SetPlayerAnimation(World& /*w*/) {}
void PlayerArrive(World& /*w*/) {}
void PlayerDie(World& /*w*/) {}
std::uint8_t TryEnter(World& /*w*/, std::uint8_t /*d*/, int /*target*/, bool /*commit*/) { return 0; }
void OpenLocksA(World& /*w*/) {}
void OpenLocksB(World& /*w*/) {}
void StartTeleport(World& /*w*/) {}
void TeleportStep(World& /*w*/) {}
void RockUpdate(World& /*w*/, int /*actor*/) {}
bool RockMove(World& /*w*/, int /*cell*/, int /*dir*/) { return false; }
void EggUpdate(World& /*w*/, int /*actor*/) {}
bool EggMove(World& /*w*/, int /*cell*/, int /*dir*/) { return false; }
void BecomeMonster(World& /*w*/, int /*actor*/) {}
void MonsterUpdate(World& /*w*/, int /*actor*/) {}
void MonsterDies(World& /*w*/, int /*actor*/) {}
void ChaserUpdate(World& /*w*/, int /*actor*/) {}
void ChaserBecomesDiamond(World& /*w*/, int /*actor*/) {}
void WeedUpdate(World& /*w*/, int /*actor*/) {}
void NoteCollected(World& /*w*/) {}
void BorderSpawnStep(World& /*w*/) {}
void ShowLives(World& /*w*/) {}

} // namespace gravlin
