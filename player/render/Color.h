#pragma once
// Colours as SWF stores them (straight RGBA, 8 bits a channel) and the premultiplied
// BGRA pixel word the pixmap holds (B in the low byte, A in the high byte).

#include <cstdint>

namespace quorlin::render {

struct TColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    uint8_t A = 255;

    bool operator==(const TColor&) const = default;
};

// 0x00RRGGBB as SetBackgroundColor and the control's BackgroundColor carry it; opaque.
inline TColor ColorFromRgb(uint32_t rgb) {
    return TColor{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb), 255};
}

// x * a / 255, rounded, for 0 <= x, a <= 255.
inline uint32_t MulDiv255(uint32_t x, uint32_t a) {
    uint32_t t = x * a + 128;
    return (t + (t >> 8)) >> 8;
}

inline uint32_t PackPremultiplied(TColor c) {
    return (uint32_t(c.A) << 24) | (MulDiv255(c.R, c.A) << 16) | (MulDiv255(c.G, c.A) << 8) |
           MulDiv255(c.B, c.A);
}

inline uint8_t PixelAlpha(uint32_t p) { return uint8_t(p >> 24); }
inline uint8_t PixelRed(uint32_t p) { return uint8_t(p >> 16); }
inline uint8_t PixelGreen(uint32_t p) { return uint8_t(p >> 8); }
inline uint8_t PixelBlue(uint32_t p) { return uint8_t(p); }

// Back to straight colour; a fully transparent pixel has no colour.
inline TColor UnpackPremultiplied(uint32_t p) {
    uint32_t a = PixelAlpha(p);
    if (a == 0) return TColor{0, 0, 0, 0};
    auto un = [a](uint32_t c) { return uint8_t(c >= a ? 255 : (c * 255 + a / 2) / a); };
    return TColor{un(PixelRed(p)), un(PixelGreen(p)), un(PixelBlue(p)), uint8_t(a)};
}

}  // namespace quorlin::render
