#pragma once
// Decoding of action records straight from the bytes of a DoAction block, one at a
// time: the machine branches by byte offsets, so it never decodes ahead.

#include "player/swf/ActionCode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorlin::avm1 {

// A run of action bytes inside a shared buffer; functions keep their body alive
// through it after the block that defined them is gone.
struct TCode {
    std::shared_ptr<const std::vector<uint8_t>> FBytes;
    size_t FBegin = 0;
    size_t FEnd = 0;

    static TCode Copy(std::span<const uint8_t> bytes);
    TCode Sub(size_t begin, size_t end) const { return TCode{FBytes, begin, end}; }
};

// One decoded action record; offsets are absolute in the buffer.
struct TAction {
    uint8_t FCode = 0;
    size_t FOffset = 0;   // where the record starts
    size_t FPayload = 0;  // where its payload starts
    size_t FLength = 0;   // payload length
    size_t FNext = 0;     // the record after it
};

// Reads the record at pos; throws TScriptError when it runs past the code.
TAction ReadAction(const TCode& code, size_t pos);

// Reads the fields of one payload, never past its end.
class TPayloadReader {
public:
    TPayloadReader(const TCode& code, const TAction& action);
    bool AtEnd() const { return FPos >= FEnd; }
    size_t Position() const { return FPos; }
    uint8_t U8();
    uint16_t U16();
    int16_t I16() { return static_cast<int16_t>(U16()); }
    uint32_t U32();
    float Float();
    // The 64-bit double of ActionPush: two little-endian halves, high half first.
    double Double();
    // A zero-terminated string.
    std::string String();

private:
    void Need(size_t n) const;
    const uint8_t* FData;
    size_t FPos;
    size_t FEnd;
    uint8_t FCode;
};

}  // namespace quorlin::avm1
