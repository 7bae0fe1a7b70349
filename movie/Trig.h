#pragma once
// Sine and cosine of degrees computed here rather than by the C library, so that the
// movie's coordinates, and with them its bytes, are the same on every machine.

#include <utility>

namespace quorlin::movie {

// (cos, sin) of an angle in degrees; angles grow clockwise on the y-down stage.
std::pair<double, double> CosSinDeg(double degrees);

}  // namespace quorlin::movie
