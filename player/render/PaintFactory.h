#pragma once
// The paint for a shape's fill or line style, placed by the shape's matrix and tinted by
// its colour transform.

#include <memory>

#include "player/render/ColorTransform.h"
#include "player/render/Paint.h"
#include "player/render/Shape.h"

namespace quorlin::render {

// Nothing (a null pointer) when the style cannot show: a singular matrix, a missing
// bitmap, or a colour transform that leaves no alpha.
std::unique_ptr<TPaint> MakeFillPaint(const TFillStyle& style, const TMatrix& shapeToPixels,
                                      const TColorTransform& transform);
std::unique_ptr<TPaint> MakeLinePaint(const TLineStyle& style, const TColorTransform& transform);

}  // namespace quorlin::render
