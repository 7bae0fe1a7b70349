#include "player/runtime/Matrix.h"

#include <cmath>
#include <numbers>

namespace quorlin::runtime {

namespace {
constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;
}

TMatrix TMatrix::FromSwf(const swf::TMatrix& m) {
    return {m.A(), m.B(), m.C(), m.D(), double(m.TranslateX), double(m.TranslateY)};
}

TMatrix TMatrix::operator*(const TMatrix& n) const {
    return {A * n.A + C * n.B, B * n.A + D * n.B, A * n.C + C * n.D,
            B * n.C + D * n.D, A * n.Tx + C * n.Ty + Tx, B * n.Tx + D * n.Ty + Ty};
}

void TMatrix::Apply(double x, double y, double& outX, double& outY) const {
    outX = A * x + C * y + Tx;
    outY = B * x + D * y + Ty;
}

double NormalizeDegrees(double degrees) {
    if (!std::isfinite(degrees)) return degrees;
    double r = std::fmod(degrees, 360.0);
    if (r > 180.0) r -= 360.0;
    if (r <= -180.0) r += 360.0;
    return r;
}

TTransformParts Decompose(const TMatrix& m) {
    TTransformParts p;
    p.ScaleX = std::hypot(m.A, m.B);
    p.ScaleY = std::hypot(m.C, m.D);
    // With a zero axis the angle of that axis is lost; the other one stands in for it.
    const double xAngle = p.ScaleX != 0 ? std::atan2(m.B, m.A) : std::atan2(-m.C, m.D);
    const double yAngle = p.ScaleY != 0 ? std::atan2(-m.C, m.D) : xAngle;
    p.Rotation = NormalizeDegrees(xAngle * DegreesPerRadian);
    p.Skew = NormalizeDegrees((yAngle - xAngle) * DegreesPerRadian);
    return p;
}

void Recompose(TMatrix& m, const TTransformParts& p) {
    const double xAngle = p.Rotation / DegreesPerRadian;
    const double yAngle = (p.Rotation + p.Skew) / DegreesPerRadian;
    m.A = p.ScaleX * std::cos(xAngle);
    m.B = p.ScaleX * std::sin(xAngle);
    m.C = -p.ScaleY * std::sin(yAngle);
    m.D = p.ScaleY * std::cos(yAngle);
}

}  // namespace quorlin::runtime
