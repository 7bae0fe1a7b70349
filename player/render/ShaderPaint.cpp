#include <cstring>

#include "player/render/Blend.h"
#include "player/render/Paint.h"

namespace quorlin::render {

int32_t SkipCoverage(const uint8_t* coverage, int32_t from, int32_t to, uint8_t value) {
    const uint64_t pattern = 0x0101010101010101ull * value;
    while (from + 8 <= to) {
        uint64_t word;
        std::memcpy(&word, coverage + from, sizeof word);
        if (word != pattern) break;
        from += 8;
    }
    while (from < to && coverage[from] == value) ++from;
    return from;
}

namespace {

// The first index in [from, to) without coverage, or to.
int32_t SkipCovered(const uint8_t* coverage, int32_t from, int32_t to) {
    constexpr uint64_t kLow = 0x0101010101010101ull, kHigh = 0x8080808080808080ull;
    while (from + 8 <= to) {
        uint64_t word;
        std::memcpy(&word, coverage + from, sizeof word);
        if (((word - kLow) & ~word & kHigh) != 0) break;  // some byte is zero
        from += 8;
    }
    while (from < to && coverage[from] != 0) ++from;
    return from;
}

}  // namespace

void TShaderPaint::BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                            uint32_t* dst) const {
    const uint8_t* cov = coverage - x0;
    int32_t x = x0;
    while (x < x1) {
        // Shade only the runs that are covered; the gaps inside a row cost nothing.
        x = SkipUncovered(cov, x, x1);
        int32_t start = x;
        if (FOpaque) {
            x = SkipCoverage(cov, x, x1, 255);
            if (x > start) {
                ShadeRun(y, start, x - start, dst + start);
                continue;
            }
        }
        if (FOpaque)
            while (x < x1 && cov[x] != 0 && cov[x] != 255) ++x;  // an edge: a few pixels
        else
            x = SkipCovered(cov, x, x1);
        if (x > start) BlendRun(y, start, x - start, cov + start, dst + start);
    }
}

void TShaderPaint::BlendRun(int32_t y, int32_t x0, int32_t count, const uint8_t* cov, uint32_t* d) const {
    if (FScratch.size() < size_t(count)) FScratch.resize(size_t(count));
    ShadeRun(y, x0, count, FScratch.data());
    const uint32_t* src = FScratch.data();
    // Without branches, so that it vectorises: scaling by 255 leaves a pixel as it is,
    // and by 0 clears it, so full coverage and opaque sources come out exact.
    for (int32_t i = 0; i < count; ++i) d[i] = BlendOverCoverage(src[i], d[i], cov[i]);
}

}  // namespace quorlin::render
