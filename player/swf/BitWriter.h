#pragma once
// Writing bit-packed fields into a TByteWriter, most significant bit first.

#include "player/swf/ByteWriter.h"

#include <cstdint>

namespace quorlin::swf {

// Bits that hold v as an unsigned or a signed field.
unsigned UnsignedBits(uint32_t v);
unsigned SignedBits(int32_t v);

class TBitWriter {
public:
    explicit TBitWriter(TByteWriter& bytes) : FBytes(bytes) {}
    ~TBitWriter() { Align(); }
    TBitWriter(const TBitWriter&) = delete;
    TBitWriter& operator=(const TBitWriter&) = delete;

    // Throws when v does not fit in bits.
    void UB(unsigned bits, uint32_t v);
    void SB(unsigned bits, int32_t v);
    void Flag(bool b) { UB(1, b ? 1 : 0); }
    // Pads the current byte with zero bits and writes it.
    void Align();

private:
    TByteWriter& FBytes;
    uint8_t FByte = 0;
    unsigned FCount = 0;  // bits already in FByte
};

}  // namespace quorlin::swf
