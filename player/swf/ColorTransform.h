#pragma once
// CXFORM and CXFORMWITHALPHA: per-channel multiply terms in 8.8 fixed point (256 is
// one) and add terms. CXFORM has no alpha terms; read, they stay at 256 and 0.

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

#include <cstdint>

namespace quorlin::swf {

struct TColorTransform {
    int16_t RedMult = 256, GreenMult = 256, BlueMult = 256, AlphaMult = 256;
    int16_t RedAdd = 0, GreenAdd = 0, BlueAdd = 0, AlphaAdd = 0;

    bool HasMult() const { return RedMult != 256 || GreenMult != 256 || BlueMult != 256 || AlphaMult != 256; }
    bool HasAdd() const { return RedAdd || GreenAdd || BlueAdd || AlphaAdd; }
    // Opacity multiplier only, as used to fade an instance.
    static TColorTransform Alpha(int16_t alphaMult);

    bool operator==(const TColorTransform&) const = default;
};

TColorTransform ReadCxform(TByteReader& r);
TColorTransform ReadCxformWithAlpha(TByteReader& r);
// Writing a CXFORM rejects alpha terms it cannot hold.
void WriteCxform(TByteWriter& w, const TColorTransform& c);
void WriteCxformWithAlpha(TByteWriter& w, const TColorTransform& c);

}  // namespace quorlin::swf
