#include <algorithm>
#include <cmath>

#include "player/render/GradientPaint.h"

namespace quorlin::render {

TRadialGradientPaint::TRadialGradientPaint(const TGradientRamp& ramp, const TMatrix& gradientToPixels)
    : TShaderPaint(ramp.IsOpaque()), FRamp(ramp), FPixelsToGradient(GradientInverse(gradientToPixels)) {}

// The ratio is the distance from the centre: 0 at the centre, 255 on the square's inscribed circle.
void TRadialGradientPaint::ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const {
    const TMatrix& m = FPixelsToGradient;
    double px = x0 + 0.5, py = y + 0.5;
    float u = float(px * m.ScaleX + py * m.RotateSkew1 + m.TranslateX);
    float v = float(px * m.RotateSkew0 + py * m.ScaleY + m.TranslateY);
    float du = float(m.ScaleX), dv = float(m.RotateSkew0);
    const uint32_t* ramp = FRamp.Data();
    // In blocks: the distances in a loop of plain float arithmetic that the compiler
    // vectorises, then the table look-ups. The squared distance is clamped to the circle
    // first, so that far-off pixels cannot overflow the index.
    constexpr int32_t kBlock = 64;
    float position[kBlock];
    for (int32_t start = 0; start < count; start += kBlock) {
        int32_t n = std::min(kBlock, count - start);
        for (int32_t i = 0; i < n; ++i) {
            float k = float(start + i);
            float uu = u + du * k, vv = v + dv * k;
            position[i] = std::sqrt(std::min(uu * uu + vv * vv, 1.0f));
        }
        for (int32_t i = 0; i < n; ++i) out[start + i] = ramp[int32_t(position[i] * 255.0f + 0.5f)];
    }
}

}  // namespace quorlin::render
