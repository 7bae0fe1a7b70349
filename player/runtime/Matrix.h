#pragma once
// An affine matrix in doubles: the display objects' transforms, scripts change them by
// fractions of a degree, so they are not kept in the file's fixed point. Translation is
// in twips, like the file's.

#include "player/swf/Matrix.h"

namespace quorlin::runtime {

struct TMatrix {
    // x' = A x + C y + Tx, y' = B x + D y + Ty
    double A = 1, B = 0, C = 0, D = 1, Tx = 0, Ty = 0;

    static TMatrix FromSwf(const swf::TMatrix& m);
    // This after inner: points go through inner first.
    TMatrix operator*(const TMatrix& inner) const;
    void Apply(double x, double y, double& outX, double& outY) const;
    bool operator==(const TMatrix&) const = default;
};

// The parts a Flash player shows to scripts: scales as factors (1 is 100 %), rotation
// and skew in degrees clockwise. The y axis's angle is the rotation plus the skew.
struct TTransformParts {
    double ScaleX = 1, ScaleY = 1, Rotation = 0, Skew = 0;
};

TTransformParts Decompose(const TMatrix& m);
// The linear part of a matrix from its parts; the translation is left as it is.
void Recompose(TMatrix& m, const TTransformParts& parts);

// An angle in degrees brought into (-180, 180], as _rotation reads back.
double NormalizeDegrees(double degrees);

}  // namespace quorlin::runtime
