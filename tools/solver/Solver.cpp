#include "Solver.h"

#include "actors/Actors.h"
#include "audio/silent/SilentAudio.h"
#include "common/Files.h"
#include "presentation/Input.h"
#include "presentation/headless/HeadlessWindow.h"
#include "shell/TfrmMain.h"
#include "world/Map.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>
#include <unistd.h>
#include <unordered_set>

namespace gravlin {

namespace {

// The keyboard the search plays with: the arrow inputs of one direction.
class DirectionKeyboard : public Keyboard {
  public:
    std::uint8_t Dir = 0;
    void UpdateInput() override {}
    bool Test(Input input) const override {
        switch (input) {
        case Input::InputLeft: return Dir == 2 || Dir == 10 || Dir == 11;
        case Input::InputRight: return Dir == 1 || Dir == 12 || Dir == 13;
        case Input::InputUp: return Dir == 3 || Dir == 11 || Dir == 13;
        case Input::InputDown: return Dir == 4 || Dir == 10 || Dir == 12;
        default: return false;
        }
    }
};

DirectionKeyboard& SearchKeys() {
    static DirectionKeyboard keys;
    return keys;
}

constexpr std::uint8_t AllDirections[] = {1, 2, 3, 4, 10, 11, 12, 13};

struct DirName {
    std::uint8_t Dir;
    const char* Name;
};
constexpr DirName DirNames[] = {{1, "R"}, {2, "L"}, {3, "U"}, {4, "D"}, {10, "DL"}, {11, "UL"}, {12, "DR"}, {13, "UR"}};

const char* NameOf(std::uint8_t dir) {
    for (const DirName& n : DirNames)
        if (n.Dir == dir) return n.Name;
    return "?";
}

// The arrow keys held for a direction (0: none).
std::vector<Key> KeysOf(std::uint8_t dir) {
    std::vector<Key> keys;
    if (dir == 2 || dir == 10 || dir == 11) keys.push_back(Key::Left);
    if (dir == 1 || dir == 12 || dir == 13) keys.push_back(Key::Right);
    if (dir == 3 || dir == 11 || dir == 13) keys.push_back(Key::Up);
    if (dir == 4 || dir == 10 || dir == 12) keys.push_back(Key::Down);
    return keys;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
    return h;
}

std::uint64_t Finish(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

int Distance(int a, int b) {
    return std::max(std::abs(CellColumn(a) - CellColumn(b)), std::abs(CellRow(a) - CellRow(b)));
}

// How far the play is from a win: the collectables still missing, and the
// distance from the player to the nearest thing worth walking to.
double Estimate(const World& w) {
    const int remaining = std::max(0, w.DiamondTarget - w.CollectedCount);
    const int player = w.Player.PlayerCell;
    if (remaining == 0) return Distance(player, w.BookCell);
    int best = 99, fallback = 99;
    bool lockedA = false, lockedB = false;
    const int count = std::min(w.ActorCount, ActorTableSize);
    for (int i = 0; i < count; ++i) {
        const ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (!a.Active) continue;
        const int cell = CellAt(a.X, a.Y);
        if (a.Kind == Diamond)
            best = std::min(best, Distance(player, cell));
        else if (a.Kind == Egg || a.Kind == Monster || a.Kind == Chaser)
            fallback = std::min(fallback, Distance(player, cell));
        lockedA = lockedA || a.Kind == LockedDiamondA;
        lockedB = lockedB || a.Kind == LockedDiamondB;
    }
    // A key that opens locked diamonds is worth walking to.
    for (int cell = 0; cell < MapCellCount; ++cell) {
        const int c = w.Cells[static_cast<std::size_t>(cell)].Content;
        if ((c == KeyA && lockedA) || (c == KeyB && lockedB)) best = std::min(best, Distance(player, cell));
    }
    if (best == 99) best = fallback == 99 ? 0 : fallback;
    return 12.0 * remaining + best;
}

} // namespace

std::unique_ptr<World> PrepareStartWorld(const SolverLevel& level, std::string* error) {
    auto fail = [&](const std::string& why) -> std::unique_ptr<World> {
        if (error) *error = why;
        return nullptr;
    };
    char pattern[] = "/tmp/gravlin-solve-XXXXXX";
    if (!::mkdtemp(pattern)) return fail("cannot create a temporary folder for the player files");
    const std::string home = pattern;
    struct RemoveHome {
        std::string Path;
        ~RemoveHome() {
            std::error_code ec;
            std::filesystem::remove_all(Path, ec);
        }
    } removeHome{home};

    HeadlessWindow window;
    SilentAudio audio;
    ShellOptions shell;
    shell.AppDir = level.DataDir;
    shell.PlayerDir = home;
    shell.Seed = level.Seed;
    TfrmMain form(window, audio, shell);
    form.FormCreate();
    window.PumpMessages(form);
    if (form.Terminated())
        return fail(form.FatalError().empty() ? "the game ended during start-up" : form.FatalError());
    if (!level.MapFile.empty()) {
        std::string why;
        auto codes = ReadLevelFile(level.MapFile, &why);
        if (!codes) return fail(why);
        form.PlayLevelCodes(*codes);
    }
    std::string why;
    if (!form.StartLevelDirectly(level.Level.value_or(1), level.Speed, &why)) return fail(why);
    // Frame 0: the level's preparation and its first play frame, no key held.
    form.DXTimerTimer();
    if (form.GameWorld().GameState != StatePlay) return fail("the level could not be started");
    auto start = std::make_unique<World>(form.GameWorld());
    start->Sound = nullptr;
    start->Keys = nullptr;
    form.FormDestroy();
    return start;
}

PlanRunner::PlanRunner(const World& start, int startFrame)
    : world_(std::make_unique<World>(start)), frame_(startFrame) {}

PlanRunner::PlanRunner(const PlanRunner& other)
    : world_(std::make_unique<World>(*other.world_)), frame_(other.frame_), steps_(other.steps_) {}

void PlanRunner::RunFrame(std::uint8_t heldDir) {
    DirectionKeyboard& keys = SearchKeys();
    keys.Dir = heldDir;
    World& w = *world_;
    w.Keys = &keys;
    // A play frame headless: the music fade has no World part, and the
    // search holds no speed key, so there is nothing to report.
    WorldPlayFrame(w, nullptr);
    w.Keys = nullptr;
    ++frame_;
}

PlayOutcome PlanRunner::Outcome() const {
    const World& w = *world_;
    if (w.GameState == StateLevelDone) return PlayOutcome::Won;
    if (w.GameState == StateGameOver || w.Player.PlayerDying) return PlayOutcome::Lost;
    return PlayOutcome::Playing;
}

void PlanRunner::SettleToInput() {
    // A teleport lasts one cell of flight per step across the map; nothing
    // else keeps the player from the keys for long.
    for (int guard = 0; guard < 2000; ++guard) {
        if (Outcome() != PlayOutcome::Playing || PlayerTakesInputNext(*world_)) return;
        RunFrame(0);
    }
}

bool PlanRunner::Apply(const PlanStep& step) {
    SettleToInput();
    if (Outcome() != PlayOutcome::Playing) return false;
    if (step.Dir == 0) {
        steps_.push_back(TimedStep{frame_, step});
        for (int i = 0; i < step.WaitFrames && Outcome() == PlayOutcome::Playing; ++i) RunFrame(0);
        SettleToInput();
        return true;
    }
    const World before = *world_;
    const int frameBefore = frame_;
    RunFrame(step.Dir);
    if (world_->Player.PlayerReady && !world_->Player.PlayerDying) {
        // Blocked: the player stayed idle. Undo the frame.
        *world_ = before;
        frame_ = frameBefore;
        return false;
    }
    steps_.push_back(TimedStep{frameBefore, step});
    for (int guard = 0; guard < 100 && Outcome() == PlayOutcome::Playing && !world_->Player.PlayerReady; ++guard)
        RunFrame(step.Dir);
    SettleToInput();
    return true;
}

std::uint64_t StateHash(const World& w, bool withRandom, bool earthAsEmpty) {
    std::uint64_t h = 1469598103934665603ULL;
    for (int i = 0; i < MapCellCount; ++i) {
        const Cell& c = w.Cells[static_cast<std::size_t>(i)];
        int content = c.Content, tile = c.Tile;
        if (earthAsEmpty && content == Earth) content = tile = Empty;
        h = Mix(h, static_cast<std::uint64_t>(static_cast<std::uint32_t>(content)) * 1000003ULL +
                       static_cast<std::uint32_t>(tile) * 31ULL + static_cast<std::uint32_t>(c.ChaserCount));
    }
    // Actors in any order: the same position reached by different roads may
    // have created its records in another order.
    std::uint64_t actors = 0;
    const int count = std::min(w.ActorCount, ActorTableSize);
    for (int i = 0; i < count; ++i) {
        const ActorRecord& a = w.Actors[static_cast<std::size_t>(i)];
        if (!a.Active || a.Kind == Digging || a.Kind == DiamondTaken || a.Kind == MonsterDying ||
            a.Kind == PlayerTeleport)
            continue;
        std::uint64_t x = static_cast<std::uint32_t>(a.Kind);
        x = Mix(x, static_cast<std::uint32_t>(a.X));
        x = Mix(x, static_cast<std::uint32_t>(a.Y));
        x = Mix(x, static_cast<std::uint64_t>(DirCode(a.Dir)));
        x = Mix(x, static_cast<std::uint64_t>(DirCode(a.PrevDir)));
        x = Mix(x, a.Facing);
        x = Mix(x, a.Falling);
        x = Mix(x, static_cast<std::uint32_t>(a.FallCount));
        x = Mix(x, static_cast<std::uint32_t>(a.StepIndex));
        if (a.Dir == Dir::InPlace && a.Kind != LockedDiamondA && a.Kind != LockedDiamondB &&
            !(a.Kind >= TeleportEntrance1 && a.Kind <= TeleportEntrance5)) {
            // Something changing in place (hatching, a chaser going home,
            // weed growing): when it ends matters.
            x = Mix(x, static_cast<std::uint32_t>(a.Frame));
            x = Mix(x, static_cast<std::uint32_t>(a.AnimTicks));
        }
        actors += Finish(x);
    }
    h = Mix(h, actors);
    const PlayerState& p = w.Player;
    h = Mix(h, static_cast<std::uint32_t>(p.PlayerCell));
    h = Mix(h, static_cast<std::uint32_t>(p.PlayerX));
    h = Mix(h, static_cast<std::uint32_t>(p.PlayerY));
    h = Mix(h, static_cast<std::uint32_t>(p.HeldRock));
    h = Mix(h, static_cast<std::uint32_t>(w.CollectedCount));
    h = Mix(h, (w.EndPhase ? 1u : 0u) | (w.KeyAUsed ? 2u : 0u) | (w.KeyBUsed ? 4u : 0u) | (w.WeedGrowingNow ? 8u : 0u));
    if (w.EndPhase) {
        h = Mix(h, static_cast<std::uint32_t>(w.BorderCursor));
        h = Mix(h, static_cast<std::uint32_t>(w.PaceCounter));
    }
    if (withRandom) h = Mix(h, w.Rng.Seed);
    return Finish(h);
}

SearchResult SearchSolution(const World& start, const SearchOptions& options) {
    SearchResult result;
    struct Node {
        std::unique_ptr<PlanRunner> Play;
    };
    std::multimap<double, Node> open;
    std::unordered_set<std::uint64_t> seen;

    auto root = std::make_unique<PlanRunner>(start);
    root->SettleToInput();
    if (root->Outcome() != PlayOutcome::Playing) return result;
    seen.insert(StateHash(root->Now(), options.HashRandom, options.EarthAsEmpty));
    open.emplace(0.0, Node{std::move(root)});

    std::vector<PlanStep> choices;
    for (std::uint8_t d : AllDirections) choices.push_back(PlanStep{d, 0});
    for (int wait : options.Waits)
        if (wait > 0) choices.push_back(PlanStep{0, wait});

    while (!open.empty() && result.Expansions < options.MaxExpansions) {
        if (options.Deadline && std::chrono::steady_clock::now() >= *options.Deadline) {
            result.TimedOut = true;
            break;
        }
        auto first = open.begin();
        std::unique_ptr<PlanRunner> play = std::move(first->second.Play);
        open.erase(first);
        ++result.Expansions;
        if (!options.Quiet && result.Expansions % 20000 == 0)
            std::cerr << "gravlin-solve: " << result.Expansions << " decisions tried, " << open.size() << " open, "
                      << seen.size() << " positions seen, collected " << play->Now().CollectedCount << " of "
                      << play->Now().DiamondTarget << " at frame " << play->Frame() << "\n";
        for (const PlanStep& step : choices) {
            auto child = std::make_unique<PlanRunner>(*play);
            if (!child->Apply(step)) continue;
            ++result.Positions;
            const PlayOutcome outcome = child->Outcome();
            if (outcome == PlayOutcome::Won) {
                result.Found = true;
                result.Steps = child->Steps();
                result.Frames = child->Frame();
                return result;
            }
            if (outcome == PlayOutcome::Lost || child->Frame() > options.MaxFrames) continue;
            if (!seen.insert(StateHash(child->Now(), options.HashRandom, options.EarthAsEmpty)).second) continue;
            const double cost = child->Frame() / 10.0 + options.Greed * Estimate(child->Now());
            open.emplace(cost, Node{std::move(child)});
            if (open.size() > options.MaxOpen) open.erase(std::prev(open.end()));
        }
    }
    return result;
}

SearchResult RunPlan(const World& start, const std::vector<PlanStep>& plan) {
    SearchResult result;
    PlanRunner play(start);
    for (const PlanStep& step : plan) {
        if (play.Outcome() != PlayOutcome::Playing) break;
        play.Apply(step);
    }
    // A plan may end on the step into the book; let the last step finish.
    play.SettleToInput();
    result.Found = play.Outcome() == PlayOutcome::Won;
    result.Steps = play.Steps();
    result.Frames = play.Frame();
    return result;
}

WeedCut FirstWeedOnRoute(const World& start, const std::vector<HeldDir>& keys, int maxFrames) {
    WeedCut cut;
    std::vector<bool> onRoute(MapCellCount, false);
    PlanRunner play(start);
    onRoute[static_cast<std::size_t>(play.Now().Player.PlayerCell)] = true;
    std::size_t next = 0;
    std::uint8_t held = 0;
    while (play.Outcome() == PlayOutcome::Playing && play.Frame() <= maxFrames) {
        while (next < keys.size() && keys[next].Frame <= play.Frame()) held = keys[next++].Dir;
        play.Hold(held);
        const int cell = play.Now().Player.PlayerCell;
        if (InMap(cell)) onRoute[static_cast<std::size_t>(cell)] = true;
    }
    cut.RouteOutcome = play.Outcome();

    PlanRunner still(start);
    while (still.Frame() <= maxFrames && still.Now().GameState == StatePlay) {
        const int frame = still.Frame();
        still.Hold(0);
        for (int cell = 0; cell < MapCellCount; ++cell)
            if (onRoute[static_cast<std::size_t>(cell)] &&
                still.Now().Cells[static_cast<std::size_t>(cell)].Content == Weed) {
                cut.Frame = frame;
                cut.Cell = cell;
                return cut;
            }
    }
    return cut;
}

std::optional<std::vector<PlanStep>> ParsePlan(const std::string& text, std::string* error) {
    std::vector<PlanStep> plan;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            std::string upper = word;
            for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            std::size_t letters = 0;
            while (letters < upper.size() && std::isalpha(static_cast<unsigned char>(upper[letters]))) ++letters;
            const std::string name = upper.substr(0, letters), digits = upper.substr(letters);
            int count = 1;
            if (!digits.empty()) {
                auto n = ParseInt(digits);
                if (!n || *n < 1 || *n > 100000) {
                    if (error) *error = "bad count in \"" + word + "\"";
                    return std::nullopt;
                }
                count = static_cast<int>(*n);
            }
            if (name == "W") {
                plan.push_back(PlanStep{0, digits.empty() ? 10 : count});
                continue;
            }
            std::uint8_t dir = 0;
            for (const DirName& n : DirNames)
                if (name == n.Name) dir = n.Dir;
            if (dir == 0) {
                if (error) *error = "unknown step \"" + word + "\" (R L U D UR UL DR DL, W<frames>)";
                return std::nullopt;
            }
            for (int i = 0; i < count; ++i) plan.push_back(PlanStep{dir, 0});
        }
    }
    return plan;
}

