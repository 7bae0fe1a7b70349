#include <gtest/gtest.h>

#include <random>

#include "RenderTestUtil.h"
#include "player/render/Renderer.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;

TEST(DirtyRegion, MergesCloseRectanglesAndKeepsFarOnesApart) {
    TDirtyRegion r;
    r.Add(TRect{0, 0, 10, 10});
    r.Add(TRect{10, 0, 20, 10});  // touching: one rectangle
    ASSERT_EQ(r.Rects().size(), 1u);
    EXPECT_EQ(r.Rects()[0], (TRect{0, 0, 20, 10}));
    r.Add(TRect{500, 500, 510, 510});  // far away: a second one
    EXPECT_EQ(r.Rects().size(), 2u);
    r.Add(TRect{2, 2, 5, 5});  // inside the first
    r.Add(TRect{});            // empty
    EXPECT_EQ(r.Rects().size(), 2u);
    EXPECT_EQ(r.Bounds(), (TRect{0, 0, 510, 510}));

    // Never more than kMaxRects, and every pixel added stays covered.
    TDirtyRegion many;
    std::vector<TRect> added;
    for (int32_t i = 0; i < 40; ++i) {
        TRect t{(i * 97) % 1800, (i * 53) % 1000, (i * 97) % 1800 + 5, (i * 53) % 1000 + 5};
        added.push_back(t);
        many.Add(t);
    }
    EXPECT_LE(many.Rects().size(), TDirtyRegion::kMaxRects);
    for (const TRect& t : added) EXPECT_TRUE(many.Covers(t.X0, t.Y0) && many.Covers(t.X1 - 1, t.Y1 - 1));

    TDirtyRegion clipped = r.Intersect(TRect{5, 5, 505, 505});
    EXPECT_EQ(clipped.Bounds(), (TRect{5, 5, 505, 505}));
    EXPECT_TRUE(r.Intersect(TRect{100, 100, 200, 200}).IsEmpty());
}

namespace {

// A small clock-like scene: a translucent gradient disc, an outlined bar turning by
// frame, a bitmap-filled square and a nested colour transform.
struct TScene {
    TShape Disc, Bar, Badge;
    std::shared_ptr<TPixmap> Bitmap = std::make_shared<TPixmap>(4, 4);

    TScene() {
        Disc.Fills.push_back(TGradientFill{TGradientFill::TKind::Radial,
                                           TMatrix{0.03, 0, 0, 0.03, 0, 0},
                                           {{0, TColor{255, 255, 255, 200}}, {255, TColor{0, 60, 120, 40}}}});
        AddCircle(Disc, 0, 0, 24, 0, 1);
        Bar.Fills.push_back(TSolidFill{TColor{200, 30, 30, 255}});
        Bar.Lines.push_back(TLineStyle{30, TColor{0, 0, 0, 255}});
        AddPolygon(Bar, {{-2, -3}, {22, -1.5f}, {22, 1.5f}, {-2, 3}}, 0, 1, 1);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x)
                Bitmap->SetPixel(x, y, PackPremultiplied(TColor{uint8_t(60 * x), uint8_t(60 * y), 90, 255}));
        Badge.Fills.push_back(TBitmapFill{Bitmap, TMatrix::Scale(60, 60), false, true});
        AddPolygon(Badge, {{0, 0}, {12, 0}, {12, 12}, {0, 12}}, 0, 1);
    }

    std::vector<TDrawItem> Frame(int32_t n) const {
        TMatrix centre = Concat(TMatrix::Translate(40.3, 33.7), kTwipsToPixels);
        std::vector<TDrawItem> items;
        items.push_back(TDrawItem{&Disc, centre, TColorTransform::Alpha(0.7f), 1});
        TMatrix turn = Concat(TMatrix::Translate(40.3, 33.7), Concat(TMatrix::Rotate(6.0 * n), kTwipsToPixels));
        items.push_back(TDrawItem{&Bar, turn, Concat(TColorTransform::Alpha(0.9f), TColorTransform{}), 2});
        if (n % 3 != 2)  // the badge comes and goes
            items.push_back(TDrawItem{&Badge, Concat(TMatrix::Translate(4, 50), kTwipsToPixels), {}, 3});
        return items;
    }
};

const TColor kBackground{20, 40, 60, 255};

TPixmap FullFrame(TRenderer& r, const std::vector<TDrawItem>& items) {
    TPixmap p(80, 64);
    r.RenderFrame(p, kBackground, items, TDirtyRegion(p.Bounds()));
    return p;
}

}  // namespace

// Any rectangle redrawn alone ends with exactly the pixels of a full redraw.
TEST(Renderer, ClippedRedrawEqualsFullRedraw) {
    TScene scene;
    TRenderer r;
    auto items = scene.Frame(7);
    TPixmap full = FullFrame(r, items);
    std::mt19937 rng(5);
    for (int i = 0; i < 40; ++i) {
        int32_t x0 = int32_t(rng() % 80), y0 = int32_t(rng() % 64);
        TRect clip{x0, y0, x0 + 1 + int32_t(rng() % 30), y0 + 1 + int32_t(rng() % 30)};
        TPixmap partial = full;
        partial.Fill(clip, 0xFF00FF00u);  // stale pixels that the redraw must replace
        r.RenderFrame(partial, kBackground, items, TDirtyRegion(clip));
        ASSERT_EQ(partial, full) << clip.X0 << "," << clip.Y0 << " " << clip.X1 << "," << clip.Y1;
    }
}

// Frame after frame, redrawing only what changed keeps the picture of a full redraw; a
// frame in which nothing changed has nothing to redraw.
TEST(Renderer, DirtyRegionsOverARunOfFrames) {
    TScene scene;
    TRenderer r;
    auto previous = scene.Frame(0);
    TPixmap incremental = FullFrame(r, previous);
    for (int32_t n = 1; n <= 12; ++n) {
        auto items = scene.Frame(n);
        TDirtyRegion changed = ChangedRegion(previous, items, incremental.Bounds());
        EXPECT_FALSE(changed.IsEmpty());
        EXPECT_LT(changed.Bounds().Area(), incremental.Bounds().Area()) << n;
        r.RenderFrame(incremental, kBackground, items, changed);
        ASSERT_EQ(incremental, FullFrame(r, items)) << "frame " << n;
        EXPECT_TRUE(ChangedRegion(items, items, incremental.Bounds()).IsEmpty());
        previous = items;
    }
}
