#pragma once
// ShowFrame: ends a frame of a timeline. It has no body.

#include "player/swf/Tag.h"

#include <cstdint>

namespace quorlin::swf {

struct TShowFrame {
    bool operator==(const TShowFrame&) const = default;
};

TTag WriteShowFrame();

}  // namespace quorlin::swf
