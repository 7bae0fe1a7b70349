#pragma once
// A few rectangles that need redrawing. Rectangles close to one another are merged, and
// the set never grows past kMaxRects, so a redraw stays a handful of clipped passes.

#include <vector>

#include "player/render/Rect.h"

namespace quorlin::render {

class TDirtyRegion {
public:
    static constexpr size_t kMaxRects = 8;
    // Two rectangles merge when their bounds waste no more than this many pixels.
    static constexpr int64_t kMergeSlack = 32 * 32;

    TDirtyRegion() = default;
    explicit TDirtyRegion(const TRect& r) { Add(r); }

    void Add(const TRect& r);
    void Add(const TDirtyRegion& other);
    TDirtyRegion Intersect(const TRect& clip) const;
    void Clear() { FRects.clear(); }

    bool IsEmpty() const { return FRects.empty(); }
    const std::vector<TRect>& Rects() const { return FRects; }
    TRect Bounds() const;
    // Whether pixel (x, y) lies in some rectangle of the region.
    bool Covers(int32_t x, int32_t y) const;

private:
    void MergeClosest();

    std::vector<TRect> FRects;
};

}  // namespace quorlin::render
