#include "player/render/PaintFactory.h"

#include "player/render/BitmapPaint.h"
#include "player/render/GradientPaint.h"
#include "player/render/SolidPaint.h"

namespace quorlin::render {

namespace {

bool Invertible(const TMatrix& m) { return m.Inverse().has_value(); }

std::unique_ptr<TPaint> Make(const TSolidFill& fill, const TMatrix&, const TColorTransform& t) {
    TColor c = t.Apply(fill.Color);
    if (c.A == 0) return nullptr;
    return std::make_unique<TSolidPaint>(c);
}

std::unique_ptr<TPaint> Make(const TGradientFill& fill, const TMatrix& m, const TColorTransform& t) {
    TMatrix toPixels = Concat(m, fill.Matrix);
    if (!Invertible(toPixels)) return nullptr;
    TGradientRamp ramp(fill.Stops, t);
    if (fill.Kind == TGradientFill::TKind::Radial)
        return std::make_unique<TRadialGradientPaint>(ramp, toPixels);
    return std::make_unique<TLinearGradientPaint>(ramp, toPixels);
}

std::unique_ptr<TPaint> Make(const TBitmapFill& fill, const TMatrix& m, const TColorTransform& t) {
    TMatrix toPixels = Concat(m, fill.Matrix);
    if (!fill.Bitmap || !Invertible(toPixels)) return nullptr;
    return std::make_unique<TBitmapPaint>(*fill.Bitmap, toPixels, fill.Repeat, fill.Smooth, t);
}

}  // namespace

std::unique_ptr<TPaint> MakeFillPaint(const TFillStyle& style, const TMatrix& shapeToPixels,
                                      const TColorTransform& transform) {
    if (transform.IsInvisible()) return nullptr;
    return std::visit([&](const auto& fill) { return Make(fill, shapeToPixels, transform); }, style);
}

std::unique_ptr<TPaint> MakeLinePaint(const TLineStyle& style, const TColorTransform& transform) {
    return Make(TSolidFill{style.Color}, TMatrix{}, transform);
}

}  // namespace quorlin::render
