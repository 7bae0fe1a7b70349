// Colour text in both of its forms, as read from the registry and written back.

#include <gtest/gtest.h>

#include "saver/settings/ColorText.h"

using namespace quorlin;

TEST(ParseColor, AcceptedTexts) {
    struct TCase {
        const char* Text;
        TColorRef Expected;
    };
    const TCase cases[] = {
        {"#FF8000", 0x0080FF},       // red first in the text, red low in the COLORREF
        {"#ff8000", 0x0080FF},
        {"  #ff8000  ", 0x0080FF},   // blanks around are trimmed
        {"\t#0000ff\r\n", 0xFF0000},
        {"#000000", 0},
        {"255", 0x0000FF},           // an integer is the COLORREF itself
        {"16711680", 0xFF0000},
        {"+12", 12},
        {"-1", 0xFFFFFFFF},
        {"2147483647", 0x7FFFFFFF},
        {"-2147483648", 0x80000000},
        {"$FF", 0xFF},
        {"xff", 0xFF},
        {"XfF", 0xFF},
        {"0x10", 0x10},
        {"0X10", 0x10},
        {"$FFFFFFFF", 0xFFFFFFFF},   // the top bit may be set: -1
        {"$0000000001", 1},          // leading zeros are not significant
        {"0", 0},
    };
    for (const TCase& c : cases) {
        TColorRef color = 0xDEADBEEF;
        EXPECT_TRUE(ParseColor(c.Text, color)) << c.Text;
        EXPECT_EQ(color, c.Expected) << c.Text;
    }
}

TEST(ParseColor, RejectedTextsLeaveTheOutputUntouched) {
    for (const char* text : {"", "   ", "#", "#ff80", "#ff80000", "#gg0000", "# ff8000", "red", "2147483648",
                             "-2147483649", "$100000000", "$", "0x", "x", "-$FF", "+0x1", "12a", "1 2", "#-12345"}) {
        TColorRef color = 0x123456;
        EXPECT_FALSE(ParseColor(text, color)) << '"' << text << '"';
        EXPECT_EQ(color, 0x123456u) << text;
    }
}

TEST(FormatColor, LowerCaseRedFirstTopByteIgnored) {
    EXPECT_EQ(FormatColor(0x0080FF), "#ff8000");
    EXPECT_EQ(FormatColor(0), "#000000");
    EXPECT_EQ(FormatColor(0xFF0000), "#0000ff");
    EXPECT_EQ(FormatColor(0xFFABCDEF), "#efcdab");
    // What ParseColor reads from #rrggbb, FormatColor gives back in lower case.
    TColorRef color = 0;
    ASSERT_TRUE(ParseColor("#A1B2C3", color));
    EXPECT_EQ(FormatColor(color), "#a1b2c3");
}
