#include "movie/Trig.h"

#include <cmath>
#include <numbers>

namespace quorlin::movie {

namespace {

// Taylor series; |x| <= pi/4 keeps the error well below a twip at any radius we draw.
double SinSmall(double x) {
    double x2 = x * x, term = x, sum = x;
    for (int n = 1; n <= 8; ++n) {
        term *= -x2 / double((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

double CosSmall(double x) {
    double x2 = x * x, term = 1, sum = 1;
    for (int n = 1; n <= 8; ++n) {
        term *= -x2 / double((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

}  // namespace

std::pair<double, double> CosSinDeg(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0) d += 360.0;
    int quadrant = int(std::floor((d + 45.0) / 90.0));
    double r = (d - quadrant * 90.0) * std::numbers::pi / 180.0;
    double s = SinSmall(r), c = CosSmall(r);
    switch (quadrant % 4) {
        case 0: return {c, s};
        case 1: return {-s, c};
        case 2: return {-c, -s};
        default: return {s, -c};
    }
}

}  // namespace quorlin::movie
