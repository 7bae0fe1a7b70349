#pragma once
// DoAction: an action block run when its frame is reached.

#include "player/swf/Tag.h"

#include <cstdint>
#include <vector>

namespace quorlin::swf {

struct TDoAction {
    std::vector<uint8_t> Actions;  // ends with the End action
    bool operator==(const TDoAction&) const = default;
};

TDoAction ReadDoAction(const TTag& tag);
TTag WriteDoAction(const TDoAction& action);

}  // namespace quorlin::swf
