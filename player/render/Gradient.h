#pragma once
// Gradient colours as SWF defines them: up to 15 stops at ratios 0..255 across the
// gradient square (-16384..16384 in gradient units), mapped into place by a matrix.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "player/render/Color.h"
#include "player/render/ColorTransform.h"

namespace quorlin::render {

struct TGradientStop {
    uint8_t Ratio = 0;
    TColor Color;
    bool operator==(const TGradientStop&) const = default;
};

inline constexpr size_t kMaxGradientStops = 15;
// Half the side of the gradient square, in gradient units.
inline constexpr double kGradientHalfSide = 16384.0;

// 256 premultiplied colours, one per ratio: stops interpolated channel by channel on
// their straight colours, the colour transform applied to the stops, pad beyond the ends.
class TGradientRamp {
public:
    // Raises RenderError without stops or with more than kMaxGradientStops.
    TGradientRamp(const std::vector<TGradientStop>& stops, const TColorTransform& transform);

    uint32_t At(int32_t index) const { return FColors[size_t(std::clamp(index, 0, 255))]; }
    const uint32_t* Data() const { return FColors.data(); }
    bool IsOpaque() const;

private:
    std::array<uint32_t, 256> FColors;
};

}  // namespace quorlin::render
