// Elapsed time across the tick counter's wrap: a wait that starts just before the wrap
// must neither end at once nor last until the next one.

#include <gtest/gtest.h>

#include "saver/shot/Ticks.h"

namespace quorlin {
namespace {

struct TTickCase {
    uint32_t Start, Now, Milliseconds;
    bool UsedUp;
};

TEST(Ticks, ElapsedTimeIsTheUnsignedDifferenceAcrossTheWrap) {
    const TTickCase cases[] = {
        {1000, 1000, 0, true},                // Delay(0): over at the first check
        {1000, 1049, 50, false},
        {1000, 1050, 50, true},
        {0xFFFFFFF0u, 0xFFFFFFF0u, 1500, false},
        {0xFFFFFFF0u, 0x000005CBu, 1500, false},  // 1499 ms, across the wrap
        {0xFFFFFFF0u, 0x000005CCu, 1500, true},   // 1500 ms, across the wrap
        {0xFFFF8AD0u, 0x00000000u, 30000, true},    // 30 s ending exactly at the wrap
        {5, 0xFFFFFFFFu, 30000, true},        // a counter read "before" start is long past
    };
    for (const TTickCase& c : cases) {
        EXPECT_EQ(TimeUsedUp(c.Start, c.Now, c.Milliseconds), c.UsedUp)
            << "start " << c.Start << ", now " << c.Now << ", wait " << c.Milliseconds;
    }
    EXPECT_EQ(TicksBetween(0xFFFFFFFFu, 0u), 1u);
}

}  // namespace
}  // namespace quorlin
