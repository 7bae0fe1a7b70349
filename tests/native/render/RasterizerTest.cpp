#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "player/render/Renderer.h"
#include "player/render/SolidPaint.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

TPixmap Draw(const TShape& shape, int32_t w = 32, int32_t h = 32, TMatrix m = kTwipsToPixels) {
    TPixmap p(w, h);
    TRenderer r;
    r.DrawShape(p, shape, m, TColorTransform{}, p.Bounds());
    return p;
}

TShape Square(float x0, float y0, float x1, float y1) {
    TShape s;
    s.Fills.push_back(TSolidFill{kWhite});
    AddPolygon(s, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, 0, 1);
    return s;
}

}  // namespace

// The geometry fixes these coverages exactly: a side at x = 10.25 leaves 0.75 of its column.
TEST(Rasterizer, SquareEdgesHaveExactCoverage) {
    struct Case {
        float x0, y0, x1, y1;
        int32_t px, py;
        double coverage;
    };
    const Case cases[] = {
        {10.25f, 10, 20.75f, 20, 10, 15, 0.75},   // left side column
        {10.25f, 10, 20.75f, 20, 20, 15, 0.75},   // right side column
        {10.25f, 10, 20.75f, 20, 15, 15, 1.0},    // inside
        {10.25f, 10, 20.75f, 20, 9, 15, 0.0},     // left of it
        {10.25f, 10, 20.75f, 20, 21, 15, 0.0},    // right of it
        {10, 4.5f, 20, 8.25f, 12, 4, 0.5},        // top row
        {10, 4.5f, 20, 8.25f, 12, 8, 0.25},       // bottom row
        {10.25f, 4.5f, 20, 8, 10, 4, 0.375},      // corner: 0.75 x 0.5
        {3.4f, 3.4f, 3.6f, 3.6f, 3, 3, 0.04},     // smaller than a pixel
        {-5, -5, 0.5f, 40, 0, 7, 0.5},            // from outside the output to inside it
        {31.5f, 2, 60, 4, 31, 3, 0.5},            // across the output's right edge
    };
    for (const Case& c : cases) {
        TPixmap p = Draw(Square(c.x0, c.y0, c.x1, c.y1));
        EXPECT_NEAR(Coverage(p, c.px, c.py), c.coverage, 0.5 / 255 + 1e-9)
            << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1 << " at " << c.px << "," << c.py;
    }
}

TEST(Rasterizer, SinglePixelOutput) {
    TPixmap p = Draw(Square(0.25f, 0, 0.75f, 0.5f), 1, 1);
    EXPECT_NEAR(Coverage(p, 0, 0), 0.25, 0.5 / 255);
}

// The same square drawn with its inside as fill0, running the other way round.
TEST(Rasterizer, Fill0OnTheLeftEqualsFill1OnTheRight) {
    TShape left;
    left.Fills.push_back(TSolidFill{kWhite});
    AddPolygon(left, {{10.25f, 10}, {10.25f, 20.5f}, {20.75f, 20.5f}, {20.75f, 10}}, 1, 0);
    EXPECT_EQ(Draw(left), Draw(Square(10.25f, 10, 20.75f, 20.5f)));
}

TEST(Rasterizer, RotatedBarCoversItsArea) {
    TShape bar;
    bar.Fills.push_back(TSolidFill{kWhite});
    // 20 x 4 bar turned 30 degrees about (16, 16).
    const double a = std::numbers::pi / 6, c = std::cos(a), s = std::sin(a);
    auto at = [&](double u, double v) { return TPointF{float(16 + u * c - v * s), float(16 + u * s + v * c)}; };
    AddPolygon(bar, {at(-10, -2), at(10, -2), at(10, 2), at(-10, 2)}, 0, 1);
    TPixmap p = Draw(bar);
    EXPECT_NEAR(TotalCoverage(p), 80.0, 0.3);
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 16), 1.0);
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 22), 0.0);
    // Symmetric about the centre: pixel (x, y) matches (31 - x, 31 - y).
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x)
            ASSERT_NEAR(Coverage(p, x, y), Coverage(p, 31 - x, 31 - y), 1.5 / 255) << x << "," << y;
}

TEST(Rasterizer, CircleFromCurves) {
    TShape disc;
    disc.Fills.push_back(TSolidFill{kWhite});
    AddCircle(disc, 16, 16, 10, 0, 1);
    TPixmap p = Draw(disc);
    // Flattening to a tenth of a pixel cuts chords inside the curve: about 1% of the area here.
    EXPECT_NEAR(TotalCoverage(p), std::numbers::pi * 100, 3.5);
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 16), 1.0);
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 5), 0.0);
    // The topmost point touches y = 6; row 6 at the centre column is nearly full.
    EXPECT_GT(Coverage(p, 15, 6), 0.9);
    EXPECT_LT(Coverage(p, 15, 6), 1.0);
    EXPECT_DOUBLE_EQ(Coverage(p, 15, 5), 0.0);
}

