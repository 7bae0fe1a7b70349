#pragma once
// A tag as stored: its code and its body bytes. Every tag of a file is kept in this
// form, so unknown tags survive a read and a write unchanged; the record types decode
// the tags they know from it.

#include "player/swf/TagCode.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quorlin::swf {

struct TTag {
    uint16_t Code = 0;
    std::vector<uint8_t> Body;

    TagCode Kind() const { return TagCode(Code); }
    bool operator==(const TTag&) const = default;
};

// The tags of a tag stream (the file body after the header, or the inside of a sprite)
// up to the End tag, which is consumed but not returned. A stream that simply runs out
// is accepted; a tag whose length runs past it is a TSwfError.
std::vector<TTag> ReadTags(std::span<const uint8_t> stream, const char* what = "tag stream");

// The tags followed by an End tag. Bitmap tags always get the long header, as some
// players expect; other tags get it only when their body needs it.
std::vector<uint8_t> WriteTags(const std::vector<TTag>& tags);

}  // namespace quorlin::swf
