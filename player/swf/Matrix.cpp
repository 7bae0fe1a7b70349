#include "player/swf/Matrix.h"

#include "player/swf/BitReader.h"
#include "player/swf/BitWriter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorlin::swf {

int32_t ToFixed16(double v) { return int32_t(std::lround(v * 65536.0)); }

TMatrix TMatrix::Translation(int32_t tx, int32_t ty) {
    TMatrix m;
    m.TranslateX = tx;
    m.TranslateY = ty;
    return m;
}

TMatrix TMatrix::Make(double scaleX, double scaleY, double degrees, int32_t tx, int32_t ty) {
    double rad = degrees * std::numbers::pi / 180.0;
    double c = std::cos(rad), s = std::sin(rad);
    TMatrix m;
    m.ScaleX = ToFixed16(scaleX * c);
    m.RotateSkew0 = ToFixed16(scaleX * s);
    m.RotateSkew1 = ToFixed16(-scaleY * s);
    m.ScaleY = ToFixed16(scaleY * c);
    m.TranslateX = tx;
    m.TranslateY = ty;
    return m;
}

TMatrix ReadMatrix(TByteReader& r) {
    TBitReader bits(r);
    TMatrix m;
    if (bits.Flag()) {
        unsigned n = bits.UB(5);
        m.ScaleX = bits.FB(n);
        m.ScaleY = bits.FB(n);
    }
    if (bits.Flag()) {
        unsigned n = bits.UB(5);
        m.RotateSkew0 = bits.FB(n);
        m.RotateSkew1 = bits.FB(n);
    }
    unsigned n = bits.UB(5);
    m.TranslateX = bits.SB(n);
    m.TranslateY = bits.SB(n);
    return m;
}

void WriteMatrix(TByteWriter& w, const TMatrix& m) {
    TBitWriter bits(w);
    bool hasScale = m.ScaleX != 0x10000 || m.ScaleY != 0x10000;
    bits.Flag(hasScale);
    if (hasScale) {
        unsigned n = std::max(SignedBits(m.ScaleX), SignedBits(m.ScaleY));
        bits.UB(5, n);
        bits.SB(n, m.ScaleX);
        bits.SB(n, m.ScaleY);
    }
    bool hasRotate = m.RotateSkew0 != 0 || m.RotateSkew1 != 0;
    bits.Flag(hasRotate);
    if (hasRotate) {
        unsigned n = std::max(SignedBits(m.RotateSkew0), SignedBits(m.RotateSkew1));
        bits.UB(5, n);
        bits.SB(n, m.RotateSkew0);
        bits.SB(n, m.RotateSkew1);
    }
    // A zero translation takes no bits at all.
    unsigned n = (m.TranslateX == 0 && m.TranslateY == 0) ? 0 : std::max(SignedBits(m.TranslateX), SignedBits(m.TranslateY));
    bits.UB(5, n);
    bits.SB(n, m.TranslateX);
    bits.SB(n, m.TranslateY);
}

}  // namespace quorlin::swf
