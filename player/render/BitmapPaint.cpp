#include "player/render/BitmapPaint.h"

#include <algorithm>
#include <cmath>

namespace quorlin::render {

namespace {

TMatrix InverseOf(const TMatrix& m) {
    auto inverse = m.Inverse();
    if (!inverse) throw RenderError("A bitmap fill matrix has no inverse");
    return *inverse;
}

// a + (b - a) * w / 256 on every channel, w in 0..256.
inline uint32_t LerpPixel(uint32_t a, uint32_t b, uint32_t w) {
    uint32_t iw = 256 - w;
    uint32_t rb = (((a & 0x00FF00FFu) * iw + (b & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
    uint32_t ag = ((((a >> 8) & 0x00FF00FFu) * iw + ((b >> 8) & 0x00FF00FFu) * w)) & 0xFF00FF00u;
    return rb | ag;
}

// Keeps a sample coordinate in a range where the integer conversion is defined.
inline double Tame(double v) { return std::isfinite(v) ? std::clamp(v, -1e9, 1e9) : 0.0; }

}  // namespace

TBitmapPaint::TBitmapPaint(const TPixmap& bitmap, const TMatrix& bitmapToPixels, bool repeat, bool smooth,
                           const TColorTransform& transform)
    : TShaderPaint(false),
      FBitmap(bitmap),
      FPixelsToBitmap(InverseOf(bitmapToPixels)),
      FRepeat(repeat),
      FSmooth(smooth),
      FTransform(transform),
      FTransformed(!transform.IsIdentity()) {}

int32_t TBitmapPaint::WrapX(int32_t x) const {
    int32_t w = FBitmap.Width();
    if (!FRepeat) return std::clamp(x, 0, w - 1);
    x %= w;
    return x < 0 ? x + w : x;
}

int32_t TBitmapPaint::WrapY(int32_t y) const {
    int32_t h = FBitmap.Height();
    if (!FRepeat) return std::clamp(y, 0, h - 1);
    y %= h;
    return y < 0 ? y + h : y;
}

uint32_t TBitmapPaint::Nearest(double u, double v) const {
    return FBitmap.Pixel(WrapX(int32_t(std::floor(Tame(u)))), WrapY(int32_t(std::floor(Tame(v)))));
}

uint32_t TBitmapPaint::Bilinear(double u, double v) const {
    u = Tame(u) - 0.5;
    v = Tame(v) - 0.5;
    double fu = std::floor(u), fv = std::floor(v);
    int32_t x = int32_t(fu), y = int32_t(fv);
    uint32_t wx = uint32_t((u - fu) * 256.0 + 0.5), wy = uint32_t((v - fv) * 256.0 + 0.5);
    int32_t x0 = WrapX(x), x1 = WrapX(x + 1), y0 = WrapY(y), y1 = WrapY(y + 1);
    uint32_t top = LerpPixel(FBitmap.Pixel(x0, y0), FBitmap.Pixel(x1, y0), wx);
    uint32_t bottom = LerpPixel(FBitmap.Pixel(x0, y1), FBitmap.Pixel(x1, y1), wx);
    return LerpPixel(top, bottom, wy);
}

void TBitmapPaint::ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const {
    const TMatrix& m = FPixelsToBitmap;
    double px = x0 + 0.5, py = y + 0.5;
    double u = px * m.ScaleX + py * m.RotateSkew1 + m.TranslateX;
    double v = px * m.RotateSkew0 + py * m.ScaleY + m.TranslateY;
    for (int32_t i = 0; i < count; ++i) {
        double uu = u + m.ScaleX * i, vv = v + m.RotateSkew0 * i;
        uint32_t p = FSmooth ? Bilinear(uu, vv) : Nearest(uu, vv);
        out[i] = FTransformed ? FTransform.ApplyPremultiplied(p) : p;
    }
}

}  // namespace quorlin::render
