// gravlin-solve: finds a key script that wins a level, proves it with the
// replay runner and writes it as a replay script.

#include "Replay.h"
#include "Solver.h"
#include "common/Files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

const char* const Usage = R"(usage: gravlin-solve [options] (--level N | --map FILE)
  --data DIR          game folder holding Surfaces/, maps/, Sounds/ (default: the tool's folder)
  --level N           solve level N of the game folder
  --map FILE          solve the level in FILE
  --speed S           game speed 2, 4 or 6 (default 4)
  --seed N            seed of the game's random generator (default 1)
  --plan TEXT         play this plan instead of searching: R L U D UR UL DR DL (a count
                      may follow, R3), W<frames> waits; "#" starts a comment
  --plan-file FILE    the same, read from a file
  --waits LIST        wait lengths the search offers, comma-separated (default 10)
  --max-frames N      longest play the search considers (default 6000)
  --max-expansions N  decisions the search may try (default 400000)
  --max-open N        open plays the search keeps (default 3000)
  --greed G           weight of the distance estimate (default 3)
  --time-limit S      give up searching after S seconds (default: no limit)
  --random-states     tell positions apart by the random seed too (weed)
  --loose-earth       count dug and undug earth as the same position (faster, may miss
                      wins); by default such a search is tried first, then a strict one
  --strict-earth      only the strict search
  --out FILE          write the script there (default: standard output)
  --measure           search as above but write no script: print the decisions the search
                      tried before it found a win (the level's difficulty)
  --weed-cut SCRIPT   print the first frame at which weed grows into a cell that the
                      replay script's player passes, the player standing still at its start
  --quiet             no progress messages
Exit status: 0 a verified solution was written, 1 none found or it did not verify, 2 bad usage.
)";

bool NumberArg(const std::string& text, long min, long max, long& out) {
    auto n = gravlin::ParseInt(text);
    if (!n || *n < min || *n > max) return false;
    out = *n;
    return true;
}

std::vector<int> ParseWaits(const std::string& text) {
    std::vector<int> waits;
    std::stringstream s(text);
    std::string item;
    while (std::getline(s, item, ',')) {
        long n = 0;
        if (!NumberArg(item, 1, 10000, n)) return {};
        waits.push_back(static_cast<int>(n));
    }
    return waits;
}

// The direction the arrow keys of a replay script hold from each event on,
// read as the player reads them, the first that holds: down-left, up-left,
// down-right, up-right, right, left, up, down.
std::vector<gravlin::HeldDir> HeldDirections(const std::vector<gravlin::ScriptEvent>& events) {
    using gravlin::Key;
    std::vector<gravlin::HeldDir> held;
    bool left = false, right = false, up = false, down = false;
    for (const gravlin::ScriptEvent& e : events) {
        if (e.Which == Key::Left)
            left = e.Down;
        else if (e.Which == Key::Right)
            right = e.Down;
        else if (e.Which == Key::Up)
            up = e.Down;
        else if (e.Which == Key::Down)
            down = e.Down;
        else
            continue;
        const std::uint8_t dir = left && down    ? 10
                                 : left && up    ? 11
                                 : right && down ? 12
                                 : right && up   ? 13
                                 : right         ? 1
                                 : left          ? 2
                                 : up            ? 3
                                 : down          ? 4
                                                 : 0;
        if (!held.empty() && held.back().Frame == e.Frame)
            held.back().Dir = dir;
        else
            held.push_back({e.Frame, dir});
    }
    return held;
}

} // namespace

