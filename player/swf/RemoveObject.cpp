#include "player/swf/RemoveObject.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

namespace quorlin::swf {

TRemoveObject ReadRemoveObject(const TTag& tag) {
    TByteReader r(tag.Body, "RemoveObject");
    TRemoveObject o;
    o.CharacterId = r.U16();
    o.Depth = r.U16();
    return o;
}

TTag WriteRemoveObject(const TRemoveObject& o) {
    TByteWriter w;
    w.U16(o.CharacterId);
    w.U16(o.Depth);
    return {uint16_t(TagCode::RemoveObject), w.Take()};
}

TRemoveObject2 ReadRemoveObject2(const TTag& tag) {
    TByteReader r(tag.Body, "RemoveObject2");
    return {r.U16()};
}

TTag WriteRemoveObject2(const TRemoveObject2& o) {
    TByteWriter w;
    w.U16(o.Depth);
    return {uint16_t(TagCode::RemoveObject2), w.Take()};
}

}  // namespace quorlin::swf
