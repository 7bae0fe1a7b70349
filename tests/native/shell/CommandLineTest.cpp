#include "saver/shell/CommandLine.h"
#include "saver/shell/RunMode.h"

#include <gtest/gtest.h>

using namespace quorlin;
using Args = std::vector<std::string>;

TEST(SplitCommandLine, QuotingRules) {
    struct Case {
        const char* line;
        Args expected;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"saver.scr", {"saver.scr"}},
        {"  saver.scr   /s  ", {"saver.scr", "/s"}},
        {"\"C:\\Program Files\\q.scr\" /p 1234", {"C:\\Program Files\\q.scr", "/p", "1234"}},
        {"q.scr /shot=\"my out.jpg\"", {"q.scr", "/shot=my out.jpg"}},
        {"q.scr a\"b c\"d", {"q.scr", "ab cd"}},
        {"q.scr \"\" /s", {"q.scr", "/s"}},           // an empty pair is skipped like a blank
        {"q.scr \"\"\"\" /s", {"q.scr", "/s"}},       // so are several in a row
        {"q.scr \"\"/s", {"q.scr", "/s"}},            // even right before an argument
        {"q.scr a\"\"b", {"q.scr", "ab"}},            // inside an argument it is just removed
        {"q.scr \"unterminated text", {"q.scr", "unterminated text"}},
        {"q.scr\t/c\r\n", {"q.scr", "/c"}},           // every control character is a blank
        {"q.scr \"\"\"", {"q.scr"}},                  // nothing between the quotes: no empty argument
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << "line: [" << c.line << "]";
    }
}

TEST(SplitCommandLine, StopsAtZeroByte) {
    EXPECT_EQ(SplitCommandLine(std::string("q.scr /s\0/c", 11)), (Args{"q.scr", "/s"}));
}

TEST(ParseSaverMode, EveryFirstArgument) {
    struct Case {
        Args arguments;
        TSaverMode mode;
    };
    const Case cases[] = {
        {{"q.scr"}, smConfig},
        {{"q.scr", "/s"}, smShow},
        {{"q.scr", "-s"}, smShow},
        {{"q.scr", "xs"}, smShow},
        {{"q.scr", "/S"}, smConfig},
        {{"q.scr", "/c"}, smConfig},
        {{"q.scr", "/c:1234"}, smConfig},
        {{"q.scr", "/a", "1234"}, smChangePassword},
        {{"q.scr", "/A", "1234"}, smConfig},
        {{"q.scr", "/p", "1234"}, smPreview},
        {{"q.scr", "/P", "1234"}, smConfig},
        {{"q.scr", "/SHOT=out.jpg"}, smShot},
        {{"q.scr", "/shot="}, smShot},
        {{"q.scr", "/Shot=x.jpg", "foo"}, smShot},
        {{"q.scr", "/shot"}, smConfig},
        {{"q.scr", "/x"}, smConfig},
        {{"q.scr", "/"}, smConfig},
        {{"q.scr", "/ss"}, smConfig},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSaverMode(c.arguments), c.mode) << "first argument: " << c.arguments.back();
    }
}

TEST(ParsePreviewParent, NumberForms) {
    struct Case {
        const char* text;
        uint32_t handle;
    };
    const Case cases[] = {
        {"1234", 1234},     {"$4D2", 1234},       {"0x4D2", 1234},  {"0X4d2", 1234},
        {"  1234", 1234},   {"+1234", 1234},      {"abc", 0},       {"0", 0},
        {"1234 ", 0},       {"12x", 0},           {"", 0},          {"x4D2", 0},  // no bare x in 64 bits
        {"4294968530", 1234},                     // 2^32 + 1234: the low 32 bits
        {"$1000004D2", 1234},                     // the same in hexadecimal
        {"-1", 0xFFFFFFFFu},                      // the low 32 bits of a negative number
        {"9223372036854775808", 0},               // past the signed 64-bit range
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParsePreviewParent({"q.scr", "/p", c.text}), c.handle) << "text: [" << c.text << "]";
    }
    EXPECT_EQ(ParsePreviewParent({"q.scr", "/p"}), 0u);
    EXPECT_EQ(ParsePreviewParent({"q.scr"}), 0u);
    // Parsed in every mode, even where nothing uses it.
    EXPECT_EQ(ParsePreviewParent({"q.scr", "/s", "77"}), 77u);
}
