#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "player/render/BitmapPaint.h"
#include "player/render/GradientPaint.h"
#include "player/render/Renderer.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

// A rectangle in pixels filled with the given style.
TPixmap DrawFilled(const TFillStyle& fill, int32_t w, int32_t h, TColorTransform t = {}) {
    TShape s;
    s.Fills.push_back(fill);
    AddPolygon(s, {{0, 0}, {float(w), 0}, {float(w), float(h)}, {0, float(h)}}, 0, 1);
    TPixmap p(w, h);
    TRenderer r;
    r.DrawShape(p, s, kTwipsToPixels, t, p.Bounds());
    return p;
}

void ExpectColor(const TPixmap& p, int32_t x, int32_t y, TColor expected, int tolerance = 1) {
    TColor c = UnpackPremultiplied(p.Pixel(x, y));
    EXPECT_NEAR(c.R, expected.R, tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(c.G, expected.G, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(c.B, expected.B, tolerance) << "blue at " << x << "," << y;
    EXPECT_NEAR(c.A, expected.A, tolerance) << "alpha at " << x << "," << y;
}

const TColor kRed{255, 0, 0, 255}, kBlue{0, 0, 255, 255}, kGreen{0, 255, 0, 255};

// The gradient square (32768 units wide) scaled onto a 256-pixel span from x = 0.
TMatrix SquareOnto(double centreX, double centreY, double sidePixels) {
    double s = sidePixels * kTwips / 32768.0;
    return TMatrix{s, 0, 0, s, centreX * kTwips, centreY * kTwips};
}

}  // namespace

TEST(GradientRamp, StopsPadAndInterpolate) {
    TGradientRamp ramp({{64, kRed}, {192, TColor{0, 0, 255, 0}}}, TColorTransform{});
    EXPECT_EQ(ramp.At(0), ramp.At(64));  // pad before the first stop
    EXPECT_EQ(ramp.At(0), PackPremultiplied(kRed));
    EXPECT_EQ(ramp.At(255), 0u);  // pad after the last, fully transparent
    // Half way: straight colour mixed, then premultiplied.
    EXPECT_EQ(ramp.At(128), PackPremultiplied(TColor{128, 0, 128, 128}));

    EXPECT_THROW(TGradientRamp({}, TColorTransform{}), RenderError);
    std::vector<TGradientStop> many(16, TGradientStop{0, kRed});
    EXPECT_THROW(TGradientRamp(many, TColorTransform{}), RenderError);
    many.resize(15);
    EXPECT_NO_THROW(TGradientRamp(many, TColorTransform{}));
}

TEST(GradientPaint, LinearAcrossTheSquare) {
    TGradientFill g{TGradientFill::TKind::Linear, SquareOnto(128, 4, 256), {{0, kRed}, {255, kBlue}}};
    TPixmap p = DrawFilled(g, 300, 8);
    ExpectColor(p, 0, 4, kRed, 2);
    ExpectColor(p, 128, 4, TColor{127, 0, 128, 255}, 2);
    ExpectColor(p, 255, 4, kBlue, 2);
    ExpectColor(p, 290, 4, kBlue);  // pad
    // Rotated a quarter turn, the ramp runs down instead of across.
    TGradientFill turned = g;
    turned.Matrix = Concat(TMatrix::Translate(4 * kTwips, 128 * kTwips),
                           Concat(TMatrix::Rotate(90), TMatrix::Scale(256 * kTwips / 32768.0, 256 * kTwips / 32768.0)));
    TPixmap q = DrawFilled(turned, 8, 256);
    ExpectColor(q, 4, 0, kRed, 2);
    ExpectColor(q, 4, 255, kBlue, 2);
}

TEST(GradientPaint, RadialFromTheCentre) {
    // Centred on pixel (50, 50)'s centre, radius 40 pixels.
    TGradientFill g{TGradientFill::TKind::Radial, SquareOnto(50.5, 50.5, 80), {{0, kGreen}, {255, TColor{0, 0, 0, 0}}}};
    TPixmap p = DrawFilled(g, 100, 100);
    ExpectColor(p, 50, 50, kGreen);
    // 20 pixels out is half the radius: green at half alpha.
    TColor half = UnpackPremultiplied(p.Pixel(70, 50));
    EXPECT_NEAR(half.A, 128, 3);
    EXPECT_EQ(PixelAlpha(p.Pixel(50, 70)), PixelAlpha(p.Pixel(70, 50)));
    EXPECT_EQ(p.Pixel(95, 95), 0u);  // pad beyond the circle: the last stop, transparent
}

TEST(GradientPaint, ColourTransformTintsTheStops) {
    TGradientFill g{TGradientFill::TKind::Linear, SquareOnto(128, 2, 256), {{0, kRed}, {255, kRed}}};
    TPixmap p = DrawFilled(g, 256, 4, TColorTransform{0.5f, 1, 1, 1, 0, 100, 0, 0});
    ExpectColor(p, 100, 2, TColor{128, 100, 0, 255});
}

TEST(BitmapPaint, NearestRepeatAndClip) {
    auto bitmap = std::make_shared<TPixmap>(2, 2);
    bitmap->SetPixel(0, 0, PackPremultiplied(kRed));
    bitmap->SetPixel(1, 0, PackPremultiplied(kGreen));
    bitmap->SetPixel(0, 1, PackPremultiplied(kBlue));
    bitmap->SetPixel(1, 1, PackPremultiplied(TColor{255, 255, 255, 128}));
    // Each bitmap pixel 4 x 4 output pixels; the fill covers 16 x 16.
    TMatrix m = TMatrix::Scale(4 * kTwips, 4 * kTwips);
    TPixmap tiled = DrawFilled(TBitmapFill{bitmap, m, true, false}, 16, 16);
    TPixmap clipped = DrawFilled(TBitmapFill{bitmap, m, false, false}, 16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            ASSERT_EQ(tiled.Pixel(x, y), bitmap->Pixel((x / 4) % 2, (y / 4) % 2)) << x << "," << y;
            ASSERT_EQ(clipped.Pixel(x, y), bitmap->Pixel(std::min(x / 4, 1), std::min(y / 4, 1))) << x << "," << y;
        }
}

TEST(BitmapPaint, SmoothBlendsNeighbours) {
    auto bitmap = std::make_shared<TPixmap>(2, 1);
    bitmap->SetPixel(0, 0, PackPremultiplied(kRed));
    bitmap->SetPixel(1, 0, PackPremultiplied(kBlue));
    TPixmap p = DrawFilled(TBitmapFill{bitmap, TMatrix::Scale(8 * kTwips, 8 * kTwips), false, true}, 16, 8);
    ExpectColor(p, 2, 4, kRed);          // inside the first pixel's centre
    ExpectColor(p, 13, 4, kBlue);        // past the second pixel's centre
    // Pixel 7's centre lies 3.5 of the 8 pixels from the first sample to the second.
    ExpectColor(p, 7, 4, TColor{143, 0, 112, 255}, 1);
    ExpectColor(p, 8, 4, TColor{112, 0, 143, 255}, 1);
}

TEST(BitmapPaint, SingularMatrixDrawsNothing) {
    auto bitmap = std::make_shared<TPixmap>(1, 1);
    bitmap->Fill(PackPremultiplied(kRed));
    TPixmap p = DrawFilled(TBitmapFill{bitmap, TMatrix::Scale(0, 20), true, true}, 4, 4);
    EXPECT_EQ(TotalCoverage(p), 0.0);
    TPixmap none = DrawFilled(TBitmapFill{nullptr, TMatrix{}, true, true}, 4, 4);
    EXPECT_EQ(TotalCoverage(none), 0.0);
    EXPECT_THROW(TBitmapPaint(*bitmap, TMatrix::Scale(1, 0), true, true), RenderError);
}

TEST(ColorTransform, ApplyClampAndNesting) {
    struct Case {
        TColorTransform t;
        TColor in, out;
    };
    const Case cases[] = {
        {TColorTransform{}, TColor{1, 2, 3, 4}, TColor{1, 2, 3, 4}},
        {TColorTransform::FromTerms(128, 256, 512, 256, 0, 0, 0, 0), TColor{200, 100, 100, 255}, TColor{100, 100, 200, 255}},
        {TColorTransform::FromTerms(256, 256, 256, 256, 255, -255, 10, -55), TColor{100, 100, 250, 255}, TColor{255, 0, 255, 200}},
        {TColorTransform::Alpha(0.5f), TColor{10, 20, 30, 200}, TColor{10, 20, 30, 100}},
    };
    for (const Case& c : cases) EXPECT_EQ(c.t.Apply(c.in), c.out);

    // Nesting: a child's transform applies first, its parent's after.
    TColorTransform parent{0.5f, 1, 1, 0.5f, 10, 0, 0, 0}, child{1, 2, 1, 1, 20, 0, 0, 0};
    TColor in{100, 50, 0, 200};
    EXPECT_EQ(Concat(parent, child).Apply(in), parent.Apply(child.Apply(in)));
    EXPECT_TRUE(TColorTransform::Alpha(0).IsInvisible());
    EXPECT_FALSE(TColorTransform{}.IsInvisible());
}

TEST(Renderer, InvisibleTransformDrawsNothing) {
    TPixmap p = DrawFilled(TSolidFill{kRed}, 4, 4, TColorTransform::Alpha(0));
    EXPECT_EQ(TotalCoverage(p), 0.0);
}
