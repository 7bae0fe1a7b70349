#pragma once
// The clock's vector artwork: the hand shared by all three hands, the glass disc and
// its highlight, and the rectangle that shows the badge bitmap.

#include "player/swf/Shape.h"

namespace quorlin::movie {

swf::TDefineShape HandShape();
swf::TDefineShape GlassDiscShape();
swf::TDefineShape GlassHighlightShape();
swf::TDefineShape BadgeShape();

}  // namespace quorlin::movie
