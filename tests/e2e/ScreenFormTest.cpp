// The saver full screen (/s) as a user meets it on the virtual screen: it covers the
// screen in the stored colour, and real input from xdotool ends it or leaves it running.
// A picture of the running saver is kept as build/artifacts/saver-fullscreen.png.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <thread>
#include <unistd.h>

#include "tests/e2e/ScrRunner.h"
#include "tests/e2e/Screen.h"
#include "tests/support/ClockPixels.h"

using namespace quorlin::e2e;
using namespace std::chrono_literals;

namespace {

const char kSettingsKey[] = "Software\\Tessaly\\Quorlin";
constexpr TRgb kStoredColour{0x10, 0x20, 0x30};
constexpr int kScreenWidth = 1920, kScreenHeight = 1080;
// Where the pointer rests when the saver starts: the reference of the mouse rule.
constexpr int kRestX = 960, kRestY = 540;

// The saver, started full screen in the background with #102030 as its stored colour.
class TRunningSaver {
public:
    explicit TRunningSaver(TScrOptions options = {}, std::vector<std::string> arguments = {"/s"})
        : FColour(kSettingsKey, "backgroundcolor") {
        FColour.SetString("#102030");
        XDo("mousemove " + std::to_string(kRestX) + " " + std::to_string(kRestY));
        options.TimeoutMs = 90000;
        FRun = std::async(std::launch::async, [=] { return RunScr(arguments, options); });
    }
    ~TRunningSaver() {
        if (!FRun.valid()) return;
        // Whatever the test left, the saver ends here so that the next one has the screen.
        for (int attempt = 0; attempt < 5 && !EndsWithin(0ms); ++attempt) {
            XDo("key space");
            if (EndsWithin(2s)) break;
        }
        if (FRun.valid()) FRun.wait();
    }

