#include "RuntimeFixture.h"

#include "player/runtime/RenderTree.h"

#include <gtest/gtest.h>

using namespace quorlin;
using namespace quorlin::runtime;
using namespace quorlin::runtime::test;

namespace {

swf::TTag PlaceFaded(uint16_t depth, uint16_t character, swf::TMatrix matrix, int16_t alpha) {
    swf::TPlaceObject2 p;
    p.Depth = depth;
    p.CharacterId = character;
    p.Matrix = matrix;
    p.ColorTransform = swf::TColorTransform::Alpha(alpha);
    return swf::WritePlaceObject2(p);
}

}  // namespace

TEST(RenderTree, ItemsCarryConcatenatedTransformsInPaintOrder) {
    // Clip at (100, 0) scaled 2, half opaque, holding a square at (10, 0), half opaque;
    // a square above it at depth 2.
    TRun run(MakeMovie({Square(1), Sprite(10, 1, {PlaceFaded(1, 1, swf::TMatrix::Translation(200, 0), 128), Show()}),
                        PlaceFaded(1, 10, swf::TMatrix::Make(2, 2, 0, 2000, 0), 128), Place(2, 1), Show()}));
    run.Tick();
    const auto items = CollectRenderItems(run.Player.Root());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_DOUBLE_EQ(items[0].Matrix.A, 2);
    EXPECT_DOUBLE_EQ(items[0].Matrix.Tx, 2400);
    EXPECT_DOUBLE_EQ(items[0].ColorTransform.Mult[3], 0.25);
    EXPECT_EQ(items[0].Character->Id, 1);
    EXPECT_EQ(items[0].ParentKey, run.At({1})->Key());
    EXPECT_DOUBLE_EQ(items[1].Matrix.Tx, 0);

    run.At({1})->SetVisible(false);
    EXPECT_FALSE(CollectRenderItems(run.Player.Root())[0].Visible);
    EXPECT_TRUE(CollectRenderItems(run.Player.Root())[1].Visible);
}

TEST(RenderTree, ChangesSinceTheLastFrameNameWhatMovedAppearedOrWent) {
    TRun run(MakeMovie({Square(1), Place(1, 1), Place(2, 1), Show(),
                        Move(1, swf::TMatrix::Translation(20, 0)), Show(),
                        Show(),
                        Remove(2), Place(3, 1), Show()},
                       4));
    run.Tick();
    auto frame1 = CollectRenderItems(run.Player.Root());
    const uint64_t first = frame1[0].Key, second = frame1[1].Key;

    run.Tick();
    auto frame2 = CollectRenderItems(run.Player.Root());
    auto moved = CompareFrames(frame1, frame2);
    EXPECT_EQ(moved.Changed, std::vector<uint64_t>{first});
    EXPECT_TRUE(moved.Added.empty() && moved.Removed.empty() && !moved.Reordered);

    const uint64_t count = run.Player.ChangeCount();
    run.Tick();
    EXPECT_EQ(run.Player.ChangeCount(), count);  // an empty frame changes nothing
    auto frame3 = CollectRenderItems(run.Player.Root());
    EXPECT_TRUE(CompareFrames(frame2, frame3).Empty());

    run.Tick();
    auto frame4 = CollectRenderItems(run.Player.Root());
    auto swapped = CompareFrames(frame3, frame4);
    EXPECT_EQ(swapped.Removed, std::vector<uint64_t>{second});
    EXPECT_EQ(swapped.Added, std::vector<uint64_t>{run.At({3})->Key()});
}

TEST(RenderTree, AClipDepthMasksTheSiblingsUpToItsDepth) {
    // Depth 2 is a sprite mask clipping depths 3 to 5; depth 6 lies above its reach.
    swf::TPlaceObject2 mask;
    mask.Depth = 2;
    mask.CharacterId = 10;
    mask.ClipDepth = 5;
    TRun run(MakeMovie({Square(1), Sprite(10, 1, {Place(1, 1), Place(2, 1), Show()}),
                        Sprite(11, 1, {Place(1, 1), Show()}),
                        Place(1, 1), swf::WritePlaceObject2(mask), Place(3, 11), Place(5, 1), Place(6, 1), Show()}));
    run.Tick();
    const auto items = CollectRenderItems(run.Player.Root());
    ASSERT_EQ(items.size(), 6u);
    const uint64_t maskKey = run.At({2})->Key();
    const std::vector<uint64_t> none, masked{maskKey};
    const struct {
        uint64_t mask;
        const std::vector<uint64_t>& maskedBy;
    } expected[] = {{0, none}, {maskKey, none}, {maskKey, none}, {0, masked}, {0, masked}, {0, none}};
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].MaskKey, expected[i].mask) << i;
        EXPECT_EQ(items[i].MaskedBy, expected[i].maskedBy) << i;
    }
}
