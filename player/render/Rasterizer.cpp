#include "player/render/Rasterizer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace quorlin::render {

namespace {

// Rows accumulated before they are swept; small enough to stay in the cache.
constexpr int32_t kBandRows = 16;

// Full coverage of one pixel in the cells' fixed point.
constexpr int32_t kOne = 1 << 16;

inline uint32_t ToFixed(double v) { return uint32_t(int32_t(std::floor(v * kOne + 0.5))); }

// Integral of clamp(t, 0, 1): the area that lies left of t in a unit-wide cell.
inline double AreaRamp(double t) {
    if (t <= 0) return 0;
    if (t >= 1) return t - 0.5;
    return 0.5 * t * t;
}

// Cells and running sums are unsigned: they wrap instead of overflowing, should some
// absurd shape stack up ten thousands of windings, and read back as signed values.
inline uint32_t Magnitude(uint32_t s) { return int32_t(s) < 0 ? 0u - s : s; }

inline uint8_t ToCoverage(uint32_t c) { return c >= uint32_t(kOne) ? 255 : uint8_t((c * 255 + kOne / 2) >> 16); }

inline uint8_t CoverageNonZero(uint32_t s) { return ToCoverage(Magnitude(s)); }

inline uint8_t CoverageEvenOdd(uint32_t s) {
    uint32_t c = Magnitude(s) & (2 * kOne - 1);
    return ToCoverage(c > uint32_t(kOne) ? 2 * kOne - c : c);
}

// The running sum over cells lo..hi of one row into coverage, clearing the cells; returns
// the sum at the end. Between a shape's edges the cells are empty and the coverage stays
// what it was, so those stretches are found and filled a run at a time.
template <uint8_t (*Convert)(uint32_t)>
uint32_t SweepRow(uint32_t* cells, uint8_t* cov, int32_t lo, int32_t hi) {
    uint32_t sum = 0;
    uint8_t current = 0;
    int32_t i = lo;
    while (i <= hi) {
        uint32_t c = cells[i];
        if (c == 0) {
            int32_t j = i + 1;
            for (uint64_t pair; j + 1 <= hi; j += 2) {  // two cells at a time
                std::memcpy(&pair, cells + j, sizeof pair);
                if (pair != 0) break;
            }
            while (j <= hi && cells[j] == 0) ++j;
            if (j - i > 32)
                std::memset(cov + i, current, size_t(j - i));
            else
                for (int32_t k = i; k < j; ++k) cov[k] = current;
            i = j;
            continue;
        }
        sum += c;
        cells[i] = 0;
        current = Convert(sum);
        cov[i++] = current;
    }
    return sum;
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

// Cells hold fixed-point area: integer sums are exact in any order, which is what lets
// a clipped fill fold everything left of the clip into its first column and still end
// with the very pixels of the unclipped fill.
void TRasterizer::AccumulateRow(const TSegment& s, int32_t row, uint32_t* cells, int32_t& rowMin,
                                int32_t& rowMax, int32_t x0, int32_t width) const {
    double ya = std::max(s.YTop, double(row));
    double yb = std::min(s.YBottom, double(row + 1));
    if (yb <= ya) return;
    double xa = ya == s.YTop ? s.XTop : s.XTop + (ya - s.YTop) * s.DxDy;
    double xb = yb == s.YBottom ? s.XBottom : s.XTop + (yb - s.YTop) * s.DxDy;
    double d = (yb - ya) * s.Dir;
    uint32_t whole = ToFixed(d);
    double lo = std::min(xa, xb), hi = std::max(xa, xb);
    if (lo >= double(x0 + width)) return;  // only columns right of the clip see it
    if (hi <= double(x0)) {
        cells[0] += whole;
        rowMin = 0;
        rowMax = std::max(rowMax, 0);
        return;
    }
    // Positions stay absolute, so the numbers do not depend on where the clip starts.
    int32_t i0 = int32_t(std::floor(lo));
    int32_t i1 = int32_t(std::floor(hi));
    if (i0 == i1 || hi == double(i0 + 1)) {
        // Within one column: the cell holds the part right of the line's mean x.
        uint32_t inCell = ToFixed(d * (double(i0 + 1) - 0.5 * (lo + hi)));
        int32_t index = i0 - x0;
        cells[index] += inCell;
        if (index + 1 < width) cells[index + 1] += whole - inCell;
        rowMin = std::min(rowMin, index);
        rowMax = std::max(rowMax, std::min(index + 1, width - 1));
        return;
    }
    // The line's x runs evenly over [lo, hi] while y runs over its height, so the covered
    // part of cell i is d times the mean of clamp(i + 1 - x, 0, 1) over that range. Each
    // cell gets the step of the rounded running total, so rounding never accumulates.
    double scale = d / (hi - lo);
    int32_t first = std::max(i0, x0), last = std::min(i1, x0 + width - 1);
    uint32_t previous = 0;
    for (int32_t i = first; i <= last; ++i) {
        uint32_t total = ToFixed(scale * (AreaRamp(double(i + 1) - lo) - AreaRamp(double(i + 1) - hi)));
        cells[i - x0] += total - previous;
        previous = total;
    }
    if (i1 + 1 - x0 < width) cells[i1 + 1 - x0] += whole - previous;
    rowMin = std::min(rowMin, first - x0);
    rowMax = std::max(rowMax, std::min(i1 + 1 - x0, width - 1));
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

    const int32_t width = area.Width();
    const size_t stride = size_t(width) + 1;
    FCells.assign(stride * kBandRows, 0);
    FRowMin.assign(kBandRows, INT32_MAX);
    FRowMax.assign(kBandRows, -1);
    FCoverage.resize(stride);
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
            // Compared as doubles first: a line may reach far beyond any int.
            int32_t first = s.YTop <= bandY ? bandY : int32_t(std::floor(s.YTop));
            int32_t last = s.YBottom >= bandEnd ? bandEnd : int32_t(std::ceil(s.YBottom));
            for (int32_t row = first; row < last; ++row) {
                size_t r = size_t(row - bandY);
                AccumulateRow(s, row, FCells.data() + r * stride, FRowMin[r], FRowMax[r], area.X0, width);
            }
        }

        for (int32_t row = bandY; row < bandEnd; ++row) {
            size_t r = size_t(row - bandY);
            int32_t lo = FRowMin[r], hi = FRowMax[r];
            FRowMin[r] = INT32_MAX;
            FRowMax[r] = -1;
            if (hi < lo) continue;
            uint32_t* cells = FCells.data() + r * stride;
            uint8_t* cov = FCoverage.data();
            uint32_t sum = rule == TFillRule::NonZero ? SweepRow<CoverageNonZero>(cells, cov, lo, hi)
                                                      : SweepRow<CoverageEvenOdd>(cells, cov, lo, hi);
            // Lines right of the clip were left out: what winding remains runs to its edge.
            int32_t end = hi + 1;
            if (sum != 0) {
                uint8_t rest = rule == TFillRule::NonZero ? CoverageNonZero(sum) : CoverageEvenOdd(sum);
                if (rest != 0) {
                    std::fill(cov + end, cov + width, rest);
                    end = width;
                }
            }
            sink(row, area.X0 + lo, area.X0 + end, cov + lo);
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
