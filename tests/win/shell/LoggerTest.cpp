#include <gtest/gtest.h>

#include "tests/win/support/ChildProcess.h"

using namespace quorlin::testing;

namespace {
TChildResult RunProbe(const std::string& arguments) {
    return RunChild(QuoteArgument(WinBuildFile("probe.exe")) + " " + arguments);
}
}  // namespace

TEST(TLogger, DebuggerSeesExactlyTheText) {
    struct Case {
        const char* which;
        const char* expected;
    };
    const Case cases[] = {
        {"plain", "Screenshot failed: 'wide' is not a valid integer value"},
        {"empty", ""},
        {"zero", "before"},  // cut at the zero character
    };
    for (const Case& c : cases) {
        const TChildResult run = RunProbe(std::string("log ") + c.which);
        ASSERT_TRUE(run.Started);
        EXPECT_EQ(run.ExitCode, 0u) << c.which;
        ASSERT_EQ(run.DebugOutput.size(), 1u) << c.which;
        EXPECT_EQ(run.DebugOutput[0], c.expected) << c.which;
    }
}

TEST(ShellOpen, TargetThatNothingOpensReturnsWithoutAMessage) {
    const TChildResult run = RunProbe("shellopen Z:\\no\\such\\folder\\nothing.quorlin-unknown");
    ASSERT_TRUE(run.Started);
    EXPECT_FALSE(run.TimedOut);
    EXPECT_EQ(run.ExitCode, 0u);
    EXPECT_TRUE(run.Dialogs.empty()) << run.Dialogs[0].Text;
}
