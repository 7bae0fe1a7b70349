#pragma once
// The time source of the player is the script machine's clock: the host supplies one
// (the control the system's, tests and the screenshot tool a fixed one), and the frame
// pacing and the scripts' Date both read it.

#include "player/avm1/Clock.h"

namespace quorlin::runtime {

using TClock = avm1::TClock;
using TSystemClock = avm1::TSystemClock;
using TFixedClock = avm1::TFixedClock;

// The UTC time value of a local date and time of day, month 1 to 12, in a zone that is
// offsetMs ahead of UTC.
double LocalTimeToUtc(int year, int month, int day, int hour, int minute, int second, int millisecond,
                      double offsetMs);

}  // namespace quorlin::runtime
