#include "tests/support/ClockPixels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::testsupport {

namespace {

// Rings in stage pixels from the pivot. The hour hand reaches about 115, the minute
// hand about 153, the second hand 191, and the tails stay within 38, so each band sees
// only the hands named.
const std::vector<double> kAllHands{48, 56, 64};
const std::vector<double> kMinuteAndSecond{126, 134, 142};
const std::vector<double> kSecondOnly{160, 166, 172};
// Inside the glass, clear of its rim (180 and more) and of the pivot.
constexpr double kGlassProbeRadius = 150;

constexpr int kSamples = 2880;  // an eighth of a degree apart
// Peaks must stand out this far from the ring's typical colour (and half the highest).
constexpr double kMinPeak = 30;
constexpr double kSameHand = 4;  // degrees: peaks this close are one hand

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    const size_t mid = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + mid, v.end());
    return v[mid];
}

// Degrees clockwise from twelve to a point at the radius.
TRgb Around(const TPicture& p, double px, double py, double radius, double degrees) {
    return SampleAt(p, px + radius * std::sin(Radians(degrees)), py - radius * std::cos(Radians(degrees)));
}

// How far each sample of the rings stands out from its ring's typical colour, averaged
// over the rings.
std::vector<double> Contrast(const TPicture& picture, double px, double py, const std::vector<double>& radii) {
    std::vector<double> total(kSamples, 0);
    for (double radius : radii) {
        std::vector<TRgb> ring(kSamples);
        std::vector<double> r(kSamples), g(kSamples), b(kSamples);
        for (int i = 0; i < kSamples; ++i) {
            ring[size_t(i)] = Around(picture, px, py, radius, i * 360.0 / kSamples);
            r[size_t(i)] = ring[size_t(i)].R;
            g[size_t(i)] = ring[size_t(i)].G;
            b[size_t(i)] = ring[size_t(i)].B;
        }
        const TRgb typical{Median(r), Median(g), Median(b)};
        for (int i = 0; i < kSamples; ++i) total[size_t(i)] += ColorDistance(ring[size_t(i)], typical);
    }
    for (double& t : total) t /= double(std::max<size_t>(1, radii.size()));
    return total;
}

struct TPeak {
    double Angle = 0;
    double Strength = 0;
};

// Runs of samples above the threshold, each reduced to its weighted centre; a run may
// wrap through twelve.
std::vector<TPeak> Peaks(const std::vector<double>& contrast) {
    const double highest = *std::max_element(contrast.begin(), contrast.end());
    const double threshold = std::max(kMinPeak, highest / 2);
    std::vector<TPeak> peaks;
    if (highest < threshold) return peaks;
    // Start from a sample below the threshold so that no run is cut in two.
    int start = 0;
    while (start < kSamples && contrast[size_t(start)] >= threshold) ++start;
    if (start == kSamples) return peaks;  // the whole ring stands out: no hand to tell
    double sumSin = 0, sumCos = 0, weight = 0;
    for (int k = 1; k <= kSamples; ++k) {
        const int i = (start + k) % kSamples;
        const double c = contrast[size_t(i)];
        if (c >= threshold) {
            const double w = c - threshold + 1e-9;
            const double a = Radians(i * 360.0 / kSamples);
            sumSin += w * std::sin(a);
            sumCos += w * std::cos(a);
            weight += w;
        } else if (weight > 0) {
            double angle = std::atan2(sumSin, sumCos) * 180 / std::numbers::pi;
            if (angle < 0) angle += 360;
            peaks.push_back(TPeak{angle, weight});
            sumSin = sumCos = weight = 0;
        }
    }
    std::sort(peaks.begin(), peaks.end(), [](const TPeak& a, const TPeak& b) { return a.Strength > b.Strength; });
    return peaks;
}

// The strongest peak not already taken by a hand found further out; when every peak is
// taken, this hand lies over one of those (the nearest one).
std::optional<double> Remaining(const std::vector<TPeak>& peaks, const std::vector<double>& taken) {
    if (peaks.empty()) return std::nullopt;
    for (const TPeak& p : peaks) {
        const bool near = std::any_of(taken.begin(), taken.end(),
                                      [&](double t) { return AngleBetween(p.Angle, t) < kSameHand; });
        if (!near) return p.Angle;
    }
    return peaks.front().Angle;
}

}  // namespace

