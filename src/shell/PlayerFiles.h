#pragma once
// Stand-in for the player files until they are written.
#include "world/World.h"
#include <array>
#include <string>
#include <vector>
namespace gravlin {
struct PlayerFiles { std::string Dir; TextList Roster; std::array<TextList,5> ProgressLists; std::array<TextList,5> OptionLists; bool Switch1 = true, Switch2 = true; };
std::string ChoosePlayerDir(const std::string& appDir);
void ReadRoster(PlayerFiles&, int& currentPlayer);
void LoadPlayerFiles(PlayerFiles&, World&);
void ApplyOptions(World&, PlayerFiles&);
void StoreWorking(PlayerFiles&, const World&, int currentPlayer);
void LoadWorking(PlayerFiles&, World&, int currentPlayer);
bool SaveRoster(PlayerFiles&, int currentPlayer, std::string* error);
bool SavePlayerFiles(PlayerFiles&, const World&, int currentPlayer, std::vector<std::string>* errors);
}
