#pragma once

#include "player/render/Color.h"
#include "player/render/Paint.h"

namespace quorlin::render {

class TSolidPaint : public TPaint {
public:
    explicit TSolidPaint(TColor color) : FPixel(PackPremultiplied(color)) {}

    void BlendRow(int32_t y, int32_t x0, int32_t x1, const uint8_t* coverage,
                  uint32_t* dst) const override;

private:
    uint32_t FPixel;
};

}  // namespace quorlin::render
