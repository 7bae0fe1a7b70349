#include "player/swf/ShowFrame.h"

namespace quorlin::swf {

TTag WriteShowFrame() { return {uint16_t(TagCode::ShowFrame), {}}; }

}  // namespace quorlin::swf
