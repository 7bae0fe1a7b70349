#include <cmath>

#include "player/render/GradientPaint.h"

namespace quorlin::render {

TRadialGradientPaint::TRadialGradientPaint(const TGradientRamp& ramp, const TMatrix& gradientToPixels)
    : FRamp(ramp), FPixelsToGradient(GradientInverse(gradientToPixels)) {}

// The ratio is the distance from the centre: 0 at the centre, 255 on the square's inscribed circle.
void TRadialGradientPaint::ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const {
    const TMatrix& m = FPixelsToGradient;
    double px = x0 + 0.5, py = y + 0.5;
    float u = float(px * m.ScaleX + py * m.RotateSkew1 + m.TranslateX);
    float v = float(px * m.RotateSkew0 + py * m.ScaleY + m.TranslateY);
    float du = float(m.ScaleX), dv = float(m.RotateSkew0);
    const uint32_t* ramp = FRamp.Data();
    for (int32_t i = 0; i < count; ++i) {
        float uu = u + du * float(i), vv = v + dv * float(i);
        float r = std::sqrt(uu * uu + vv * vv) * 255.0f;
        int32_t index = r >= 255.0f ? 255 : int32_t(r + 0.5f);
        out[i] = ramp[index];
    }
}

}  // namespace quorlin::render
