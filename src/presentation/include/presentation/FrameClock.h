#pragma once
// The real game's frame pacing: a fixed number of frames a second (60),
// whatever the monitor's refresh rate. Frame k is due at start + k / rate
// seconds, computed from the frame number rather than by adding up periods,
// so no rounding error builds up however long the game runs. A late frame is
// run at once; after a stall of more than a few frames the clock starts over
// from now instead of racing through the missed frames.
//
// The clock only does arithmetic on the times it is given, so tests drive it
// with simulated time; the rules of the game never see it.

#include <cstdint>

namespace gravlin {

using Nanoseconds = std::int64_t;

constexpr Nanoseconds NanosecondsPerSecond = 1'000'000'000;

class FrameClock {
  public:
    static constexpr int DefaultRate = 60;
    static constexpr int DefaultMaxCatchUp = 4;

    // `framesPerSecond` at least 1; `maxCatchUp` late frames are run back to
    // back before the clock gives up on them and starts over.
    explicit FrameClock(int framesPerSecond = DefaultRate, int maxCatchUp = DefaultMaxCatchUp);

    // Starts counting: the first frame is due at `now`.
    void Start(Nanoseconds now);
    bool Started() const { return started_; }

    // Whether a frame is due at `now`. When it is, that frame counts as run
    // and the next deadline is one frame on. Starts the clock on first use.
    bool FrameDue(Nanoseconds now);

    // When the next frame is due.
    Nanoseconds NextDeadline() const { return Deadline(next_); }
    // How long from `now` until the next frame is due (0 when it is due).
    Nanoseconds TimeUntilNext(Nanoseconds now) const;

    // Frames run since construction, and how often the clock started over.
    std::int64_t FramesRun() const { return framesRun_; }
    int Resyncs() const { return resyncs_; }
    int Rate() const { return rate_; }

  private:
    Nanoseconds Deadline(std::int64_t frame) const { return origin_ + frame * NanosecondsPerSecond / rate_; }

    int rate_;
    int maxCatchUp_;
    bool started_ = false;
    Nanoseconds origin_ = 0;
    std::int64_t next_ = 0; // frame number, counted from origin_, of the next deadline
    std::int64_t framesRun_ = 0;
    int resyncs_ = 0;
};

// The system's monotonic clock, for the real game's frame loop.
Nanoseconds MonotonicNow();

// Sleeps (without burning the processor) until `deadline` on MonotonicNow's
// clock; returns at once when it has passed.
void SleepUntil(Nanoseconds deadline);

} // namespace gravlin
