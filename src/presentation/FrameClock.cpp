#include "presentation/FrameClock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace gravlin {

FrameClock::FrameClock(int framesPerSecond, int maxCatchUp)
    : rate_(std::max(1, framesPerSecond)), maxCatchUp_(std::max(0, maxCatchUp)) {}

void FrameClock::Start(Nanoseconds now) {
    started_ = true;
    origin_ = now;
    next_ = 0;
}

bool FrameClock::FrameDue(Nanoseconds now) {
    if (!started_) Start(now);
    Nanoseconds due = Deadline(next_);
    if (now < due) return false;
    // More than a few frames behind (the machine stalled, the window was
    // dragged, a debugger stopped the game): drop the missed frames and count
    // again from now, running this frame at once.
    Nanoseconds allowed = static_cast<Nanoseconds>(maxCatchUp_) * NanosecondsPerSecond / rate_;
    if (now - due > allowed) {
        origin_ = now;
        next_ = 0;
        ++resyncs_;
    }
    ++next_;
    ++framesRun_;
    return true;
}

Nanoseconds FrameClock::TimeUntilNext(Nanoseconds now) const {
    if (!started_) return 0;
    return std::max<Nanoseconds>(0, Deadline(next_) - now);
}

Nanoseconds MonotonicNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SleepUntil(Nanoseconds deadline) {
    using Clock = std::chrono::steady_clock;
    std::this_thread::sleep_until(
        Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(deadline))));
}

} // namespace gravlin
