#include "player/swf/Shape.h"

#include "player/swf/BitReader.h"
#include "player/swf/BitWriter.h"
#include "player/swf/SwfError.h"

#include <algorithm>

namespace quorlin::swf {

namespace {

int ShapeVersion(uint16_t code) {
    switch (TagCode(code)) {
        case TagCode::DefineShape: return 1;
        case TagCode::DefineShape2: return 2;
        case TagCode::DefineShape3: return 3;
        default: throw TSwfError(TagName(code) + " is not a DefineShape tag of version 1 to 3");
    }
}

uint16_t ShapeCode(int version) {
    switch (version) {
        case 1: return uint16_t(TagCode::DefineShape);
        case 2: return uint16_t(TagCode::DefineShape2);
        case 3: return uint16_t(TagCode::DefineShape3);
        default: throw TSwfError("DefineShape version " + std::to_string(version) + " is not 1 to 3");
    }
}

// Reads records up to the end record; the bit reader continues across new style
// arrays, which start on a byte.
std::vector<TShapeRecord> ReadRecords(TByteReader& r, int version) {
    std::vector<TShapeRecord> records;
    TBitReader bits(r);
    unsigned fillBits = bits.UB(4), lineBits = bits.UB(4);
    for (;;) {
        if (!bits.Flag()) {
            bool newStyles = bits.Flag(), lineStyle = bits.Flag(), fill1 = bits.Flag(), fill0 = bits.Flag(),
                 moveTo = bits.Flag();
            if (!newStyles && !lineStyle && !fill1 && !fill0 && !moveTo) break;
            TStyleChange c;
            if (moveTo) {
                unsigned n = bits.UB(5);
                int32_t x = bits.SB(n);
                c.MoveTo = std::pair{x, bits.SB(n)};
            }
            if (fill0) c.FillStyle0 = bits.UB(fillBits);
            if (fill1) c.FillStyle1 = bits.UB(fillBits);
            if (lineStyle) c.LineStyle = bits.UB(lineBits);
            if (newStyles) {
                bits.Align();
                c.NewStyles = ReadShapeStyles(r, version);
                fillBits = bits.UB(4);
                lineBits = bits.UB(4);
            }
            records.push_back(std::move(c));
        } else if (bits.Flag()) {
            unsigned n = bits.UB(4) + 2;
            TStraightEdge e;
            if (bits.Flag()) {
                e.DeltaX = bits.SB(n);
                e.DeltaY = bits.SB(n);
            } else if (bits.Flag()) {
                e.DeltaY = bits.SB(n);
            } else {
                e.DeltaX = bits.SB(n);
            }
            records.push_back(e);
        } else {
            unsigned n = bits.UB(4) + 2;
            TCurvedEdge e;
            e.ControlDeltaX = bits.SB(n);
            e.ControlDeltaY = bits.SB(n);
            e.AnchorDeltaX = bits.SB(n);
            e.AnchorDeltaY = bits.SB(n);
            records.push_back(e);
        }
    }
    return records;
}

unsigned EdgeBits(std::initializer_list<int32_t> values) {
    unsigned n = 2;
    for (int32_t v : values) n = std::max(n, SignedBits(v));
    if (n > 17) throw TSwfError("shape edge delta needs more than 17 bits");
    return n;
}

unsigned StyleBits(size_t count) { return UnsignedBits(uint32_t(count)); }

void WriteRecords(TByteWriter& w, const TDefineShape& shape) {
    TBitWriter bits(w);
    unsigned fillBits = StyleBits(shape.Styles.Fills.size()), lineBits = StyleBits(shape.Styles.Lines.size());
    bits.UB(4, fillBits);
    bits.UB(4, lineBits);
    for (const TShapeRecord& record : shape.Records) {
        if (auto* c = std::get_if<TStyleChange>(&record)) {
            bits.Flag(false);
            bits.Flag(c->NewStyles.has_value());
            bits.Flag(c->LineStyle.has_value());
            bits.Flag(c->FillStyle1.has_value());
            bits.Flag(c->FillStyle0.has_value());
            bits.Flag(c->MoveTo.has_value());
            if (c->MoveTo) {
                unsigned n = std::max(SignedBits(c->MoveTo->first), SignedBits(c->MoveTo->second));
                bits.UB(5, n);
                bits.SB(n, c->MoveTo->first);
                bits.SB(n, c->MoveTo->second);
            }
            if (c->FillStyle0) bits.UB(fillBits, *c->FillStyle0);
            if (c->FillStyle1) bits.UB(fillBits, *c->FillStyle1);
            if (c->LineStyle) bits.UB(lineBits, *c->LineStyle);
            if (c->NewStyles) {
                if (shape.Version < 2) throw TSwfError("DefineShape cannot change its style arrays");
                bits.Align();
                WriteShapeStyles(w, *c->NewStyles, shape.Version);
                fillBits = StyleBits(c->NewStyles->Fills.size());
                lineBits = StyleBits(c->NewStyles->Lines.size());
                bits.UB(4, fillBits);
                bits.UB(4, lineBits);
            }
        } else if (auto* e = std::get_if<TStraightEdge>(&record)) {
            unsigned n = EdgeBits({e->DeltaX, e->DeltaY});
            bits.Flag(true);
            bits.Flag(true);
            bits.UB(4, n - 2);
            bool general = e->DeltaX != 0 && e->DeltaY != 0;
            bits.Flag(general);
            if (general) {
                bits.SB(n, e->DeltaX);
                bits.SB(n, e->DeltaY);
            } else {
                bool vertical = e->DeltaX == 0;
                bits.Flag(vertical);
                bits.SB(n, vertical ? e->DeltaY : e->DeltaX);
            }
        } else {
            auto& q = std::get<TCurvedEdge>(record);
            unsigned n = EdgeBits({q.ControlDeltaX, q.ControlDeltaY, q.AnchorDeltaX, q.AnchorDeltaY});
            bits.Flag(true);
            bits.Flag(false);
            bits.UB(4, n - 2);
            bits.SB(n, q.ControlDeltaX);
            bits.SB(n, q.ControlDeltaY);
            bits.SB(n, q.AnchorDeltaX);
            bits.SB(n, q.AnchorDeltaY);
        }
    }
    bits.UB(6, 0);
}

}  // namespace

TDefineShape ReadDefineShape(const TTag& tag) {
    TDefineShape shape;
    shape.Version = ShapeVersion(tag.Code);
    TByteReader r(tag.Body, TagName(tag.Code));
    shape.Id = r.U16();
    shape.Bounds = ReadRect(r);
    shape.Styles = ReadShapeStyles(r, shape.Version);
    shape.Records = ReadRecords(r, shape.Version);
    return shape;
}

TTag WriteDefineShape(const TDefineShape& shape) {
    TTag tag;
    tag.Code = ShapeCode(shape.Version);
    TByteWriter w;
    w.U16(shape.Id);
    WriteRect(w, shape.Bounds);
    WriteShapeStyles(w, shape.Styles, shape.Version);
    WriteRecords(w, shape);
    tag.Body = w.Take();
    return tag;
}

}  // namespace quorlin::swf
