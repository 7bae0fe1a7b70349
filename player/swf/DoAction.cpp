#include "player/swf/DoAction.h"

namespace quorlin::swf {

TDoAction ReadDoAction(const TTag& tag) { return {tag.Body}; }

TTag WriteDoAction(const TDoAction& a) { return {uint16_t(TagCode::DoAction), a.Actions}; }

}  // namespace quorlin::swf
