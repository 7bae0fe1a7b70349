// The generated clock movie played in the runtime with a fixed clock: what the hands
// and the glass show for the host's variables and the time.

#include "RuntimeFixture.h"

#include "player/runtime/RenderTree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <set>

using namespace quorlin::runtime;
using namespace quorlin::runtime::test;

namespace {

std::shared_ptr<const TMovie> ClockMovie() {
    static std::shared_ptr<const TMovie> movie = [] {
        std::ifstream in(std::string(QUORLIN_MOVIE_DIR) + "/clock.swf", std::ios::binary);
        std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return bytes.empty() ? nullptr : TMovie::Load(bytes);
    }();
    return movie;
}

const TDisplayObject* Find(const TSpriteInstance& sprite, const std::string& name) {
    for (const auto& [depth, child] : sprite.Children()) {
        if (child->Name() == name) return child.get();
        if (auto* inner = dynamic_cast<const TSpriteInstance*>(child.get()))
            if (const TDisplayObject* found = Find(*inner, name)) return found;
    }
    return nullptr;
}

// Angles read back within (-180, 180]; this compares them as directions.
::testing::AssertionResult SameAngle(double actual, double expected) {
    if (std::abs(NormalizeDegrees(actual - expected)) < 1e-9) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " is not " << expected << " degrees";
}

struct TClockRun : TRun {
    explicit TClockRun(const std::string& vars, double utc = FixedUtc) : TRun(ClockMovie()) {
        Clock.Set(utc);
        Player.SetFlashVars(vars);
        Player.Tick();
    }
    const TDisplayObject& Get(const std::string& name) {
        const TDisplayObject* o = Find(Player.Root(), name);
        if (!o) throw std::runtime_error("no " + name + " in the display list");
        return *o;
    }
    double Angle(const std::string& name) { return Get(name).Rotation(); }
    bool Shown(const std::string& name) { return Get(name).Visible(); }
};

class ClockMovie : public ::testing::Test {
protected:
    void SetUp() override {
        if (!::ClockMovie()) GTEST_FAIL() << "build/movie/clock.swf is missing: build the native tree first";
    }
};

}  // namespace

TEST_F(ClockMovie, FrozenTimePutsTheHandsAtTheirAngles) {
    struct Case {
        const char* time;
        double hour, minute, second;
    } cases[] = {
        {"15:00:00", 90, 0, 0},
        {"14:05:30", 62.5, 33, 180},
        {"00:00:00", 0, 0, 0},  // -360 degrees: twelve o'clock
        {"12:00:00", 0, 0, 0},
        {"23:59:59", 359.5, 359.9, 354},
        {"6:30:15", -165, 181.5, 90},
    };
    for (const Case& c : cases) {
        TClockRun run(std::string("freeze_time=") + c.time);
        EXPECT_TRUE(SameAngle(run.Angle("HA1"), c.hour)) << c.time;
        EXPECT_TRUE(SameAngle(run.Angle("MA1"), c.minute)) << c.time;
        EXPECT_TRUE(SameAngle(run.Angle("SA1"), c.second)) << c.time;
        EXPECT_TRUE(run.Log.empty()) << c.time << ": " << run.Log.front();
    }
}

TEST_F(ClockMovie, OnlyTheExactTextTrueShowsTheGlassAndTheSecondHand) {
    struct Case {
        const char* vars;
        bool glass, seconds;
    } cases[] = {
        {"", true, true},
        {"glass_visible=true&seconds_visible=true", true, true},
        {"glass_visible=false&seconds_visible=false", false, false},
        {"glass_visible=&seconds_visible=", false, false},
        {"glass_visible=TRUE&seconds_visible=True", false, false},
        {"glass_visible=false", false, true},
        {"seconds_visible=0", true, false},
    };
    for (const Case& c : cases) {
        TClockRun run(std::string("freeze_time=10:10:10&") + c.vars);
        EXPECT_EQ(run.Shown("glass"), c.glass) << c.vars;
        EXPECT_EQ(run.Shown("SA1"), c.seconds) << c.vars;
        EXPECT_TRUE(run.Shown("HA1") && run.Shown("MA1")) << c.vars;
    }
}

TEST_F(ClockMovie, OtherVariablesChangeNothing) {
    TClockRun plain("freeze_time=14:05:30&glass_visible=true&seconds_visible=true");
    TClockRun extra(
        "feature_seconds=0&freeze_time=14:05:30&glass_visible=true&feature_glass=0&seconds_visible=true&"
        "feature_backgroundcolor=FF0000&end_param=1");
    const auto a = CollectRenderItems(plain.Player.Root()), b = CollectRenderItems(extra.Player.Root());
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(a[i].SameLook(b[i])) << i;
}

TEST_F(ClockMovie, AFrozenClockStandsStillWhileTimePasses) {
    TClockRun run("freeze_time=14:05:30");
    run.Player.Tick();
    auto before = CollectRenderItems(run.Player.Root());
    const uint64_t changes = run.Player.ChangeCount();
    for (int i = 0; i < 120; ++i) {  // 2.4 s of real time at 50 frames a second
        run.Clock.Advance(20);
        run.Player.Tick();
        auto after = CollectRenderItems(run.Player.Root());
        ASSERT_TRUE(CompareFrames(before, after).Empty()) << "frame " << i;
        before = std::move(after);
    }
    EXPECT_EQ(run.Player.ChangeCount(), changes);  // nothing to redraw
    EXPECT_NEAR(run.Angle("SA1"), 180, 1e-9);
}

TEST_F(ClockMovie, AnUnfrozenClockFollowsTheTimeAndItsSecondHandStepsOnceASecond) {
    // 10:15:42.900 local time.
    TClockRun run("", LocalTimeToUtc(2026, 12, 11, 10, 15, 42, 900, FixedOffset));
    EXPECT_TRUE(SameAngle(run.Angle("HA1"), -52.5));
    EXPECT_TRUE(SameAngle(run.Angle("MA1"), 94.2));
    EXPECT_TRUE(SameAngle(run.Angle("SA1"), 42 * 6));
    std::set<double> seen;
    for (int i = 1; i <= 100; ++i) {  // two seconds
        run.Clock.Advance(20);
        run.Player.Tick();
        const double localMs = run.Clock.NowUtcMs() + FixedOffset;
        const double second = std::fmod(std::floor(localMs / 1000), 60);
        ASSERT_TRUE(SameAngle(run.Angle("SA1"), 6 * second)) << "after " << i * 20 << " ms";
        seen.insert(std::round(run.Angle("SA1")));
    }
    EXPECT_EQ(seen, (std::set<double>{252 - 360, 258 - 360, 264 - 360}));
}

TEST_F(ClockMovie, PlayingOnKeepsTheScriptHeapSmall) {
    TClockRun run("");
    for (int i = 0; i < 10; ++i) run.Player.Tick();
    const size_t settled = run.Scripts.Machine().Heap().Size();
    for (int i = 0; i < 500; ++i) {
        run.Clock.Advance(20);
        run.Player.Tick();
    }
    EXPECT_EQ(run.Scripts.Machine().Heap().Size(), settled);
}
