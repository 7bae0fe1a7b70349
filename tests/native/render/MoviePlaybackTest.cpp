// TMoviePlayback as the control drives it: what it tells of the movie, where each scale
// mode puts the stage, what a render redraws, and the inputs it refuses.

#include <gtest/gtest.h>

#include "StageFixture.h"
#include "player/swf/Movie.h"

using namespace quorlin;
using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

quorlin::runtime::TFixedClock FixedClock() { return quorlin::runtime::TFixedClock(LocalMoment(14, 5, 30), kZoneOffset); }

TEST(MoviePlayback, TellsTheMoviesHeader) {
    auto clock = FixedClock();
    TMoviePlayback p(ClockBytes(), "", clock);
    EXPECT_EQ(p.StageWidth(), 550);
    EXPECT_EQ(p.StageHeight(), 400);
    EXPECT_DOUBLE_EQ(p.FramesPerSecond(), 50.0);
    EXPECT_EQ(p.TotalFrames(), 1);
    EXPECT_EQ(p.CurrentFrame(), 0);
    EXPECT_EQ(p.MovieBackground(), 0x000000u);
    EXPECT_EQ(p.Advance(), 1);  // the first call shows frame 1
    EXPECT_EQ(p.CurrentFrame(), 1);
    EXPECT_EQ(p.Advance(), 0);  // the clock stood still
    clock.Advance(20);
    EXPECT_EQ(p.Advance(), 1);
}

TEST(MoviePlayback, RefusesWhatIsNotAMovie) {
    auto clock = FixedClock();
    std::vector<uint8_t> clock_swf = ClockBytes();
    const std::vector<std::vector<uint8_t>> bad = {
        {},
        {'F', 'W', 'S'},
        {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0},
        std::vector<uint8_t>(clock_swf.begin(), clock_swf.begin() + clock_swf.size() / 2),
    };
    for (const auto& bytes : bad) {
        try {
            TMoviePlayback p(bytes, "", clock);
            ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
        } catch (const RenderError& e) {
            EXPECT_NE(std::string(e.what()).find("not a playable movie"), std::string::npos) << e.what();
        }
    }
}

TEST(MoviePlayback, RefusesOutputSizesOutsideTheRange) {
    auto clock = FixedClock();
    TMoviePlayback p(ClockBytes(), "", clock);
    p.Tick();
    std::vector<uint32_t> buffer(4);
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-5, 10}, {7681, 10}, {10, 4321}})
        EXPECT_THROW(p.Render(buffer.data(), w, h, "showall"), RenderError) << w << " x " << h;
    EXPECT_THROW(p.Render(nullptr, 1, 1, "showall"), RenderError);
    std::vector<uint32_t> one(1);
    EXPECT_EQ(p.Render(one.data(), 1, 1, "showall", 0x102030).size(), 1u);
    EXPECT_EQ(one[0] >> 24, 0xFFu);  // opaque, whatever of the clock it shows
}

TEST(MoviePlayback, EachScaleModePlacesTheStage) {
    // A 100 x 50 stage filled red over a blue movie background, on a wide and a tall output.
    const auto bytes = StageFillingMovie(100, 50, {255, 0, 0, 255}, {0, 0, 255, 255});
    struct TCase {
        int32_t Width, Height;
        const char* Mode;
        TRect Stage;  // the red pixels, clipped to the output
    };
    const TCase cases[] = {
        {400, 100, "showAll", {100, 0, 300, 100}},  {400, 100, "NOBORDER", {0, 0, 400, 100}},
        {400, 100, "exactfit", {0, 0, 400, 100}},   {400, 100, "noscale", {150, 25, 250, 75}},
        {400, 100, "", {100, 0, 300, 100}},         {100, 400, "showall", {0, 175, 100, 225}},
        {100, 400, "noborder", {0, 0, 100, 400}},   {100, 400, "ExactFit", {0, 0, 100, 400}},
        {100, 400, "noScale", {0, 175, 100, 225}},  {100, 400, "stretch", {0, 175, 100, 225}},
    };
    auto clock = FixedClock();
    for (const TCase& c : cases) {
        TMoviePlayback p(bytes, "", clock);
        p.Tick();
        TPixmap picture(c.Width, c.Height);
        p.Render(picture, c.Mode);
        TRect red{c.Width, c.Height, 0, 0};
        for (int32_t y = 0; y < c.Height; ++y)
            for (int32_t x = 0; x < c.Width; ++x) {
                const uint32_t px = picture.Pixel(x, y);
                if (px == 0xFFFF0000u)
                    red = TRect{std::min(red.X0, x), std::min(red.Y0, y), std::max(red.X1, x + 1), std::max(red.Y1, y + 1)};
                else
                    EXPECT_EQ(px, 0xFF0000FFu) << c.Mode << " " << x << "," << y;  // edges on whole pixels
            }
        EXPECT_EQ(red, c.Stage) << c.Mode << " at " << c.Width << " x " << c.Height;
    }
}

