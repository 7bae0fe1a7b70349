#pragma once
// RemoveObject and RemoveObject2: take the character at a depth off the display list.

#include "player/swf/Tag.h"

#include <cstdint>

namespace quorlin::swf {

struct TRemoveObject {
    uint16_t CharacterId = 0;
    uint16_t Depth = 0;
    bool operator==(const TRemoveObject&) const = default;
};

struct TRemoveObject2 {
    uint16_t Depth = 0;
    bool operator==(const TRemoveObject2&) const = default;
};

TRemoveObject ReadRemoveObject(const TTag& tag);
TTag WriteRemoveObject(const TRemoveObject& remove);
TRemoveObject2 ReadRemoveObject2(const TTag& tag);
TTag WriteRemoveObject2(const TRemoveObject2& remove);

}  // namespace quorlin::swf
