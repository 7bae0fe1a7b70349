#include "player/render/SolidPaint.h"

#include "player/render/Blend.h"

namespace quorlin::render {

void TSolidPaint::BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                           uint32_t* dst) const {
    if (FPixel == 0) return;
    const uint8_t* cov = coverage - x0;
    if ((FPixel >> 24) == 255) {
        for (int32_t x = x0; x < x1; ++x) {
            uint32_t c = cov[x];
            if (c == 255)
                dst[x] = FPixel;
            else if (c != 0)
                dst[x] = BlendOverCoverage(FPixel, dst[x], c);
        }
        return;
    }
    // Translucent: the full-coverage source and its inverse alpha are the same all along.
    uint32_t inverse = 255u - (FPixel >> 24);
    for (int32_t x = x0; x < x1; ++x) {
        uint32_t c = cov[x];
        if (c == 255)
            dst[x] = FPixel + ScalePixel(dst[x], inverse);
        else if (c != 0)
            dst[x] = BlendOverCoverage(FPixel, dst[x], c);
    }
}

}  // namespace quorlin::render
