#pragma once
// The SWF colour transform (CXFORMWITHALPHA): per channel c' = c * Mult + Add, clamped
// to 0..255 on straight (not premultiplied) colour. Mult 1 is the record's 256.

#include <cstdint>

#include "player/render/Color.h"

namespace quorlin::render {

struct TColorTransform {
    float MultR = 1, MultG = 1, MultB = 1, MultA = 1;
    float AddR = 0, AddG = 0, AddB = 0, AddA = 0;

    // From the record's 8.8 fixed multiply terms and integer add terms.
    static TColorTransform FromTerms(int32_t multR, int32_t multG, int32_t multB, int32_t multA,
                                     int32_t addR, int32_t addG, int32_t addB, int32_t addA);
    // Opacity alone, as _alpha sets it.
    static TColorTransform Alpha(float a) { return TColorTransform{1, 1, 1, a, 0, 0, 0, 0}; }

    bool IsIdentity() const;
    // Nothing it paints can be seen.
    bool IsInvisible() const { return MultA <= 0 && AddA <= 0; }

    TColor Apply(TColor c) const;
    uint32_t ApplyPremultiplied(uint32_t pixel) const;

    bool operator==(const TColorTransform&) const = default;
};

// The transform that applies inner first, then outer (a child inside its parent).
TColorTransform Concat(const TColorTransform& outer, const TColorTransform& inner);

}  // namespace quorlin::render
