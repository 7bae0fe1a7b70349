#include "player/avm1/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorlin::avm1;

TEST(NumberText, FormatsLikeFlash) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {62.5, "62.5"},
        {-360, "-360"},
        {0.1 + 0.2, "0.3"},  // 15 significant digits hide the binary error
        {1.0 / 3, "0.333333333333333"},
        {123456789012345, "123456789012345"},
        {1e15, "1e+15"},
        {1.5e20, "1.5e+20"},
        {0.00001, "0.00001"},
        {1e-7, "1e-7"},
        {-2.5e-10, "-2.5e-10"},
        {NAN, "NaN"},
        {INFINITY, "Infinity"},
        {-INFINITY, "-Infinity"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatNumber(c.value), c.text) << c.text;
    EXPECT_EQ(FormatNumberRadix(255, 16), "ff");
    EXPECT_EQ(FormatNumberRadix(-5, 2), "-101");
}

TEST(NumberText, ReadsStringsAsNumbers) {
    struct Case {
        const char* text;
        double value;  // NaN for "not a number"
    };
    const Case cases[] = {
        {"12", 12},     {" 12 ", 12},  {"-3.5", -3.5}, {".5", 0.5},   {"5.", 5},         {"1e3", 1000},
        {"0x1F", 31},   {"007", 7},    {"", NAN},      {"  ", NAN},   {"12abc", NAN},    {"abc", NAN},
        {"1 2", NAN},   {"e5", NAN},   {"-", NAN},     {"0x", NAN},   {"Infinity", INFINITY},
    };
    for (const Case& c : cases) {
        double got = StringToNumber(c.text);
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(got)) << '"' << c.text << "\" gave " << got;
        else
            EXPECT_EQ(got, c.value) << '"' << c.text << '"';
    }
}

TEST(NumberText, ParseIntWithAndWithoutRadix) {
    struct Case {
        const char* text;
        int radix;  // 0: none given
        double value;
    };
    const Case cases[] = {
        {"14", 0, 14},     {"05", 0, 5},      {"08", 0, 8},       {"09", 0, 9},    // leading zero: decimal
        {"30sec", 0, 30},  {"  -12", 0, -12}, {"0x1A", 0, 26},    {"0X1a", 0, 26}, {"ff", 16, 255},
        {"0x10", 16, 16},  {"0x10", 10, 0},   {"z", 36, 35},      {"777", 8, 511}, {"19", 8, 1},
        {"", 0, NAN},      {"abc", 0, NAN},   {"12", 1, NAN},     {"12", 37, NAN}, {"3.9", 0, 3},
    };
    for (const Case& c : cases) {
        double got = ParseInt(c.text, c.radix);
        if (std::isnan(c.value))
            EXPECT_TRUE(std::isnan(got)) << '"' << c.text << "\" radix " << c.radix;
        else
            EXPECT_EQ(got, c.value) << '"' << c.text << "\" radix " << c.radix;
    }
}

TEST(NumberText, ParseFloatTakesTheLongestPrefix) {
    EXPECT_EQ(ParseFloat("3.14abc"), 3.14);
    EXPECT_EQ(ParseFloat("  -.5e1x"), -5);
    EXPECT_EQ(ParseFloat("1e"), 1);
    EXPECT_EQ(ParseFloat("-Infinity!"), -INFINITY);
    EXPECT_TRUE(std::isnan(ParseFloat("x1")));
    EXPECT_TRUE(std::isnan(ParseFloat("")));
}
