#pragma once
// MATRIX: scale and rotate-skew terms in 16.16 fixed point, translation in twips.
// The raw fixed-point values are kept so that a matrix reads back exactly as written.

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

#include <cstdint>

namespace quorlin::swf {

struct TMatrix {
    int32_t ScaleX = 0x10000, ScaleY = 0x10000;
    int32_t RotateSkew0 = 0, RotateSkew1 = 0;
    int32_t TranslateX = 0, TranslateY = 0;

    // x' = a x + c y + tx, y' = b x + d y + ty, in twips.
    double A() const { return ScaleX / 65536.0; }
    double B() const { return RotateSkew0 / 65536.0; }
    double C() const { return RotateSkew1 / 65536.0; }
    double D() const { return ScaleY / 65536.0; }

    static TMatrix Translation(int32_t tx, int32_t ty);
    // Scale, then rotation by degrees clockwise on screen (y down), then translation.
    static TMatrix Make(double scaleX, double scaleY, double degrees, int32_t tx, int32_t ty);

    bool operator==(const TMatrix&) const = default;
};

// 16.16 fixed point of v, rounded.
int32_t ToFixed16(double v);

TMatrix ReadMatrix(TByteReader& r);
void WriteMatrix(TByteWriter& w, const TMatrix& m);

}  // namespace quorlin::swf
