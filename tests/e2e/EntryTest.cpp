// The entry as a user or Windows meets it: exit codes, the preview handle check, and the
// errors of the screenshot options.

#include <gtest/gtest.h>

#include "tests/e2e/ScrRunner.h"

using namespace quorlin::e2e;

TEST(Entry, PreviewWithoutAWindowEndsWithExitCode1) {
    const std::vector<std::vector<std::string>> commandLines = {{"/p"}, {"/p", "abc"}, {"/p", "0"}, {"/p", "$"}};
    for (const auto& arguments : commandLines) {
        const TScrRun run = RunScr(arguments);
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 1) << arguments.back();
        EXPECT_TRUE(run.Dialogs.empty()) << "no message for a bad preview handle";
    }
}

TEST(Entry, PreviewAcceptsARealWindowInEveryNumberForm) {
    for (const char* form : {"{hwnd}", "{hwnd$}", "{hwnd0x}", "{hwnd+2^32}"}) {
        TScrOptions options;
        options.TestWindow = true;
        // The preview runs until its window goes; it must still be running then.
        options.DestroyWindowAfterMs = 4000;
        const TScrRun run = RunScr({"/p", form}, options);
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 0) << form;
        EXPECT_GE(run.AfterDestroyMs, 0) << form << " ended before its window went";
        EXPECT_TRUE(run.Dialogs.empty()) << form;
    }
}

TEST(Entry, ShotWithoutAFileNameEndsWithExitCode2) {
    const TScrRun run = RunScr({"/shot="});
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, 2);
    EXPECT_TRUE(run.Dialogs.empty());
    EXPECT_TRUE(run.DebugOutput.empty());
}

TEST(Entry, MalformedShotOptionShowsTheErrorAndEndsWithExitCode1) {
    const TScrRun run = RunScr({"/shot=x.jpg", "foo"});
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, 1);
    ASSERT_EQ(run.Dialogs.size(), 1u) << run.RawOutput;
    EXPECT_EQ(run.Dialogs[0].Text, "Invalid parameter specification: foo. Prefix / not found");
}

TEST(Entry, ShotWithANonNumericWidthLogsAndEndsWithExitCode3) {
    const TScrRun run = RunScr({"/shot=x.jpg", "/width=wide"});
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_TRUE(run.Dialogs.empty());
    ASSERT_EQ(run.DebugOutput.size(), 1u) << run.RawOutput;
    EXPECT_EQ(run.DebugOutput[0], "Screenshot failed: 'wide' is not a valid integer value");
}