    // The screen covered in the stored colour at its corners, once the movie plays.
    bool WaitUntilShowing() {
        if (!WaitForPixel(2, 2, kStoredColour, 60000)) return false;
        if (!WaitForPixel(kScreenWidth - 3, kScreenHeight - 3, kStoredColour, 5000)) return false;
        // Let the first frames settle before any input.
        std::this_thread::sleep_for(500ms);
        return true;
    }
    bool EndsWithin(std::chrono::milliseconds wait) {
        return FRun.valid() && FRun.wait_for(wait) == std::future_status::ready;
    }
    TScrRun Result() { return FRun.get(); }

private:
    THkcuValue FColour;
    std::future<TScrRun> FRun;
};

// The movie's stage (550 x 400) shown whole on the screen, centred across: the hands' pivot
// (272.35, 200.45 on the stage) in screen pixels.
quorlin::testsupport::TClockPlace FullScreenClock() {
    const double scale = std::min(kScreenWidth / 550.0, kScreenHeight / 400.0);
    const double left = (kScreenWidth - 550 * scale) / 2, top = (kScreenHeight - 400 * scale) / 2;
    return {left + 272.35 * scale, top + 200.45 * scale, scale};
}

struct TClockReading {
    quorlin::testsupport::THandAngles Hands;
    bool Glass = false;
    // The local times the picture may show: every whole second from just before the
    // picture was taken (a frame may be on its way) to just after.
    std::vector<std::tm> Times;
};

TClockReading ReadClockOffTheScreen() {
    using namespace quorlin::testsupport;
    const auto before = std::chrono::system_clock::now() - 150ms;
    const std::vector<uint8_t> bytes = GrabScreenBytes(0, 0, kScreenWidth, kScreenHeight);
    const auto after = std::chrono::system_clock::now();
    TClockReading reading;
    if (bytes.empty()) return reading;
    const TPicture picture = TPicture::FromRgb(bytes.data(), kScreenWidth, kScreenHeight);
    reading.Hands = MeasureHands(picture, FullScreenClock());
    reading.Glass = GlassPresent(picture, FullScreenClock(), RgbFrom(0x102030));
    for (time_t second = std::chrono::system_clock::to_time_t(before);
         second <= std::chrono::system_clock::to_time_t(after); ++second) {
        std::tm local = {};
        localtime_r(&second, &local);
        reading.Times.push_back(local);
    }
    return reading;
}

// Whether the angle is within a degree of the hand's angle at one of the times.
bool ShowsOneOf(double angle, const std::vector<std::tm>& times, double (*handAt)(const std::tm&)) {
    for (const std::tm& time : times) {
        if (quorlin::testsupport::AngleBetween(angle, handAt(time)) <= 1.0) return true;
    }
    return false;
}

double HourHand(const std::tm& t) { return 30.0 * (t.tm_hour % 12) + t.tm_min / 2.0; }
double MinuteHand(const std::tm& t) { return 6.0 * t.tm_min + t.tm_sec / 10.0; }
double SecondHand(const std::tm& t) { return 6.0 * t.tm_sec; }

std::string TimesText(const std::vector<std::tm>& times) {
    std::string text;
    for (const std::tm& t : times) {
        char one[16];
        snprintf(one, sizeof one, " %02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
        text += one;
    }
    return text;
}

void MoveBy(int dx, int dy) { XDo("mousemove " + std::to_string(kRestX + dx) + " " + std::to_string(kRestY + dy)); }

}  // namespace

TEST(ScreenForm, CoversThePrimaryScreenInTheStoredColourWithTheCursorHidden) {
    THkcuValue glass(kSettingsKey, "glass"), seconds(kSettingsKey, "seconds");
    glass.SetDword(1);
    seconds.SetDword(1);
    TRunningSaver saver;
    ASSERT_TRUE(saver.WaitUntilShowing()) << "no full-screen saver in #102030 appeared";
    const TXWindow window = WaitForXWindow("ScrnFrm", 5000);
    ASSERT_FALSE(window.Id.empty());
    EXPECT_EQ(window.X, 0);
    EXPECT_EQ(window.Y, 0);
    EXPECT_EQ(window.Width, kScreenWidth);
    EXPECT_EQ(window.Height, kScreenHeight);

    // Red 16, green 32, blue 48: the stored COLORREF reached the control with red and blue
    // swapped into its own order, so the screen shows the colour as stored, edge to edge.
    for (const auto& [x, y] : {std::pair{0, 0}, {kScreenWidth - 1, 0}, {0, kScreenHeight - 1},
                               {kScreenWidth - 1, kScreenHeight - 1}, {kScreenWidth / 2, 2}, {2, kScreenHeight / 2}}) {
        EXPECT_EQ(ScreenPixel(x, y), kStoredColour) << x << "," << y;
    }
    const std::filesystem::path artifacts = std::filesystem::path(QUORLIN_SOURCE_DIR) / "build" / "artifacts";
    std::filesystem::create_directories(artifacts);
    EXPECT_TRUE(SaveScreen((artifacts / "saver-fullscreen.png").string()));

    // The clock at the time the picture was taken, with the glass and the second hand.
    const TClockReading clock = ReadClockOffTheScreen();
    ASSERT_TRUE(clock.Hands.Hour && clock.Hands.Minute && clock.Hands.Second) << "not every hand found";
    EXPECT_TRUE(ShowsOneOf(*clock.Hands.Hour, clock.Times, HourHand)) << *clock.Hands.Hour << TimesText(clock.Times);
    EXPECT_TRUE(ShowsOneOf(*clock.Hands.Minute, clock.Times, MinuteHand))
        << *clock.Hands.Minute << TimesText(clock.Times);
    EXPECT_TRUE(ShowsOneOf(*clock.Hands.Second, clock.Times, SecondHand))
        << *clock.Hands.Second << TimesText(clock.Times);
    EXPECT_TRUE(clock.Glass);

    const std::vector<std::string> cursor = QTool({"cursor"});
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(cursor.front(), "cursor: hidden");

    XDo("key space");
    ASSERT_TRUE(saver.EndsWithin(10s)) << "a key press did not end the saver";
    const TScrRun run = saver.Result();
    ASSERT_TRUE(run.Finished) << run.RawOutput;
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Dialogs.empty()) << run.RawOutput;
}

