#pragma once
// A test play of one level, the game's --play: play starts directly on the
// level, no player file is written, and the program ends when the level has
// been won or lost (once its ending has been shown) or given up with Escape.
// With a script (--watch) the script's key events are played, frame by
// frame from the level's first play frame, as the replay runner plays them.

#include "presentation/ReplayScript.h"
#include "shell/TfrmMain.h"

#include <functional>
#include <vector>

namespace gravlin {

enum class TestPlayEnd { Playing, Won, Lost, GaveUp, Closed };

// The game's exit status after a test play: 0 won, 3 lost, 4 given up,
// 5 the window was closed before the level ended.
int TestPlayExitStatus(TestPlayEnd end);

class TestPlay {
  public:
    // `form` has been started (its first activation ran) with the TestPlay
    // option.
    TestPlay(TfrmMain& form, const LevelCodes& level, std::vector<ScriptEvent> script);

    // One frame of the game: the first starts play on the level; the script's
    // events of this frame go to `feed` before the frame handler runs, which
    // delivers them at its message pump.
    void Frame(const std::function<void(const ScriptEvent&)>& feed);

    bool Ended() const { return end_ != TestPlayEnd::Playing; }
    TestPlayEnd End() const { return end_; }
    int Frames() const { return frame_; }

  private:
    TfrmMain& form_;
    LevelCodes level_;
    std::vector<ScriptEvent> script_;
    std::size_t next_ = 0;
    int frame_ = 0;
    bool won_ = false, lost_ = false;
    TestPlayEnd end_ = TestPlayEnd::Playing;
};

} // namespace gravlin
