#include "player/swf/ExportAssets.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

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

}  // namespace quorlin::swf
