#include "player/render/SolidPaint.h"

#include <algorithm>

#include "player/render/Blend.h"

namespace quorlin::render {

void TSolidPaint::BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                           uint32_t* dst) const {
    if (FPixel == 0) return;
    const uint8_t* cov = coverage - x0;
    const bool opaque = (FPixel >> 24) == 255;
    const uint32_t inverse = 255u - (FPixel >> 24);
    int32_t x = x0;
    while (x < x1) {
        uint32_t c = cov[x];
        if (c == 0) {
            x = SkipUncovered(cov, x, x1);
            continue;
        }
        if (c != 255) {
            dst[x] = BlendOverCoverage(FPixel, dst[x], c);
            ++x;
            continue;
        }
        // The inside of a shape: a run of full coverage, one colour over it.
        int32_t end = SkipCoverage(cov, x + 1, x1, 255);
        if (opaque) {
            std::fill(dst + x, dst + end, FPixel);
        } else {
            for (int32_t i = x; i < end; ++i) dst[i] = FPixel + ScalePixel(dst[i], inverse);
        }
        x = end;
    }
}

}  // namespace quorlin::render
