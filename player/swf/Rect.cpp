#include "player/swf/Rect.h"

#include "player/swf/BitReader.h"
#include "player/swf/BitWriter.h"

#include <algorithm>

namespace quorlin::swf {

TRect ReadRect(TByteReader& r) {
    TBitReader bits(r);
    unsigned n = bits.UB(5);
    TRect rect;
    rect.XMin = bits.SB(n);
    rect.XMax = bits.SB(n);
    rect.YMin = bits.SB(n);
    rect.YMax = bits.SB(n);
    return rect;
}

void WriteRect(TByteWriter& w, const TRect& rect) {
    unsigned n = std::max({SignedBits(rect.XMin), SignedBits(rect.XMax), SignedBits(rect.YMin), SignedBits(rect.YMax)});
    TBitWriter bits(w);
    bits.UB(5, n);
    bits.SB(n, rect.XMin);
    bits.SB(n, rect.XMax);
    bits.SB(n, rect.YMin);
    bits.SB(n, rect.YMax);
}

}  // namespace quorlin::swf
