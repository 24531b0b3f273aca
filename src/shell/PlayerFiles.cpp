#include "shell/PlayerFiles.h"
namespace gravlin {
std::string ChoosePlayerDir(const std::string& appDir) { return appDir; }
void ReadRoster(PlayerFiles& f, int& currentPlayer) { f.Roster = {"1","Name 001","Name 002","Name 003","Name 004","Name 005"}; currentPlayer = 1; }
void LoadPlayerFiles(PlayerFiles& f, World&) { for (int i=0;i<5;++i){ f.ProgressLists[i] = TextList(71,"0"); f.ProgressLists[i][0]="1"; f.OptionLists[i]={"4","ON","ON"}; } }
void ApplyOptions(World& w, PlayerFiles&) { w.GameSpeed = 4; }
void StoreWorking(PlayerFiles& f, const World& w, int p) { f.ProgressLists[p-1]=w.WorkingProgress; f.OptionLists[p-1]=w.WorkingOptions; }
void LoadWorking(PlayerFiles& f, World& w, int p) { w.WorkingProgress=f.ProgressLists[p-1]; w.WorkingOptions=f.OptionLists[p-1]; }
bool SaveRoster(PlayerFiles&, int, std::string*) { return true; }
bool SavePlayerFiles(PlayerFiles&, const World&, int, std::vector<std::string>*) { return true; }
}
