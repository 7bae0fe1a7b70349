#pragma once
// Strings of SWF 6 and later are UTF-8; String methods count characters, not bytes.
// A byte that does not start a valid sequence counts as one character.

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::avm1 {

// Byte offsets where each character starts, and the string's size at the end.
std::vector<size_t> Utf8Offsets(const std::string& s);
size_t Utf8Length(const std::string& s);
// The code point of character index, or 0 past the end.
uint32_t Utf8CodeAt(const std::string& s, size_t index);
std::string Utf8Encode(uint32_t code);
// count characters from start; both clamp to the string.
std::string Utf8Substring(const std::string& s, size_t start, size_t count);

}  // namespace quorlin::avm1
