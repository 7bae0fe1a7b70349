#pragma once
// Bit-packed fields (RECT, MATRIX, CXFORM, shape records), most significant bit first.
// Bytes come from a TByteReader, so a field that runs past the input is its error.

#include "player/swf/ByteReader.h"

#include <cstdint>

namespace quorlin::swf {

class TBitReader {
public:
    explicit TBitReader(TByteReader& bytes) : FBytes(bytes) {}

    uint32_t UB(unsigned bits);
    int32_t SB(unsigned bits);
    // 16.16 fixed point, kept as its raw signed value.
    int32_t FB(unsigned bits) { return SB(bits); }
    bool Flag() { return UB(1) != 0; }
    // Drops the bits left in the current byte; the next field starts on a byte.
    void Align() { FCount = 0; }

private:
    TByteReader& FBytes;
    uint8_t FByte = 0;
    unsigned FCount = 0;  // unread bits of FByte
};

}  // namespace quorlin::swf
