#include <gtest/gtest.h>

#include "saver/shell/Param.h"

using namespace quorlin;

// On Windows names are compared by the user locale's rules, not ASCII only.
TEST(TParamsOnWindows, NamesCompareByTheUserLocale) {
    TParams params({"/WIDTH=800", "/\xC4rger=1"});  // "Ärger" in the Western code page
    EXPECT_EQ(params.GetInteger("width"), 800);
    ASSERT_NE(params.Find("\xE4rger"), nullptr);  // "ärger"
    EXPECT_EQ(params.Find("\xE4rger")->Value, "1");
    EXPECT_EQ(params.Find("widths"), nullptr);
}
