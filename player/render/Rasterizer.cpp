#include "player/render/Rasterizer.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace quorlin::render {

namespace {

// Rows accumulated before they are swept; small enough to stay in the cache.
constexpr int32_t kBandRows = 16;

// Integral of clamp(t, 0, 1): the area that lies left of t in a unit-wide cell.
inline float AreaRamp(float t) {
    if (t <= 0) return 0;
    if (t >= 1) return t - 0.5f;
    return 0.5f * t * t;
}

inline uint8_t CoverageNonZero(float s) {
    float c = std::fabs(s);
    return c >= 1.0f ? 255 : uint8_t(c * 255.0f + 0.5f);
}

inline uint8_t CoverageEvenOdd(float s) {
    float c = std::fmod(std::fabs(s), 2.0f);
    if (c > 1.0f) c = 2.0f - c;
    return uint8_t(c * 255.0f + 0.5f);
}

bool Finite(TPointF p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

}  // namespace

void TRasterizer::Reset(int32_t width, int32_t height) {
    FWidth = width;
    FHeight = height;
    FSegments.clear();
    FSorted = true;
    FBounds = TBoundsF{};
}

void TRasterizer::AddPath(const TPath& path) {
    const auto& pts = path.Points();
    for (const auto& c : path.Contours()) {
        for (uint32_t i = 1; i < c.Count; ++i) AddLine(pts[c.First + i - 1], pts[c.First + i]);
        if (c.Closed && c.Count > 1) AddLine(pts[c.First + c.Count - 1], pts[c.First]);
    }
}

// A line's part left of the output is moved onto its left edge: for every pixel inside
// the output it adds the same winding, and the cells stay within the output's width.
void TRasterizer::AddLine(TPointF a, TPointF b) {
    if (!Finite(a) || !Finite(b) || a.Y == b.Y) return;
    if ((a.Y <= 0 && b.Y <= 0) || (a.Y >= FHeight && b.Y >= FHeight)) return;
    if (a.X >= 0 && b.X >= 0) return AddClippedRight(a, b);
    if (a.X <= 0 && b.X <= 0) return PushSegment(TPointF{0, a.Y}, TPointF{0, b.Y});
    float yi = float(a.Y + (0.0 - a.X) * (double(b.Y) - a.Y) / (double(b.X) - a.X));
    TPointF m{0, yi};
    if (a.X < 0) {
        PushSegment(TPointF{0, a.Y}, m);
        AddClippedRight(m, b);
    } else {
        AddClippedRight(a, m);
        PushSegment(m, TPointF{0, b.Y});
    }
}

// Past the right edge a line is moved onto that edge too: it then closes the winding of
// the pixels left of it, which a shape reaching beyond the output still needs.
void TRasterizer::AddClippedRight(TPointF a, TPointF b) {
    float w = float(FWidth);
    if (a.X >= w && b.X >= w) return PushSegment(TPointF{w, a.Y}, TPointF{w, b.Y});
    if (a.X <= w && b.X <= w) return PushSegment(a, b);
    float yi = float(a.Y + (double(w) - a.X) * (double(b.Y) - a.Y) / (double(b.X) - a.X));
    TPointF m{w, yi};
    if (a.X > w) {
        PushSegment(TPointF{w, a.Y}, m);
        PushSegment(m, b);
    } else {
        PushSegment(a, m);
        PushSegment(m, TPointF{w, b.Y});
    }
}

void TRasterizer::PushSegment(TPointF a, TPointF b) {
    if (a.Y == b.Y) return;
    float dir = b.Y > a.Y ? 1.0f : -1.0f;
    if (dir < 0) std::swap(a, b);
    TSegment s{a.X, a.Y, b.X, b.Y, (double(b.X) - a.X) / (double(b.Y) - a.Y), dir};
    if (!FSegments.empty() && s.YTop < FSegments.back().YTop) FSorted = false;
    FSegments.push_back(s);
    FBounds.Add(a.X, a.Y);
    FBounds.Add(b.X, b.Y);
}

TRect TRasterizer::Bounds() const {
    return Intersect(PixelBounds(FBounds), TRect{0, 0, FWidth, FHeight});
}

void TRasterizer::AccumulateRow(const TSegment& s, int32_t row, float* cells, int32_t& rowMin,
                                int32_t& rowMax, int32_t baseX, int32_t lastIndex) const {
    double ya = std::max(s.YTop, double(row));
    double yb = std::min(s.YBottom, double(row + 1));
    if (yb <= ya) return;
    double xa = ya == s.YTop ? s.XTop : s.XTop + (ya - s.YTop) * s.DxDy;
    double xb = yb == s.YBottom ? s.XBottom : s.XTop + (yb - s.YTop) * s.DxDy;
    float d = float(yb - ya) * s.Dir;
    // Cell positions relative to the first column; rounding must not step outside.
    float lo = std::clamp(float(std::min(xa, xb) - baseX), 0.0f, float(lastIndex - 1));
    float hi = std::clamp(float(std::max(xa, xb) - baseX), 0.0f, float(lastIndex - 1));
    int32_t i0 = int32_t(lo);
    int32_t i1 = int32_t(hi);
    rowMin = std::min(rowMin, i0);
    if (i0 == i1 || hi == float(i0 + 1)) {
        // Within one column: the cell holds the part right of the line's mean x.
        float inCell = d * (float(i0 + 1) - 0.5f * (lo + hi));
        cells[i0] += inCell;
        cells[i0 + 1] += d - inCell;
        rowMax = std::max(rowMax, i0 + 1);
        return;
    }
    // The line's x runs evenly over [lo, hi] while y runs over its height, so the covered
    // part of cell i is d times the mean of clamp(i + 1 - x, 0, 1) over that range.
    float scale = d / (hi - lo);
    float previous = 0;
    for (int32_t i = i0; i <= i1; ++i) {
        float f = scale * (AreaRamp(float(i + 1) - lo) - AreaRamp(float(i + 1) - hi));
        cells[i] += f - previous;
        previous = f;
    }
    cells[i1 + 1] += d - previous;
    rowMax = std::max(rowMax, i1 + 1);
}

template <class TRowSink>
void TRasterizer::Sweep(TFillRule rule, const TRect& clip, TRowSink&& sink) {
    if (FSegments.empty()) return;
    TRect area = Intersect(clip, Bounds());
    if (area.IsEmpty()) return;
    if (!FSorted) {
        std::stable_sort(FSegments.begin(), FSegments.end(),
                         [](const TSegment& a, const TSegment& b) { return a.YTop < b.YTop; });
        FSorted = true;
    }

    // Columns start at the geometry's left edge whatever the clip, so that the running
    // sums, and with them the pixels, do not depend on the clip.
    int32_t baseX = std::max(0, int32_t(std::floor(FBounds.X0)));
    int32_t lastIndex = std::min(FWidth, int32_t(std::floor(FBounds.X1))) - baseX + 2;
    int32_t stride = lastIndex + 1;
    FCells.assign(size_t(stride) * kBandRows, 0.0f);
    FRowMin.assign(kBandRows, INT32_MAX);
    FRowMax.assign(kBandRows, -1);
    FCoverage.resize(size_t(stride));
    FActive.clear();

    size_t next = 0;
    while (next < FSegments.size() && FSegments[next].YBottom <= area.Y0) ++next;
    for (int32_t bandY = area.Y0; bandY < area.Y1; bandY += kBandRows) {
        int32_t bandEnd = std::min(area.Y1, bandY + kBandRows);
        while (next < FSegments.size() && FSegments[next].YTop < bandEnd) {
            if (FSegments[next].YBottom > bandY) FActive.push_back(uint32_t(next));
            ++next;
        }
        std::erase_if(FActive, [&](uint32_t i) { return FSegments[i].YBottom <= bandY; });

        for (uint32_t index : FActive) {
            const TSegment& s = FSegments[index];
            int32_t first = std::max(bandY, int32_t(std::floor(s.YTop)));
            int32_t last = std::min(bandEnd, int32_t(std::ceil(s.YBottom)));
            for (int32_t row = first; row < last; ++row) {
                int32_t r = row - bandY;
                AccumulateRow(s, row, FCells.data() + size_t(r) * stride, FRowMin[size_t(r)],
                              FRowMax[size_t(r)], baseX, lastIndex);
            }
        }

        for (int32_t row = bandY; row < bandEnd; ++row) {
            int32_t r = row - bandY;
            int32_t lo = FRowMin[size_t(r)], hi = FRowMax[size_t(r)];
            if (hi < lo) continue;
            float* cells = FCells.data() + size_t(r) * stride;
            int32_t from = std::max(lo, area.X0 - baseX);
            int32_t to = std::min(hi + 1, area.X1 - baseX);
            float sum = 0;
            int32_t i = lo;
            for (; i < from; ++i) {
                sum += cells[i];
                cells[i] = 0;
            }
            uint8_t* cov = FCoverage.data();
            if (rule == TFillRule::NonZero) {
                for (; i < to; ++i) {
                    sum += cells[i];
                    cells[i] = 0;
                    cov[i] = CoverageNonZero(sum);
                }
            } else {
                for (; i < to; ++i) {
                    sum += cells[i];
                    cells[i] = 0;
                    cov[i] = CoverageEvenOdd(sum);
                }
            }
            for (; i <= hi; ++i) cells[i] = 0;
            if (to > from) sink(row, from + baseX, to + baseX, cov + from);
            FRowMin[size_t(r)] = INT32_MAX;
            FRowMax[size_t(r)] = -1;
        }
    }
}

void TRasterizer::Fill(TPixmap& target, const TPaint& paint, TFillRule rule, const TRect& clip) {
    Sweep(rule, Intersect(clip, target.Bounds()), [&](int32_t y, int32_t x0, int32_t x1, const uint8_t* cov) {
        paint.BlendRow(y, x0, x1, cov, target.Row(y));
    });
}

void TRasterizer::Fill(TCoverageMask& mask, TFillRule rule) {
    Sweep(rule, mask.Bounds(), [&](int32_t y, int32_t x0, int32_t x1, const uint8_t* cov) {
        mask.Raise(y, x0, x1, cov);
    });
}

}  // namespace quorlin::render
