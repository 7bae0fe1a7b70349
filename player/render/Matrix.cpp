#include "player/render/Matrix.h"

#include <cmath>
#include <numbers>

namespace quorlin::render {

TMatrix TMatrix::Rotate(double degrees) {
    double r = degrees * std::numbers::pi / 180.0;
    double c = std::cos(r), s = std::sin(r);
    return TMatrix{c, s, -s, c, 0, 0};
}

namespace {
constexpr double kMaxInverseTerm = 1e15;
}  // namespace

std::optional<TMatrix> TMatrix::Inverse() const {
    double det = Determinant();
    if (!std::isfinite(det) || std::fabs(det) < 1e-12) return std::nullopt;
    double inv = 1.0 / det;
    TMatrix m;
    m.ScaleX = ScaleY * inv;
    m.RotateSkew0 = -RotateSkew0 * inv;
    m.RotateSkew1 = -RotateSkew1 * inv;
    m.ScaleY = ScaleX * inv;
    m.TranslateX = -(m.ScaleX * TranslateX + m.RotateSkew1 * TranslateY);
    m.TranslateY = -(m.RotateSkew0 * TranslateX + m.ScaleY * TranslateY);
    // An inverse this steep maps neighbouring pixels light years apart: treat it as none,
    // which keeps every coordinate the paints compute a finite number.
    for (double v : {m.ScaleX, m.RotateSkew0, m.RotateSkew1, m.ScaleY, m.TranslateX, m.TranslateY})
        if (!std::isfinite(v) || std::fabs(v) > kMaxInverseTerm) return std::nullopt;
    return m;
}

double TMatrix::MaxScale() const {
    // Largest singular value of the linear part.
    double a = ScaleX, b = RotateSkew0, c = RotateSkew1, d = ScaleY;
    double s1 = a * a + b * b + c * c + d * d;
    double s2 = std::sqrt(std::fmax(0.0, (a * a + b * b - c * c - d * d) * (a * a + b * b - c * c - d * d) +
                                             4 * (a * c + b * d) * (a * c + b * d)));
    return std::sqrt((s1 + s2) / 2);
}

TMatrix Concat(const TMatrix& o, const TMatrix& i) {
    TMatrix m;
    m.ScaleX = o.ScaleX * i.ScaleX + o.RotateSkew1 * i.RotateSkew0;
    m.RotateSkew0 = o.RotateSkew0 * i.ScaleX + o.ScaleY * i.RotateSkew0;
    m.RotateSkew1 = o.ScaleX * i.RotateSkew1 + o.RotateSkew1 * i.ScaleY;
    m.ScaleY = o.RotateSkew0 * i.RotateSkew1 + o.ScaleY * i.ScaleY;
    m.TranslateX = o.ScaleX * i.TranslateX + o.RotateSkew1 * i.TranslateY + o.TranslateX;
    m.TranslateY = o.RotateSkew0 * i.TranslateX + o.ScaleY * i.TranslateY + o.TranslateY;
    return m;
}

}  // namespace quorlin::render
