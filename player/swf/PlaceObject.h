#pragma once
// PlaceObject and PlaceObject2: put a character on the display list or change the one at
// a depth.

#include "player/swf/ColorTransform.h"
#include "player/swf/Matrix.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::swf {

struct TPlaceObject {
    uint16_t CharacterId = 0;
    uint16_t Depth = 0;
    TMatrix Matrix;
    std::optional<TColorTransform> ColorTransform;  // CXFORM, no alpha
    bool operator==(const TPlaceObject&) const = default;
};

struct TPlaceObject2 {
    bool Move = false;  // modifies the character at Depth instead of placing a new one
    uint16_t Depth = 0;
    std::optional<uint16_t> CharacterId;
    std::optional<TMatrix> Matrix;
    std::optional<TColorTransform> ColorTransform;  // CXFORMWITHALPHA
    std::optional<uint16_t> Ratio;
    std::optional<std::string> Name;
    std::optional<uint16_t> ClipDepth;
    // Clip event handlers, kept as stored: this library does not decode them.
    std::optional<std::vector<uint8_t>> ClipActions;
    bool operator==(const TPlaceObject2&) const = default;
};

TPlaceObject ReadPlaceObject(const TTag& tag);
TTag WritePlaceObject(const TPlaceObject& place);
TPlaceObject2 ReadPlaceObject2(const TTag& tag);
TTag WritePlaceObject2(const TPlaceObject2& place);

}  // namespace quorlin::swf
