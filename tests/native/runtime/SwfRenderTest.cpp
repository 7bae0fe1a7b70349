// The swfrender tool, run as a user runs it.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct TResult {
    int ExitCode = -1;
    std::string Output;
};

TResult RunTool(const std::string& arguments) {
    const std::string command = std::string(QUORLIN_NATIVE_DIR) + "/swfrender " + arguments + " 2>&1";
    TResult r;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return r;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) r.Output.append(buffer, n);
    const int status = pclose(pipe);
    r.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

std::string LineOf(const std::string& output, const std::string& path) {
    const size_t at = output.find(path + " ");
    if (at == std::string::npos) return {};
    return output.substr(at, output.find('\n', at) - at);
}

const std::string Clock = std::string(QUORLIN_MOVIE_DIR) + "/clock.swf";

}  // namespace

TEST(SwfRender, PrintsTheClockAtAFrozenTime) {
    const TResult r = RunTool(Clock + " --vars \"freeze_time=14:05:30\" --frames 10 --time 12:00:00 --print");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    const struct {
        const char* hand;
        const char* rotation;
    } hands[] = {{".HA1", "rotation 62.5 "}, {".MA1", "rotation 33 "}, {".SA1", "rotation 180 "}};
    for (const auto& h : hands) {
        const size_t at = r.Output.find(h.hand);
        ASSERT_NE(at, std::string::npos) << r.Output;
        const std::string line = r.Output.substr(at, r.Output.find('\n', at) - at);
        EXPECT_NE(line.find(h.rotation), std::string::npos) << line;
        EXPECT_NE(line.find(" visible "), std::string::npos) << line;
    }
    EXPECT_NE(LineOf(r.Output, "_level0.badge").find("depth 2 character 9 sprite x 247 y 385"), std::string::npos)
        << r.Output;
}

TEST(SwfRender, HidesWhatTheVariablesHideAndPlaysOnTheSystemClock) {
    const TResult r = RunTool(Clock + " --vars \"glass_visible=false\" --frames 3 --print");
    ASSERT_EQ(r.ExitCode, 0) << r.Output;
    const size_t at = r.Output.find(".glass ");
    ASSERT_NE(at, std::string::npos) << r.Output;
    EXPECT_NE(r.Output.substr(at, r.Output.find('\n', at) - at).find(" hidden "), std::string::npos);
}

TEST(SwfRender, BadArgumentsAndFilesAreReported) {
    const struct {
        std::string arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {"", 2, "no SWF file"},
        {Clock + " --frames 0", 2, "--frames"},
        {Clock + " --time 25:00:00", 2, "--time"},
        {Clock + " --time 12:00", 2, "--time"},
        {Clock + " --colour red", 2, "unknown argument"},
        {Clock + " --vars", 2, "wants a value"},
        {"/nonexistent.swf --print", 1, "cannot open"},
        {std::string(QUORLIN_SOURCE_DIR) + "/CMakeLists.txt --print", 1, "CMakeLists.txt"},
    };
    for (const auto& c : cases) {
        const TResult r = RunTool(c.arguments);
        EXPECT_EQ(r.ExitCode, c.exitCode) << c.arguments << "\n" << r.Output;
        EXPECT_NE(r.Output.find(c.message), std::string::npos) << c.arguments << "\n" << r.Output;
    }
}