TPicture TPicture::FromBgra(const uint32_t* pixels, int width, int height) {
    return TPicture{reinterpret_cast<const uint8_t*>(pixels), width, height, size_t(width) * 4, TLayout::Bgra};
}

TPicture TPicture::FromRgb(const uint8_t* bytes, int width, int height) {
    return TPicture{bytes, width, height, size_t(width) * 3, TLayout::Rgb};
}

TRgb PixelAt(const TPicture& picture, int x, int y) {
    if (!picture.Data || !picture.Inside(x, y)) return TRgb{};
    const uint8_t* row = picture.Data + size_t(y) * picture.Stride;
    switch (picture.Layout) {
    case TPicture::TLayout::Rgb: {
        const uint8_t* p = row + size_t(x) * 3;
        return TRgb{double(p[0]), double(p[1]), double(p[2])};
    }
    case TPicture::TLayout::Rgba: {
        const uint8_t* p = row + size_t(x) * 4;
        return TRgb{double(p[0]), double(p[1]), double(p[2])};
    }
    case TPicture::TLayout::Bgra: {
        // Little-endian words: blue in the first byte. Premultiplied over black is what
        // a screen shows of it, so the colour is taken as it is.
        const uint8_t* p = row + size_t(x) * 4;
        return TRgb{double(p[2]), double(p[1]), double(p[0])};
    }
    }
    return TRgb{};
}

TRgb SampleAt(const TPicture& picture, double x, double y) {
    // Pixel centres lie at half coordinates.
    const double fx = x - 0.5, fy = y - 0.5;
    const int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    const double tx = fx - x0, ty = fy - y0;
    auto at = [&](int px, int py) {
        return PixelAt(picture, std::clamp(px, 0, std::max(0, picture.Width - 1)),
                       std::clamp(py, 0, std::max(0, picture.Height - 1)));
    };
    const TRgb a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
    auto mix = [&](double p, double q, double r, double s) {
        return (p * (1 - tx) + q * tx) * (1 - ty) + (r * (1 - tx) + s * tx) * ty;
    };
    return TRgb{mix(a.R, b.R, c.R, d.R), mix(a.G, b.G, c.G, d.G), mix(a.B, b.B, c.B, d.B)};
}

double ColorDistance(const TRgb& a, const TRgb& b) {
    return std::sqrt((a.R - b.R) * (a.R - b.R) + (a.G - b.G) * (a.G - b.G) + (a.B - b.B) * (a.B - b.B));
}

TRgb RgbFrom(uint32_t rrggbb) {
    return TRgb{double((rrggbb >> 16) & 0xFF), double((rrggbb >> 8) & 0xFF), double(rrggbb & 0xFF)};
}

double AngleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180 ? 360 - d : d;
}

std::vector<double> RingPeaks(const TPicture& picture, double pivotX, double pivotY, const std::vector<double>& radii) {
    std::vector<double> angles;
    if (!picture.Data || picture.Width < 1 || picture.Height < 1) return angles;
    for (const TPeak& p : Peaks(Contrast(picture, pivotX, pivotY, radii))) angles.push_back(p.Angle);
    return angles;
}

THandAngles MeasureHands(const TPicture& picture, const TClockPlace& place) {
    auto ring = [&](const std::vector<double>& stageRadii) {
        std::vector<double> radii;
        for (double r : stageRadii) radii.push_back(r * place.Scale);
        std::vector<TPeak> peaks;
        if (picture.Data && picture.Width > 0 && picture.Height > 0)
            peaks = Peaks(Contrast(picture, place.PivotX, place.PivotY, radii));
        return peaks;
    };
    THandAngles hands;
    const std::vector<TPeak> outer = ring(kSecondOnly);
    if (!outer.empty()) hands.Second = outer.front().Angle;
    std::vector<double> taken;
    if (hands.Second) taken.push_back(*hands.Second);
    hands.Minute = Remaining(ring(kMinuteAndSecond), taken);
    if (hands.Minute) taken.push_back(*hands.Minute);
    hands.Hour = Remaining(ring(kAllHands), taken);
    return hands;
}

bool GlassPresent(const TPicture& picture, const TClockPlace& place, const TRgb& background) {
    std::vector<double> differences;
    for (int i = 0; i < 72; ++i)
        differences.push_back(ColorDistance(
            Around(picture, place.PivotX, place.PivotY, kGlassProbeRadius * place.Scale, i * 5.0), background));
    // The median passes over the few probes that a hand covers.
    return Median(differences) > 6;
}

}  // namespace quorlin::testsupport
