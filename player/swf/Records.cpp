#include "player/swf/Records.h"

namespace quorlin::swf {

TRecord DecodeTag(const TTag& tag) {
    switch (tag.Kind()) {
        case TagCode::ShowFrame: return TShowFrame{};
        case TagCode::DefineShape:
        case TagCode::DefineShape2:
        case TagCode::DefineShape3: return ReadDefineShape(tag);
        case TagCode::DefineBitsLossless:
        case TagCode::DefineBitsLossless2: return ReadDefineBitsLossless(tag);
        case TagCode::DefineSprite: return ReadDefineSprite(tag);
        case TagCode::PlaceObject: return ReadPlaceObject(tag);
        case TagCode::PlaceObject2: return ReadPlaceObject2(tag);
        case TagCode::RemoveObject: return ReadRemoveObject(tag);
        case TagCode::RemoveObject2: return ReadRemoveObject2(tag);
        case TagCode::DoAction: return ReadDoAction(tag);
        case TagCode::SetBackgroundColor: return ReadSetBackgroundColor(tag);
        case TagCode::ExportAssets: return ReadExportAssets(tag);
        case TagCode::FrameLabel: return ReadFrameLabel(tag);
        default: return tag;
    }
}

namespace {

struct TEncoder {
    TTag operator()(const TTag& t) const { return t; }
    TTag operator()(const TShowFrame&) const { return WriteShowFrame(); }
    TTag operator()(const TDefineShape& s) const { return WriteDefineShape(s); }
    TTag operator()(const TDefineBitsLossless& b) const { return WriteDefineBitsLossless(b); }
    TTag operator()(const TDefineSprite& s) const { return WriteDefineSprite(s); }
    TTag operator()(const TPlaceObject& p) const { return WritePlaceObject(p); }
    TTag operator()(const TPlaceObject2& p) const { return WritePlaceObject2(p); }
    TTag operator()(const TRemoveObject& r) const { return WriteRemoveObject(r); }
    TTag operator()(const TRemoveObject2& r) const { return WriteRemoveObject2(r); }
    TTag operator()(const TDoAction& a) const { return WriteDoAction(a); }
    TTag operator()(const TSetBackgroundColor& b) const { return WriteSetBackgroundColor(b); }
    TTag operator()(const TExportAssets& e) const { return WriteExportAssets(e); }
    TTag operator()(const TFrameLabel& l) const { return WriteFrameLabel(l); }
};

}  // namespace

TTag EncodeTag(const TRecord& record) { return std::visit(TEncoder{}, record); }

}  // namespace quorlin::swf
