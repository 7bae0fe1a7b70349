#include "player/render/CoverageMask.h"

#include <algorithm>
#include <climits>

namespace quorlin::render {

void TCoverageMask::Reset(const TRect& bounds) {
    FBounds = bounds.IsEmpty() ? TRect{} : bounds;
    FCoverage.assign(size_t(FBounds.Area()), 0);
    FRowMin.assign(size_t(std::max(0, FBounds.Height())), INT32_MAX);
    FRowMax.assign(size_t(std::max(0, FBounds.Height())), INT32_MIN);
}

void TCoverageMask::Raise(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage) {
    if (y < FBounds.Y0 || y >= FBounds.Y1) return;
    int32_t from = std::max(x0, FBounds.X0), to = std::min(x1, FBounds.X1);
    if (from >= to) return;
    size_t r = size_t(y - FBounds.Y0);
    uint8_t* row = FCoverage.data() + r * size_t(FBounds.Width()) - FBounds.X0;
    const uint8_t* src = coverage - x0;
    for (int32_t x = from; x < to; ++x) row[x] = std::max(row[x], src[x]);
    FRowMin[r] = std::min(FRowMin[r], from);
    FRowMax[r] = std::max(FRowMax[r], to);
}

uint8_t TCoverageMask::At(int32_t x, int32_t y) const {
    if (x < FBounds.X0 || x >= FBounds.X1 || y < FBounds.Y0 || y >= FBounds.Y1) return 0;
    return FCoverage[size_t(y - FBounds.Y0) * size_t(FBounds.Width()) + size_t(x - FBounds.X0)];
}

void TCoverageMask::Paint(TPixmap& target, const TPaint& paint) const {
    TRect area = Intersect(FBounds, target.Bounds());
    for (int32_t y = area.Y0; y < area.Y1; ++y) {
        size_t r = size_t(y - FBounds.Y0);
        int32_t from = std::max(FRowMin[r], area.X0), to = std::min(FRowMax[r], area.X1);
        if (from >= to) continue;
        const uint8_t* row = FCoverage.data() + r * size_t(FBounds.Width()) - FBounds.X0;
        paint.BlendRow(y, from, to, row + from, target.Row(y));
    }
}

}  // namespace quorlin::render
