// The preview (/p HWND) in a parent window that the test makes through qtool, standing in
// for the display settings' preview window. Wine shows nothing that one process draws into
// a child of another process's window, so the preview's pixels are checked where parent and
// form share a process (tests/win/scrnfrm); here the child's window, its indifference to
// input and the end of the process when the parent goes.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "tests/e2e/ScrRunner.h"
#include "tests/e2e/Screen.h"

using namespace quorlin::e2e;
using namespace std::chrono_literals;

namespace {

struct TParentWindow {
    unsigned long Handle = 0;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// The parent's handle and client area once qtool has written them.
bool WaitForWindowInfo(const std::string& path, TParentWindow& window) {
    const auto end = std::chrono::steady_clock::now() + 30s;
    while (std::chrono::steady_clock::now() < end) {
        std::ifstream in(path);
        if (in >> window.Handle >> window.Left >> window.Top >> window.Width >> window.Height) return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

}  // namespace

TEST(Preview, ADisabledChildFillsTheParentIgnoresInputAndEndsWhenTheParentGoes) {
    const std::string info =
        (std::filesystem::temp_directory_path() / ("quorlin-preview-" + std::to_string(getpid()) + ".txt")).string();
    std::filesystem::remove(info);
    TScrOptions options;
    options.TestWindow = true;
    options.WindowInfoFile = info;
    // Long enough for everything below; then the parent goes as the display settings' would.
    options.DestroyWindowAfterMs = 15000;
    options.TimeoutMs = 60000;
    auto run = std::async(std::launch::async, [=] { return RunScr({"/p", "{hwnd}"}, options); });

    TParentWindow parent;
    ASSERT_TRUE(WaitForWindowInfo(info, parent)) << "qtool made no parent window";
    std::filesystem::remove(info);
    // One child, exactly WS_CHILD | WS_VISIBLE | WS_DISABLED, over the whole client area,
    // once the preview has started.
    char expected[96];
    snprintf(expected, sizeof expected, "child: 58000000 %d %d %d %d", parent.Left, parent.Top, parent.Width,
             parent.Height);
    std::vector<std::string> children;
    for (int attempt = 0; attempt < 40 && children != std::vector<std::string>{expected}; ++attempt) {
        if (attempt) std::this_thread::sleep_for(250ms);
        children = QTool({"children", std::to_string(parent.Handle)});
    }
    EXPECT_EQ(children, std::vector<std::string>{expected});
    // Input over the preview reaches nothing of ours: the process and its window stay.
    const int cx = parent.Left + parent.Width / 2, cy = parent.Top + parent.Height / 2;
    XDo("mousemove " + std::to_string(cx) + " " + std::to_string(cy));
    XDo("mousemove " + std::to_string(cx + 40) + " " + std::to_string(cy + 30));
    XDo("click 1");
    XDo("click 3");
    XDo("key a");
    ASSERT_EQ(run.wait_for(1500ms), std::future_status::timeout) << "input over the preview ended it";
    EXPECT_EQ(QTool({"children", std::to_string(parent.Handle)}), std::vector<std::string>{expected});

    const TScrRun result = run.get();
    ASSERT_TRUE(result.Finished) << result.RawOutput;
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_TRUE(result.Dialogs.empty()) << result.RawOutput;
    ASSERT_GE(result.AfterDestroyMs, 0) << result.RawOutput;
    EXPECT_LT(result.AfterDestroyMs, 1000) << "the preview outlived its window";
}
