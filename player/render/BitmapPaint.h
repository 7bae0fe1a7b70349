#pragma once
// Bitmap fills: the matrix maps bitmap pixels into output pixels. A repeating fill tiles
// the bitmap; a clipped one stretches its edge pixels outwards. Smoothed fills sample
// bilinearly, the others take the nearest pixel.

#include "player/render/ColorTransform.h"
#include "player/render/Matrix.h"
#include "player/render/Paint.h"
#include "player/render/Pixmap.h"

namespace quorlin::render {

class TBitmapPaint : public TShaderPaint {
public:
    // The bitmap must outlive the paint. Raises RenderError for a singular matrix.
    TBitmapPaint(const TPixmap& bitmap, const TMatrix& bitmapToPixels, bool repeat, bool smooth,
                 const TColorTransform& transform = {});

protected:
    void ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const override;

private:
    int32_t WrapX(int32_t x) const;
    int32_t WrapY(int32_t y) const;
    uint32_t Nearest(double u, double v) const;
    uint32_t Bilinear(double u, double v) const;

    const TPixmap& FBitmap;
    TMatrix FPixelsToBitmap;
    bool FRepeat;
    bool FSmooth;
    TColorTransform FTransform;
    bool FTransformed;
};

}  // namespace quorlin::render
