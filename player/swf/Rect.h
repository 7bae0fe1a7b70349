#pragma once
// RECT: a bit-packed rectangle in twips.

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

#include <cstdint>

namespace quorlin::swf {

struct TRect {
    int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    bool operator==(const TRect&) const = default;
};

TRect ReadRect(TByteReader& r);
void WriteRect(TByteWriter& w, const TRect& rect);

}  // namespace quorlin::swf
