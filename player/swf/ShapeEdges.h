#pragma once
// A shape's records walked into absolute edges, each with the styles in effect where it
// lies: the form a rasterizer wants. Style indices stay as the file numbers them (0 none,
// 1 the first style of the edge's style set); a record with new styles opens a set.

#include "player/swf/Shape.h"

#include <cstdint>
#include <vector>

namespace quorlin::swf {

struct TShapeEdge {
    int32_t X0 = 0, Y0 = 0;
    int32_t ControlX = 0, ControlY = 0;  // curves only
    int32_t X1 = 0, Y1 = 0;
    bool Curved = false;
    uint32_t FillStyle0 = 0, FillStyle1 = 0, LineStyle = 0;
    size_t StyleSet = 0;  // index into TShapeGeometry::StyleSets
    bool operator==(const TShapeEdge&) const = default;
};

struct TShapeGeometry {
    std::vector<TShapeStyles> StyleSets;  // the shape's own styles first
    std::vector<TShapeEdge> Edges;
};

TShapeGeometry ShapeEdges(const TDefineShape& shape);

}  // namespace quorlin::swf
