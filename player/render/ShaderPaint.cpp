#include "player/render/Blend.h"
#include "player/render/Paint.h"

namespace quorlin::render {

void TShaderPaint::BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                            uint32_t* dst) const {
    int32_t x = x0;
    while (x < x1) {
        // Shade only the runs that are covered; the gaps inside a row cost nothing.
        while (x < x1 && coverage[x - x0] == 0) ++x;
        int32_t start = x;
        while (x < x1 && coverage[x - x0] != 0) ++x;
        int32_t count = x - start;
        if (count == 0) break;
        if (FScratch.size() < size_t(count)) FScratch.resize(size_t(count));
        ShadeRun(y, start, count, FScratch.data());
        const uint8_t* cov = coverage + (start - x0);
        uint32_t* d = dst + start;
        const uint32_t* src = FScratch.data();
        // Without branches, so that it vectorises: scaling by 255 leaves a pixel as it is,
        // and by 0 clears it, so full coverage and opaque sources come out exact.
        for (int32_t i = 0; i < count; ++i) d[i] = BlendOverCoverage(src[i], d[i], cov[i]);
    }
}

}  // namespace quorlin::render