// A square hole whose edges carry the ring's style as fill0 and nothing as fill1.
TEST(Rasterizer, HoleWhereFill0AndFill1Meet) {
    TShape ring;
    ring.Fills.push_back(TSolidFill{kWhite});
    AddPolygon(ring, {{4, 4}, {28, 4}, {28, 28}, {4, 28}}, 0, 1);
    AddPolygon(ring, {{10.5f, 10}, {22, 10}, {22, 22}, {10.5f, 22}}, 1, 0);
    TPixmap p = Draw(ring);
    EXPECT_DOUBLE_EQ(Coverage(p, 5, 16), 1.0);
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 16), 0.0);
    EXPECT_NEAR(Coverage(p, 10, 16), 0.5, 0.5 / 255);
    EXPECT_NEAR(TotalCoverage(p), 24 * 24 - 11.5 * 12, 24 * 0.5 / 255);

    // An edge with one style on both sides draws nothing of its own.
    TShape split = Square(4, 4, 28, 28);
    TShapeEdge inner;
    inner.From = Tw(16, 4);
    inner.To = Tw(16, 28);
    inner.Fill0 = inner.Fill1 = 1;
    split.Edges.push_back(inner);
    EXPECT_EQ(Draw(split), Draw(Square(4, 4, 28, 28)));
}

TEST(Rasterizer, FillRules) {
    TPath path;
    for (float o : {4.0f, 12.0f}) {
        path.MoveTo({o, o});
        path.LineTo({o + 12, o});
        path.LineTo({o + 12, o + 12});
        path.LineTo({o, o + 12});
        path.Close();
    }
    TSolidPaint white(kWhite);
    TRenderer r;
    TPixmap nonZero(32, 32), evenOdd(32, 32);
    r.FillPath(nonZero, path, white, TFillRule::NonZero, nonZero.Bounds());
    r.FillPath(evenOdd, path, white, TFillRule::EvenOdd, evenOdd.Bounds());
    EXPECT_DOUBLE_EQ(Coverage(nonZero, 14, 14), 1.0);
    EXPECT_DOUBLE_EQ(Coverage(evenOdd, 14, 14), 0.0);
    EXPECT_DOUBLE_EQ(Coverage(evenOdd, 6, 6), 1.0);
    EXPECT_NEAR(TotalCoverage(nonZero), 2 * 144 - 16, 1e-6);
    EXPECT_NEAR(TotalCoverage(evenOdd), 2 * 144 - 32, 1e-6);
}

TEST(Rasterizer, TranslucentSolidOverBackground) {
    TShape s = Square(2, 2, 6, 6);
    s.Fills[0] = TSolidFill{TColor{255, 0, 0, 128}};
    TPixmap p(8, 8);
    p.Fill(PackPremultiplied(TColor{0, 0, 255, 255}));
    TRenderer r;
    r.DrawShape(p, s, kTwipsToPixels, TColorTransform{}, p.Bounds());
    TColor c = UnpackPremultiplied(p.Pixel(3, 3));
    EXPECT_EQ(c.A, 255);
    EXPECT_NEAR(c.R, 128, 1);
    EXPECT_NEAR(c.B, 127, 1);
    EXPECT_EQ(p.Pixel(0, 0), PackPremultiplied(TColor{0, 0, 255, 255}));
}

// Geometry far outside, through or around the output, and numbers that are not numbers.
TEST(Rasterizer, WildGeometryStaysInside) {
    TShape s;
    s.Fills.push_back(TSolidFill{kWhite});
    AddPolygon(s, {{-1e7f, -1e7f}, {1e7f, -1e7f}, {1e7f, 1e7f}, {-1e7f, 1e7f}}, 0, 1);
    TPixmap full = Draw(s, 16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) ASSERT_DOUBLE_EQ(Coverage(full, x, y), 1.0);

    TShape odd;
    odd.Fills.push_back(TSolidFill{kWhite});
    AddPolygon(odd, {{NAN, 3}, {5, INFINITY}, {-5, 3e38f}}, 0, 1);
    AddPolygon(odd, {{-50, -50}, {-40, -50}, {-40, -40}}, 0, 1);
    TPixmap none = Draw(odd, 16, 16);
    EXPECT_DOUBLE_EQ(TotalCoverage(none), 0.0);

    // A singular matrix squeezes the shape to nothing.
    TPixmap flat = Draw(Square(2, 2, 8, 8), 16, 16, TMatrix::Scale(0.05, 0));
    EXPECT_DOUBLE_EQ(TotalCoverage(flat), 0.0);
}
