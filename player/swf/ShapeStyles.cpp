#include "player/swf/ShapeStyles.h"

#include "player/swf/BitReader.h"
#include "player/swf/BitWriter.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

namespace {

TRgba ReadColor(TByteReader& r, int version) { return version >= 3 ? ReadRgba(r) : ReadRgb(r); }

void WriteColor(TByteWriter& w, const TRgba& c, int version) {
    if (version >= 3) {
        WriteRgba(w, c);
    } else {
        if (c.A != 255) throw TSwfError("DefineShape" + std::to_string(version) + " cannot hold a translucent colour");
        WriteRgb(w, c);
    }
}

size_t ReadCount(TByteReader& r, bool extended) {
    size_t count = r.U8();
    if (count == 0xFF && extended) count = r.U16();
    return count;
}

void WriteCount(TByteWriter& w, size_t count, bool extended, const char* what) {
    if (count < 0xFF) {
        w.U8(uint8_t(count));
    } else if (extended && count <= 0xFFFF) {
        w.U8(0xFF);
        w.U16(uint16_t(count));
    } else {
        throw TSwfError(std::string("too many ") + what + " for this shape version");
    }
}

TGradient ReadGradient(TByteReader& r, int version, bool focal) {
    TGradient g;
    {
        TBitReader bits(r);
        g.SpreadMode = uint8_t(bits.UB(2));
        g.InterpolationMode = uint8_t(bits.UB(2));
        unsigned count = bits.UB(4);
        for (unsigned i = 0; i < count; ++i) {
            TGradientRecord rec;
            rec.Ratio = r.U8();
            rec.Color = ReadColor(r, version);
            g.Records.push_back(rec);
        }
    }
    if (focal) g.FocalPoint = r.S16();
    return g;
}

void WriteGradient(TByteWriter& w, const TGradient& g, int version, bool focal) {
    if (g.Records.size() > 15) throw TSwfError("gradient with more than 15 colours");
    {
        TBitWriter bits(w);
        bits.UB(2, g.SpreadMode);
        bits.UB(2, g.InterpolationMode);
        bits.UB(4, uint32_t(g.Records.size()));
    }
    for (const auto& rec : g.Records) {
        w.U8(rec.Ratio);
        WriteColor(w, rec.Color, version);
    }
    if (focal) w.S16(g.FocalPoint);
}

TFillStyle ReadFillStyle(TByteReader& r, int version) {
    TFillStyle f;
    f.Type = r.U8();
    if (f.Type == FillType::Solid) {
        f.Color = ReadColor(r, version);
    } else if (f.IsGradient()) {
        f.Matrix = ReadMatrix(r);
        f.Gradient = ReadGradient(r, version, f.Type == FillType::FocalGradient);
    } else if (f.IsBitmap()) {
        f.BitmapId = r.U16();
        f.Matrix = ReadMatrix(r);
    } else {
        throw TSwfError(r.What() + ": unknown fill style type " + std::to_string(f.Type));
    }
    return f;
}

void WriteFillStyle(TByteWriter& w, const TFillStyle& f, int version) {
    w.U8(f.Type);
    if (f.Type == FillType::Solid) {
        WriteColor(w, f.Color, version);
    } else if (f.IsGradient()) {
        WriteMatrix(w, f.Matrix);
        WriteGradient(w, f.Gradient, version, f.Type == FillType::FocalGradient);
    } else if (f.IsBitmap()) {
        w.U16(f.BitmapId);
        WriteMatrix(w, f.Matrix);
    } else {
        throw TSwfError("unknown fill style type " + std::to_string(f.Type));
    }
}

}  // namespace

TShapeStyles ReadShapeStyles(TByteReader& r, int version) {
    TShapeStyles s;
    size_t fills = ReadCount(r, version >= 2);
    for (size_t i = 0; i < fills; ++i) s.Fills.push_back(ReadFillStyle(r, version));
    size_t lines = ReadCount(r, true);
    for (size_t i = 0; i < lines; ++i) {
        TLineStyle l;
        l.Width = r.U16();
        l.Color = ReadColor(r, version);
        s.Lines.push_back(l);
    }
    return s;
}

void WriteShapeStyles(TByteWriter& w, const TShapeStyles& s, int version) {
    WriteCount(w, s.Fills.size(), version >= 2, "fill styles");
    for (const auto& f : s.Fills) WriteFillStyle(w, f, version);
    WriteCount(w, s.Lines.size(), true, "line styles");
    for (const auto& l : s.Lines) {
        w.U16(l.Width);
        WriteColor(w, l.Color, version);
    }
}

}  // namespace quorlin::swf
