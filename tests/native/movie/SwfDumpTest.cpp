#include "ClockFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace {

struct TRun {
    std::string Output;
    int ExitCode = -1;
};

TRun SwfDump(const std::string& file) {
    std::string command = std::string(QUORLIN_NATIVE_DIR) + "/swfdump " + file + " 2>&1";
    TRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) run.Output.append(buf, n);
    int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(SwfDump, ShowsTheClockTreeAndBothScripts) {
    TRun run = SwfDump(QUORLIN_MOVIE_DIR "/clock.swf");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    const char* expected[] = {
        "signature CWS, version 7",
        "frame 0..550 x 0..400 px, rate 50 fps (0x3200), 1 frame",
        "[0] SetBackgroundColor, 3 bytes: #000000",
        "\"original\" at (0, 0) scale 1 x 1 rotation 0",
        "at (347.75, 200.5) scale 1 x 1 rotation 0",
        "\"HA1\" at (-75.4, -0.05) scale 1.25 x 0.6 rotation 0",
        "\"MA1\" at (-75.5, -0.05) scale 1.25 x 0.8 rotation 0",
        "\"SA1\" at (-75.4, -0.05) scale 1 x 1 rotation 0",
        "\"glass\" at (-405.7, -250.65) scale 0.8195 x 0.9532 rotation 0, opacity 46/256",
        "opacity 102/256",
        "\"badge\" at (247, 385) scale 0.0683 x 0.0683 rotation 0",
        "804 x 112, format 3",
        "DefineFunction2 \"getSecondRotation\" (r1:speedK, r2:smoothK)",
        "Push c3:\"freeze_time\"",
        "Push c13:\"true\"",
        "Push c26:\"HA1\", 10, c22:\"hourRotation\"",
        "sprite 5, frame 2:\n    0000  PreviousFrame\n    0001  Play\n    0002  End",
    };
    for (const char* text : expected) {
        EXPECT_NE(run.Output.find(text), std::string::npos) << text;
    }
}

TEST(SwfDump, DamagedFileGivesAnErrorAndExitCode) {
    const auto& bytes = quorlin::movie::test::ClockBytes();
    std::string path = std::string(QUORLIN_NATIVE_DIR) + "/clock-cut.swf";
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size() / 2));
    }
    TRun run = SwfDump(path);
    std::remove(path.c_str());
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Output.find("zlib data ends before its stream does"), std::string::npos) << run.Output;
}
