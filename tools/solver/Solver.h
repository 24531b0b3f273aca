#pragma once
// The level solver: finds a key script that wins a level at a given speed
// and seed. The level is prepared by the real main window (headless, silent),
// exactly as the replay runner does it; the search then plays copies of the
// World frame by frame. The player reads the keys only at cell boundaries,
// so the search branches only there: one of the eight directions (held
// until the step is done) or a wait of some frames with no key held.

#include "world/World.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gravlin {

// What the player does at one moment it takes input. Dir is a player
// direction code (1 right, 2 left, 3 up, 4 down, 10 to 13 diagonals) or 0
// for a wait of WaitFrames frames with no key held.
struct PlanStep {
    std::uint8_t Dir = 0;
    int WaitFrames = 0;
    bool operator==(const PlanStep&) const = default;
};

// A decision as it lands in a key script: from Frame on, Dir is held.
struct TimedStep {
    int Frame = 0;
    PlanStep Step;
};

enum class PlayOutcome { Playing, Won, Lost };

// Where and how a level is played.
struct SolverLevel {
    std::string DataDir;      // game folder with Surfaces/, maps/, Sounds/
    std::optional<int> Level; // a level number of the game folder...
    std::string MapFile;      // ...or a level file
    int Speed = 4;
    std::uint32_t Seed = 1;
};

// The World as the replay runner has it after frame 0 (the level's
// preparation and its first play frame, with no key held); the first frame
// at which a key can act is 1. Returns null with a message when the game
// cannot start or the level cannot be read.
std::unique_ptr<World> PrepareStartWorld(const SolverLevel& level, std::string* error);

// Plays a World from a frame at which the player takes input.
class PlanRunner {
  public:
    explicit PlanRunner(const World& start, int startFrame = 1);

    // Applies one step; returns false when the step does not start a move
    // (a blocked direction), leaving the World as it was.
    bool Apply(const PlanStep& step);
    // Runs frames with no key held until the player takes input again (or
    // the level ends).
    void SettleToInput();
    // Runs one frame with a direction held (0: no key), whether or not the
    // player takes input in it; not recorded as a step.
    void Hold(std::uint8_t dir) { RunFrame(dir); }

    const World& Now() const { return *world_; }
    int Frame() const { return frame_; }
    PlayOutcome Outcome() const;
    const std::vector<TimedStep>& Steps() const { return steps_; }

    PlanRunner(const PlanRunner& other);
    PlanRunner& operator=(const PlanRunner&) = delete;

  private:
    void RunFrame(std::uint8_t heldDir);
    std::unique_ptr<World> world_;
    int frame_ = 1;
    std::vector<TimedStep> steps_;
};

// A hash of what decides the future of a play: the grid, the actors that can
// still move or change, the player, the counts and the book. Animation
// counters and flying diamonds are left out. With earthAsEmpty, dug and
// undug earth count as the same position: far fewer positions to try, at
// the risk of missing a win that depends on which earth is left.
std::uint64_t StateHash(const World& w, bool withRandom, bool earthAsEmpty = false);

struct SearchOptions {
    std::vector<int> Waits{10};  // wait lengths offered at each decision
    int MaxFrames = 6000;        // give up on plays longer than this
    long MaxExpansions = 400000; // give up after this many decisions tried
    std::size_t MaxOpen = 3000;  // keep at most this many open plays
    double Greed = 3.0;          // weight of the distance estimate
    bool HashRandom = false;     // the random seed counts in duplicates
    bool EarthAsEmpty = false;   // dug and undug earth count as the same position
    bool Quiet = false;
    // The search gives up when the clock reaches this, if it is set.
    std::optional<std::chrono::steady_clock::time_point> Deadline;
};

struct SearchResult {
    bool Found = false;
    std::vector<TimedStep> Steps;
    int Frames = 0; // frame at which the level was won
    long Expansions = 0;
    long Positions = 0;    // positions played forward from a decision, seen before or not
    bool TimedOut = false; // the search stopped at its deadline
};

// Best-first search for a winning plan from the start World.
SearchResult SearchSolution(const World& start, const SearchOptions& options);

// Plays a written plan; the result is Found when it wins.
SearchResult RunPlan(const World& start, const std::vector<PlanStep>& plan);

// From Frame on, the arrow keys of Dir are held (0: none): a key script
// read as the direction it holds.
struct HeldDir {
    int Frame = 0;
    std::uint8_t Dir = 0;
};

// Where growing weed first closes a route: the route is every cell the
// player stands in or steps into while the level is played with the keys
// held; the weed is watched in a second play in which the player stands
// still at its start. Cell is -1 when no route cell turns to weed within
// maxFrames.
struct WeedCut {
    PlayOutcome RouteOutcome = PlayOutcome::Playing; // how the play with the keys ended
    int Frame = 0;                                   // the frame the route cell turned to weed
    int Cell = -1;
};
WeedCut FirstWeedOnRoute(const World& start, const std::vector<HeldDir>& keys, int maxFrames);

// Plan text: steps separated by blanks, "R L U D UR UL DR DL" (a count may
// follow: "R3"), "W<frames>" for a wait; "#" starts a comment.
std::optional<std::vector<PlanStep>> ParsePlan(const std::string& text, std::string* error);
std::string PlanText(const std::vector<TimedStep>& steps);

// The key script of a plan: at each decision frame the arrow keys that
// change go up or down. Header lines are written as comments first.
std::string KeyScript(const std::vector<TimedStep>& steps, const std::vector<std::string>& header);

} // namespace gravlin
