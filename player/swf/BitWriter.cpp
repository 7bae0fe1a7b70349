#include "player/swf/BitWriter.h"

#include "player/swf/SwfError.h"

#include <bit>

namespace quorlin::swf {

unsigned UnsignedBits(uint32_t v) { return unsigned(std::bit_width(v)); }

unsigned SignedBits(int32_t v) {
    uint32_t magnitude = v < 0 ? ~uint32_t(v) : uint32_t(v);
    return unsigned(std::bit_width(magnitude)) + 1;
}

void TBitWriter::UB(unsigned bits, uint32_t v) {
    if (bits > 32 || (bits < 32 && (v >> bits) != 0)) {
        throw TSwfError("value " + std::to_string(v) + " does not fit in " + std::to_string(bits) + " bits");
    }
    for (unsigned i = bits; i-- > 0;) {
        FByte = uint8_t(FByte | (((v >> i) & 1u) << (7 - FCount)));
        if (++FCount == 8) {
            FBytes.U8(FByte);
            FByte = 0;
            FCount = 0;
        }
    }
}

void TBitWriter::SB(unsigned bits, int32_t v) {
    if (bits == 0 ? v != 0 : SignedBits(v) > bits) {
        throw TSwfError("value " + std::to_string(v) + " does not fit in " + std::to_string(bits) + " signed bits");
    }
    uint32_t u = uint32_t(v);
    if (bits < 32) u &= (1u << bits) - 1;
    UB(bits, u);
}

void TBitWriter::Align() {
    if (FCount) {
        FBytes.U8(FByte);
        FByte = 0;
        FCount = 0;
    }
}

}  // namespace quorlin::swf
