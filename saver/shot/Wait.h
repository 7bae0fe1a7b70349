#pragma once
// The screenshot mode's waits. There is no message loop in this mode: these waits are
// where the Flash control gets its messages, so that it loads and plays the movie.

#include <cstdint>

namespace quorlin {

class TFlashBox;

// How long the movie may take to load, and how long it then runs before the picture is
// taken (about 75 frames at 50 frames a second: its scripts have set the frozen time and
// the visibility of the glass and the second hand by then).
constexpr uint32_t kMovieLoadTimeoutMs = 30000;
constexpr uint32_t kMovieSettleMs = 1500;
constexpr uint32_t kMessagePollMs = 50;

// Serves the message queue every 50 ms until milliseconds have passed; Delay(0) returns
// at once.
void Delay(uint32_t milliseconds);

// Waits until the box's movie is loaded completely, at most 30 s, then lets it settle.
// A movie that never reports 100 percent is not an error: it is taken as far as it got.
void WaitForMovie(TFlashBox& box);

}  // namespace quorlin
