#pragma once
// Little-endian reading over a borrowed byte range. Every read is bounds-checked, so a
// lying length in the input becomes a TSwfError and never a read past the range.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorlin::swf {

class TByteReader {
public:
    explicit TByteReader(std::span<const uint8_t> data, std::string what = "data");

    uint8_t U8();
    uint16_t U16();
    uint32_t U32();
    int16_t S16();
    int32_t S32();
    float F32();
    // SWF stores the doubles of ActionPush as two little-endian words, high word first.
    double SwappedF64();
    // A NUL-terminated string; the NUL is consumed but not returned.
    std::string CString();
    std::span<const uint8_t> Bytes(size_t count);
    // A reader over the next count bytes, which this reader skips.
    TByteReader Sub(size_t count, std::string what);
    void Skip(size_t count);

    size_t Position() const { return FPosition; }
    size_t Size() const { return FData.size(); }
    size_t Remaining() const { return FData.size() - FPosition; }
    bool AtEnd() const { return FPosition >= FData.size(); }
    std::span<const uint8_t> Rest() const { return FData.subspan(FPosition); }
    const std::string& What() const { return FWhat; }

private:
    void Need(size_t count, const char* field) const;

    std::span<const uint8_t> FData;
    size_t FPosition = 0;
    std::string FWhat;
};

}  // namespace quorlin::swf
