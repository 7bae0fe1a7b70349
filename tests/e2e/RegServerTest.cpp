// The module as a COM server, seen from outside: the switches REGSERVER and UNREGSERVER,
// and the moniker class's entries that every start writes under HKEY_CLASSES_ROOT, read
// back from the registry of the Wine prefix.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/e2e/ScrRunner.h"

using namespace quorlin::e2e;

namespace {

const std::string kClassKey = "CLSID\\{A3D6C94F-811E-4C5B-941F-E0035FF3D8C4}";
const std::string kProgID = "quorlin.CustomMoniker";

void ExpectRegisteredAt(const std::string& serverPath) {
    EXPECT_EQ(ClassesRootValue(kClassKey), "");
    EXPECT_EQ(ClassesRootValue(kClassKey + "\\LocalServer32"), serverPath);
    EXPECT_EQ(ClassesRootValue(kClassKey + "\\ProgID"), kProgID);
    EXPECT_EQ(ClassesRootValue(kProgID), "");
    EXPECT_EQ(ClassesRootValue(kProgID + "\\Clsid"), "{A3D6C94F-811E-4C5B-941F-E0035FF3D8C4}");
}

void ExpectUnregistered() {
    EXPECT_EQ(ClassesRootValue(kClassKey), std::nullopt);
    EXPECT_EQ(ClassesRootValue(kProgID), std::nullopt);
}

std::string BuiltModule() { return WinePath(std::string(QUORLIN_WIN_DIR) + "/quorlin.scr"); }

void RunExpecting(const std::vector<std::string>& arguments, int exitCode, const TScrOptions& options = {}) {
    const TScrRun run = RunScr(arguments, options);
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, exitCode) << arguments.back();
    EXPECT_TRUE(run.Dialogs.empty()) << run.RawOutput;
}

}  // namespace

TEST(RegServer, SwitchesRegisterAndRemoveTheEntriesAndEndWithExitCode0) {
    struct Step {
        std::vector<std::string> arguments;
        bool registered;
    };
    const Step steps[] = {
        {{"-UNREGSERVER"}, false},
        {{"/regserver"}, true},
        {{"/UnRegServer"}, false},
        {{"-RegServer"}, true},
        {{"/c", "-unregserver"}, false},  // a switch counts anywhere on the line
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.arguments.back());
        RunExpecting(step.arguments, 0);
        if (step.registered) ExpectRegisteredAt(BuiltModule());
        else ExpectUnregistered();
    }
}

TEST(RegServer, AnOrdinaryStartWritesTheEntriesToo) {
    RunExpecting({"-unregserver"}, 0);
    ExpectUnregistered();
    // "/shot=" without a file name is a start that ends by itself, after the application
    // object is initialised.
    RunExpecting({"/shot="}, 2);
    ExpectRegisteredAt(BuiltModule());
}

TEST(RegServer, APathWithABlankIsRegisteredInItsShortForm) {
    char pattern[] = "/tmp/quorlin e2e XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::filesystem::path folder = pattern;
    const std::filesystem::path module = folder / "quorlin.scr";
    std::filesystem::copy_file(std::string(QUORLIN_WIN_DIR) + "/quorlin.scr", module);

    TScrOptions options;
    options.Program = module.string();
    RunExpecting({"/regserver"}, 0, options);
    const std::optional<std::string> server = ClassesRootValue(kClassKey + "\\LocalServer32");
    ASSERT_TRUE(server.has_value());
    EXPECT_EQ(server->find(' '), std::string::npos) << *server;
    EXPECT_NE(*server, WinePath(module.string()));
    ASSERT_GE(server->size(), 12u);
    EXPECT_EQ(server->substr(server->size() - 12), "\\quorlin.scr") << *server;
    EXPECT_EQ(ClassesRootValue(kClassKey + "\\ProgID"), kProgID) << "named after the module's file name";

    RunExpecting({"-unregserver"}, 0, options);
    std::filesystem::remove_all(folder);
}
