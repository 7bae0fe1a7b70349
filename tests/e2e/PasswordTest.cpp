// The /a mode with Wine's own MPR.DLL, whose PwdChangePasswordA is present: argument 2 is
// the dialog's parent and must be a number.

#include <gtest/gtest.h>

#include "tests/e2e/ScrRunner.h"

using namespace quorlin::e2e;

TEST(Password, ChangeWithAWindowNumberEndsWithExitCode0) {
    for (const char* parent : {"1234", "$4D2", "0"}) {
        const TScrRun run = RunScr({"/a", parent});
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 0) << parent;
        EXPECT_TRUE(run.Dialogs.empty()) << parent << ": " << run.RawOutput;
    }
}

TEST(Password, ChangeWithoutANumberShowsTheConversionErrorAndEndsWithExitCode1) {
    struct TCase {
        std::vector<std::string> Arguments;
        const char* Message;
    };
    const TCase cases[] = {
        {{"/a"}, "'' is not a valid integer value"},
        {{"/a", "abc"}, "'abc' is not a valid integer value"},
    };
    for (const TCase& item : cases) {
        const TScrRun run = RunScr(item.Arguments);
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 1) << item.Message;
        ASSERT_EQ(run.Dialogs.size(), 1u) << run.RawOutput;
        EXPECT_EQ(run.Dialogs[0].Text, item.Message);
    }
}