TEST(ScreenForm, TheGlassAndTheSecondHandGoWhereTheSettingsSaySo) {
    THkcuValue glass(kSettingsKey, "glass"), seconds(kSettingsKey, "seconds");
    glass.SetDword(0);
    seconds.SetDword(0);
    TRunningSaver saver;
    ASSERT_TRUE(saver.WaitUntilShowing());
    const TClockReading clock = ReadClockOffTheScreen();
    ASSERT_TRUE(clock.Hands.Hour && clock.Hands.Minute) << "the hour and minute hands always show";
    EXPECT_TRUE(ShowsOneOf(*clock.Hands.Hour, clock.Times, HourHand)) << *clock.Hands.Hour << TimesText(clock.Times);
    EXPECT_FALSE(clock.Hands.Second) << "a second hand at " << *clock.Hands.Second;
    EXPECT_FALSE(clock.Glass);
}

TEST(ScreenForm, EachPressAndAMoveOfElevenPixelsEndsTheSaver) {
    const struct {
        const char* what;
        std::function<void()> act;
    } inputs[] = {
        {"a key press", [] { XDo("key a"); }},
        {"a system key press", [] { XDo("key alt+x"); }},
        {"the left button", [] { XDo("click 1"); }},
        {"the middle button", [] { XDo("click 2"); }},
        {"the right button", [] { XDo("click 3"); }},
        {"11 pixels right", [] { MoveBy(11, 0); }},
        {"11 pixels up", [] { MoveBy(0, -11); }},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.what);
        TRunningSaver saver;
        ASSERT_TRUE(saver.WaitUntilShowing());
        input.act();
        ASSERT_TRUE(saver.EndsWithin(10s)) << input.what << " did not end the saver";
        const TScrRun run = saver.Result();
        ASSERT_TRUE(run.Finished) << run.RawOutput;
        EXPECT_EQ(run.ExitCode, 0);
    }
}

TEST(ScreenForm, ReleasesTheWheelExtraButtonsAndSmallMovesLeaveItRunning) {
    // A key held down before the saver starts is released while it runs.
    XDo("keydown shift");
    TRunningSaver saver;
    const bool showing = saver.WaitUntilShowing();
    XDo("keyup shift");
    ASSERT_TRUE(showing);
    const struct {
        const char* what;
        std::function<void()> act;
    } inputs[] = {
        {"a key release", [] {}},  // the shift release above
        {"the wheel up", [] { XDo("click 4"); }},
        {"the wheel down", [] { XDo("click 5"); }},
        {"the first extra button", [] { XDo("click 8"); }},
        {"the second extra button", [] { XDo("click 9"); }},
        {"10 pixels right and 10 down", [] { MoveBy(10, 10); }},
        {"10 pixels left and 10 up", [] { MoveBy(-10, -10); }},
    };
    for (const auto& input : inputs) {
        input.act();
        ASSERT_FALSE(saver.EndsWithin(1500ms)) << input.what << " ended the saver: " << saver.Result().RawOutput;
    }
    EXPECT_EQ(ScreenPixel(2, 2), kStoredColour);
    XDo("key space");
    ASSERT_TRUE(saver.EndsWithin(10s));
    EXPECT_EQ(saver.Result().ExitCode, 0);
}

TEST(ScreenForm, SlowDriftEndsItOnceElevenPixelsFromWhereItStarted) {
    TRunningSaver saver;
    ASSERT_TRUE(saver.WaitUntilShowing());
    // Each step is 4 pixels from the one before; only the distance from the start counts.
    for (int step : {4, 8, 10}) {
        MoveBy(0, step);
        ASSERT_FALSE(saver.EndsWithin(1s)) << "ended at " << step << " pixels";
    }
    MoveBy(0, 14);
    ASSERT_TRUE(saver.EndsWithin(10s)) << "a drift to 14 pixels did not end the saver";
    EXPECT_EQ(saver.Result().ExitCode, 0);
}

