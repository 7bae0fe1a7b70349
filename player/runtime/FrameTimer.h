#pragma once
// Paces a timeline at the movie's frame rate against the host's clock: how many ticks are
// due now. A host that falls behind (a suspended machine, a clock set back or forward)
// does not replay the missed frames but starts counting again from now.

#include <cstdint>

namespace quorlin::runtime {

class TFrameTimer {
public:
    // framesPerSecond from the movie header; 0 (which some files carry) is taken as 12,
    // so that a movie never stands still or spins.
    explicit TFrameTimer(double framesPerSecond, int maxCatchUp = 4);

    // Ticks due at the given time; the first call is due one tick, which is frame 1.
    int FramesDue(int64_t nowMilliseconds);
    // Milliseconds from now until the next tick is due (0 when one is due already).
    int64_t MillisecondsToNextFrame(int64_t nowMilliseconds) const;

    double FramesPerSecond() const { return FRate; }

private:
    int64_t TickTime(int64_t tick) const;

    double FRate;
    int FMaxCatchUp;
    bool FStarted = false;
    int64_t FStart = 0;  // time of tick 0
    int64_t FTicks = 0;  // ticks handed out since FStart
};

}  // namespace quorlin::runtime
