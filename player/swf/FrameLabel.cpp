#include "player/swf/FrameLabel.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"

namespace quorlin::swf {

TFrameLabel ReadFrameLabel(const TTag& tag) {
    TByteReader r(tag.Body, "FrameLabel");
    TFrameLabel l;
    l.Name = r.CString();
    // The anchor flag byte is optional (SWF 6 on).
    l.Anchor = !r.AtEnd() && r.U8() == 1;
    return l;
}

TTag WriteFrameLabel(const TFrameLabel& l) {
    TByteWriter w;
    w.CString(l.Name);
    if (l.Anchor) w.U8(1);
    return {uint16_t(TagCode::FrameLabel), w.Take()};
}

}  // namespace quorlin::swf
