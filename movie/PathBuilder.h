#pragma once
// Outlines in stage pixels turned into shape records in twips. Points are rounded to
// twips once and edges are the differences of rounded points, so a closed outline
// closes exactly.

#include "player/swf/Rect.h"
#include "player/swf/Shape.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin::movie {

class TPathBuilder {
public:
    // Starts an outline; the style indices apply from here on.
    TPathBuilder& MoveTo(double x, double y, std::optional<uint32_t> fill0, std::optional<uint32_t> fill1,
                         std::optional<uint32_t> line);
    TPathBuilder& LineTo(double x, double y);
    TPathBuilder& QuadTo(double cx, double cy, double x, double y);
    // An elliptic arc about (cx, cy) from the current point's angle `from` to `to`
    // (degrees, clockwise on screen), in quadratic pieces of at most 45 degrees.
    TPathBuilder& ArcTo(double cx, double cy, double rx, double ry, double from, double to);

    const std::vector<swf::TShapeRecord>& Records() const { return FRecords; }
    // The outline's bounds, grown by half the widest line so strokes fit inside.
    swf::TRect Bounds(double lineWidth) const;

private:
    void Extend(int32_t x, int32_t y);

    std::vector<swf::TShapeRecord> FRecords;
    int32_t FX = 0, FY = 0;
    int32_t FMinX = 0, FMaxX = 0, FMinY = 0, FMaxY = 0;
    bool FEmpty = true;
};

int32_t Twips(double pixels);

}  // namespace quorlin::movie
