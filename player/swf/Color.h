#pragma once
// RGB and RGBA colour records.

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

#include <cstdint>

namespace quorlin::swf {

struct TRgba {
    uint8_t R = 0, G = 0, B = 0, A = 255;
    bool operator==(const TRgba&) const = default;
};

TRgba ReadRgb(TByteReader& r);
TRgba ReadRgba(TByteReader& r);
void WriteRgb(TByteWriter& w, const TRgba& c);  // the alpha is not stored
void WriteRgba(TByteWriter& w, const TRgba& c);

}  // namespace quorlin::swf
