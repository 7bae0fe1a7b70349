// From the runtime's characters to render shapes and draw items.

#include <gtest/gtest.h>

#include "RenderTestUtil.h"
#include "StageFixture.h"
#include "player/swf/BitsLossless.h"
#include "player/swf/Movie.h"
#include "player/swf/PlaceObject.h"

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
    items[2].MaskKey = 3;  // a mask: kept, but it draws no pixels of its own
    items[2].Visible = false;
    items[3].ColorTransform.Mult[3] = 0;
    items[4].ColorTransform.Mult[0] = 0.5;
    items[4].MaskedBy = {9, 3};

    const auto draw = stage.DrawItems(items, TMatrix::Scale(0.05, 0.05));
    ASSERT_EQ(draw.size(), 3u);
    EXPECT_NE(draw[0].Key, draw[2].Key);
    EXPECT_EQ(draw[0].Shape, draw[2].Shape) << "a character's shapes are made once";
    EXPECT_DOUBLE_EQ(draw[0].Matrix.TranslateX, 2.0);
    EXPECT_TRUE(draw[1].IsMask);
    EXPECT_EQ(draw[1].Mask, 3u);
    EXPECT_FLOAT_EQ(draw[2].ColorTransform.MultR, 0.5f);
    EXPECT_EQ(draw[2].Mask, 3u) << "the innermost mask clips";
    EXPECT_EQ(draw[0].Mask, 0u);
}

// A square mask at depth 1 clipping depths up to 2: the red stage-filler at depth 2
// shows only inside it, the blue square at depth 3 is not clipped.
TEST(StageRenderer, AMaskClipsTheDepthsItCovers) {
    swf::TMovie m = swf::ReadMovie(StageFillingMovie(40, 40, {255, 0, 0, 255}, {0, 0, 0, 255}));
    auto square = [](uint16_t id, int32_t x, int32_t px, swf::TRgba c) {
        swf::TDefineShape s;
        s.Id = id;
        s.Bounds = {x * 20, (x + px) * 20, x * 20, (x + px) * 20};
        s.Styles.Fills = {Solid(c)};
        AddSquare(s.Records, x, x, px, 1);
        return swf::WriteDefineShape(s);
    };
    auto place = [](uint16_t depth, uint16_t id, std::optional<uint16_t> clip) {
        swf::TPlaceObject2 p;
        p.Depth = depth;
        p.CharacterId = id;
        p.Matrix = swf::TMatrix{};
        p.ClipDepth = clip;
        return swf::WritePlaceObject2(p);
    };
    // The filler at depth 2 instead of 1, the mask under it, a blue square over both.
    m.Tags = {m.Tags[0], m.Tags[1], square(2, 10, 10, {0, 255, 0, 128}), square(3, 25, 10, {0, 0, 255, 255}),
              place(1, 2, 2), place(2, 1, std::nullopt), place(3, 3, std::nullopt), m.Tags.back()};
    quorlin::runtime::TFixedClock clock(0, 0);
    TMoviePlayback p(swf::WriteMovie(m), "", clock);
    p.Tick();
    TPixmap picture(40, 40);
    p.Render(picture, "noscale");
    EXPECT_EQ(picture.Pixel(15, 15), 0xFFFF0000u) << "red inside the mask, whatever the mask's colour";
    EXPECT_EQ(picture.Pixel(5, 5), 0xFF000000u) << "nothing outside it";
    EXPECT_EQ(picture.Pixel(22, 22), 0xFF000000u);
    EXPECT_EQ(picture.Pixel(30, 30), 0xFF0000FFu) << "the square above the clipped depths";
    EXPECT_EQ(picture.Pixel(10, 15), 0xFFFF0000u) << "edges on whole pixels stay exact";
    EXPECT_EQ(picture.Pixel(9, 15), 0xFF000000u);
}

}  // namespace
