#pragma once
// Little-endian writing into a growing byte vector; the counterpart of TByteReader.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin::swf {

class TByteWriter {
public:
    void U8(uint8_t v) { FData.push_back(v); }
    void U16(uint16_t v);
    void U32(uint32_t v);
    void S16(int16_t v) { U16(uint16_t(v)); }
    void S32(int32_t v) { U32(uint32_t(v)); }
    void F32(float v);
    void SwappedF64(double v);
    // Writes the text and a NUL; text with an embedded NUL cannot be stored.
    void CString(const std::string& s);
    void Bytes(std::span<const uint8_t> bytes) { FData.insert(FData.end(), bytes.begin(), bytes.end()); }
    // Overwrites a 16-bit value written earlier, for lengths known only afterwards.
    void PatchU16(size_t offset, uint16_t v);
    void PatchU32(size_t offset, uint32_t v);

    size_t Size() const { return FData.size(); }
    const std::vector<uint8_t>& Data() const { return FData; }
    std::vector<uint8_t> Take() { return std::move(FData); }

private:
    std::vector<uint8_t> FData;
};

}  // namespace quorlin::swf
