#pragma once
// The generated clock movie, read once for the movie tests, and helpers to walk it.

#include "player/swf/Movie.h"
#include "player/swf/Records.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::movie::test {

const std::vector<uint8_t>& ClockBytes();
const swf::TMovie& Clock();

// Every sprite of the movie by id.
std::map<uint16_t, swf::TDefineSprite> Sprites();
// Every shape of the movie by id.
std::map<uint16_t, swf::TDefineShape> Shapes();

// The clock clip: the one sprite placed inside "original".
swf::TDefineSprite ClockClip();

// The placements of one frame (1-based) of a timeline.
std::vector<swf::TPlaceObject2> Placements(const std::vector<swf::TTag>& timeline, int frame);
// The action blocks of one frame of a timeline.
std::vector<std::vector<uint8_t>> Scripts(const std::vector<swf::TTag>& timeline, int frame);
// The placement named name in a frame, or the one at depth when name is empty.
std::optional<swf::TPlaceObject2> Find(const std::vector<swf::TPlaceObject2>& placements, const std::string& name);

}  // namespace quorlin::movie::test
