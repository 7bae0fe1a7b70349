#pragma once
// Strokes with round caps and round joins: the union of one rectangle per segment and
// one disc per point. Each piece is scan-converted on its own and the stroke takes the
// largest coverage of its pieces at every pixel, so that no seam or tangent is counted
// twice; then the stroke is painted once.

#include "player/render/CoverageMask.h"
#include "player/render/Path.h"
#include "player/render/Rasterizer.h"

namespace quorlin::render {

// Lines thinner than this draw this wide: a hairline is one pixel whatever the scale.
inline constexpr float kHairlineWidth = 1.0f;

class TStroker {
public:
    // Paints the stroke of every contour of path, for a pen of this width in pixels.
    void Draw(TPixmap& target, const TPath& path, float width, const TPaint& paint, const TRect& clip);

    // The pixels a stroke of this width can touch.
    static TRect Bounds(const TPath& path, float width);

private:
    void AddDisc(TPointF centre, float radius);
    void AddBar(TPointF a, TPointF b, float radius);
    void BeginPiece();
    void EndPiece();

    TRasterizer FRasterizer;
    TCoverageMask FMask;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
};

}  // namespace quorlin::render
