#include "saver/shell/Param.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorlin;

TEST(StrToInt, AcceptedForms) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"800", 800},
        {"  800", 800},
        {"+800", 800},
        {"-800", -800},
        {"007", 7},
        {"$320", 800},
        {"x320", 800},
        {"X320", 800},
        {"0x320", 800},
        {"0X320", 800},
        {"$ff", 255},
        {"2147483647", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"$7FFFFFFF", std::numeric_limits<int32_t>::max()},
        {"$80000000", std::numeric_limits<int32_t>::min()},
        {"$FFFFFFFF", -1},
        {"-$10", -16},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StrToInt(c.text), c.value) << "text: [" << c.text << "]";
    }
}

TEST(StrToInt, RejectedFormsCarryTheExactMessage) {
    const char* rejected[] = {
        "",           " ",          "wide",        "800 ",       "8 00",  "800px",      "-",
        "+",          "$",          "0x",          "x",          "$G1",   "2147483648", "-2147483649",
        "$100000000", "99999999999", "1.5",        "--1",        "\t800",
    };
    for (const char* text : rejected) {
        try {
            StrToInt(text);
            ADD_FAILURE() << "accepted: [" << text << "]";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
        }
    }
}

TEST(StrToInt64, WidthAndPrefixes) {
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("0x100000000"), int64_t{1} << 32);
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
    EXPECT_THROW(StrToInt64("$10000000000000000"), EConvertError);
    EXPECT_THROW(StrToInt64("x10"), EConvertError);
}

TEST(TParam, SplitsAtTheFirstDelimiter) {
    struct Case {
        const char* text;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"/a=b=c", "a", "b=c"},
        {"/=x", "", "x"},
        {"/width=", "width", ""},
        {"/WIDTH=800", "WIDTH", "800"},
        {"/shot= a b ", "shot", " a b "},
    };
    for (const Case& c : cases) {
        TParam param(c.text);
        EXPECT_EQ(param.Name, c.name);
        EXPECT_EQ(param.Value, c.value);
    }
}

TEST(TParam, MalformedTextsGiveTheTwoMessages) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"foo", "Invalid parameter specification: foo. Prefix / not found"},
        {"", "Invalid parameter specification: . Prefix / not found"},
        {"-s=1", "Invalid parameter specification: -s=1. Prefix / not found"},
        {"/s", "Invalid parameter specification: /s. Delimiter = not found"},
        {"/", "Invalid parameter specification: /. Delimiter = not found"},
    };
    for (const Case& c : cases) {
        try {
            TParam param(c.text);
            ADD_FAILURE() << "accepted: [" << c.text << "]";
        } catch (const ParamException& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

TEST(TParams, LookupsByNameInAnyCaseFirstWins) {
    TParams params({"/WIDTH=800", "/width=600", "/=empty", "/time=", "/height=$258", "/neg=-1"});
    EXPECT_EQ(params.Count(), 6u);
    EXPECT_EQ(params.GetInteger("width"), 800);
    EXPECT_EQ(params.GetIntegerDef("Width", 1), 800);
    EXPECT_EQ(params.GetString("wIdTh"), "800");
    EXPECT_EQ(params.GetInteger("height"), 600);
    ASSERT_NE(params.Find(""), nullptr);
    EXPECT_EQ(params.Find("")->Value, "empty");
    // A missing option and -1 look alike to the defaulting lookups.
    EXPECT_EQ(params.GetInteger("missing"), -1);
    EXPECT_EQ(params.GetIntegerDef("missing", 1920), 1920);
    EXPECT_EQ(params.GetIntegerDef("neg", 1920), 1920);
    EXPECT_EQ(params.GetString("missing"), "");
    EXPECT_EQ(params.GetStringDef("missing", "showall"), "showall");
    // An empty value defaults as text but is no integer.
    EXPECT_EQ(params.GetStringDef("time", "9:05:25"), "9:05:25");
    try {
        params.GetIntegerDef("time", 5);
        ADD_FAILURE() << "empty value converted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'' is not a valid integer value");
    }
}

TEST(TParams, FirstMalformedArgumentFailsTheWholeList) {
    try {
        TParams params({"/shot=x.jpg", "foo", "/s"});
        ADD_FAILURE() << "constructed";
    } catch (const ParamException& e) {
        EXPECT_EQ(e.Message(), "Invalid parameter specification: foo. Prefix / not found");
    }
    TParams none(std::vector<std::string>{});
    EXPECT_EQ(none.Count(), 0u);
    EXPECT_EQ(none.Find("shot"), nullptr);
    EXPECT_EQ(none.GetIntegerDef("width", 1920), 1920);
}
