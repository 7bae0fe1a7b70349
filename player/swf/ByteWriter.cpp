#include "player/swf/ByteWriter.h"

#include "player/swf/SwfError.h"

#include <bit>

namespace quorlin::swf {

void TByteWriter::U16(uint16_t v) {
    FData.push_back(uint8_t(v));
    FData.push_back(uint8_t(v >> 8));
}

void TByteWriter::U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) FData.push_back(uint8_t(v >> (8 * i)));
}

void TByteWriter::F32(float v) { U32(std::bit_cast<uint32_t>(v)); }

void TByteWriter::SwappedF64(double v) {
    uint64_t bits = std::bit_cast<uint64_t>(v);
    U32(uint32_t(bits >> 32));
    U32(uint32_t(bits));
}

void TByteWriter::CString(const std::string& s) {
    if (s.find('\0') != std::string::npos) throw TSwfError("string with an embedded NUL cannot be written");
    FData.insert(FData.end(), s.begin(), s.end());
    FData.push_back(0);
}

void TByteWriter::PatchU16(size_t offset, uint16_t v) {
    FData.at(offset) = uint8_t(v);
    FData.at(offset + 1) = uint8_t(v >> 8);
}

void TByteWriter::PatchU32(size_t offset, uint32_t v) {
    for (int i = 0; i < 4; ++i) FData.at(offset + i) = uint8_t(v >> (8 * i));
}

}  // namespace quorlin::swf
