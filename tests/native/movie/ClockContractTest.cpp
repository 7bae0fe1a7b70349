#include "ClockFile.h"

#include "player/swf/ActionReader.h"
#include "player/swf/Zlib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <fstream>
#include <iterator>
#include <set>

using namespace quorlin::swf;
using namespace quorlin::movie::test;

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

TMatrix Expected(int32_t tx, int32_t ty, int32_t scaleX = 0x10000, int32_t scaleY = 0x10000) {
    TMatrix m;
    m.TranslateX = tx;
    m.TranslateY = ty;
    m.ScaleX = scaleX;
    m.ScaleY = scaleY;
    return m;
}

// Fixed-point scale as the file holds it.
int32_t Fixed(double v) { return ToFixed16(v); }

const TDefineSprite& SpriteOf(const std::map<uint16_t, TDefineSprite>& sprites, const TPlaceObject2& p) {
    EXPECT_TRUE(p.CharacterId.has_value());
    auto it = sprites.find(p.CharacterId.value_or(0));
    if (it == sprites.end()) throw std::runtime_error("placement of a character that is not a sprite");
    return it->second;
}

}  // namespace

TEST(ClockContract, HeaderIsOneBestCompressionZlibStreamWithNothingAfterIt) {
    const auto& bytes = ClockBytes();
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "CWS");
    EXPECT_EQ(bytes[3], 7);
    EXPECT_EQ(bytes[8], 0x78);
    EXPECT_EQ(bytes[9], 0xDA);
    uint32_t length = U32At(bytes, 4);
    size_t consumed = 0;
    std::vector<uint8_t> body = Inflate(std::span(bytes).subspan(8), length - 8, "clock body", &consumed);
    EXPECT_EQ(body.size() + 8, length);
    EXPECT_EQ(consumed, bytes.size() - 8) << "bytes follow the zlib stream";
}

TEST(ClockContract, StageRateFramesAndBackground) {
    const TMovie& m = Clock();
    EXPECT_EQ(m.Frame, (TRect{0, 11000, 0, 8000}));
    EXPECT_EQ(m.FrameRate, 0x3200);
    EXPECT_EQ(m.FrameCount, 1);
    ASSERT_FALSE(m.Tags.empty());
    ASSERT_EQ(m.Tags[0].Kind(), TagCode::SetBackgroundColor);
    EXPECT_EQ(ReadSetBackgroundColor(m.Tags[0]).Color, (TRgba{0, 0, 0, 255}));
    int frames = 0;
    for (const TTag& t : m.Tags) frames += t.Kind() == TagCode::ShowFrame;
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(m.Tags.back().Kind(), TagCode::ShowFrame);
}

TEST(ClockContract, EveryCharacterIsDefinedBeforeItIsPlacedAndIsOfAStandardTag) {
    std::set<uint16_t> defined;
    std::function<void(const std::vector<TTag>&)> check = [&](const std::vector<TTag>& tags) {
        for (const TTag& t : tags) {
            TRecord r = DecodeTag(t);
            ASSERT_FALSE(std::holds_alternative<TTag>(r)) << "undecoded tag " << TagName(t.Code);
            if (auto* p = std::get_if<TPlaceObject2>(&r); p && p->CharacterId) {
                EXPECT_TRUE(defined.count(*p->CharacterId)) << "character " << *p->CharacterId;
            }
            if (auto* s = std::get_if<TDefineShape>(&r)) defined.insert(s->Id);
            if (auto* b = std::get_if<TDefineBitsLossless>(&r)) defined.insert(b->Id);
            if (auto* s = std::get_if<TDefineSprite>(&r)) {
                check(s->Tags);
                defined.insert(s->Id);
            }
        }
    };
    check(Clock().Tags);
}

