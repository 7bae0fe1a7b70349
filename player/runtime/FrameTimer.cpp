#include "player/runtime/FrameTimer.h"

#include <algorithm>
#include <cmath>

namespace quorlin::runtime {

TFrameTimer::TFrameTimer(double framesPerSecond, int maxCatchUp)
    : FRate(framesPerSecond > 0 && std::isfinite(framesPerSecond) ? framesPerSecond : 12.0),
      FMaxCatchUp(std::max(1, maxCatchUp)) {}

int64_t TFrameTimer::TickTime(int64_t tick) const {
    return FStart + int64_t(std::floor(double(tick) * 1000.0 / FRate));
}

int TFrameTimer::FramesDue(int64_t now) {
    if (!FStarted) {
        FStarted = true;
        FStart = now;
        FTicks = 1;
        return 1;
    }
    if (now < FStart) {  // the clock went back: restart from here
        FStart = now;
        FTicks = 1;
        return 1;
    }
    int due = 0;
    while (due <= FMaxCatchUp && TickTime(FTicks) <= now) {
        ++FTicks;
        ++due;
    }
    if (due > FMaxCatchUp) {  // far behind: play one frame and count from now
        FStart = now;
        FTicks = 1;
        return 1;
    }
    return due;
}

int64_t TFrameTimer::MillisecondsToNextFrame(int64_t now) const {
    if (!FStarted) return 0;
    return std::max<int64_t>(0, TickTime(FTicks) - now);
}

}  // namespace quorlin::runtime
