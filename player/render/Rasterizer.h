#pragma once
// Anti-aliased scan conversion by exact area: every line adds, to the pixel cells it
// crosses, the signed area it sweeps; a running sum along each row then gives every
// pixel its exact covered fraction. No supersampling grid is involved.
//
// Rows are independent and computed from the lines as added, so a fill clipped to any
// rectangle gives the same pixels as the unclipped fill inside that rectangle.

#include <cstdint>
#include <vector>

#include "player/render/CoverageMask.h"
#include "player/render/Paint.h"
#include "player/render/Path.h"
#include "player/render/Pixmap.h"

namespace quorlin::render {

enum class TFillRule { NonZero, EvenOdd };

class TRasterizer {
public:
    // Forgets all lines; the next ones are meant for an output of this size.
    void Reset(int32_t width, int32_t height);

    // Lines are taken with their direction: the winding they add depends on it.
    void AddLine(TPointF a, TPointF b);
    // The segments of every contour, closing those marked closed.
    void AddPath(const TPath& path);

    bool IsEmpty() const { return FSegments.empty(); }
    // The pixels the added lines can cover (within the output).
    TRect Bounds() const;

    // Paints the covered pixels of target inside clip; the lines stay for another fill.
    void Fill(TPixmap& target, const TPaint& paint, TFillRule rule, const TRect& clip);
    // Raises the mask to the coverage of the lines, within the mask's bounds.
    void Fill(TCoverageMask& mask, TFillRule rule);

private:
    struct TSegment {
        double XTop, YTop, XBottom, YBottom;
        double DxDy;
        float Dir;  // +1 for a line going down the screen, -1 going up
    };

    template <class TRowSink>
    void Sweep(TFillRule rule, const TRect& clip, TRowSink&& sink);
    void AddClippedRight(TPointF a, TPointF b);
    void PushSegment(TPointF a, TPointF b);
    void AccumulateRow(const TSegment& s, int32_t row, uint32_t* cells, int32_t& rowMin, int32_t& rowMax,
                       int32_t x0, int32_t width) const;

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    std::vector<TSegment> FSegments;
    bool FSorted = true;
    TBoundsF FBounds;

    // Working storage, kept between fills.
    std::vector<uint32_t> FCells;
    std::vector<int32_t> FRowMin, FRowMax;
    std::vector<uint8_t> FCoverage;
    std::vector<uint32_t> FActive;
};

}  // namespace quorlin::render
