#include "player/render/StageRenderer.h"

#include <algorithm>

#include "player/swf/ShapeEdges.h"

namespace quorlin::render {

namespace {

constexpr float kTwipsPerPixel = 20.0f;

TColor ToColor(const swf::TRgba& c) { return TColor{c.R, c.G, c.B, c.A}; }

TMatrix ToMatrix(const swf::TMatrix& m) {
    return TMatrix{m.A(), m.B(), m.C(), m.D(), double(m.TranslateX), double(m.TranslateY)};
}

TFillStyle ConvertFill(const swf::TFillStyle& f, const TBitmapLookup& bitmaps) {
    if (f.IsGradient()) {
        TGradientFill g;
        // A focal gradient is drawn as the radial one it is closest to.
        g.Kind = f.Type == swf::FillType::LinearGradient ? TGradientFill::TKind::Linear : TGradientFill::TKind::Radial;
        g.Matrix = ToMatrix(f.Matrix);
        for (const auto& r : f.Gradient.Records) {
            if (g.Stops.size() == kMaxGradientStops) break;
            g.Stops.push_back(TGradientStop{r.Ratio, ToColor(r.Color)});
        }
        // A gradient without stops has no colour to show.
        if (g.Stops.empty()) return TSolidFill{TColor{0, 0, 0, 0}};
        return g;
    }
    if (f.IsBitmap()) {
        TBitmapFill b;
        b.Bitmap = bitmaps ? bitmaps(f.BitmapId) : nullptr;
        b.Matrix = ToMatrix(f.Matrix);
        b.Repeat = f.Type == swf::FillType::RepeatingBitmap || f.Type == swf::FillType::RepeatingBitmapHard;
        b.Smooth = f.Type == swf::FillType::RepeatingBitmap || f.Type == swf::FillType::ClippedBitmap;
        return b;
    }
    return TSolidFill{ToColor(f.Color)};
}

TShape ConvertStyles(const swf::TShapeStyles& styles, const TBitmapLookup& bitmaps) {
    TShape s;
    for (const auto& f : styles.Fills) s.Fills.push_back(ConvertFill(f, bitmaps));
    for (const auto& l : styles.Lines) s.Lines.push_back(TLineStyle{l.Width, ToColor(l.Color)});
    return s;
}

// A style index the set does not have draws nothing rather than someone else's style.
uint16_t StyleIndex(uint32_t index, size_t count) { return index <= count ? uint16_t(index) : 0; }

}  // namespace

std::vector<TShape> ConvertShape(const swf::TDefineShape& shape, const TBitmapLookup& bitmaps) {
    const swf::TShapeGeometry geometry = swf::ShapeEdges(shape);
    std::vector<TShape> shapes;
    shapes.reserve(geometry.StyleSets.size());
    for (const auto& set : geometry.StyleSets) shapes.push_back(ConvertStyles(set, bitmaps));
    for (const swf::TShapeEdge& e : geometry.Edges) {
        if (e.StyleSet >= shapes.size()) continue;
        TShape& s = shapes[e.StyleSet];
        TShapeEdge edge;
        edge.From = TPointF{float(e.X0), float(e.Y0)};
        edge.Control = TPointF{float(e.ControlX), float(e.ControlY)};
        edge.To = TPointF{float(e.X1), float(e.Y1)};
        edge.Curved = e.Curved;
        edge.Fill0 = StyleIndex(e.FillStyle0, s.Fills.size());
        edge.Fill1 = StyleIndex(e.FillStyle1, s.Fills.size());
        edge.Line = StyleIndex(e.LineStyle, s.Lines.size());
        if (edge.Fill0 || edge.Fill1 || edge.Line) s.Edges.push_back(edge);
    }
    std::erase_if(shapes, [](const TShape& s) { return s.Edges.empty(); });
    return shapes;
}

TShape BitmapShape(std::shared_ptr<const TPixmap> bitmap) {
    TShape s;
    if (!bitmap) return s;
    const float w = float(bitmap->Width()) * kTwipsPerPixel, h = float(bitmap->Height()) * kTwipsPerPixel;
    s.Fills.push_back(TBitmapFill{std::move(bitmap), TMatrix::Scale(kTwipsPerPixel, kTwipsPerPixel), false, false});
    const TPointF corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (int i = 0; i < 4; ++i) {
        TShapeEdge e;
        e.From = corners[i];
        e.To = corners[(i + 1) % 4];
        e.Fill1 = 1;  // clockwise on screen: the inside lies on the right
        s.Edges.push_back(e);
    }
    return s;
}

std::shared_ptr<const TPixmap> DecodeBitmap(const swf::TDefineBitsLossless& bitmap) {
    auto pixmap = std::make_shared<TPixmap>(int32_t(bitmap.Width), int32_t(bitmap.Height));
    for (uint32_t y = 0; y < bitmap.Height; ++y) {
        uint32_t* row = pixmap->Row(int32_t(y));
        for (uint32_t x = 0; x < bitmap.Width; ++x) {
            const swf::TRgba c = bitmap.PixelAt(x, y);
            if (bitmap.Version == 1) {
                row[x] = PackPremultiplied(TColor{c.R, c.G, c.B, 255});
                continue;
            }
            // Stored premultiplied already; a channel above its alpha is damage, held to it.
            const uint32_t a = c.A;
            row[x] = (a << 24) | (std::min<uint32_t>(c.R, a) << 16) | (std::min<uint32_t>(c.G, a) << 8) |
                     std::min<uint32_t>(c.B, a);
        }
    }
    return pixmap;
}

TColorTransform ConvertColorTransform(const runtime::TColorMatrix& c) {
    return TColorTransform{float(c.Mult[0]), float(c.Mult[1]), float(c.Mult[2]), float(c.Mult[3]),
                           float(c.Add[0]),  float(c.Add[1]),  float(c.Add[2]),  float(c.Add[3])};
}

TMatrix ConvertMatrix(const runtime::TMatrix& m) { return TMatrix{m.A, m.B, m.C, m.D, m.Tx, m.Ty}; }

TStageRect StageOf(const runtime::TMovie& movie) {
    const swf::TRect& r = movie.Stage();
    return TStageRect{double(r.XMin), double(r.YMin), double(r.XMax), double(r.YMax)};
}

TStageRenderer::TStageRenderer(std::shared_ptr<const runtime::TMovie> movie) : FMovie(std::move(movie)) {
    if (!FMovie) throw RenderError("no movie to render");
}

std::shared_ptr<const TPixmap> TStageRenderer::BitmapOf(uint16_t id) {
    if (auto it = FBitmaps.find(id); it != FBitmaps.end()) return it->second;
    std::shared_ptr<const TPixmap> decoded;
    const runtime::TCharacter* character = FMovie->Character(id);
    if (character && character->Bitmap()) {
        try {
            decoded = DecodeBitmap(*character->Bitmap());
        } catch (const RenderError&) {
            // Too large or empty: a fill of it draws nothing, like a missing bitmap.
        }
    }
    return FBitmaps.emplace(id, std::move(decoded)).first->second;
}

const std::vector<TShape>& TStageRenderer::ShapesOf(const runtime::TCharacter& character) {
    if (auto it = FShapes.find(character.Id); it != FShapes.end()) return it->second;
    std::vector<TShape> shapes;
    if (const swf::TDefineShape* shape = character.Shape()) {
        try {
            shapes = ConvertShape(*shape, [this](uint16_t id) { return BitmapOf(id); });
        } catch (const std::exception&) {
            // A shape whose records do not make edges draws nothing; the rest still plays.
            shapes.clear();
        }
    }
    else if (character.Bitmap())
        if (auto bitmap = BitmapOf(character.Id)) shapes.push_back(BitmapShape(std::move(bitmap)));
    return FShapes.emplace(character.Id, std::move(shapes)).first->second;
}

std::vector<TDrawItem> TStageRenderer::DrawItems(const std::vector<runtime::TRenderItem>& items,
                                                 const TMatrix& stageToPixels) {
    std::vector<TDrawItem> out;
    out.reserve(items.size());
    for (const runtime::TRenderItem& item : items) {
        if (!item.Character) continue;
        const bool isMask = item.MaskKey != 0;
        const TColorTransform color = ConvertColorTransform(item.ColorTransform);
        // A mask clips by its shape alone, whatever its visibility and colours.
        if (!isMask && (!item.Visible || color.IsInvisible())) continue;
        const TMatrix matrix = Concat(stageToPixels, ConvertMatrix(item.Matrix));
        // Within nested masks the innermost one clips.
        const uint64_t mask = isMask ? item.MaskKey : item.MaskedBy.empty() ? 0 : item.MaskedBy.back();
        const std::vector<TShape>& shapes = ShapesOf(*item.Character);
        for (size_t i = 0; i < shapes.size(); ++i)
            out.push_back(TDrawItem{&shapes[i], matrix, color, (item.Key << 16) | uint64_t(i & 0xFFFF), mask, isMask});
    }
    return out;
}

}  // namespace quorlin::render
