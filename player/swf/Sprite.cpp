#include "player/swf/Sprite.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

namespace quorlin::swf {

TDefineSprite ReadDefineSprite(const TTag& tag) {
    TByteReader r(tag.Body, "DefineSprite");
    TDefineSprite s;
    s.Id = r.U16();
    s.FrameCount = r.U16();
    s.Tags = ReadTags(r.Rest(), "DefineSprite timeline");
    return s;
}

TTag WriteDefineSprite(const TDefineSprite& s) {
    TByteWriter w;
    w.U16(s.Id);
    w.U16(s.FrameCount);
    w.Bytes(WriteTags(s.Tags));
    return {uint16_t(TagCode::DefineSprite), w.Take()};
}

}  // namespace quorlin::swf