int main(int argc, char** argv) {
    using namespace gravlin;
    SolverLevel level;
    SearchOptions search;
    std::string planText, planFile, outPath;
    bool havePlan = false;
    bool looseFirst = true;
    std::string timeLimit;
    const auto started = std::chrono::steady_clock::now();
    bool measure = false;
    std::string weedCutScript;
    auto usage = [&](const std::string& why) {
        if (!why.empty()) std::cerr << "gravlin-solve: " << why << "\n";
        std::cerr << Usage;
        return 2;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        long n = 0;
        if (a == "--data") {
            if (!value(level.DataDir)) return usage("--data needs a folder");
        } else if (a == "--level") {
            if (!value(v) || !NumberArg(v, 1, 999, n)) return usage("--level needs a level number from 1");
            level.Level = static_cast<int>(n);
        } else if (a == "--map") {
            if (!value(level.MapFile)) return usage("--map needs a level file");
        } else if (a == "--speed") {
            if (!value(v) || !NumberArg(v, 2, 6, n) || n % 2 != 0) return usage("--speed must be 2, 4 or 6");
            level.Speed = static_cast<int>(n);
        } else if (a == "--seed") {
            char* end = nullptr;
            unsigned long long seed = 0;
            if (!value(v) || v.empty() || (seed = std::strtoull(v.c_str(), &end, 10), *end != '\0') ||
                seed > 0xffffffffULL)
                return usage("--seed needs a number from 0 to 4294967295");
            level.Seed = static_cast<std::uint32_t>(seed);
        } else if (a == "--plan") {
            if (!value(planText)) return usage("--plan needs a plan");
            havePlan = true;
        } else if (a == "--plan-file") {
            if (!value(planFile)) return usage("--plan-file needs a file");
            havePlan = true;
        } else if (a == "--waits") {
            if (!value(v) || (search.Waits = ParseWaits(v)).empty()) return usage("--waits needs numbers like 10,40");
        } else if (a == "--max-frames") {
            if (!value(v) || !NumberArg(v, 1, 1000000, n)) return usage("--max-frames needs a number");
            search.MaxFrames = static_cast<int>(n);
        } else if (a == "--max-expansions") {
            if (!value(v) || !NumberArg(v, 1, 1000000000, n)) return usage("--max-expansions needs a number");
            search.MaxExpansions = n;
        } else if (a == "--max-open") {
            if (!value(v) || !NumberArg(v, 1, 10000000, n)) return usage("--max-open needs a number");
            search.MaxOpen = static_cast<std::size_t>(n);
        } else if (a == "--greed") {
            char* end = nullptr;
            if (!value(v) || (search.Greed = std::strtod(v.c_str(), &end), *end != '\0') || search.Greed < 0)
                return usage("--greed needs a number");
        } else if (a == "--time-limit") {
            char* end = nullptr;
            double seconds = 0;
            if (!value(v) || v.empty() || (seconds = std::strtod(v.c_str(), &end), *end != '\0') || !(seconds > 0) ||
                seconds > 1e6)
                return usage("--time-limit needs a number of seconds above 0");
            search.Deadline = started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                            std::chrono::duration<double>(seconds));
            timeLimit = v;
        } else if (a == "--loose-earth") {
            search.EarthAsEmpty = true;
        } else if (a == "--strict-earth") {
            looseFirst = false;
        } else if (a == "--random-states") {
            search.HashRandom = true;
        } else if (a == "--out") {
            if (!value(outPath)) return usage("--out needs a file");
        } else if (a == "--measure") {
            measure = true;
        } else if (a == "--weed-cut") {
            if (!value(weedCutScript)) return usage("--weed-cut needs a replay script");
        } else if (a == "--quiet") {
            search.Quiet = true;
        } else if (a == "--help" || a == "-h") {
            return usage("");
        } else {
            return usage("unknown argument \"" + a + "\"");
        }
    }
    if (level.Level.has_value() == !level.MapFile.empty()) return usage("give either --level or --map");
    if (level.DataDir.empty()) level.DataDir = ExecutableDir();

    std::vector<PlanStep> plan;
    if (havePlan) {
        if (!planFile.empty()) {
            std::string why;
            auto text = ReadWholeFile(planFile, ScriptFileLimit, &why);
            if (!text) return usage(why);
            planText += "\n" + *text;
        }
        std::string why;
        auto parsed = ParsePlan(planText, &why);
        if (!parsed) return usage("plan: " + why);
        plan = std::move(*parsed);
    }

    std::vector<HeldDir> weedCutKeys;
    if (!weedCutScript.empty()) {
        auto text = ReadWholeFile(weedCutScript);
        if (!text) return usage(weedCutScript + ": file missing or unreadable");
        std::string why;
        auto events = ParseReplayScript(*text, &why);
        if (!events) return usage(weedCutScript + ": " + why);
        weedCutKeys = HeldDirections(*events);
    }

    std::string error;
    auto start = PrepareStartWorld(level, &error);
    if (!start) {
        std::cerr << "gravlin-solve: " << error << "\n";
        return 2;
    }
    const std::string what = level.Level ? "level " + std::to_string(*level.Level) : level.MapFile;
    if (!weedCutScript.empty()) {
        const WeedCut cut = FirstWeedOnRoute(*start, weedCutKeys, search.MaxFrames);
        if (cut.RouteOutcome != PlayOutcome::Won)
            std::cerr << "gravlin-solve: warning: " << weedCutScript << " does not win " << what << "\n";
        if (cut.Cell < 0)
            std::cout << what << ": the weed reaches no cell of the route by frame " << search.MaxFrames << "\n";
        else
            std::cout << what << ": the weed first cuts the route at frame " << cut.Frame << ", in cell " << cut.Cell
                      << " (column " << CellColumn(cut.Cell) << ", row " << CellRow(cut.Cell) << ")\n";
        return 0;
    }
    SearchResult found;
    long decisions = 0, positions = 0;
    const auto searchStart = std::chrono::steady_clock::now();
    if (havePlan) {
        found = RunPlan(*start, plan);
    } else if (looseFirst && !search.EarthAsEmpty) {
        // Most levels fall quickly to the loose search; the strict one is
        // the fallback for levels where which earth is left matters.
        SearchOptions loose = search;
        loose.EarthAsEmpty = true;
        found = SearchSolution(*start, loose);
        decisions = found.Expansions;
        positions = found.Positions;
        if (!found.Found && !found.TimedOut) {
            found = SearchSolution(*start, search);
            decisions += found.Expansions;
            positions += found.Positions;
        }
    } else {
        found = SearchSolution(*start, search);
        decisions = found.Expansions;
        positions = found.Positions;
    }
    if (!havePlan) {
        // How fast the search runs: every position it played, per second.
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - searchStart).count();
        std::fprintf(stderr, "gravlin-solve: %ld positions searched in %.2f s: %.0f positions/s\n", positions, seconds,
                     seconds > 0 ? static_cast<double>(positions) / seconds : 0.0);
    }
    if (measure && !havePlan) {
        // The difficulty: every decision tried, by the loose and the strict
        // search together, before the first win.
        if (found.Found)
            std::cout << what << ": " << decisions << " decisions to a win (won at frame " << found.Frames << ")\n";
        else
            std::cout << what << ": no win within " << decisions << " decisions\n";
        return found.Found ? 0 : 1;
    }
    if (!found.Found) {
        std::cerr << "gravlin-solve: no win found for " << what << " after " << found.Expansions << " decisions"
                  << (found.TimedOut ? " (the time limit of " + timeLimit + " s was reached)" : std::string())
                  << (havePlan ? " (the plan ends at frame " + std::to_string(found.Frames) + ": " +
                                     PlanText(found.Steps) + ")"
                               : std::string())
                  << "\n";
        return 1;
    }

    std::string name = what;
    if (!level.MapFile.empty()) name = std::filesystem::path(level.MapFile).filename().string();
    const std::string script =
        KeyScript(found.Steps, {"Solution of " + name + ": won at frame " + std::to_string(found.Frames) +
                                    " at speed " + std::to_string(level.Speed) + " with seed " +
                                    std::to_string(level.Seed) + (havePlan ? " (a written plan)" : " (searched)"),
                                "Made by gravlin-solve; the moves: " + PlanText(found.Steps)});

    // Prove it with the replay runner before writing anything.
    ReplayOptions replay;
    replay.DataDir = level.DataDir;
    replay.Level = level.Level;
    replay.MapFile = level.MapFile;
    replay.Speed = level.Speed;
    replay.Seed = level.Seed;
    auto events = ParseReplayScript(script, &error);
    if (!events) {
        std::cerr << "gravlin-solve: the script written is malformed: " << error << "\n";
        return 1;
    }
    replay.Script = std::move(*events);
    char pattern[] = "/tmp/gravlin-solve-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::cerr << "gravlin-solve: cannot create a temporary folder\n";
        return 2;
    }
    replay.HomeDir = pattern;
    const ReplayResult proof = RunReplay(replay);
    std::error_code ec;
    std::filesystem::remove_all(pattern, ec);
    if (!proof.Error.empty() || proof.Outcome != ReplayOutcome::Won) {
        std::cerr << "gravlin-solve: the replay runner does not win with the script found ("
                  << (proof.Error.empty() ? "it ended after " + std::to_string(proof.Frames) + " frames" : proof.Error)
                  << ")\n"
                  << script;
        return 1;
    }
    if (outPath.empty()) {
        std::cout << script;
    } else {
        std::string writeError;
        if (!WriteFileAtomic(outPath, script, &writeError)) {
            std::cerr << "gravlin-solve: " << writeError << "\n";
            return 2;
        }
    }
    if (!search.Quiet)
        std::cerr << "gravlin-solve: " << what << " won at frame " << found.Frames << " after " << found.Expansions
                  << " decisions; the replay runner agrees\n";
    return 0;
}