TEST(ClockContract, DisplayTreeHasTheNamesDepthsPlacementsScalesAndOpacities) {
    auto sprites = Sprites();
    auto root = Placements(Clock().Tags, 1);
    ASSERT_EQ(root.size(), 2u);

    // "original" at depth 1, at the stage origin, a container of two frames without script.
    const TPlaceObject2& original = root[0];
    EXPECT_EQ(original.Depth, 1);
    EXPECT_EQ(original.Matrix.value_or(TMatrix{}), TMatrix{});
    EXPECT_FALSE(original.ColorTransform);
    const TDefineSprite& originalClip = SpriteOf(sprites, original);
    EXPECT_EQ(originalClip.FrameCount, 2);
    EXPECT_TRUE(Scripts(originalClip.Tags, 1).empty());
    EXPECT_TRUE(Scripts(originalClip.Tags, 2).empty());
    EXPECT_TRUE(Placements(originalClip.Tags, 2).empty());

    // The clock clip, unnamed, at (347.75, 200.5).
    auto inOriginal = Placements(originalClip.Tags, 1);
    ASSERT_EQ(inOriginal.size(), 1u);
    EXPECT_EQ(inOriginal[0].Depth, 1);
    EXPECT_FALSE(inOriginal[0].Name);
    EXPECT_EQ(inOriginal[0].Matrix.value_or(TMatrix{}), Expected(6955, 4010));
    const TDefineSprite& clock = SpriteOf(sprites, inOriginal[0]);
    EXPECT_EQ(clock.FrameCount, 2);
    EXPECT_EQ(Scripts(clock.Tags, 1).size(), 1u);
    EXPECT_EQ(Scripts(clock.Tags, 2).size(), 1u);
    EXPECT_TRUE(Placements(clock.Tags, 2).empty());

    struct Row {
        const char* name;
        uint16_t depth;
        TMatrix matrix;
        int16_t alpha;
    };
    const Row rows[] = {
        {"HA1", 1, Expected(-1508, -1, Fixed(1.25), Fixed(0.6)), 256},
        {"MA1", 3, Expected(-1510, -1, Fixed(1.25), Fixed(0.8)), 256},
        {"SA1", 5, Expected(-1508, -1), 256},
        {"glass", 7, Expected(-8114, -5013, Fixed(0.8195), Fixed(0.9532)), 46},
    };
    auto hands = Placements(clock.Tags, 1);
    ASSERT_EQ(hands.size(), 4u);
    std::optional<uint16_t> handShape;
    for (const Row& row : rows) {
        auto p = Find(hands, row.name);
        ASSERT_TRUE(p) << row.name;
        EXPECT_EQ(p->Depth, row.depth) << row.name;
        EXPECT_EQ(p->Matrix.value_or(TMatrix{}), row.matrix) << row.name;
        EXPECT_EQ(p->ColorTransform.value_or(TColorTransform{}), TColorTransform::Alpha(row.alpha)) << row.name;
        if (row.alpha == 256) {
            if (!handShape) handShape = p->CharacterId;
            EXPECT_EQ(p->CharacterId, handShape) << "all hands are one clip";
        }
    }
    // Scripts reach movie clips only: each hand is an instance of one clip that holds the
    // hand shape at its origin, so the placement's pivot is the hand's.
    const TDefineSprite& handClip = SpriteOf(sprites, *Find(hands, "SA1"));
    auto inHand = Placements(handClip.Tags, 1);
    ASSERT_EQ(inHand.size(), 1u);
    EXPECT_EQ(inHand[0].Matrix.value_or(TMatrix{}), TMatrix{});
    EXPECT_TRUE(Shapes().count(inHand[0].CharacterId.value()));

    // The glass: a disc and, over it, its highlight at 102/256.
    const TDefineSprite& glass = SpriteOf(sprites, *Find(hands, "glass"));
    auto inGlass = Placements(glass.Tags, 1);
    ASSERT_EQ(inGlass.size(), 2u);
    EXPECT_FALSE(inGlass[0].ColorTransform);
    EXPECT_EQ(inGlass[1].ColorTransform.value_or(TColorTransform{}), TColorTransform::Alpha(102));
    EXPECT_GT(inGlass[1].Depth, inGlass[0].Depth);

    // "badge" at depth 2, top left at (247, 385), scaled 0.0683.
    const TPlaceObject2& badge = root[1];
    EXPECT_EQ(badge.Depth, 2);
    EXPECT_EQ(badge.Matrix.value_or(TMatrix{}), Expected(4940, 7700, Fixed(0.0683), Fixed(0.0683)));
}

TEST(ClockContract, HandShapeIsTheBarAboutItsPivot) {
    const auto sprites = Sprites();
    const TDefineSprite& handClip = SpriteOf(sprites, *Find(Placements(ClockClip().Tags, 1), "SA1"));
    TDefineShape hand = Shapes().at(Placements(handClip.Tags, 1).at(0).CharacterId.value());
    // 8 px wide, from 191 px above the pivot to 37.05 px below it.
    EXPECT_EQ(hand.Bounds, (TRect{-80, 80, -3820, 741}));
    ASSERT_EQ(hand.Styles.Lines.size(), 1u);
    int32_t inset = hand.Styles.Lines[0].Width / 2;
    // The outline, stroke included, stays in the bar and reaches both of its ends.
    double x = 0, y = 0, top = 0, bottom = 0;
    auto inside = [&](double px, double py) {
        EXPECT_LE(std::abs(px) + inset, 80.5);
        EXPECT_GE(py - inset, -3820.5);
        EXPECT_LE(py + inset, 741.5);
        top = std::min(top, py - inset);
        bottom = std::max(bottom, py + inset);
    };
    for (const TShapeRecord& r : hand.Records) {
        if (auto* c = std::get_if<TStyleChange>(&r); c && c->MoveTo) {
            x = c->MoveTo->first;
            y = c->MoveTo->second;
        } else if (auto* e = std::get_if<TStraightEdge>(&r)) {
            x += e->DeltaX;
            y += e->DeltaY;
        } else if (auto* q = std::get_if<TCurvedEdge>(&r)) {
            double cx = x + q->ControlDeltaX, cy = y + q->ControlDeltaY;
            double ax = cx + q->AnchorDeltaX, ay = cy + q->AnchorDeltaY;
            for (double t = 0.125; t < 1; t += 0.125) {
                inside((1 - t) * (1 - t) * x + 2 * t * (1 - t) * cx + t * t * ax,
                       (1 - t) * (1 - t) * y + 2 * t * (1 - t) * cy + t * t * ay);
            }
            x = ax;
            y = ay;
        }
        inside(x, y);
    }
    EXPECT_NEAR(top, -3820, 1);
    EXPECT_NEAR(bottom, 741, 1);
}

