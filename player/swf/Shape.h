#pragma once
// DefineShape, DefineShape2 and DefineShape3: bounds, styles and the shape records as
// stored, edges as deltas in twips and style indices as the file numbers them (0 is
// no style, 1 the first of the styles in effect).

#include "player/swf/Rect.h"
#include "player/swf/ShapeStyles.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace quorlin::swf {

struct TStyleChange {
    std::optional<std::pair<int32_t, int32_t>> MoveTo;  // absolute, in the shape's space
    std::optional<uint32_t> FillStyle0, FillStyle1, LineStyle;
    std::optional<TShapeStyles> NewStyles;  // replaces the styles in effect
    bool operator==(const TStyleChange&) const = default;
};

struct TStraightEdge {
    int32_t DeltaX = 0, DeltaY = 0;
    bool operator==(const TStraightEdge&) const = default;
};

struct TCurvedEdge {
    int32_t ControlDeltaX = 0, ControlDeltaY = 0, AnchorDeltaX = 0, AnchorDeltaY = 0;
    bool operator==(const TCurvedEdge&) const = default;
};

using TShapeRecord = std::variant<TStyleChange, TStraightEdge, TCurvedEdge>;

struct TDefineShape {
    int Version = 3;  // 1, 2 or 3
    uint16_t Id = 0;
    TRect Bounds;
    TShapeStyles Styles;
    std::vector<TShapeRecord> Records;  // without the end record
    bool operator==(const TDefineShape&) const = default;
};

TDefineShape ReadDefineShape(const TTag& tag);
TTag WriteDefineShape(const TDefineShape& shape);

}  // namespace quorlin::swf
