#include "player/swf/BitReader.h"

#include "player/swf/SwfError.h"

namespace quorlin::swf {

uint32_t TBitReader::UB(unsigned bits) {
    if (bits > 32) throw TSwfError(FBytes.What() + ": bit field of " + std::to_string(bits) + " bits");
    uint32_t v = 0;
    for (unsigned i = 0; i < bits; ++i) {
        if (FCount == 0) {
            FByte = FBytes.U8();
            FCount = 8;
        }
        --FCount;
        v = (v << 1) | ((FByte >> FCount) & 1u);
    }
    return v;
}

int32_t TBitReader::SB(unsigned bits) {
    uint32_t v = UB(bits);
    if (bits > 0 && bits < 32 && (v & (1u << (bits - 1)))) v |= ~0u << bits;
    return int32_t(v);
}

}  // namespace quorlin::swf
