#include "player/runtime/FlashVars.h"

#include <gtest/gtest.h>

using namespace quorlin::runtime;

TEST(FlashVars, PairsAreSplitAndDecodedAsAFlashPlayerDecodesThem) {
    const struct {
        const char* text;
        TVariables expected;
    } cases[] = {
        {"", {}},
        {"a=1&b=2", {{"a", "1"}, {"b", "2"}}},
        {"t=x+y%20z", {{"t", "x y z"}}},
        {"t=%41%2b%2B%26%3d", {{"t", "A++&="}}},
        {"t=100%&u=%zz&v=%4", {{"t", "100%"}, {"u", "%zz"}, {"v", "%4"}}},
        {"t=a=b", {{"t", "a=b"}}},
        {"flag", {{"flag", ""}}},
        {"a=1&&b=&", {{"a", "1"}, {"b", ""}}},
        {"=orphan&c=3", {{"c", "3"}}},
        {"n%61me=%E2%82%AC", {{"name", "\xE2\x82\xAC"}}},
        {"a=1&a=2", {{"a", "1"}, {"a", "2"}}},
        {"freeze_time=14%3A05%3A30&glass_visible=true", {{"freeze_time", "14:05:30"}, {"glass_visible", "true"}}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseFlashVars(c.text), c.expected) << c.text;
}