// Renders only what changed, and a changed region equals a full redraw of the frame.
TEST(MoviePlayback, RedrawsOnlyWhatChangedAsAFullRedrawWould) {
    quorlin::runtime::TFixedClock clock(LocalMoment(14, 5, 29, 900), kZoneOffset);
    TMoviePlayback p(ClockBytes(), "", clock);  // the clock follows the time
    const int32_t w = 640, h = 480;
    TPixmap incremental(w, h);
    p.Tick();
    ASSERT_EQ(p.Render(incremental, "showall", 0x336699).size(), 1u);
    EXPECT_EQ(p.Render(incremental, "showall", 0x336699).size(), 0u) << "an unchanged frame renders nothing";

    int changedFrames = 0;
    for (int frame = 0; frame < 90; ++frame) {
        clock.Advance(frame < 60 ? 20 : 1000);  // second steps, then minute ones too
        p.Tick();
        const auto rects = p.Render(incremental, "showall", 0x336699);
        int64_t area = 0;
        for (const TRect& r : rects) area += r.Area();
        EXPECT_LT(area, int64_t(w) * h / 2) << "frame " << frame << " redrew most of the picture";
        changedFrames += !rects.empty();

        TPixmap full(w, h);
        TRenderer().RenderFrame(full, ColorFromRgb(0x336699), p.FrameItems(w, h, TScaleMode::ShowAll),
                                TDirtyRegion(full.Bounds()));
        ASSERT_TRUE(incremental == full) << "frame " << frame;
    }
    EXPECT_GE(changedFrames, 30);
    EXPECT_LT(changedFrames, 90);  // within a second, frames without a step render nothing
}

TEST(MoviePlayback, ASizeModeOrBackgroundChangeRedrawsAll) {
    auto clock = FixedClock();
    TMoviePlayback p(ClockBytes(), "freeze_time=14:05:30", clock);
    p.Tick();
    std::vector<uint32_t> buffer(size_t(300) * 200), other(size_t(300) * 200);
    const TRect all{0, 0, 300, 200};
    EXPECT_EQ(p.Render(buffer.data(), 300, 200, "showall"), std::vector<TRect>{all});
    EXPECT_TRUE(p.Render(buffer.data(), 300, 200, "showall").empty());
    EXPECT_EQ(p.Render(buffer.data(), 300, 200, "noborder"), std::vector<TRect>{all});
    EXPECT_EQ(p.Render(buffer.data(), 300, 200, "noborder", 0xFF00FF), std::vector<TRect>{all});
    EXPECT_EQ(buffer[0], 0xFFFF00FFu);
    EXPECT_EQ(p.Render(other.data(), 300, 200, "noborder", 0xFF00FF), std::vector<TRect>{all});
    EXPECT_EQ(other, buffer);
    const auto smaller = p.Render(buffer.data(), 150, 100, "noborder", 0xFF00FF);
    EXPECT_EQ(smaller, std::vector<TRect>{(TRect{0, 0, 150, 100})});
}

}  // namespace

namespace {

// Damaged copies of the clock either fail to load with RenderError or play and draw;
// nothing crashes, hangs or escapes as another kind of error.
TEST(MoviePlayback, DamagedMoviesFailCleanlyOrPlay) {
    swf::TMovie plain = swf::ReadMovie(ClockBytes());
    plain.Compressed = false;
    const std::vector<uint8_t> original = swf::WriteMovie(plain);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    int played = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes = original;
        for (int k = 0, n = 1 + int(next() % 8); k < n; ++k) bytes[8 + next() % (bytes.size() - 8)] = uint8_t(next() >> 24);
        auto clock = FixedClock();
        try {
            TMoviePlayback p(bytes, "", clock);
            for (int i = 0; i < 3; ++i) p.Tick();
            TPixmap picture(64, 48);
            p.Render(picture, "showall", 0x808080);
            ++played;
        } catch (const RenderError&) {
        }
    }
    EXPECT_GT(played, 0);
}

}  // namespace
