#pragma once
// 2 x 3 affine matrices with the terms of the SWF MATRIX record:
//   x' = x * ScaleX + y * RotateSkew1 + TranslateX
//   y' = x * RotateSkew0 + y * ScaleY + TranslateY
// Units are whatever the two spaces use (twips, pixels, gradient or bitmap units).

#include <optional>

namespace quorlin::render {

struct TPointF {
    float X = 0;
    float Y = 0;
    bool operator==(const TPointF&) const = default;
};

struct TMatrix {
    double ScaleX = 1;
    double RotateSkew0 = 0;
    double RotateSkew1 = 0;
    double ScaleY = 1;
    double TranslateX = 0;
    double TranslateY = 0;

    static TMatrix Translate(double x, double y) { return TMatrix{1, 0, 0, 1, x, y}; }
    static TMatrix Scale(double sx, double sy) { return TMatrix{sx, 0, 0, sy, 0, 0}; }
    // Clockwise on screen (y down) for positive degrees, as _rotation turns a clip.
    static TMatrix Rotate(double degrees);

    TPointF Apply(double x, double y) const {
        return TPointF{float(x * ScaleX + y * RotateSkew1 + TranslateX),
                       float(x * RotateSkew0 + y * ScaleY + TranslateY)};
    }
    TPointF Apply(TPointF p) const { return Apply(p.X, p.Y); }

    double Determinant() const { return ScaleX * ScaleY - RotateSkew0 * RotateSkew1; }
    // No inverse for a singular matrix (a shape squeezed to a line draws nothing).
    std::optional<TMatrix> Inverse() const;

    // How far a unit length stretches at most, for line widths and flattening.
    double MaxScale() const;

    bool operator==(const TMatrix&) const = default;
};

// The matrix that applies inner first, then outer (a child's matrix inside its parent's).
TMatrix Concat(const TMatrix& outer, const TMatrix& inner);

}  // namespace quorlin::render
