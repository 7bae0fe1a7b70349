#pragma once
// The badge: our name in tracked capitals, as an 804 x 112 palette bitmap with alpha.

#include "player/swf/BitsLossless.h"

namespace quorlin::movie {

swf::TDefineBitsLossless BadgeBitmap();

}  // namespace quorlin::movie
