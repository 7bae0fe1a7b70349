#include "player/swf/Color.h"

namespace quorlin::swf {

TRgba ReadRgb(TByteReader& r) {
    TRgba c;
    c.R = r.U8();
    c.G = r.U8();
    c.B = r.U8();
    return c;
}

TRgba ReadRgba(TByteReader& r) {
    TRgba c = ReadRgb(r);
    c.A = r.U8();
    return c;
}

void WriteRgb(TByteWriter& w, const TRgba& c) {
    w.U8(c.R);
    w.U8(c.G);
    w.U8(c.B);
}

void WriteRgba(TByteWriter& w, const TRgba& c) {
    WriteRgb(w, c);
    w.U8(c.A);
}

}  // namespace quorlin::swf