std::string PlanText(const std::vector<TimedStep>& steps) {
    std::string text;
    for (std::size_t i = 0; i < steps.size();) {
        const PlanStep& s = steps[i].Step;
        std::size_t run = 1;
        if (s.Dir != 0)
            while (i + run < steps.size() && steps[i + run].Step == s) ++run;
        if (!text.empty()) text += ' ';
        if (s.Dir == 0)
            text += "W" + std::to_string(s.WaitFrames);
        else
            text += std::string(NameOf(s.Dir)) + (run > 1 ? std::to_string(run) : "");
        i += run;
    }
    return text;
}

std::string KeyScript(const std::vector<TimedStep>& steps, const std::vector<std::string>& header) {
    std::ostringstream o;
    for (const std::string& line : header) o << "# " << line << "\n";
    std::vector<Key> held;
    for (const TimedStep& t : steps) {
        const std::vector<Key> want = KeysOf(t.Step.Dir);
        for (Key k : held)
            if (std::find(want.begin(), want.end(), k) == want.end()) o << t.Frame << " -" << KeyName(k) << "\n";
        for (Key k : want)
            if (std::find(held.begin(), held.end(), k) == held.end()) o << t.Frame << " +" << KeyName(k) << "\n";
        held = want;
    }
    return o.str();
}

} // namespace gravlin
