#include "player/swf/Movie.h"
#include "player/swf/Records.h"
#include "player/swf/SwfError.h"

#include <gtest/gtest.h>

#include <random>

using namespace quorlin::swf;

namespace {

using TBytes = std::vector<uint8_t>;

TFillStyle Solid(TRgba c) {
    TFillStyle f;
    f.Color = c;
    return f;
}

TFillStyle Gradient(uint8_t type, TMatrix m, std::vector<TGradientRecord> records, int16_t focal = 0) {
    TFillStyle f;
    f.Type = type;
    f.Matrix = m;
    f.Gradient.Records = std::move(records);
    f.Gradient.SpreadMode = 1;
    f.Gradient.InterpolationMode = 1;
    f.Gradient.FocalPoint = focal;
    return f;
}

std::vector<TShapeRecord> Edges() {
    TStyleChange start;
    start.MoveTo = std::pair{-2000, 150};
    start.FillStyle0 = 1;
    start.FillStyle1 = 0;
    start.LineStyle = 1;
    return {start,
            TStraightEdge{400, 0},
            TStraightEdge{0, -65000},
            TStraightEdge{-3, 7},
            TCurvedEdge{10, -20, 30, 40000},
            TStyleChange{std::pair{0, 0}, {}, {}, {}, {}}};
}

TDefineShape ShapeV1() {
    TDefineShape s;
    s.Version = 1;
    s.Id = 1;
    s.Bounds = {-2000, 2000, -70000, 40000};
    s.Styles.Fills = {Solid({255, 0, 0, 255}), Solid({0, 0, 255, 255})};
    s.Styles.Lines = {{20, {1, 2, 3, 255}}};
    s.Records = Edges();
    return s;
}

TDefineShape ShapeV2WithManyStylesAndNewStyles() {
    TDefineShape s;
    s.Version = 2;
    s.Id = 2;
    s.Bounds = {0, 100, 0, 100};
    for (int i = 0; i < 300; ++i) s.Styles.Fills.push_back(Solid({uint8_t(i), 0, 0, 255}));
    TStyleChange pick;
    pick.FillStyle1 = 300;
    TStyleChange restyle;
    restyle.NewStyles = TShapeStyles{{Solid({9, 9, 9, 255})}, {{40, {0, 0, 0, 255}}, {60, {5, 5, 5, 255}}}};
    restyle.MoveTo = std::pair{5, 5};
    TStyleChange line;
    line.LineStyle = 2;
    s.Records = {pick, TStraightEdge{100, 0}, restyle, line, TStraightEdge{0, 100}};
    return s;
}

TDefineShape ShapeV3WithGradientsAndBitmap() {
    TDefineShape s;
    s.Version = 3;
    s.Id = 3;
    s.Bounds = {-16384, 16384, -16384, 16384};
    TFillStyle bitmap;
    bitmap.Type = FillType::ClippedBitmap;
    bitmap.BitmapId = 7;
    bitmap.Matrix = TMatrix::Make(20, 20, 0, 100, -100);
    s.Styles.Fills = {
        Gradient(FillType::LinearGradient, TMatrix::Make(0.5, 0.25, 30, 0, 0), {{0, {255, 255, 255, 0}}, {255, {0, 0, 0, 128}}}),
        Gradient(FillType::RadialGradient, TMatrix::Make(-1.5, 2, -45, 12345, -6789),
                 {{0, {1, 2, 3, 4}}, {128, {5, 6, 7, 8}}, {255, {9, 10, 11, 12}}}),
        Gradient(FillType::FocalGradient, TMatrix{}, {{0, {0, 0, 0, 0}}, {255, {1, 1, 1, 1}}}, -128),
        bitmap,
    };
    s.Styles.Lines = {{160, {10, 20, 30, 40}}};
    s.Records = Edges();
    return s;
}

TDefineBitsLossless Bitmap(int version, uint8_t format, uint16_t width, uint16_t height) {
    TDefineBitsLossless b;
    b.Version = version;
    b.Id = 7;
    b.Format = format;
    b.Width = width;
    b.Height = height;
    for (uint32_t i = 0; i < uint32_t(width) * height; ++i) {
        if (format == BitmapFormat::Palette8) {
            b.Indices.push_back(uint8_t(i % 3));
        } else if (format == BitmapFormat::Rgb15) {
            auto e = [](uint32_t v) { return uint8_t((v & 31) << 3 | (v & 31) >> 2); };
            b.Pixels.push_back({e(i), e(i * 3), e(i * 7), 255});
        } else {
            b.Pixels.push_back({uint8_t(i), uint8_t(i * 3), uint8_t(i * 7), uint8_t(version == 2 ? 200 : 255)});
        }
    }
    if (format == BitmapFormat::Palette8) {
        b.Palette = {{0, 0, 0, uint8_t(version == 2 ? 0 : 255)}, {255, 255, 255, 255}, {10, 20, 30, 255}};
    }
    return b;
}

TPlaceObject2 FullPlacement() {
    TPlaceObject2 p;
    p.Depth = 7;
    p.CharacterId = 3;
    p.Matrix = TMatrix::Make(0.8195, 0.9532, 0, -8114, -5013);
    TColorTransform c = TColorTransform::Alpha(46);
    c.RedAdd = -255;
    c.BlueMult = 512;
    p.ColorTransform = c;
    p.Ratio = 65535;
    p.Name = "glass";
    p.ClipDepth = 9;
    p.ClipActions = TBytes{0, 0, 1, 0, 0, 0, 0, 0};
    return p;
}

std::vector<std::pair<const char*, TRecord>> RecordCases() {
    TDefineSprite sprite;
    sprite.Id = 9;
    sprite.FrameCount = 2;
    sprite.Tags = {EncodeTag(FullPlacement()), WriteShowFrame(), WriteDoAction({{0x05, 0x06, 0x00}}), WriteShowFrame()};
    TPlaceObject2 move;
    move.Move = true;
    move.Depth = 1;
    move.Matrix = TMatrix::Translation(-1, 1);
    TPlaceObject place{4, 2, TMatrix::Make(1, 1, 90, 0, 0), TColorTransform{}};
    place.ColorTransform->GreenAdd = 12;
    TTag unknown{777, TBytes(100, 0xAB)};
    return {
        {"DefineShape", ShapeV1()},
        {"DefineShape2, extended count and new styles", ShapeV2WithManyStylesAndNewStyles()},
        {"DefineShape3, gradients and bitmap fill", ShapeV3WithGradientsAndBitmap()},
        {"DefineBitsLossless2 palette, padded rows", Bitmap(2, BitmapFormat::Palette8, 3, 2)},
        {"DefineBitsLossless2 32-bit", Bitmap(2, BitmapFormat::Rgb32, 5, 3)},
        {"DefineBitsLossless palette", Bitmap(1, BitmapFormat::Palette8, 1, 1)},
        {"DefineBitsLossless 15-bit, padded rows", Bitmap(1, BitmapFormat::Rgb15, 3, 2)},
        {"DefineBitsLossless 24-bit", Bitmap(1, BitmapFormat::Rgb32, 2, 2)},
        {"DefineSprite", sprite},
        {"PlaceObject2 with every field", FullPlacement()},
        {"PlaceObject2 move", move},
        {"PlaceObject", place},
        {"RemoveObject", TRemoveObject{3, 4}},
        {"RemoveObject2", TRemoveObject2{65535}},
        {"DoAction", TDoAction{{0x96, 0x02, 0x00, 0x05, 0x01, 0x00}}},
        {"SetBackgroundColor", TSetBackgroundColor{{0x12, 0x34, 0x56, 255}}},
        {"ExportAssets", TExportAssets{{{1, "original"}, {2, "badge"}}}},
        {"FrameLabel", TFrameLabel{"loop", false}},
        {"FrameLabel anchor", TFrameLabel{"start", true}},
        {"ShowFrame", TShowFrame{}},
        {"unknown tag, long header", unknown},
        {"unknown tag, empty", TTag{69, {}}},
    };
}

TMovie SampleMovie(bool compressed) {
    TMovie m;
    m.Compressed = compressed;
    m.Version = 7;
    m.Frame = {0, 11000, 0, 8000};
    m.FrameRate = 0x3200;
    m.FrameCount = 1;
    for (auto& [name, record] : RecordCases()) m.Tags.push_back(EncodeTag(record));
    return m;
}

// Reads and decodes everything, sprites' inner tags included; throws what the reader throws.
void DecodeAll(const TBytes& file) {
    TMovie m = ReadMovie(file);
    for (const TTag& t : m.Tags) {
        TRecord r = DecodeTag(t);
        if (auto* s = std::get_if<TDefineSprite>(&r)) {
            for (const TTag& inner : s->Tags) DecodeTag(inner);
        }
    }
}

TBytes Fws(const TBytes& body) {
    TBytes f = {'F', 'W', 'S', 7};
    uint32_t length = uint32_t(body.size() + 8);
    for (int i = 0; i < 4; ++i) f.push_back(uint8_t(length >> (8 * i)));
    f.insert(f.end(), body.begin(), body.end());
    return f;
}

// A valid movie header (RECT 0..11000 x 0..8000, rate, count) before the given tag bytes.
TBytes BodyWithTags(const TBytes& tags) {
    TMovie m;
    m.Compressed = false;
    m.Frame = {0, 11000, 0, 8000};
    TBytes file = WriteMovie(m);
    TBytes body(file.begin() + 8, file.end() - 2);  // drop the End tag
    body.insert(body.end(), tags.begin(), tags.end());
    return body;
}

}  // namespace

