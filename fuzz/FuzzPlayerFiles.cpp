// The player files as the game reads them at start-up, saves them and reads
// them again: whatever the files held, the lists have their sizes and their
// values are usable, and what was saved reads back the same, needing nothing
// put right.
//
// The input is up to three files, split at form feeds: the roster
// "Players.txt", player 1's progress "CompLevels1.Txt" and options
// "UOptions1.Txt". A part not given leaves its file missing.

#include "FuzzFiles.h"
#include "common/TextLists.h"
#include "common/Utility.h"
#include "shell/PlayerFiles.h"

#include <cstdint>
#include <string>

namespace {

using namespace gravlin;

PlayerFiles StartUp(int& current, int& speed) {
    PlayerFiles files;
    files.Dir = fuzz::Scratch::Get().Dir();
    ReadRoster(files, current);
    LoadPlayerFiles(files);
    LoadWorking(files, current);
    ApplyOptions(files, speed);
    return files;
}

void CheckLists(const PlayerFiles& files, int current, int speed) {
    if (current < 1 || current > PlayerCount) fuzz::Broken("current player " + std::to_string(current));
    if (speed != 2 && speed != 4 && speed != 6) fuzz::Broken("speed " + std::to_string(speed));
    if (files.Roster.size() != static_cast<std::size_t>(RosterLineCount)) fuzz::Broken("roster size");
    for (const std::string& name : files.Roster)
        if (name.size() > UtilityTextLimit) fuzz::Broken("a name longer than 255 characters");
    for (int n = 0; n < PlayerCount; ++n) {
        const TextList& progress = files.ProgressLists[static_cast<std::size_t>(n)];
        if (progress.size() != static_cast<std::size_t>(ProgressLineCount)) fuzz::Broken("progress size");
        auto level = ParseInt(progress[0]);
        if (!level || *level < 1 || *level > LevelCountFixed) fuzz::Broken("progress line 0: " + progress[0]);
        for (std::size_t k = 1; k < progress.size(); ++k)
            if (progress[k] != "0" && progress[k] != "1") fuzz::Broken("a level mark: " + progress[k]);
        if (files.OptionLists[static_cast<std::size_t>(n)].size() != static_cast<std::size_t>(OptionLineCount))
            fuzz::Broken("options size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Scratch& scratch = fuzz::Scratch::Get();
    scratch.Clear();
    const std::string input = fuzz::Bytes(data, size);
    const char* const names[] = {"Players.txt", "CompLevels1.Txt", "UOptions1.Txt"};
    std::size_t at = 0;
    for (const char* name : names) {
        if (at > input.size()) break;
        const std::size_t end = std::min(input.find('\f', at), input.size());
        scratch.Write(name, input.substr(at, end - at));
        at = end + 1;
    }

    int current = 0, speed = 0;
    PlayerFiles first = StartUp(current, speed);
    CheckLists(first, current, speed);
    std::string error;
    if (!SaveRoster(first, current, &error)) fuzz::Broken(error);
    std::vector<std::string> errors;
    if (!SavePlayerFiles(first, current, &errors)) fuzz::Broken(errors.front());

    int again = 0, speedAgain = 0;
    PlayerFiles second = StartUp(again, speedAgain);
    if (!second.Repairs.empty()) fuzz::Broken("a saved file needed repair: " + second.Repairs.front());
    if (again != current || speedAgain != speed || second.Roster != first.Roster ||
        second.ProgressLists != first.ProgressLists || second.OptionLists != first.OptionLists)
        fuzz::Broken("the saved files read back otherwise");
    return 0;
}
