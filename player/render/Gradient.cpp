#include "player/render/Gradient.h"

#include <algorithm>
#include <string>

#include "player/render/Pixmap.h"

namespace quorlin::render {

namespace {
uint8_t Mix(uint8_t a, uint8_t b, int32_t num, int32_t den) {
    return uint8_t((int32_t(a) * (den - num) + int32_t(b) * num + den / 2) / den);
}
}  // namespace

TGradientRamp::TGradientRamp(const std::vector<TGradientStop>& stops, const TColorTransform& transform) {
    if (stops.empty() || stops.size() > kMaxGradientStops)
        throw RenderError("A gradient has " + std::to_string(stops.size()) + " stops, not 1 to " +
                          std::to_string(kMaxGradientStops));
    std::vector<TGradientStop> s = stops;
    // Stops are meant to be in order; out-of-order ones must not make the ramp run backwards.
    std::stable_sort(s.begin(), s.end(), [](const auto& a, const auto& b) { return a.Ratio < b.Ratio; });
    for (auto& stop : s) stop.Color = transform.Apply(stop.Color);

    size_t k = 0;
    for (int32_t i = 0; i < 256; ++i) {
        while (k + 1 < s.size() && s[k + 1].Ratio < i) ++k;
        TColor c;
        if (i <= s.front().Ratio) {
            c = s.front().Color;
        } else if (i >= s.back().Ratio) {
            c = s.back().Color;
        } else {
            const TGradientStop& a = s[k];
            const TGradientStop& b = s[k + 1];
            int32_t den = b.Ratio - a.Ratio, num = i - a.Ratio;
            c = TColor{Mix(a.Color.R, b.Color.R, num, den), Mix(a.Color.G, b.Color.G, num, den),
                       Mix(a.Color.B, b.Color.B, num, den), Mix(a.Color.A, b.Color.A, num, den)};
        }
        FColors[size_t(i)] = PackPremultiplied(c);
    }
}

bool TGradientRamp::IsOpaque() const {
    return std::all_of(FColors.begin(), FColors.end(), [](uint32_t c) { return (c >> 24) == 255; });
}

}  // namespace quorlin::render
