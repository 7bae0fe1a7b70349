#include "player/render/Renderer.h"

#include <cmath>
#include <unordered_map>

#include "player/render/PaintFactory.h"
#include "player/render/Stroker.h"

namespace quorlin::render {

namespace {
// Antialiasing and rounding reach this far past the geometry's bounds.
constexpr float kBoundsMargin = 1.0f;
}  // namespace

float LineWidthInPixels(uint16_t widthTwips, const TMatrix& m) {
    double sx = std::hypot(m.ScaleX, m.RotateSkew0), sy = std::hypot(m.RotateSkew1, m.ScaleY);
    return float(widthTwips * (sx + sy) / 2);
}

void TRenderer::Prepare(const TShape& shape, const TMatrix& m, const TColorTransform& t,
                        const TRect& output, std::vector<TPreparedPass>& passes) {
    auto add = [&](TPath path, std::unique_ptr<TPaint> paint, float width) {
        if (!paint || path.IsEmpty()) return;
        TBoundsF b = path.Bounds();
        b.Grow(kBoundsMargin);
        TRect bounds = Intersect(width > 0 ? TStroker::Bounds(path, width) : PixelBounds(b), output);
        if (bounds.IsEmpty()) return;
        passes.push_back(TPreparedPass{std::move(path), std::move(paint), width, bounds});
    };
    for (size_t i = 0; i < shape.Fills.size(); ++i)
        add(render::FillPath(shape, uint16_t(i + 1), m), MakeFillPaint(shape.Fills[i], m, t), -1);
    for (size_t i = 0; i < shape.Lines.size(); ++i)
        add(LinePath(shape, uint16_t(i + 1), m), MakeLinePaint(shape.Lines[i], t),
            std::max(LineWidthInPixels(shape.Lines[i].Width, m), kHairlineWidth));
}

void TRenderer::Run(TPixmap& target, const TPreparedPass& pass, const TRect& clip) {
    if (Intersect(pass.Bounds, clip).IsEmpty()) return;
    if (pass.StrokeWidth < 0)
        FillPath(target, pass.Path, *pass.Paint, TFillRule::NonZero, clip);
    else
        FStroker.Draw(target, pass.Path, pass.StrokeWidth, *pass.Paint, clip);
}

void TRenderer::DrawShape(TPixmap& target, const TShape& shape, const TMatrix& m,
                          const TColorTransform& t, const TRect& clip) {
    std::vector<TPreparedPass> passes;
    Prepare(shape, m, t, target.Bounds(), passes);
    for (const auto& pass : passes) Run(target, pass, clip);
}

void TRenderer::FillPath(TPixmap& target, const TPath& path, const TPaint& paint, TFillRule rule,
                         const TRect& clip) {
    FRasterizer.Reset(target.Width(), target.Height());
    FRasterizer.AddPath(path);
    FRasterizer.Fill(target, paint, rule, clip);
}

void TRenderer::StrokePath(TPixmap& target, const TPath& path, float width, const TPaint& paint,
                           const TRect& clip) {
    FStroker.Draw(target, path, width, paint, clip);
}

void TRenderer::RenderFrame(TPixmap& target, TColor background, const std::vector<TDrawItem>& items,
                            const TDirtyRegion& region) {
    TDirtyRegion clipped = region.Intersect(target.Bounds());
    if (clipped.IsEmpty()) return;
    std::vector<TPreparedPass> passes;
    for (const TDrawItem& item : items)
        if (item.Shape) Prepare(*item.Shape, item.Matrix, item.ColorTransform, target.Bounds(), passes);
    uint32_t back = PackPremultiplied(background);
    // Each rectangle is redrawn from its background up, so overlapping rectangles are
    // painted twice over but never blended twice.
    for (const TRect& r : clipped.Rects()) {
        target.Fill(r, back);
        for (const auto& pass : passes) Run(target, pass, r);
    }
}

TRect TRenderer::ItemBounds(const TDrawItem& item, const TRect& output) {
    if (!item.Shape) return TRect{};
    std::vector<TPreparedPass> passes;
    Prepare(*item.Shape, item.Matrix, item.ColorTransform, output, passes);
    TRect b;
    for (const auto& pass : passes) b = Bounds(b, pass.Bounds);
    return b;
}

TDirtyRegion ChangedRegion(const std::vector<TDrawItem>& before, const std::vector<TDrawItem>& after,
                           const TRect& output) {
    std::unordered_map<uint64_t, size_t> old;
    for (size_t i = 0; i < before.size(); ++i) old[before[i].Key] = i;
    TDirtyRegion region;
    std::vector<bool> matched(before.size(), false);
    for (size_t i = 0; i < after.size(); ++i) {
        const TDrawItem& now = after[i];
        auto it = old.find(now.Key);
        if (it != old.end()) {
            const TDrawItem& was = before[it->second];
            matched[it->second] = true;
            if (it->second == i && was.Shape == now.Shape && was.Matrix == now.Matrix &&
                was.ColorTransform == now.ColorTransform)
                continue;
            region.Add(TRenderer::ItemBounds(was, output));
        }
        region.Add(TRenderer::ItemBounds(now, output));
    }
    for (size_t i = 0; i < before.size(); ++i)
        if (!matched[i]) region.Add(TRenderer::ItemBounds(before[i], output));
    return region;
}

}  // namespace quorlin::render