namespace {

// A copy of the module in a folder of its own, beside the suite's stand-in PASSWORD.CPL,
// where the module's lookup finds it first.
class TModuleWithPasswordPanel {
public:
    explicit TModuleWithPasswordPanel(const std::string& answers) {
        FFolder = std::filesystem::temp_directory_path() / ("quorlin-password-" + std::to_string(getpid()));
        std::filesystem::remove_all(FFolder);
        std::filesystem::create_directories(FFolder);
        const std::filesystem::path win = QUORLIN_WIN_DIR;
        std::filesystem::copy_file(win / "quorlin.scr", FFolder / "quorlin.scr");
        std::filesystem::copy_file(win / "tests/win/password/entry/PASSWORD.CPL", FFolder / "PASSWORD.CPL");
        std::ofstream(FFolder / "PASSWORD.answers") << answers;
    }
    ~TModuleWithPasswordPanel() { std::filesystem::remove_all(FFolder); }

    std::string Program() const { return (FFolder / "quorlin.scr").string(); }
    std::string Folder() const { return FFolder.string(); }
    // The lines the panel wrote for each call: "parent=<window> cursor=<display count>".
    std::vector<std::string> Calls() const {
        std::vector<std::string> lines;
        std::ifstream in(FFolder / "PASSWORD.calls");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

private:
    std::filesystem::path FFolder;
};

}  // namespace

TEST(ScreenForm, AWrongPasswordKeepsItRunningWithTheCursorHiddenAndTheNextInputAsksAgain) {
    THkcuValue usePassword("Control Panel\\Desktop", "ScreenSaveUsePassword");
    usePassword.SetDword(1);
    TModuleWithPasswordPanel module("01");  // wrong, then right
    TScrOptions options;
    options.Program = module.Program();
    options.WorkingDir = module.Folder();
    TRunningSaver saver(options);
    ASSERT_TRUE(saver.WaitUntilShowing());

    XDo("key a");
    ASSERT_FALSE(saver.EndsWithin(2s)) << "a refused password ended the saver";
    ASSERT_EQ(module.Calls().size(), 1u);
    const std::vector<std::string> cursor = QTool({"cursor"});
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(cursor.front(), "cursor: hidden");
    EXPECT_EQ(ScreenPixel(2, 2), kStoredColour) << "the saver no longer covers the screen";

    XDo("click 1");
    ASSERT_TRUE(saver.EndsWithin(10s)) << "the accepted password did not end the saver";
    const TScrRun run = saver.Result();
    EXPECT_EQ(run.ExitCode, 0);
    const std::vector<std::string> calls = module.Calls();
    ASSERT_EQ(calls.size(), 2u);
    // Each time the dialog had the saver's window as its parent and a cursor: hidden once
    // at start, shown by the close request and once more around the dialog.
    for (const std::string& call : calls) {
        EXPECT_EQ(call.rfind("parent=", 0), 0u) << call;
        EXPECT_EQ(call.find("parent=0 "), std::string::npos) << call;
        EXPECT_NE(call.find(" cursor=1"), std::string::npos) << call;
    }
}

TEST(ScreenForm, WithoutThePasswordSwitchThePanelIsNeverAsked) {
    THkcuValue usePassword("Control Panel\\Desktop", "ScreenSaveUsePassword");
    usePassword.SetDword(0);
    TModuleWithPasswordPanel module("0");
    TScrOptions options;
    options.Program = module.Program();
    options.WorkingDir = module.Folder();
    TRunningSaver saver(options);
    ASSERT_TRUE(saver.WaitUntilShowing());
    XDo("key a");
    ASSERT_TRUE(saver.EndsWithin(10s));
    EXPECT_EQ(saver.Result().ExitCode, 0);
    EXPECT_TRUE(module.Calls().empty());
}
