#pragma once
// zlib streams through the zlib library: the compressed body of a CWS file and the
// pixel data of lossless bitmaps.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin::swf {

// Inflates one zlib stream that must give exactly expected bytes. consumed, when given,
// receives the number of input bytes the stream took. A damaged stream, one that ends
// early or one that would give more is a TSwfError naming what.
std::vector<uint8_t> Inflate(std::span<const uint8_t> input, size_t expected, const std::string& what,
                             size_t* consumed = nullptr);

// One zlib stream at the given level (9, the best compression, gives the header 78 DA).
std::vector<uint8_t> Deflate(std::span<const uint8_t> input, int level = 9);

}  // namespace quorlin::swf
