#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "player/render/Renderer.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

TPixmap Stroked(std::initializer_list<TPointF> pixels, uint16_t widthTwips, bool closed = false,
                TMatrix m = kTwipsToPixels) {
    TShape s;
    s.Lines.push_back(TLineStyle{widthTwips, kWhite});
    const TPointF* p = pixels.begin();
    size_t n = pixels.size(), count = closed ? n : n - 1;
    for (size_t i = 0; i < count; ++i) {
        TShapeEdge e;
        e.From = Tw(p[i].X, p[i].Y);
        e.To = Tw(p[(i + 1) % n].X, p[(i + 1) % n].Y);
        e.Line = 1;
        s.Edges.push_back(e);
    }
    TPixmap out(32, 32);
    TRenderer r;
    r.DrawShape(out, s, m, TColorTransform{}, out.Bounds());
    return out;
}

}  // namespace

TEST(Stroke, WidthRoundCapsAndHairlines) {
    // 2 pixels wide along y = 10.5: rows 9 and 11 half covered, row 10 full.
    TPixmap wide = Stroked({{5, 10.5f}, {25, 10.5f}}, 40);
    EXPECT_NEAR(Coverage(wide, 15, 9), 0.5, 0.5 / 255);
    EXPECT_DOUBLE_EQ(Coverage(wide, 15, 10), 1.0);
    EXPECT_NEAR(Coverage(wide, 15, 11), 0.5, 0.5 / 255);
    EXPECT_DOUBLE_EQ(Coverage(wide, 15, 12), 0.0);
    // The round cap reaches one radius past the end, and no corner of a square cap.
    EXPECT_GT(Coverage(wide, 4, 10), 0.5);
    EXPECT_LT(Coverage(wide, 3, 10), 0.02);
    EXPECT_NEAR(Coverage(wide, 4, 9), 0.307, 0.02);  // the cap's part of that pixel, integrated
    // Area: 20 x 2 plus one whole disc of radius 1 from the two caps.
    EXPECT_NEAR(TotalCoverage(wide), 40 + std::numbers::pi, 0.15);

    // Width 0 and widths below a pixel are hairlines: one pixel wide.
    for (uint16_t width : {0, 1, 10}) {
        TPixmap hair = Stroked({{5, 10.5f}, {25, 10.5f}}, width);
        EXPECT_DOUBLE_EQ(Coverage(hair, 15, 10), 1.0) << width;
        EXPECT_DOUBLE_EQ(Coverage(hair, 15, 9), 0.0) << width;
        EXPECT_DOUBLE_EQ(Coverage(hair, 15, 11), 0.0) << width;
    }
    // Line widths scale with the shape, and a hairline stays one pixel under any scale.
    TPixmap scaled = Stroked({{2.5f, 5.25f}, {12.5f, 5.25f}}, 20, false, TMatrix::Scale(0.1, 0.1));
    EXPECT_DOUBLE_EQ(Coverage(scaled, 15, 10), 1.0);
    EXPECT_NEAR(Coverage(scaled, 15, 9), 0.5, 0.5 / 255);
    TPixmap thin = Stroked({{2.5f, 5.25f}, {12.5f, 5.25f}}, 0, false, TMatrix::Scale(0.1, 0.1));
    EXPECT_NEAR(Coverage(thin, 15, 10), 1.0, 0.5 / 255);
    EXPECT_DOUBLE_EQ(Coverage(thin, 15, 9), 0.0);
}

TEST(Stroke, RoundJoinsLeaveNoGap) {
    // A square outline 4 pixels wide: its corners are round on the outside, full inside.
    TPixmap p = Stroked({{8, 8}, {24, 8}, {24, 24}, {8, 24}}, 80, true);
    EXPECT_DOUBLE_EQ(Coverage(p, 7, 7), 1.0);    // inside the join
    EXPECT_DOUBLE_EQ(Coverage(p, 16, 16), 0.0);  // the hole in the middle
    EXPECT_DOUBLE_EQ(Coverage(p, 5, 16), 0.0);
    EXPECT_DOUBLE_EQ(Coverage(p, 6, 16), 1.0);
    // The outer corner is a quarter disc of radius 2 around (8, 8); it covers 0.315 of (6, 6).
    EXPECT_NEAR(Coverage(p, 6, 6), 0.315, 0.02);
    // Ring 20 x 20 outside less 12 x 12 inside, with the four corners rounded off.
    EXPECT_NEAR(TotalCoverage(p), 400 - 144 - (4 - std::numbers::pi) * 4, 0.4);
}
