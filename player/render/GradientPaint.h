#pragma once
// Linear and radial gradients with pad spread. The matrix maps the gradient square into
// pixels (the fill's matrix followed by the shape's).

#include "player/render/Gradient.h"
#include "player/render/Matrix.h"
#include "player/render/Paint.h"

namespace quorlin::render {

class TLinearGradientPaint : public TShaderPaint {
public:
    // Raises RenderError for a singular matrix; callers skip such fills before.
    TLinearGradientPaint(const TGradientRamp& ramp, const TMatrix& gradientToPixels);

protected:
    void ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const override;

private:
    TGradientRamp FRamp;
    TMatrix FPixelsToGradient;
};

class TRadialGradientPaint : public TShaderPaint {
public:
    TRadialGradientPaint(const TGradientRamp& ramp, const TMatrix& gradientToPixels);

protected:
    void ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const override;

private:
    TGradientRamp FRamp;
    TMatrix FPixelsToGradient;
};

// Pixels to gradient units scaled so that the square spans -1..1.
TMatrix GradientInverse(const TMatrix& gradientToPixels);

}  // namespace quorlin::render
