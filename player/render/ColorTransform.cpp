#include "player/render/ColorTransform.h"

#include <algorithm>
#include <cmath>

namespace quorlin::render {

namespace {
uint8_t Channel(uint8_t c, float mult, float add) {
    float v = float(c) * mult + add;
    if (!(v > 0)) return 0;  // NaN included
    return uint8_t(std::min(255.0f, std::floor(v + 0.5f)));
}
}  // namespace

TColorTransform TColorTransform::FromTerms(int32_t multR, int32_t multG, int32_t multB, int32_t multA,
                                           int32_t addR, int32_t addG, int32_t addB, int32_t addA) {
    return TColorTransform{multR / 256.0f, multG / 256.0f, multB / 256.0f, multA / 256.0f,
                           float(addR),    float(addG),    float(addB),    float(addA)};
}

bool TColorTransform::IsIdentity() const { return *this == TColorTransform{}; }

TColor TColorTransform::Apply(TColor c) const {
    return TColor{Channel(c.R, MultR, AddR), Channel(c.G, MultG, AddG), Channel(c.B, MultB, AddB),
                  Channel(c.A, MultA, AddA)};
}

uint32_t TColorTransform::ApplyPremultiplied(uint32_t pixel) const {
    return PackPremultiplied(Apply(UnpackPremultiplied(pixel)));
}

TColorTransform Concat(const TColorTransform& o, const TColorTransform& i) {
    return TColorTransform{o.MultR * i.MultR,          o.MultG * i.MultG,
                           o.MultB * i.MultB,          o.MultA * i.MultA,
                           o.MultR * i.AddR + o.AddR,  o.MultG * i.AddG + o.AddG,
                           o.MultB * i.AddB + o.AddB,  o.MultA * i.AddA + o.AddA};
}

}  // namespace quorlin::render
