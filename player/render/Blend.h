#pragma once
// Source-over compositing of premultiplied pixel words, two channels per multiply.

#include <cstdint>

namespace quorlin::render {

// Every channel of p times a / 255, rounded.
inline uint32_t ScalePixel(uint32_t p, uint32_t a) {
    uint32_t rb = (p & 0x00FF00FFu) * a + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t ag = ((p >> 8) & 0x00FF00FFu) * a + 0x00800080u;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return rb | ag;
}

inline uint32_t BlendOver(uint32_t src, uint32_t dst) {
    return src + ScalePixel(dst, 255u - (src >> 24));
}

// src already premultiplied; coverage 0..255.
inline uint32_t BlendOverCoverage(uint32_t src, uint32_t dst, uint32_t coverage) {
    return BlendOver(ScalePixel(src, coverage), dst);
}

}  // namespace quorlin::render
