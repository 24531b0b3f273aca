#include "shell/TestPlay.h"

#include <string>

namespace gravlin {

int TestPlayExitStatus(TestPlayEnd end) {
    switch (end) {
    case TestPlayEnd::Won: return 0;
    case TestPlayEnd::Lost: return 3;
    case TestPlayEnd::GaveUp: return 4;
    case TestPlayEnd::Closed:
    case TestPlayEnd::Playing: break;
    }
    return 5;
}

TestPlay::TestPlay(TfrmMain& form, const LevelCodes& level, std::vector<ScriptEvent> script)
    : form_(form), level_(level), script_(std::move(script)) {}

void TestPlay::Frame(const std::function<void(const ScriptEvent&)>& feed) {
    if (Ended()) return;
    if (frame_ == 0) {
        // The level stands for every level number, at speed 4.
        form_.PlayLevelCodes(level_);
        std::string why;
        if (!form_.StartLevelDirectly(1, 4, &why)) {
            // The caller checked the level; should it still be refused, the
            // test ends as if the window had been closed.
            end_ = TestPlayEnd::Closed;
            return;
        }
    }
    while (next_ < script_.size() && script_[next_].Frame <= frame_) feed(script_[next_++]);
    form_.DXTimerTimer();
    ++frame_;

    const int state = form_.GameWorld().GameState;
    if (state == StateLevelDone) won_ = true;
    if (state == StateGameOver) lost_ = true;
    if (form_.GaveUp())
        end_ = TestPlayEnd::GaveUp;
    else if ((won_ || lost_) && (state == StateLevelSelect || form_.Terminated()))
        // The ending has been shown (or Escape cut it short).
        end_ = won_ ? TestPlayEnd::Won : TestPlayEnd::Lost;
    else if (form_.Terminated())
        end_ = TestPlayEnd::Closed;
}

} // namespace gravlin
