#pragma once
// What a filled area is painted with. The rasterizer hands a paint one row of coverage
// at a time; each kind of paint (solid, gradients, bitmap) lives in a file of its own.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorlin::render {

// The first index in [from, to) whose coverage differs from value, or to; eight at a
// time through the empty or full middle of a row.
int32_t SkipCoverage(const uint8_t* coverage, int32_t from, int32_t to, uint8_t value);
inline int32_t SkipUncovered(const uint8_t* coverage, int32_t from, int32_t to) {
    return SkipCoverage(coverage, from, to, 0);
}

class TPaint {
public:
    virtual ~TPaint() = default;

    // Composes the paint source-over into dst[x0..x1) of row y, pixel x weighted by
    // coverage[x - x0] (0..255). dst points at the row's first pixel.
    virtual void BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                          uint32_t* dst) const = 0;
};

// A paint whose colour varies per pixel: it shades a run, the base composes it.
class TShaderPaint : public TPaint {
public:
    void BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                  uint32_t* dst) const final;

protected:
    // An opaque paint shades fully covered runs straight into the target.
    explicit TShaderPaint(bool opaque) : FOpaque(opaque) {}

    // Premultiplied colours of pixels x0..x0+count-1 of row y, sampled at pixel centres.
    virtual void ShadeRun(int32_t y, int32_t x0, int32_t count, uint32_t* out) const = 0;

private:
    void BlendRun(int32_t y, int32_t x0, int32_t count, const uint8_t* coverage, uint32_t* dst) const;

    bool FOpaque;
    mutable std::vector<uint32_t> FScratch;
};

}  // namespace quorlin::render
