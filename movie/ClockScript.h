#pragma once
// The two scripts of the clock clip, as AVM1 code: the clock script of frame 1, which
// reads the time and the root variables and turns and shows the hands, and the loop
// script of frame 2, which sends the playhead back to frame 1.

#include <cstdint>
#include <vector>

namespace quorlin::movie {

std::vector<uint8_t> ClockScript();
std::vector<uint8_t> LoopScript();

}  // namespace quorlin::movie
