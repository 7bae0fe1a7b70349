#include "movie/PathBuilder.h"

#include "movie/Trig.h"

#include <algorithm>
#include <cmath>

namespace quorlin::movie {

int32_t Twips(double pixels) { return int32_t(std::lround(pixels * 20.0)); }

void TPathBuilder::Extend(int32_t x, int32_t y) {
    if (FEmpty) {
        FMinX = FMaxX = x;
        FMinY = FMaxY = y;
        FEmpty = false;
    }
    FMinX = std::min(FMinX, x);
    FMaxX = std::max(FMaxX, x);
    FMinY = std::min(FMinY, y);
    FMaxY = std::max(FMaxY, y);
}

TPathBuilder& TPathBuilder::MoveTo(double x, double y, std::optional<uint32_t> fill0, std::optional<uint32_t> fill1,
                                   std::optional<uint32_t> line) {
    FX = Twips(x);
    FY = Twips(y);
    swf::TStyleChange c;
    c.MoveTo = std::pair{FX, FY};
    c.FillStyle0 = fill0;
    c.FillStyle1 = fill1;
    c.LineStyle = line;
    FRecords.push_back(c);
    Extend(FX, FY);
    return *this;
}

TPathBuilder& TPathBuilder::LineTo(double x, double y) {
    int32_t tx = Twips(x), ty = Twips(y);
    if (tx != FX || ty != FY) FRecords.push_back(swf::TStraightEdge{tx - FX, ty - FY});
    FX = tx;
    FY = ty;
    Extend(FX, FY);
    return *this;
}

TPathBuilder& TPathBuilder::QuadTo(double cx, double cy, double x, double y) {
    int32_t qx = Twips(cx), qy = Twips(cy), tx = Twips(x), ty = Twips(y);
    FRecords.push_back(swf::TCurvedEdge{qx - FX, qy - FY, tx - qx, ty - qy});
    // The curve's own extremes, not its control point, bound it.
    auto extreme = [](double p0, double c, double p1) {
        double den = p0 - 2 * c + p1;
        if (den == 0) return p0;
        double t = (p0 - c) / den;
        if (t <= 0 || t >= 1) return p0;
        return (1 - t) * (1 - t) * p0 + 2 * t * (1 - t) * c + t * t * p1;
    };
    double ex = extreme(FX, qx, tx), ey = extreme(FY, qy, ty);
    Extend(int32_t(std::floor(ex)), int32_t(std::floor(ey)));
    Extend(int32_t(std::ceil(ex)), int32_t(std::ceil(ey)));
    FX = tx;
    FY = ty;
    Extend(FX, FY);
    return *this;
}

TPathBuilder& TPathBuilder::ArcTo(double cx, double cy, double rx, double ry, double from, double to) {
    int pieces = std::max(1, int(std::ceil(std::abs(to - from) / 45.0 - 1e-9)));
    double step = (to - from) / pieces;
    for (int i = 0; i < pieces; ++i) {
        double a0 = from + step * i, a1 = a0 + step, mid = (a0 + a1) / 2;
        // The control point lies where the end tangents meet: on the mid ray, r / cos(half step).
        double k = 1.0 / CosSinDeg(step / 2).first;
        auto [cm, sm] = CosSinDeg(mid);
        auto [ce, se] = CosSinDeg(a1);
        QuadTo(cx + rx * k * cm, cy + ry * k * sm, cx + rx * ce, cy + ry * se);
    }
    return *this;
}

swf::TRect TPathBuilder::Bounds(double lineWidth) const {
    int32_t grow = Twips(lineWidth / 2);
    return {FMinX - grow, FMaxX + grow, FMinY - grow, FMaxY + grow};
}

}  // namespace quorlin::movie
