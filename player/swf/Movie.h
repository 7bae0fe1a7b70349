#pragma once
// A whole SWF file: the FWS or CWS header, the movie header and the main timeline's
// tags (raw; see Records.h to decode them).

#include "player/swf/Rect.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorlin::swf {

struct TMovie {
    bool Compressed = true;  // CWS: the body after the first 8 bytes is one zlib stream
    uint8_t Version = 7;
    TRect Frame;
    uint16_t FrameRate = 0x0C00;  // 8.8 fixed point frames per second
    uint16_t FrameCount = 1;
    std::vector<TTag> Tags;  // without the closing End

    double FramesPerSecond() const { return FrameRate / 256.0; }
    bool operator==(const TMovie&) const = default;
};

// Reads a file. A signature other than FWS or CWS, a length field that the body does not
// match, damaged zlib data or a tag past the end is a TSwfError.
TMovie ReadMovie(std::span<const uint8_t> file);

// Writes a file; its length field holds the uncompressed length, header included.
std::vector<uint8_t> WriteMovie(const TMovie& movie);

}  // namespace quorlin::swf
