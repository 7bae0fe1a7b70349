#include "player/render/DirtyRegion.h"

#include <limits>

namespace quorlin::render {

namespace {
int64_t Waste(const TRect& a, const TRect& b) { return Bounds(a, b).Area() - a.Area() - b.Area(); }
}  // namespace

void TDirtyRegion::Add(const TRect& r) {
    if (r.IsEmpty()) return;
    TRect pending = r;
    // A merge grows the rectangle, which may bring it close to others: repeat until none.
    for (bool merged = true; merged;) {
        merged = false;
        for (size_t i = 0; i < FRects.size(); ++i) {
            if (FRects[i].Contains(pending)) return;
            if (pending.Contains(FRects[i]) || Waste(FRects[i], pending) <= kMergeSlack) {
                pending = render::Bounds(pending, FRects[i]);
                FRects.erase(FRects.begin() + std::ptrdiff_t(i));
                merged = true;
                break;
            }
        }
    }
    FRects.push_back(pending);
    while (FRects.size() > kMaxRects) MergeClosest();
}

void TDirtyRegion::Add(const TDirtyRegion& other) {
    for (const TRect& r : other.FRects) Add(r);
}

void TDirtyRegion::MergeClosest() {
    size_t bi = 0, bj = 1;
    int64_t best = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < FRects.size(); ++i)
        for (size_t j = i + 1; j < FRects.size(); ++j)
            if (int64_t w = Waste(FRects[i], FRects[j]); w < best) {
                best = w;
                bi = i;
                bj = j;
            }
    FRects[bi] = render::Bounds(FRects[bi], FRects[bj]);
    FRects.erase(FRects.begin() + std::ptrdiff_t(bj));
}

TDirtyRegion TDirtyRegion::Intersect(const TRect& clip) const {
    TDirtyRegion result;
    for (const TRect& r : FRects) result.Add(render::Intersect(r, clip));
    return result;
}

TRect TDirtyRegion::Bounds() const {
    TRect b;
    for (const TRect& r : FRects) b = render::Bounds(b, r);
    return b;
}

bool TDirtyRegion::Covers(int32_t x, int32_t y) const {
    for (const TRect& r : FRects)
        if (x >= r.X0 && x < r.X1 && y >= r.Y0 && y < r.Y1) return true;
    return false;
}

}  // namespace quorlin::render
