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
    std::vector<TItemPasses> prepared;
    bool masked = false;
    for (const TDrawItem& item : items) {
        if (!item.Shape) continue;
        const size_t first = passes.size();
        // A mask's own colours do not matter, only where it covers: all of it opaque.
        const TColorTransform opaque{0, 0, 0, 0, 255, 255, 255, 255};
        Prepare(*item.Shape, item.Matrix, item.IsMask ? opaque : item.ColorTransform, target.Bounds(), passes);
        prepared.push_back(TItemPasses{&item, first, passes.size() - first});
        masked = masked || (item.Mask != 0 && !item.IsMask);
    }
    if (masked) SizeLayers(target);
    uint32_t back = PackPremultiplied(background);
    // Each rectangle is redrawn from its background up, so overlapping rectangles are
    // painted twice over but never blended twice.
    for (const TRect& r : clipped.Rects()) {
        target.Fill(r, back);
        uint64_t maskDrawn = 0;
        for (const TItemPasses& p : prepared) {
            if (p.Item->IsMask) continue;
            if (p.Item->Mask == 0) {
                for (size_t i = 0; i < p.Count; ++i) Run(target, passes[p.First + i], r);
                continue;
            }
            if (p.Item->Mask != maskDrawn) {
                DrawMask(prepared, passes, p.Item->Mask, r);
                maskDrawn = p.Item->Mask;
            }
            DrawMasked(target, p, passes, r);
        }
    }
}

void TRenderer::SizeLayers(const TPixmap& target) {
    if (!FLayer || FLayer->Width() != target.Width() || FLayer->Height() != target.Height()) {
        FLayer = std::make_unique<TPixmap>(target.Width(), target.Height());
        FMaskLayer = std::make_unique<TPixmap>(target.Width(), target.Height());
    }
}

void TRenderer::DrawMask(const std::vector<TItemPasses>& items, const std::vector<TPreparedPass>& passes,
                         uint64_t group, const TRect& r) {
    FMaskLayer->Fill(r, 0);
    for (const TItemPasses& p : items)
        if (p.Item->IsMask && p.Item->Mask == group)
            for (size_t i = 0; i < p.Count; ++i) Run(*FMaskLayer, passes[p.First + i], r);
}

void TRenderer::DrawMasked(TPixmap& target, const TItemPasses& item, const std::vector<TPreparedPass>& passes,
                           const TRect& r) {
    TRect bounds;
    for (size_t i = 0; i < item.Count; ++i) bounds = Bounds(bounds, passes[item.First + i].Bounds);
    const TRect area = Intersect(bounds, r);
    if (area.IsEmpty()) return;
    FLayer->Fill(area, 0);
    for (size_t i = 0; i < item.Count; ++i) Run(*FLayer, passes[item.First + i], area);
    for (int32_t y = area.Y0; y < area.Y1; ++y) {
        const uint32_t* layer = FLayer->Row(y);
        const uint32_t* mask = FMaskLayer->Row(y);
        uint32_t* out = target.Row(y);
        for (int32_t x = area.X0; x < area.X1; ++x) {
            const uint32_t m = PixelAlpha(mask[x]);
            if (m == 0 || layer[x] == 0) continue;
            // The layer scaled by the mask's coverage, then over the target.
            const uint32_t l = layer[x];
            const uint32_t a = MulDiv255(PixelAlpha(l), m), rr = MulDiv255(PixelRed(l), m),
                           g = MulDiv255(PixelGreen(l), m), b = MulDiv255(PixelBlue(l), m);
            const uint32_t t = out[x], keep = 255 - a;
            out[x] = ((a + MulDiv255(PixelAlpha(t), keep)) << 24) | ((rr + MulDiv255(PixelRed(t), keep)) << 16) |
                     ((g + MulDiv255(PixelGreen(t), keep)) << 8) | (b + MulDiv255(PixelBlue(t), keep));
        }
    }
}

TRect TRenderer::ItemBounds(const TDrawItem& item, const TRect& output) {
    if (!item.Shape) return TRect{};
    std::vector<TPreparedPass> passes;
    const TColorTransform opaque{0, 0, 0, 0, 255, 255, 255, 255};
    Prepare(*item.Shape, item.Matrix, item.IsMask ? opaque : item.ColorTransform, output, passes);
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
                was.ColorTransform == now.ColorTransform && was.Mask == now.Mask && was.IsMask == now.IsMask)
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
