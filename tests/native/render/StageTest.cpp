#include <gtest/gtest.h>

#include "player/render/Pixmap.h"
#include "player/render/StageTransform.h"

using namespace quorlin::render;

TEST(StageTransform, ScaleModeNamesInAnyCase) {
    struct Case {
        const char* name;
        TScaleMode mode;
    };
    const Case cases[] = {
        {"showall", TScaleMode::ShowAll},   {"ShowAll", TScaleMode::ShowAll},
        {"noborder", TScaleMode::NoBorder}, {"NOBORDER", TScaleMode::NoBorder},
        {"exactfit", TScaleMode::ExactFit}, {"exactFit", TScaleMode::ExactFit},
        {"noscale", TScaleMode::NoScale},   {"noScale", TScaleMode::NoScale},
        {"", TScaleMode::ShowAll},          {"no border", TScaleMode::ShowAll},
        {"exactfit ", TScaleMode::ShowAll},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseScaleMode(c.name), c.mode) << '"' << c.name << '"';
}

// Where the 550 x 400 stage's corners land, in pixels, for a wide and a tall output.
TEST(StageTransform, PlacesTheStageCentred) {
    struct Case {
        TScaleMode mode;
        int32_t w, h;
        double left, top, right, bottom;
    };
    const Case cases[] = {
        // Wide 1100 x 400: showall keeps the height, bars left and right.
        {TScaleMode::ShowAll, 1100, 400, 275, 0, 825, 400},
        {TScaleMode::NoBorder, 1100, 400, 0, -200, 1100, 600},
        {TScaleMode::ExactFit, 1100, 400, 0, 0, 1100, 400},
        {TScaleMode::NoScale, 1100, 400, 275, 0, 825, 400},
        // Tall 550 x 1000: showall keeps the width, bars above and below.
        {TScaleMode::ShowAll, 550, 1000, 0, 300, 550, 700},
        {TScaleMode::NoBorder, 550, 1000, -412.5, 0, 962.5, 1000},
        {TScaleMode::ExactFit, 550, 1000, 0, 0, 550, 1000},
        {TScaleMode::NoScale, 550, 1000, 0, 300, 550, 700},
        // No scale on a small output: the stage overhangs every side by the same amount.
        {TScaleMode::NoScale, 110, 80, -220, -160, 330, 240},
        {TScaleMode::ShowAll, 1, 1, 0, 0.13636, 1, 0.86364},
    };
    for (const Case& c : cases) {
        TMatrix m = TStageTransform::Compute(TStageRect{0, 0, 11000, 8000}, c.w, c.h, c.mode);
        TPointF tl = m.Apply(0, 0), br = m.Apply(11000, 8000);
        const double eps = 1e-3;
        EXPECT_NEAR(tl.X, c.left, eps) << int(c.mode) << " " << c.w << "x" << c.h;
        EXPECT_NEAR(tl.Y, c.top, eps) << int(c.mode) << " " << c.w << "x" << c.h;
        EXPECT_NEAR(br.X, c.right, eps) << int(c.mode) << " " << c.w << "x" << c.h;
        EXPECT_NEAR(br.Y, c.bottom, eps) << int(c.mode) << " " << c.w << "x" << c.h;
    }
    // A stage rectangle that does not start at the origin is centred all the same.
    TMatrix shifted = TStageTransform::Compute(TStageRect{2000, 1000, 13000, 9000}, 550, 400, TScaleMode::ShowAll);
    EXPECT_NEAR(shifted.Apply(2000, 1000).X, 0, 1e-6);
    EXPECT_NEAR(shifted.Apply(13000, 9000).Y, 400, 1e-6);

    EXPECT_THROW(TStageTransform::Compute(TStageRect{0, 0, 0, 8000}, 10, 10, TScaleMode::ShowAll), RenderError);
    EXPECT_THROW(TStageTransform::Compute(TStageRect{}, 0, 10, TScaleMode::ShowAll), RenderError);
}

TEST(Pixmap, SizeLimits) {
    struct Case {
        int32_t w, h;
        bool ok;
    };
    const Case cases[] = {{1, 1, true},      {7680, 1, true},  {1, 4320, true},  {0, 1, false},
                          {1, 0, false},     {-5, 10, false},  {7681, 1, false}, {1, 4321, false},
                          {INT32_MAX, INT32_MAX, false}};
    for (const Case& c : cases) {
        if (c.ok)
            EXPECT_NO_THROW(TPixmap(c.w, c.h)) << c.w << "x" << c.h;
        else
            EXPECT_THROW(TPixmap(c.w, c.h), RenderError) << c.w << "x" << c.h;
    }
    TPixmap p(3, 2);
    p.Fill(TRect{1, 0, 10, 1}, 0xFF112233u);
    EXPECT_EQ(p.Pixel(0, 0), 0u);
    EXPECT_EQ(p.Pixel(2, 0), 0xFF112233u);
    EXPECT_EQ(p.Pixel(2, 1), 0u);
}
