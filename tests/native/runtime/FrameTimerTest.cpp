#include "RuntimeFixture.h"

#include "player/runtime/FrameTimer.h"

#include <gtest/gtest.h>

using namespace quorlin::runtime;
using namespace quorlin::runtime::test;

TEST(FrameTimer, TicksComeAtTheFrameRateAndAFarBehindHostResynchronises) {
    TFrameTimer timer(50);  // a tick every 20 ms
    const struct {
        int64_t now;
        int due;
    } steps[] = {
        {1000, 1},  // the first frame at once
        {1019, 0}, {1020, 1}, {1039, 0},
        {1100, 4},  // a late timer catches up a few frames
        {1100, 0},
        {5000, 1},  // seconds behind: one frame, counted again from here
        {5019, 0}, {5020, 1},
        {3000, 1},  // the clock went back: counted again from there
        {3020, 1},
    };
    for (const auto& s : steps) EXPECT_EQ(timer.FramesDue(s.now), s.due) << "at " << s.now;
    EXPECT_EQ(timer.MillisecondsToNextFrame(3025), 15);
    EXPECT_EQ(timer.MillisecondsToNextFrame(3100), 0);
}

TEST(FrameTimer, ARateOfZeroPlaysAtTwelveFramesASecond) {
    TFrameTimer timer(0);
    EXPECT_EQ(timer.FramesPerSecond(), 12);
    timer.FramesDue(0);
    EXPECT_EQ(timer.FramesDue(82), 0);
    EXPECT_EQ(timer.FramesDue(83), 1);
}

TEST(FrameTimer, ThePlayerAdvancesByTheSuppliedClock) {
    TRun run(MakeMovie({Trace("1"), Show(), Trace("2"), Show(), Trace("3"), Show()}, 3));
    EXPECT_EQ(run.Player.Advance(), 1);
    EXPECT_EQ(run.Player.Advance(), 0);  // the clock stands: no frame is due
    EXPECT_EQ(run.Player.MillisecondsToNextFrame(), 20);
    run.Clock.Advance(45);
    EXPECT_EQ(run.Player.Advance(), 2);
    EXPECT_EQ(run.Player.Root().CurrentFrame(), 3);
    EXPECT_EQ(run.Player.MillisecondsToNextFrame(), 15);
}
