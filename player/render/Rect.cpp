#include "player/render/Rect.h"

#include <cmath>

namespace quorlin::render {

namespace {
int32_t ClampToInt(double v) {
    constexpr double kLimit = 1 << 28;
    return int32_t(std::clamp(v, -kLimit, kLimit));
}
}  // namespace

TRect PixelBounds(const TBoundsF& b) {
    if (b.IsEmpty() || !std::isfinite(b.X0) || !std::isfinite(b.Y0) || !std::isfinite(b.X1) ||
        !std::isfinite(b.Y1))
        return TRect{};
    return TRect{ClampToInt(std::floor(b.X0)), ClampToInt(std::floor(b.Y0)),
                 ClampToInt(std::floor(b.X1)) + 1, ClampToInt(std::floor(b.Y1)) + 1};
}

}  // namespace quorlin::render
