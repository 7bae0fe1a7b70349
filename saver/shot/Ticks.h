#pragma once
// Elapsed time between two readings of the 32-bit millisecond tick counter. The counter
// wraps after about 49.7 days; the difference in unsigned arithmetic is right across the
// wrap, where comparing the readings themselves would end a wait at once or never.

#include <cstdint>

namespace quorlin {

constexpr uint32_t TicksBetween(uint32_t start, uint32_t now) { return now - start; }

// Whether a wait of milliseconds that began at start is over at now.
constexpr bool TimeUsedUp(uint32_t start, uint32_t now, uint32_t milliseconds) {
    return TicksBetween(start, now) >= milliseconds;
}

}  // namespace quorlin
