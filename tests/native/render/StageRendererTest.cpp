// From the runtime's characters to render shapes and draw items.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "StageFixture.h"
#include "player/swf/BitsLossless.h"

using namespace quorlin;
using namespace quorlin::render;
using namespace quorlin::render::testing;

namespace {

swf::TFillStyle Solid(swf::TRgba c) {
    swf::TFillStyle f;
    f.Color = c;
    return f;
}

// A square of side px pixels at (x, y), drawn with fill1 = fill.
void AddSquare(std::vector<swf::TShapeRecord>& records, int32_t x, int32_t y, int32_t px, uint32_t fill,
               std::optional<swf::TShapeStyles> newStyles = std::nullopt) {
    swf::TStyleChange start;
    start.MoveTo = std::pair{x * 20, y * 20};
    start.FillStyle1 = fill;
    start.NewStyles = std::move(newStyles);
    const int32_t s = px * 20;
    records.insert(records.end(), {start, swf::TStraightEdge{s, 0}, swf::TStraightEdge{0, s},
                                   swf::TStraightEdge{-s, 0}, swf::TStraightEdge{0, -s}});
}

TEST(StageRenderer, EachStyleSetBecomesAShapeWithItsOwnIndices) {
    swf::TDefineShape shape;
    shape.Styles.Fills = {Solid({255, 0, 0, 255})};
    AddSquare(shape.Records, 0, 0, 10, 1);
    swf::TShapeStyles second;
    second.Fills = {Solid({0, 0, 255, 255})};
    AddSquare(shape.Records, 20, 0, 10, 1, second);
    AddSquare(shape.Records, 0, 20, 10, 7);  // past the set's styles: draws nothing

    const std::vector<TShape> shapes = ConvertShape(shape, {});
    ASSERT_EQ(shapes.size(), 2u);
    TPixmap picture(40, 40);
    TRenderer renderer;
    for (const TShape& s : shapes) renderer.DrawShape(picture, s, kTwipsToPixels, {}, picture.Bounds());
    EXPECT_EQ(picture.Pixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(picture.Pixel(25, 5), 0xFF0000FFu);
    EXPECT_EQ(picture.Pixel(5, 25), 0u);
    EXPECT_EQ(picture.Pixel(15, 5), 0u);
}

TEST(StageRenderer, LosslessBitmapsBecomePremultipliedPixels) {
    struct TCase {
        int Version;
        swf::TRgba Stored;
        uint32_t Pixel;
    };
    const TCase cases[] = {
        {1, {10, 20, 30, 255}, 0xFF0A141Eu},
        {1, {10, 20, 30, 0}, 0xFF0A141Eu},    // version 1 has no alpha
        {2, {64, 32, 0, 128}, 0x80402000u},   // stored premultiplied
        {2, {200, 90, 10, 100}, 0x64645A0Au}, // a channel above its alpha is held to it
        {2, {0, 0, 0, 0}, 0u},
    };
    for (const TCase& c : cases) {
        swf::TDefineBitsLossless b;
        b.Version = c.Version;
        b.Format = swf::BitmapFormat::Rgb32;
        b.Width = 2;
        b.Height = 1;
        b.Pixels = {c.Stored, c.Stored};
        const auto pixmap = DecodeBitmap(b);
        EXPECT_EQ(pixmap->Pixel(1, 0), c.Pixel) << "version " << c.Version;
    }
    swf::TDefineBitsLossless empty;
    EXPECT_THROW(DecodeBitmap(empty), RenderError);
}

TEST(StageRenderer, DrawsOnlyWhatCanBeSeen) {
    const auto movie = runtime::TMovie::Load(StageFillingMovie(10, 10, {255, 0, 0, 255}, {0, 0, 0, 255}));
    TStageRenderer stage(movie);
    const runtime::TCharacter* square = movie->Character(1);
    ASSERT_NE(square, nullptr);

    auto item = [&](uint64_t key) {
        runtime::TRenderItem r;
        r.Key = key;
        r.Character = square;
        r.Matrix.Tx = 40;
        return r;
    };
    std::vector<runtime::TRenderItem> items{item(1), item(2), item(3), item(4), item(5)};
    items[1].Visible = false;
    items[2].MaskKey = 3;  // a mask's shape draws no pixels
    items[3].ColorTransform.Mult[3] = 0;
    items[4].ColorTransform.Mult[0] = 0.5;

    const auto draw = stage.DrawItems(items, TMatrix::Scale(0.05, 0.05));
    ASSERT_EQ(draw.size(), 2u);
    EXPECT_NE(draw[0].Key, draw[1].Key);
    EXPECT_EQ(draw[0].Shape, draw[1].Shape) << "a character's shapes are made once";
    EXPECT_DOUBLE_EQ(draw[0].Matrix.TranslateX, 2.0);
    EXPECT_FLOAT_EQ(draw[1].ColorTransform.MultR, 0.5f);
}

}  // namespace
