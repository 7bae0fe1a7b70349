#pragma once
// FrameLabel: a name for the frame it appears in.

#include "player/swf/Tag.h"

#include <cstdint>
#include <string>

namespace quorlin::swf {

struct TFrameLabel {
    std::string Name;
    bool Anchor = false;
    bool operator==(const TFrameLabel&) const = default;
};

TFrameLabel ReadFrameLabel(const TTag& tag);
TTag WriteFrameLabel(const TFrameLabel& label);

}  // namespace quorlin::swf