TEST(ClockContract, ExportsAndBadgeBitmap) {
    auto root = Placements(Clock().Tags, 1);
    std::optional<TExportAssets> exports;
    std::optional<TDefineBitsLossless> bitmap;
    for (const TTag& t : Clock().Tags) {
        if (t.Kind() == TagCode::ExportAssets) exports = ReadExportAssets(t);
        if (t.Kind() == TagCode::DefineBitsLossless || t.Kind() == TagCode::DefineBitsLossless2) {
            ASSERT_FALSE(bitmap) << "one bitmap only";
            bitmap = ReadDefineBitsLossless(t);
        }
    }
    ASSERT_TRUE(exports);
    EXPECT_EQ(exports->Assets, (std::vector<std::pair<uint16_t, std::string>>{{*root[0].CharacterId, "original"},
                                                                             {*root[1].CharacterId, "badge"}}));

    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->Version, 2);
    EXPECT_EQ(bitmap->Format, BitmapFormat::Palette8);
    EXPECT_EQ(bitmap->Width, 804);
    EXPECT_EQ(bitmap->Height, 112);
    // Text on a clear ground: transparent and opaque pixels both occur.
    std::set<uint8_t> alphas;
    for (uint32_t y = 0; y < bitmap->Height; ++y) {
        for (uint32_t x = 0; x < bitmap->Width; ++x) alphas.insert(bitmap->PixelAt(x, y).A);
    }
    EXPECT_TRUE(alphas.count(0) && alphas.count(255));
    EXPECT_GT(alphas.size(), 16u) << "edges are anti-aliased";

    // The badge clip shows exactly that bitmap, one bitmap pixel to a stage pixel, from its top left.
    auto badge = Sprites().at(*root[1].CharacterId);
    auto inBadge = Placements(badge.Tags, 1);
    ASSERT_EQ(inBadge.size(), 1u);
    EXPECT_EQ(inBadge[0].Matrix.value_or(TMatrix{}), TMatrix{});
    TDefineShape shape = Shapes().at(*inBadge[0].CharacterId);
    EXPECT_EQ(shape.Bounds, (TRect{0, 804 * 20, 0, 112 * 20}));
    ASSERT_EQ(shape.Styles.Fills.size(), 1u);
    EXPECT_TRUE(shape.Styles.Fills[0].IsBitmap());
    EXPECT_EQ(shape.Styles.Fills[0].BitmapId, bitmap->Id);
    EXPECT_EQ(shape.Styles.Fills[0].Matrix, Expected(0, 0, 20 << 16, 20 << 16));
}

TEST(ClockContract, ScriptsRequestNothingFromTheHost) {
    for (const auto& [id, sprite] : Sprites()) {
        for (int frame = 1; frame <= sprite.FrameCount; ++frame) {
            for (const auto& script : Scripts(sprite.Tags, frame)) {
                for (const TAction& a : ReadActions(script)) {
                    EXPECT_NE(a.Op(), ActionCode::GetURL) << "sprite " << id;
                    EXPECT_NE(a.Op(), ActionCode::GetURL2) << "sprite " << id;
                    EXPECT_NE(a.Op(), ActionCode::Trace) << "sprite " << id;
                }
            }
        }
    }
    EXPECT_TRUE(Scripts(Clock().Tags, 1).empty());
}

TEST(ClockContract, GeneratorIsReproducible) {
    std::string again = std::string(QUORLIN_NATIVE_DIR) + "/clock-again.swf";
    std::string command = std::string(QUORLIN_NATIVE_DIR) + "/movie/clockgen " + again;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(again, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(again.c_str());
    EXPECT_EQ(bytes, ClockBytes());
}
