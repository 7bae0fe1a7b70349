#pragma once
// DefineSprite: a movie clip with a timeline of its own, whose control tags are kept
// raw like those of the main timeline.

#include "player/swf/Tag.h"

#include <cstdint>
#include <vector>

namespace quorlin::swf {

struct TDefineSprite {
    uint16_t Id = 0;
    uint16_t FrameCount = 1;
    std::vector<TTag> Tags;  // without the closing End
    bool operator==(const TDefineSprite&) const = default;
};

TDefineSprite ReadDefineSprite(const TTag& tag);
TTag WriteDefineSprite(const TDefineSprite& sprite);

}  // namespace quorlin::swf
