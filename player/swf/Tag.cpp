#include "player/swf/Tag.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

namespace {

bool NeedsLongHeader(const TTag& tag) {
    switch (tag.Kind()) {
        case TagCode::DefineBits:
        case TagCode::DefineBitsJpeg2:
        case TagCode::DefineBitsJpeg3:
        case TagCode::DefineBitsLossless:
        case TagCode::DefineBitsLossless2: return true;
        default: return tag.Body.size() >= 0x3F;
    }
}

}  // namespace

std::vector<TTag> ReadTags(std::span<const uint8_t> stream, const char* what) {
    std::vector<TTag> tags;
    TByteReader r(stream, what);
    while (!r.AtEnd()) {
        size_t at = r.Position();
        uint16_t header = r.U16();
        TTag tag;
        tag.Code = uint16_t(header >> 6);
        uint32_t length = header & 0x3F;
        if (length == 0x3F) length = r.U32();
        if (length > r.Remaining()) {
            throw TSwfError(std::string(what) + ": tag " + TagName(tag.Code) + " at offset " + std::to_string(at) +
                            " claims " + std::to_string(length) + " bytes, only " + std::to_string(r.Remaining()) +
                            " left");
        }
        if (tag.Kind() == TagCode::End) break;
        auto body = r.Bytes(length);
        tag.Body.assign(body.begin(), body.end());
        tags.push_back(std::move(tag));
    }
    return tags;
}

std::vector<uint8_t> WriteTags(const std::vector<TTag>& tags) {
    TByteWriter w;
    for (const TTag& tag : tags) {
        if (tag.Code > 0x3FF) throw TSwfError("tag code " + std::to_string(tag.Code) + " does not fit in 10 bits");
        if (tag.Body.size() > 0xFFFFFFFFu) throw TSwfError("tag body too long");
        if (NeedsLongHeader(tag)) {
            w.U16(uint16_t(tag.Code << 6 | 0x3F));
            w.U32(uint32_t(tag.Body.size()));
        } else {
            w.U16(uint16_t(tag.Code << 6 | tag.Body.size()));
        }
        w.Bytes(tag.Body);
    }
    w.U16(0);
    return w.Take();
}

}  // namespace quorlin::swf
