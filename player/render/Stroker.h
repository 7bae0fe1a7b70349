#pragma once
// Strokes with round caps and round joins, as the union of one rectangle per segment and
// one disc per point, all wound the same way so that the non-zero rule merges them.

#include "player/render/Path.h"
#include "player/render/Rasterizer.h"

namespace quorlin::render {

// Lines thinner than this draw this wide: a hairline is one pixel whatever the scale.
inline constexpr float kHairlineWidth = 1.0f;

class TStroker {
public:
    // Adds the outline of every contour of path for a pen of this width in pixels;
    // fill the rasterizer with the non-zero rule afterwards.
    static void Stroke(const TPath& path, float width, TRasterizer& out);

private:
    static void AddDisc(TPointF centre, float radius, TRasterizer& out);
    static void AddBar(TPointF a, TPointF b, float radius, TRasterizer& out);
};

}  // namespace quorlin::render
