#pragma once
// The clock movie as a whole: definitions, the display tree, scripts and exports.

#include "player/swf/Movie.h"

namespace quorlin::movie {

swf::TMovie ClockMovie();

}  // namespace quorlin::movie
