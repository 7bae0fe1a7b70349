#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "RenderTestUtil.h"
#include "player/render/Renderer.h"

using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

// Coordinates from the ordinary to the absurd, the way a broken or hostile file has them.
float WildCoordinate(std::mt19937& rng) {
    const float specials[] = {0.0f, -0.0f, 1e-30f, 3e38f, -3e38f, std::numeric_limits<float>::infinity(),
                              std::numeric_limits<float>::quiet_NaN(), 1e7f, -1e7f};
    if (rng() % 8 == 0) return specials[rng() % std::size(specials)];
    return float(int32_t(rng() % 2000) - 500);  // twips around a 32-pixel picture
}

TColor RandomColor(std::mt19937& rng) {
    return TColor{uint8_t(rng()), uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
}

TShape RandomShape(std::mt19937& rng, const std::shared_ptr<TPixmap>& bitmap) {
    TShape s;
    for (int i = 0; i < 4; ++i) {
        TMatrix m{double(WildCoordinate(rng)) / 100, 0, 0, double(WildCoordinate(rng)) / 100,
                  WildCoordinate(rng), WildCoordinate(rng)};
        switch (rng() % 3) {
            case 0:
                s.Fills.push_back(TSolidFill{RandomColor(rng)});
                break;
            case 1: {
                std::vector<TGradientStop> stops;
                for (uint32_t k = 0, n = 1 + rng() % 15; k < n; ++k)
                    stops.push_back(TGradientStop{uint8_t(rng()), RandomColor(rng)});
                s.Fills.push_back(TGradientFill{rng() % 2 ? TGradientFill::TKind::Linear : TGradientFill::TKind::Radial,
                                                m, stops});
                break;
            }
            default:
                s.Fills.push_back(TBitmapFill{bitmap, m, rng() % 2 == 0, rng() % 2 == 0});
        }
        s.Lines.push_back(TLineStyle{uint16_t(rng() % 3 == 0 ? rng() : rng() % 200), RandomColor(rng)});
    }
    for (uint32_t i = 0, n = rng() % 40; i < n; ++i) {
        TShapeEdge e;
        e.From = {WildCoordinate(rng), WildCoordinate(rng)};
        e.Control = {WildCoordinate(rng), WildCoordinate(rng)};
        e.To = {WildCoordinate(rng), WildCoordinate(rng)};
        e.Curved = rng() % 2 == 0;
        // Indices past the styles there are must be ignored, not followed.
        e.Fill0 = uint16_t(rng() % 7);
        e.Fill1 = uint16_t(rng() % 7);
        e.Line = uint16_t(rng() % 7);
        s.Edges.push_back(e);
    }
    return s;
}

}  // namespace

// Random shapes, styles and matrices: nothing crashes, and every pixel stays a valid
// premultiplied colour (no channel above its alpha), which overflowing sums would break.
TEST(RandomInput, ShapesNeverBreakThePixmap) {
    std::mt19937 rng(2026);
    auto bitmap = std::make_shared<TPixmap>(3, 2);
    for (int32_t i = 0; i < 6; ++i) bitmap->SetPixel(i % 3, i / 3, PackPremultiplied(RandomColor(rng)));
    TRenderer r;
    for (int iteration = 0; iteration < 300; ++iteration) {
        TShape shape = RandomShape(rng, bitmap);
        TPixmap p(32, 24);
        p.Fill(PackPremultiplied(TColor{10, 20, 30, 255}));
        TMatrix m = iteration % 5 == 0 ? TMatrix{WildCoordinate(rng), WildCoordinate(rng), WildCoordinate(rng),
                                                 WildCoordinate(rng), WildCoordinate(rng), WildCoordinate(rng)}
                                       : kTwipsToPixels;
        TColorTransform t{1, 1, 1, float(rng() % 300) / 100, float(rng() % 600) - 300, 0, 0, float(rng() % 100) - 50};
        ASSERT_NO_THROW(r.DrawShape(p, shape, m, t, TRect{int32_t(rng() % 8), 0, 32, 24})) << iteration;
        for (int32_t y = 0; y < p.Height(); ++y)
            for (int32_t x = 0; x < p.Width(); ++x) {
                uint32_t px = p.Pixel(x, y);
                uint8_t a = PixelAlpha(px);
                ASSERT_TRUE(PixelRed(px) <= a && PixelGreen(px) <= a && PixelBlue(px) <= a)
                    << "iteration " << iteration << " pixel " << x << "," << y << " " << std::hex << px;
            }
    }
}
