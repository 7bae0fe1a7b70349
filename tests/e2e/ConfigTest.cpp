// The settings dialog as a user opens it: quorlin.scr /c, and with no arguments at all,
// on the virtual screen. A picture of it at 96 dots per inch is kept as an artifact:
// build/artifacts/config-96dpi.png.

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <thread>

#include "tests/e2e/ScrRunner.h"

using namespace quorlin::e2e;

namespace {

std::string Shell(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) return output;
    std::array<char, 512> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
    pclose(pipe);
    return output;
}

struct TWindow {
    std::string Id;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// The dialog's X window once it is mapped, or an empty Id after the wait.
TWindow WaitForDialog(int timeoutMs) {
    TWindow window;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        const std::string id = Shell("xdotool search --onlyvisible --name '^Settings$' | head -1");
        if (!id.empty()) {
            window.Id = id.substr(0, id.find('\n'));
            const std::string geometry = Shell("xdotool getwindowgeometry --shell " + window.Id);
            sscanf(geometry.c_str(), "WINDOW=%*s X=%d Y=%d WIDTH=%d HEIGHT=%d", &window.X, &window.Y, &window.Width,
                   &window.Height);
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return window;
}

// The colour of one pixel of a picture, as ImageMagick names it (srgb(r,g,b)).
std::string PixelAt(const std::string& picture, int x, int y) {
    std::string text = Shell("convert '" + picture + "' -format '%[pixel:p{" + std::to_string(x) + "," +
                           std::to_string(y) + "}]' info:");
    return text;
}

void ClickAt(int x, int y) { Shell("xdotool mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 1"); }

}  // namespace

TEST(ConfigDialog, SlashCOpensTheDialogAsAUserSeesIt) {
    auto run = std::async(std::launch::async, [] {
        TScrOptions options;
        options.TimeoutMs = 60000;
        return RunScr({"/c"}, options);
    });
    const TWindow dialog = WaitForDialog(45000);
    ASSERT_FALSE(dialog.Id.empty()) << "no Settings window appeared";
    // Without a window manager the X window is the client area: 443 x 318 at 96 dpi.
    EXPECT_EQ(dialog.Width, 443);
    EXPECT_EQ(dialog.Height, 318);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));

    const std::filesystem::path artifacts = std::filesystem::path(QUORLIN_SOURCE_DIR) / "build" / "artifacts";
    std::filesystem::create_directories(artifacts);
    const std::string picture = (artifacts / "config-96dpi.png").string();
    std::filesystem::remove(picture);
    Shell("import -window root '" + picture + "'");
    ASSERT_TRUE(std::filesystem::exists(picture));

    // The button face fills the form around the pages.
    const std::string face = PixelAt(picture, dialog.X + 3, dialog.Y + dialog.Height - 3);
    EXPECT_EQ(face, PixelAt(picture, dialog.X + 200, dialog.Y + dialog.Height - 20));
    EXPECT_NE(face, PixelAt(picture, dialog.X - 5, dialog.Y - 5)) << "the dialog stands out from the root";
    // The first row's colour swatch: one even colour inside its frame, whatever is stored.
    // Its place: the page (6, 4) and its frame, the scroll box (112, 4), the row (150, 12).
    const int swatchX = dialog.X + 272, swatchY = dialog.Y + 43;
    const std::string swatch = PixelAt(picture, swatchX + 24, swatchY + 10);
    for (const auto& [dx, dy] : {std::pair{4, 4}, {44, 4}, {4, 16}, {44, 16}}) {
        EXPECT_EQ(PixelAt(picture, swatchX + dx, swatchY + dy), swatch) << dx << "," << dy;
    }
    EXPECT_NE(PixelAt(picture, swatchX + 24, swatchY - 6), swatch) << "the swatch ends above its top";

    // Cancel (358, 284, 79 x 25) ends the program with exit code 0.
    ClickAt(dialog.X + 358 + 39, dialog.Y + 284 + 12);
    const TScrRun result = run.get();
    ASSERT_TRUE(result.Finished) << result.RawOutput;
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_TRUE(result.Dialogs.empty()) << result.RawOutput;
}

TEST(ConfigDialog, NoArgumentsOpenTheDialogToo) {
    auto run = std::async(std::launch::async, [] {
        TScrOptions options;
        options.TimeoutMs = 60000;
        return RunScr({}, options);
    });
    const TWindow dialog = WaitForDialog(45000);
    ASSERT_FALSE(dialog.Id.empty()) << "no Settings window appeared";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ClickAt(dialog.X + 358 + 39, dialog.Y + 284 + 12);
    const TScrRun result = run.get();
    ASSERT_TRUE(result.Finished) << result.RawOutput;
    EXPECT_EQ(result.ExitCode, 0);
}