TEST(SwfRoundTrip, EveryRecordReadsBackEqual) {
    for (bool compressed : {false, true}) {
        TMovie written = SampleMovie(compressed);
        TMovie read = ReadMovie(WriteMovie(written));
        EXPECT_EQ(read, written);
        auto cases = RecordCases();
        ASSERT_EQ(read.Tags.size(), cases.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            EXPECT_TRUE(DecodeTag(read.Tags[i]) == cases[i].second) << cases[i].first;
        }
    }
}

TEST(SwfRoundTrip, HeaderLengthCountsTheInflatedFile) {
    TMovie m = SampleMovie(true);
    TBytes cws = WriteMovie(m);
    m.Compressed = false;
    TBytes fws = WriteMovie(m);
    uint32_t length = cws[4] | cws[5] << 8 | cws[6] << 16 | uint32_t(cws[7]) << 24;
    EXPECT_EQ(length, fws.size());
    EXPECT_EQ(TBytes(cws.begin(), cws.begin() + 4), (TBytes{'C', 'W', 'S', 7}));
    EXPECT_EQ(cws[8], 0x78);
    EXPECT_EQ(cws[9], 0xDA);
}

TEST(SwfRoundTrip, MatricesAndTransformsKeepTheirTerms) {
    TMatrix m = TMatrix::Make(1.25, 0.6, 0, -1508, -1);
    EXPECT_EQ(m.ScaleX, 81920);
    EXPECT_EQ(m.ScaleY, 39322);
    EXPECT_EQ(m.RotateSkew0, 0);
    TMatrix r = TMatrix::Make(2, 2, 90, 0, 0);
    EXPECT_EQ(r.ScaleX, 0);
    EXPECT_EQ(r.RotateSkew0, 131072);  // x axis turns to +y, clockwise on screen
    EXPECT_EQ(r.RotateSkew1, -131072);
}

