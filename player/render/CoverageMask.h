#pragma once
// Coverage gathered from several pieces before it is painted once: each piece leaves the
// larger of its own coverage and what is there. A stroke is the union of its rectangles
// and discs; taking the maximum where they overlap keeps seams and tangents from
// counting twice, which adding their areas would.

#include <cstdint>
#include <vector>

#include "player/render/Paint.h"
#include "player/render/Pixmap.h"

namespace quorlin::render {

class TCoverageMask {
public:
    // Empties the mask and makes it cover bounds.
    void Reset(const TRect& bounds);

    const TRect& Bounds() const { return FBounds; }
    // Row y's coverage over [x0, x1) raised to at least the given values (coverage[x - x0]).
    void Raise(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage);
    uint8_t At(int32_t x, int32_t y) const;

    // Paints the covered pixels into target.
    void Paint(TPixmap& target, const TPaint& paint) const;

private:
    TRect FBounds;
    std::vector<uint8_t> FCoverage;
    std::vector<int32_t> FRowMin, FRowMax;  // touched columns per row, as absolute x
};

}  // namespace quorlin::render
