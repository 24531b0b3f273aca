#include "presentation/FrameClock.h"

#include <gtest/gtest.h>

using namespace gravlin;

namespace {
constexpr Nanoseconds Ms = 1'000'000;
}

TEST(FrameClock, NoDriftOver10000FramesWithJitteryWakeUps) {
    FrameClock clock;
    const Nanoseconds start = 123'456'789;
    clock.Start(start);
    Nanoseconds now = start;
    std::uint32_t seed = 7;
    for (int frame = 0; frame < 10000; ++frame) {
        // The sleep ends anywhere up to 3 ms late.
        now = std::max(now, clock.NextDeadline());
        seed = seed * 1664525u + 1013904223u;
        now += static_cast<Nanoseconds>(seed >> 8) % (3 * Ms);
        ASSERT_TRUE(clock.FrameDue(now)) << frame;
        ASSERT_FALSE(clock.FrameDue(now)) << "two frames for one deadline at " << frame;
    }
    // Frame 10000 is due exactly 10000/60 s after the start: no error builds up.
    EXPECT_EQ(clock.NextDeadline(), start + 10000LL * NanosecondsPerSecond / 60);
    EXPECT_EQ(clock.FramesRun(), 10000);
    EXPECT_EQ(clock.Resyncs(), 0);
}

TEST(FrameClock, FramesPerSimulatedSecondStayAtSixty) {
    FrameClock clock;
    clock.Start(0);
    int frames = 0;
    // Poll every millisecond for ten seconds.
    for (Nanoseconds t = 0; t < 10 * NanosecondsPerSecond; t += Ms)
        while (clock.FrameDue(t)) ++frames;
    EXPECT_EQ(frames, 600);
}

TEST(FrameClock, CatchesUpAFewFramesThenStartsOverAfterAStall) {
    FrameClock clock(60, 4);
    clock.Start(0);
    ASSERT_TRUE(clock.FrameDue(0));
    // Three frames late: all three run back to back, then the clock waits.
    Nanoseconds late = 3 * NanosecondsPerSecond / 60 + Ms;
    int run = 0;
    while (clock.FrameDue(late)) ++run;
    EXPECT_EQ(run, 3);
    EXPECT_EQ(clock.NextDeadline(), 4 * NanosecondsPerSecond / 60);
    EXPECT_EQ(clock.Resyncs(), 0);

    // A two-second stall: one frame now, none of the missed ones, and the
    // next frame a sixtieth of a second later.
    Nanoseconds stalled = 2 * NanosecondsPerSecond;
    run = 0;
    while (clock.FrameDue(stalled)) ++run;
    EXPECT_EQ(run, 1);
    EXPECT_EQ(clock.Resyncs(), 1);
    EXPECT_EQ(clock.NextDeadline(), stalled + NanosecondsPerSecond / 60);
    EXPECT_EQ(clock.TimeUntilNext(stalled), NanosecondsPerSecond / 60);
    EXPECT_EQ(clock.TimeUntilNext(stalled + NanosecondsPerSecond), 0);
}

TEST(FrameClock, StartsOnFirstUseAndAgainWhenAsked) {
    FrameClock clock;
    EXPECT_FALSE(clock.Started());
    EXPECT_EQ(clock.TimeUntilNext(5), 0);
    EXPECT_TRUE(clock.FrameDue(500 * Ms));
    EXPECT_EQ(clock.NextDeadline(), 500 * Ms + NanosecondsPerSecond / 60);
    // The window was away for a while: counting starts again, nothing to catch up.
    clock.Start(10 * NanosecondsPerSecond);
    EXPECT_TRUE(clock.FrameDue(10 * NanosecondsPerSecond));
    EXPECT_FALSE(clock.FrameDue(10 * NanosecondsPerSecond + Ms));
}
