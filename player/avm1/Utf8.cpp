#include "player/avm1/Utf8.h"

#include <algorithm>

namespace quorlin::avm1 {

namespace {

// Length of the valid sequence at s[i], or 1 for a stray byte.
size_t SequenceLength(const std::string& s, size_t i) {
    auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    uint8_t lead = byte(i);
    size_t n = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return 1;
    for (size_t k = 1; k < n; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 1;
    return n;
}

}  // namespace

std::vector<size_t> Utf8Offsets(const std::string& s) {
    std::vector<size_t> offsets;
    offsets.reserve(s.size() + 1);
    for (size_t i = 0; i < s.size(); i += SequenceLength(s, i))
        offsets.push_back(i);
    offsets.push_back(s.size());
    return offsets;
}

size_t Utf8Length(const std::string& s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size(); i += SequenceLength(s, i))
        ++n;
    return n;
}

uint32_t Utf8CodeAt(const std::string& s, size_t index) {
    std::vector<size_t> offsets = Utf8Offsets(s);
    if (index + 1 >= offsets.size())
        return 0;
    size_t i = offsets[index], n = offsets[index + 1] - i;
    auto byte = [&](size_t k) { return static_cast<uint32_t>(static_cast<uint8_t>(s[k])); };
    if (n == 1)
        return byte(i);
    uint32_t code = byte(i) & (0x7F >> n);
    for (size_t k = 1; k < n; ++k)
        code = (code << 6) | (byte(i + k) & 0x3F);
    return code;
}

std::string Utf8Encode(uint32_t code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | ((code >> 18) & 0x07));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

std::string Utf8Substring(const std::string& s, size_t start, size_t count) {
    std::vector<size_t> offsets = Utf8Offsets(s);
    size_t length = offsets.size() - 1;
    start = std::min(start, length);
    count = std::min(count, length - start);
    return s.substr(offsets[start], offsets[start + count] - offsets[start]);
}

}  // namespace quorlin::avm1
