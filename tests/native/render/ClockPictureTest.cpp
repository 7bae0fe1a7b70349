// The clock movie as it comes out of the renderer, judged from its pixels only.

#include <gtest/gtest.h>

#include "StageFixture.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;
using quorlin::testsupport::AngleBetween;
using quorlin::testsupport::GlassPresent;
using quorlin::testsupport::MeasureHands;
using quorlin::testsupport::RgbFrom;

namespace {

constexpr uint32_t kBackground = 0x336699;

struct TClockRun {
    quorlin::runtime::TFixedClock Clock{LocalMoment(9, 41, 17, 480), kZoneOffset};
    TMoviePlayback Playback;

    explicit TClockRun(const std::string& vars) : Playback(ClockBytes(), vars, Clock) {
        for (int i = 0; i < 3; ++i) Playback.Tick();
    }
};

struct TOutput {
    int32_t Width, Height;
    const char* Scale;
    TScaleMode Mode;
};

const TOutput kOutputs[] = {{550, 400, "showall", TScaleMode::ShowAll}, {1920, 1440, "noborder", TScaleMode::NoBorder}};

TEST(ClockPicture, HandsPointAtTheFrozenTime) {
    struct TCase {
        const char* Time;
        double Hour, Minute, Second;
    };
    const TCase cases[] = {{"14:05:30", 62.5, 33, 180}, {"15:00:00", 90, 0, 0}};
    for (const TCase& c : cases)
        for (const TOutput& out : kOutputs) {
            SCOPED_TRACE(std::string(c.Time) + " at " + std::to_string(out.Width) + " x " + std::to_string(out.Height));
            TClockRun run(std::string("freeze_time=") + c.Time);
            TPixmap picture(out.Width, out.Height);
            run.Playback.Render(picture, out.Scale, kBackground);
            const auto hands = MeasureHands(Picture(picture), ClockPlace(run.Playback, out.Width, out.Height, out.Mode));
            ASSERT_TRUE(hands.Hour && hands.Minute && hands.Second);
            EXPECT_LT(AngleBetween(*hands.Hour, c.Hour), 1.0) << *hands.Hour;
            EXPECT_LT(AngleBetween(*hands.Minute, c.Minute), 1.0) << *hands.Minute;
            EXPECT_LT(AngleBetween(*hands.Second, c.Second), 1.0) << *hands.Second;
        }
}

TEST(ClockPicture, TheFlagsHideTheGlassAndTheSecondHand) {
    for (const TOutput& out : kOutputs) {
        SCOPED_TRACE(out.Scale);
        auto look = [&](const std::string& vars) {
            TClockRun run("freeze_time=14:05:30&" + vars);
            TPixmap picture(out.Width, out.Height);
            run.Playback.Render(picture, out.Scale, kBackground);
            const auto place = ClockPlace(run.Playback, out.Width, out.Height, out.Mode);
            return std::pair{GlassPresent(Picture(picture), place, RgbFrom(kBackground)),
                             MeasureHands(Picture(picture), place)};
        };
        const auto [shown, allHands] = look("glass_visible=true");
        EXPECT_TRUE(shown);
        EXPECT_TRUE(allHands.Second.has_value());

        const auto [hidden, handsWithoutGlass] = look("glass_visible=false");
        EXPECT_FALSE(hidden);
        ASSERT_TRUE(handsWithoutGlass.Minute.has_value());
        EXPECT_LT(AngleBetween(*handsWithoutGlass.Minute, 33), 1.0);

        const auto [glass, noSeconds] = look("seconds_visible=false");
        EXPECT_TRUE(glass);
        EXPECT_FALSE(noSeconds.Second.has_value());
        ASSERT_TRUE(noSeconds.Hour && noSeconds.Minute);
        EXPECT_LT(AngleBetween(*noSeconds.Hour, 62.5), 1.0);
        EXPECT_LT(AngleBetween(*noSeconds.Minute, 33), 1.0);
    }
}

TEST(ClockPicture, TheGivenBackgroundFillsTheCorners) {
    for (const TOutput& out : kOutputs)
        for (uint32_t background : {0x336699u, 0xFFFFFFu, 0x000000u}) {
            TClockRun run("freeze_time=14:05:30");
            TPixmap picture(out.Width, out.Height);
            run.Playback.Render(picture, out.Scale, background);
            const uint32_t expected = 0xFF000000u | background;
            for (auto [x, y] : {std::pair{0, 0}, {out.Width - 1, 0}, {0, out.Height - 1}, {out.Width - 1, out.Height - 1}})
                EXPECT_EQ(picture.Pixel(x, y), expected) << out.Scale << " corner " << x << "," << y;
        }
}

TEST(ClockPicture, TheBadgeBitmapShowsNearTheBottom) {
    TClockRun run("freeze_time=14:05:30");
    TPixmap picture(550, 400);
    run.Playback.Render(picture, "showall", kBackground);
    // The badge lies at (247, 385), about 55 x 8 pixels: some of its pixels differ from
    // the background, and the band below and beside it does not.
    int inked = 0;
    for (int32_t y = 386; y < 392; ++y)
        for (int32_t x = 248; x < 300; ++x) inked += picture.Pixel(x, y) != (0xFF000000u | kBackground);
    EXPECT_GT(inked, 30);
    for (int32_t x = 200; x < 350; ++x) EXPECT_EQ(picture.Pixel(x, 398), 0xFF000000u | kBackground) << x;
    EXPECT_EQ(picture.Pixel(240, 388), 0xFF000000u | kBackground);
}

}  // namespace
