#include <cmath>

#include "player/render/GradientPaint.h"
#include "player/render/Pixmap.h"

namespace quorlin::render {

TMatrix GradientInverse(const TMatrix& gradientToPixels) {
    auto inverse = gradientToPixels.Inverse();
    if (!inverse) throw RenderError("A gradient matrix has no inverse");
    return Concat(TMatrix::Scale(1.0 / kGradientHalfSide, 1.0 / kGradientHalfSide), *inverse);
}

TLinearGradientPaint::TLinearGradientPaint(const TGradientRamp& ramp, const TMatrix& gradientToPixels)
    : TShaderPaint(ramp.IsOpaque()), FRamp(ramp), FPixelsToGradient(GradientInverse(gradientToPixels)) {}

// The ratio runs along the square's x: -1 is ratio 0, +1 is ratio 255.
void TLinearGradientPaint::ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const {
    const TMatrix& m = FPixelsToGradient;
    double px = x0 + 0.5, py = y + 0.5;
    double u = px * m.ScaleX + py * m.RotateSkew1 + m.TranslateX;
    double t = (u + 1.0) * 127.5;
    double dt = m.ScaleX * 127.5;
    const uint32_t* ramp = FRamp.Data();
    for (int32_t i = 0; i < count; ++i) {
        double v = t + dt * i;
        int32_t index = v <= 0 ? 0 : v >= 255 ? 255 : int32_t(v + 0.5);
        out[i] = ramp[index];
    }
}

}  // namespace quorlin::render
