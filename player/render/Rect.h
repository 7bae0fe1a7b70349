#pragma once
// Integer pixel rectangles, half open: [X0, X1) x [Y0, Y1).

#include <algorithm>
#include <cstdint>

namespace quorlin::render {

struct TRect {
    int32_t X0 = 0;
    int32_t Y0 = 0;
    int32_t X1 = 0;
    int32_t Y1 = 0;

    int32_t Width() const { return X1 - X0; }
    int32_t Height() const { return Y1 - Y0; }
    bool IsEmpty() const { return X1 <= X0 || Y1 <= Y0; }
    int64_t Area() const { return IsEmpty() ? 0 : int64_t(Width()) * Height(); }
    bool Contains(const TRect& r) const {
        return r.IsEmpty() || (r.X0 >= X0 && r.Y0 >= Y0 && r.X1 <= X1 && r.Y1 <= Y1);
    }
    bool operator==(const TRect&) const = default;
};

inline TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.X0, b.X0), std::max(a.Y0, b.Y0), std::min(a.X1, b.X1), std::min(a.Y1, b.Y1)};
    return r.IsEmpty() ? TRect{} : r;
}

// The bounding rectangle of both; an empty one takes no part.
inline TRect Bounds(const TRect& a, const TRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return TRect{std::min(a.X0, b.X0), std::min(a.Y0, b.Y0), std::max(a.X1, b.X1), std::max(a.Y1, b.Y1)};
}

// Float bounds of geometry in pixels, grown point by point.
struct TBoundsF {
    float X0 = 1e30f;
    float Y0 = 1e30f;
    float X1 = -1e30f;
    float Y1 = -1e30f;

    bool IsEmpty() const { return X1 < X0 || Y1 < Y0; }
    void Add(float x, float y) {
        X0 = std::min(X0, x);
        Y0 = std::min(Y0, y);
        X1 = std::max(X1, x);
        Y1 = std::max(Y1, y);
    }
    void Grow(float d) {
        X0 -= d;
        Y0 -= d;
        X1 += d;
        Y1 += d;
    }
};

// The pixels the bounds touch, clamped to an int range that can never overflow.
TRect PixelBounds(const TBoundsF& b);

}  // namespace quorlin::render