TEST(SwfReader, MalformedFilesAreRejected) {
    TBytes good = WriteMovie(SampleMovie(true));
    TBytes badZlib = good;
    badZlib[12] ^= 0xFF;
    badZlib[13] ^= 0xFF;
    TBytes cutZlib(good.begin(), good.end() - 20);
    TBytes shortLength = good;
    shortLength[4] = 20;
    shortLength[5] = shortLength[6] = shortLength[7] = 0;
    TBytes hugeLength = good;
    hugeLength[7] = 0x7F;

    struct Case {
        const char* name;
        TBytes file;
    };
    const Case cases[] = {
        {"empty", {}},
        {"header cut", {'F', 'W', 'S', 7, 20, 0}},
        {"bad signature", {'X', 'W', 'S', 7, 8, 0, 0, 0}},
        {"length below the header", {'F', 'W', 'S', 7, 4, 0, 0, 0}},
        {"length past the end", {'F', 'W', 'S', 7, 100, 0, 0, 0, 0x50, 0}},
        {"bad zlib data", badZlib},
        {"zlib stream cut", cutZlib},
        {"zlib gives more than the length field", shortLength},
        {"zlib gives less than the length field", hugeLength},
        {"RECT bits past the end", Fws({0xF8, 0xFF})},
        {"rate and count missing", Fws({0x00})},
        {"tag length past the end", Fws(BodyWithTags({0x3F, 0x03, 0xFF, 0xFF, 0x00, 0x00, 1, 2}))},
        {"tag header cut", Fws(BodyWithTags({0x40}))},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(ReadMovie(c.file), TSwfError) << c.name;
    }
}

