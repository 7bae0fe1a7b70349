#include <algorithm>
#include <cmath>

#include "player/render/Path.h"

namespace quorlin::render {

// A chord over a parameter step h departs from the quadratic by at most |p0 - 2c + p2| h^2 / 4,
// so n equal steps keep within tolerance when n^2 >= |p0 - 2c + p2| / (4 tolerance).
void FlattenQuad(TPointF p0, TPointF c, TPointF p2, float tolerance, std::vector<TPointF>& out) {
    double ddx = double(p0.X) - 2.0 * c.X + p2.X;
    double ddy = double(p0.Y) - 2.0 * c.Y + p2.Y;
    double dd = std::sqrt(ddx * ddx + ddy * ddy);
    double steps = std::ceil(std::sqrt(dd / (4.0 * std::max(tolerance, 1e-3f))));
    // A curve thousands of screens long is not worth more than this many lines.
    int n = std::isfinite(steps) ? int(std::clamp(steps, 1.0, 1024.0)) : 1;
    for (int i = 1; i < n; ++i) {
        double t = double(i) / n, u = 1.0 - t;
        out.push_back(TPointF{float(u * u * p0.X + 2 * u * t * c.X + t * t * p2.X),
                              float(u * u * p0.Y + 2 * u * t * c.Y + t * t * p2.Y)});
    }
    out.push_back(p2);
}

}  // namespace quorlin::render
