#include "player/swf/ByteReader.h"

#include "player/swf/SwfError.h"

#include <bit>
#include <cstring>

namespace quorlin::swf {

TByteReader::TByteReader(std::span<const uint8_t> data, std::string what)
    : FData(data), FWhat(std::move(what)) {}

void TByteReader::Need(size_t count, const char* field) const {
    if (count > Remaining()) {
        throw TSwfError(FWhat + ": " + field + " at offset " + std::to_string(FPosition) + " needs " +
                        std::to_string(count) + " bytes, only " + std::to_string(Remaining()) + " left");
    }
}

uint8_t TByteReader::U8() {
    Need(1, "byte");
    return FData[FPosition++];
}

uint16_t TByteReader::U16() {
    Need(2, "16-bit value");
    uint16_t v = uint16_t(FData[FPosition] | (FData[FPosition + 1] << 8));
    FPosition += 2;
    return v;
}

uint32_t TByteReader::U32() {
    Need(4, "32-bit value");
    uint32_t v = uint32_t(FData[FPosition]) | uint32_t(FData[FPosition + 1]) << 8 |
                 uint32_t(FData[FPosition + 2]) << 16 | uint32_t(FData[FPosition + 3]) << 24;
    FPosition += 4;
    return v;
}

int16_t TByteReader::S16() { return int16_t(U16()); }
int32_t TByteReader::S32() { return int32_t(U32()); }

float TByteReader::F32() { return std::bit_cast<float>(U32()); }

double TByteReader::SwappedF64() {
    Need(8, "double");
    uint64_t high = U32();
    uint64_t low = U32();
    return std::bit_cast<double>(high << 32 | low);
}

std::string TByteReader::CString() {
    const uint8_t* start = FData.data() + FPosition;
    const void* nul = std::memchr(start, 0, Remaining());
    if (!nul) {
        throw TSwfError(FWhat + ": string at offset " + std::to_string(FPosition) + " has no terminating NUL");
    }
    size_t length = size_t(static_cast<const uint8_t*>(nul) - start);
    std::string s(reinterpret_cast<const char*>(start), length);
    FPosition += length + 1;
    return s;
}

std::span<const uint8_t> TByteReader::Bytes(size_t count) {
    Need(count, "byte block");
    auto s = FData.subspan(FPosition, count);
    FPosition += count;
    return s;
}

TByteReader TByteReader::Sub(size_t count, std::string what) {
    Need(count, what.c_str());
    TByteReader sub(FData.subspan(FPosition, count), std::move(what));
    FPosition += count;
    return sub;
}

void TByteReader::Skip(size_t count) {
    Need(count, "skipped block");
    FPosition += count;
}

}  // namespace quorlin::swf