TEST(SwfReader, MalformedRecordsAreRejected) {
    TTag bitmap = EncodeTag(Bitmap(2, BitmapFormat::Palette8, 3, 2));
    TTag bitmapTooBig = bitmap;
    bitmapTooBig.Body[3] = 5;  // width 5: the pixel data no longer fills it
    TTag bitmapFormat = bitmap;
    bitmapFormat.Body[2] = 4;  // 15-bit is not a DefineBitsLossless2 format
    TTag shape = EncodeTag(ShapeV3WithGradientsAndBitmap());
    TTag shapeCut{shape.Code, TBytes(shape.Body.begin(), shape.Body.end() - 3)};
    TTag badFill = EncodeTag(ShapeV1());
    badFill.Body[2 + 9 + 1] = 0x33;  // after id and RECT (9 bytes) and the count: the first fill's type
    TTag place = EncodeTag(FullPlacement());
    TTag placeCut{place.Code, TBytes(place.Body.begin(), place.Body.begin() + 14)};
    TTag sprite{39, {9, 0, 1, 0, 0x3F, 0x03, 0x40, 0, 0, 0}};

    struct Case {
        const char* name;
        TTag tag;
    };
    const Case cases[] = {
        {"bitmap pixels short of its size", bitmapTooBig},
        {"bitmap format", bitmapFormat},
        {"bitmap header cut", {36, {7, 0, 3, 1}}},
        {"shape records cut", shapeCut},
        {"unknown fill type", badFill},
        {"placement cut", placeCut},
        {"sprite tag past its end", sprite},
        {"export name without NUL", {56, {1, 0, 1, 0, 'a'}}},
        {"background colour cut", {9, {1, 2}}},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(DecodeTag(c.tag), TSwfError) << c.name;
    }
}

TEST(SwfReader, DamagedFilesNeverCrash) {
    TMovie m = SampleMovie(false);
    TBytes file = WriteMovie(m);
    // Every cut of the file: either it still reads (a cut at a tag boundary) or it is an error.
    for (size_t n = 0; n < file.size(); ++n) {
        TBytes cut(file.begin(), file.begin() + n);
        try {
            DecodeAll(cut);
        } catch (const TSwfError&) {
        }
    }
    // Random damage to the tag bodies, with the header left intact.
    std::mt19937 rng(7);
    for (int i = 0; i < 400; ++i) {
        TBytes damaged = file;
        for (int k = 0; k < 4; ++k) damaged[8 + rng() % (damaged.size() - 8)] = uint8_t(rng());
        try {
            DecodeAll(damaged);
        } catch (const TSwfError&) {
        }
    }
}
