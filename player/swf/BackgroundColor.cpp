#include "player/swf/BackgroundColor.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

namespace quorlin::swf {

TSetBackgroundColor ReadSetBackgroundColor(const TTag& tag) {
    TByteReader r(tag.Body, "SetBackgroundColor");
    return {ReadRgb(r)};
}

TTag WriteSetBackgroundColor(const TSetBackgroundColor& b) {
    TByteWriter w;
    WriteRgb(w, b.Color);
    return {uint16_t(TagCode::SetBackgroundColor), w.Take()};
}

}  // namespace quorlin::swf
