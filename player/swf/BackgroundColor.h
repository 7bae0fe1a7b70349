#pragma once
// SetBackgroundColor: the stage colour behind everything.

#include "player/swf/Color.h"
#include "player/swf/Tag.h"

#include <cstdint>

namespace quorlin::swf {

struct TSetBackgroundColor {
    TRgba Color;
    bool operator==(const TSetBackgroundColor&) const = default;
};

TSetBackgroundColor ReadSetBackgroundColor(const TTag& tag);
TTag WriteSetBackgroundColor(const TSetBackgroundColor& background);

}  // namespace quorlin::swf
