#include "player/avm1/ActionStream.h"

#include "player/avm1/Error.h"

#include <cstring>

namespace quorlin::avm1 {

namespace {

std::string Hex(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[(value >> 4) & 15] + digits[value & 15];
}

}  // namespace

TCode TCode::Copy(std::span<const uint8_t> bytes) {
    auto buffer = std::make_shared<const std::vector<uint8_t>>(bytes.begin(), bytes.end());
    return TCode{buffer, 0, buffer->size()};
}

TAction ReadAction(const TCode& code, size_t pos) {
    if (pos >= code.FEnd)
        throw TScriptError("action read past the end of its code at offset " + std::to_string(pos));
    const uint8_t* data = code.FBytes->data();
    TAction action;
    action.FCode = data[pos];
    action.FOffset = pos;
    if (!swf::HasPayload(action.FCode)) {
        action.FPayload = action.FNext = pos + 1;
        return action;
    }
    if (code.FEnd - pos < 3)
        throw TScriptError("action " + Hex(action.FCode) + " at offset " + std::to_string(pos) +
                           " is cut off before its length");
    action.FLength = static_cast<size_t>(data[pos + 1]) | (static_cast<size_t>(data[pos + 2]) << 8);
    action.FPayload = pos + 3;
    if (action.FLength > code.FEnd - action.FPayload)
        throw TScriptError("action " + Hex(action.FCode) + " at offset " + std::to_string(pos) +
                           " claims " + std::to_string(action.FLength) + " bytes past the end of its code");
    action.FNext = action.FPayload + action.FLength;
    return action;
}

TPayloadReader::TPayloadReader(const TCode& code, const TAction& action)
    : FData(code.FBytes->data()), FPos(action.FPayload), FEnd(action.FNext), FCode(action.FCode) {}

void TPayloadReader::Need(size_t n) const {
    if (FEnd - FPos < n)
        throw TScriptError("payload of action " + Hex(FCode) + " is too short");
}

uint8_t TPayloadReader::U8() {
    Need(1);
    return FData[FPos++];
}

uint16_t TPayloadReader::U16() {
    Need(2);
    uint16_t v = static_cast<uint16_t>(FData[FPos] | (FData[FPos + 1] << 8));
    FPos += 2;
    return v;
}

uint32_t TPayloadReader::U32() {
    Need(4);
    uint32_t v = static_cast<uint32_t>(FData[FPos]) | (static_cast<uint32_t>(FData[FPos + 1]) << 8) |
                 (static_cast<uint32_t>(FData[FPos + 2]) << 16) | (static_cast<uint32_t>(FData[FPos + 3]) << 24);
    FPos += 4;
    return v;
}

float TPayloadReader::Float() {
    uint32_t bits = U32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

double TPayloadReader::Double() {
    uint64_t high = U32();
    uint64_t low = U32();
    uint64_t bits = (high << 32) | low;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::string TPayloadReader::String() {
    const uint8_t* start = FData + FPos;
    const void* zero = std::memchr(start, 0, FEnd - FPos);
    if (!zero)
        throw TScriptError("string in action " + Hex(FCode) + " has no terminating zero");
    size_t length = static_cast<const uint8_t*>(zero) - start;
    std::string s(reinterpret_cast<const char*>(start), length);
    FPos += length + 1;
    return s;
}

}  // namespace quorlin::avm1
