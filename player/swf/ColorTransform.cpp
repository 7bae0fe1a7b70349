#include "player/swf/ColorTransform.h"

#include "player/swf/BitReader.h"
#include "player/swf/BitWriter.h"
#include "player/swf/SwfError.h"

#include <algorithm>
#include <initializer_list>

namespace quorlin::swf {

namespace {

TColorTransform ReadTransform(TByteReader& r, bool withAlpha) {
    TBitReader bits(r);
    bool hasAdd = bits.Flag();
    bool hasMult = bits.Flag();
    unsigned n = bits.UB(4);
    TColorTransform c;
    if (hasMult) {
        c.RedMult = int16_t(bits.SB(n));
        c.GreenMult = int16_t(bits.SB(n));
        c.BlueMult = int16_t(bits.SB(n));
        if (withAlpha) c.AlphaMult = int16_t(bits.SB(n));
    }
    if (hasAdd) {
        c.RedAdd = int16_t(bits.SB(n));
        c.GreenAdd = int16_t(bits.SB(n));
        c.BlueAdd = int16_t(bits.SB(n));
        if (withAlpha) c.AlphaAdd = int16_t(bits.SB(n));
    }
    return c;
}

void WriteTransform(TByteWriter& w, const TColorTransform& c, bool withAlpha) {
    bool hasMult = c.HasMult(), hasAdd = c.HasAdd();
    std::initializer_list<int16_t> mult = {c.RedMult, c.GreenMult, c.BlueMult, c.AlphaMult};
    std::initializer_list<int16_t> add = {c.RedAdd, c.GreenAdd, c.BlueAdd, c.AlphaAdd};
    unsigned n = 1;
    if (hasMult) for (int16_t v : mult) n = std::max(n, SignedBits(v));
    if (hasAdd) for (int16_t v : add) n = std::max(n, SignedBits(v));
    if (n > 15) throw TSwfError("colour transform term needs more than 15 bits");
    TBitWriter bits(w);
    bits.Flag(hasAdd);
    bits.Flag(hasMult);
    bits.UB(4, n);
    if (hasMult) {
        bits.SB(n, c.RedMult);
        bits.SB(n, c.GreenMult);
        bits.SB(n, c.BlueMult);
        if (withAlpha) bits.SB(n, c.AlphaMult);
    }
    if (hasAdd) {
        bits.SB(n, c.RedAdd);
        bits.SB(n, c.GreenAdd);
        bits.SB(n, c.BlueAdd);
        if (withAlpha) bits.SB(n, c.AlphaAdd);
    }
}

}  // namespace

TColorTransform TColorTransform::Alpha(int16_t alphaMult) {
    TColorTransform c;
    c.AlphaMult = alphaMult;
    return c;
}

TColorTransform ReadCxform(TByteReader& r) { return ReadTransform(r, false); }
TColorTransform ReadCxformWithAlpha(TByteReader& r) { return ReadTransform(r, true); }

void WriteCxform(TByteWriter& w, const TColorTransform& c) {
    if (c.AlphaMult != 256 || c.AlphaAdd != 0) throw TSwfError("CXFORM cannot hold alpha terms");
    WriteTransform(w, c, false);
}

void WriteCxformWithAlpha(TByteWriter& w, const TColorTransform& c) { WriteTransform(w, c, true); }

}  // namespace quorlin::swf
