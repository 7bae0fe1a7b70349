#include "player/swf/PlaceObject.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

namespace {

void Expect(const TTag& tag, TagCode code) {
    if (tag.Kind() != code) throw TSwfError(TagName(tag.Code) + " read as " + TagName(uint16_t(code)));
}

namespace Flag {
constexpr uint8_t Move = 0x01, Character = 0x02, Matrix = 0x04, ColorTransform = 0x08, Ratio = 0x10, Name = 0x20,
                  ClipDepth = 0x40, ClipActions = 0x80;
}

}  // namespace

TPlaceObject ReadPlaceObject(const TTag& tag) {
    Expect(tag, TagCode::PlaceObject);
    TByteReader r(tag.Body, "PlaceObject");
    TPlaceObject p;
    p.CharacterId = r.U16();
    p.Depth = r.U16();
    p.Matrix = ReadMatrix(r);
    if (!r.AtEnd()) p.ColorTransform = ReadCxform(r);
    return p;
}

TTag WritePlaceObject(const TPlaceObject& p) {
    TByteWriter w;
    w.U16(p.CharacterId);
    w.U16(p.Depth);
    WriteMatrix(w, p.Matrix);
    if (p.ColorTransform) WriteCxform(w, *p.ColorTransform);
    return {uint16_t(TagCode::PlaceObject), w.Take()};
}

TPlaceObject2 ReadPlaceObject2(const TTag& tag) {
    Expect(tag, TagCode::PlaceObject2);
    TByteReader r(tag.Body, "PlaceObject2");
    TPlaceObject2 p;
    uint8_t flags = r.U8();
    p.Move = flags & Flag::Move;
    p.Depth = r.U16();
    if (flags & Flag::Character) p.CharacterId = r.U16();
    if (flags & Flag::Matrix) p.Matrix = ReadMatrix(r);
    if (flags & Flag::ColorTransform) p.ColorTransform = ReadCxformWithAlpha(r);
    if (flags & Flag::Ratio) p.Ratio = r.U16();
    if (flags & Flag::Name) p.Name = r.CString();
    if (flags & Flag::ClipDepth) p.ClipDepth = r.U16();
    if (flags & Flag::ClipActions) {
        auto rest = r.Rest();
        p.ClipActions.emplace(rest.begin(), rest.end());
    }
    return p;
}

TTag WritePlaceObject2(const TPlaceObject2& p) {
    uint8_t flags = (p.Move ? Flag::Move : 0) | (p.CharacterId ? Flag::Character : 0) | (p.Matrix ? Flag::Matrix : 0) |
                    (p.ColorTransform ? Flag::ColorTransform : 0) | (p.Ratio ? Flag::Ratio : 0) |
                    (p.Name ? Flag::Name : 0) | (p.ClipDepth ? Flag::ClipDepth : 0) |
                    (p.ClipActions ? Flag::ClipActions : 0);
    TByteWriter w;
    w.U8(flags);
    w.U16(p.Depth);
    if (p.CharacterId) w.U16(*p.CharacterId);
    if (p.Matrix) WriteMatrix(w, *p.Matrix);
    if (p.ColorTransform) WriteCxformWithAlpha(w, *p.ColorTransform);
    if (p.Ratio) w.U16(*p.Ratio);
    if (p.Name) w.CString(*p.Name);
    if (p.ClipDepth) w.U16(*p.ClipDepth);
    if (p.ClipActions) w.Bytes(*p.ClipActions);
    return {uint16_t(TagCode::PlaceObject2), w.Take()};
}

}  // namespace quorlin::swf
