#pragma once
// Flattened geometry in pixels: contours of straight segments. Curves are cut into
// lines when added, so the rasterizer and the stroker only ever see polylines.

#include <cstdint>
#include <vector>

#include "player/render/Matrix.h"
#include "player/render/Rect.h"

namespace quorlin::render {

// Curves are flattened so that no point strays further than this from the true curve.
inline constexpr float kFlattenTolerance = 0.1f;

class TPath {
public:
    struct TContour {
        uint32_t First = 0;
        uint32_t Count = 0;
        bool Closed = false;
    };

    void MoveTo(TPointF p);
    // Starts a contour at the origin when none is open.
    void LineTo(TPointF p);
    void QuadTo(TPointF control, TPointF p, float tolerance = kFlattenTolerance);
    // A closed contour gets the segment back to its first point.
    void Close();

    bool IsEmpty() const { return FPoints.empty(); }
    const std::vector<TPointF>& Points() const { return FPoints; }
    const std::vector<TContour>& Contours() const { return FContours; }
    const TBoundsF& Bounds() const { return FBounds; }
    // The current point, where the next LineTo starts; only with an open contour.
    bool HasCurrent() const { return !FContours.empty() && !FContours.back().Closed; }
    TPointF Current() const { return FPoints.back(); }

private:
    void Append(TPointF p);

    std::vector<TPointF> FPoints;
    std::vector<TContour> FContours;
    TBoundsF FBounds;
};

// Appends the points of a quadratic curve after p0 (p0 itself excluded, p2 included).
void FlattenQuad(TPointF p0, TPointF control, TPointF p2, float tolerance, std::vector<TPointF>& out);

}  // namespace quorlin::render
