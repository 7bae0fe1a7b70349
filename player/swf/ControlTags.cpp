#include "player/swf/ControlTags.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

TDoAction ReadDoAction(const TTag& tag) { return {tag.Body}; }

TTag WriteDoAction(const TDoAction& a) { return {uint16_t(TagCode::DoAction), a.Actions}; }

TSetBackgroundColor ReadSetBackgroundColor(const TTag& tag) {
    TByteReader r(tag.Body, "SetBackgroundColor");
    return {ReadRgb(r)};
}

TTag WriteSetBackgroundColor(const TSetBackgroundColor& b) {
    TByteWriter w;
    WriteRgb(w, b.Color);
    return {uint16_t(TagCode::SetBackgroundColor), w.Take()};
}

TExportAssets ReadExportAssets(const TTag& tag) {
    TByteReader r(tag.Body, "ExportAssets");
    TExportAssets e;
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t id = r.U16();
        e.Assets.emplace_back(id, r.CString());
    }
    return e;
}

TTag WriteExportAssets(const TExportAssets& e) {
    if (e.Assets.size() > 0xFFFF) throw TSwfError("ExportAssets: more than 65535 assets");
    TByteWriter w;
    w.U16(uint16_t(e.Assets.size()));
    for (const auto& [id, name] : e.Assets) {
        w.U16(id);
        w.CString(name);
    }
    return {uint16_t(TagCode::ExportAssets), w.Take()};
}

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

TTag WriteShowFrame() { return {uint16_t(TagCode::ShowFrame), {}}; }

}  // namespace quorlin::swf
