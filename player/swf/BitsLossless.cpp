#include "player/swf/BitsLossless.h"

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"
#include "player/swf/Zlib.h"

namespace quorlin::swf {

namespace {

// Decoded pixels beyond this are refused rather than allocated.
constexpr size_t MaxBitmapBytes = size_t(128) << 20;

size_t PaddedRow(size_t bytes) { return (bytes + 3) & ~size_t(3); }

size_t BytesPerPixel(uint8_t format) { return format == BitmapFormat::Palette8 ? 1 : format == BitmapFormat::Rgb15 ? 2 : 4; }

void CheckFormat(int version, uint8_t format) {
    bool ok = format == BitmapFormat::Palette8 || format == BitmapFormat::Rgb32 ||
              (format == BitmapFormat::Rgb15 && version == 1);
    if (!ok) {
        throw TSwfError("DefineBitsLossless" + std::string(version == 2 ? "2" : "") + ": bitmap format " +
                        std::to_string(format) + " is not supported");
    }
}

uint8_t Expand5(uint32_t v) { return uint8_t(v << 3 | v >> 2); }

}  // namespace

TRgba TDefineBitsLossless::PixelAt(uint32_t x, uint32_t y) const {
    size_t i = size_t(y) * Width + x;
    if (Format != BitmapFormat::Palette8) return i < Pixels.size() ? Pixels[i] : TRgba{0, 0, 0, 0};
    if (i >= Indices.size() || Indices[i] >= Palette.size()) return TRgba{0, 0, 0, 0};
    return Palette[Indices[i]];
}

TDefineBitsLossless ReadDefineBitsLossless(const TTag& tag) {
    TDefineBitsLossless b;
    if (tag.Kind() == TagCode::DefineBitsLossless) {
        b.Version = 1;
    } else if (tag.Kind() != TagCode::DefineBitsLossless2) {
        throw TSwfError(TagName(tag.Code) + " is not a DefineBitsLossless tag");
    }
    std::string what = TagName(tag.Code);
    TByteReader r(tag.Body, what);
    b.Id = r.U16();
    b.Format = r.U8();
    CheckFormat(b.Version, b.Format);
    b.Width = r.U16();
    b.Height = r.U16();
    size_t paletteSize = b.Format == BitmapFormat::Palette8 ? size_t(r.U8()) + 1 : 0;
    size_t colourBytes = b.Version == 2 ? 4 : 3;
    size_t row = PaddedRow(size_t(b.Width) * BytesPerPixel(b.Format));
    size_t expected = paletteSize * colourBytes + row * b.Height;
    if (expected > MaxBitmapBytes) throw TSwfError(what + ": bitmap of " + std::to_string(expected) + " bytes is too large");

    std::vector<uint8_t> data = Inflate(r.Rest(), expected, what + " pixel data");
    TByteReader d(data, what + " pixel data");
    for (size_t i = 0; i < paletteSize; ++i) b.Palette.push_back(b.Version == 2 ? ReadRgba(d) : ReadRgb(d));
    for (uint16_t y = 0; y < b.Height; ++y) {
        TByteReader line = d.Sub(row, what + " row");
        for (uint16_t x = 0; x < b.Width; ++x) {
            if (b.Format == BitmapFormat::Palette8) {
                b.Indices.push_back(line.U8());
            } else if (b.Format == BitmapFormat::Rgb15) {
                uint32_t v = uint32_t(line.U8()) << 8;
                v |= line.U8();
                b.Pixels.push_back({Expand5(v >> 10 & 31), Expand5(v >> 5 & 31), Expand5(v & 31), 255});
            } else {
                uint8_t a = line.U8();
                TRgba c = ReadRgb(line);
                c.A = b.Version == 2 ? a : 255;
                b.Pixels.push_back(c);
            }
        }
    }
    return b;
}

TTag WriteDefineBitsLossless(const TDefineBitsLossless& b) {
    CheckFormat(b.Version, b.Format);
    size_t count = size_t(b.Width) * b.Height;
    bool palette = b.Format == BitmapFormat::Palette8;
    if (palette && (b.Palette.empty() || b.Palette.size() > 256)) throw TSwfError("bitmap palette must hold 1 to 256 colours");
    if ((palette ? b.Indices.size() : b.Pixels.size()) != count) {
        throw TSwfError("bitmap of " + std::to_string(b.Width) + " x " + std::to_string(b.Height) +
                        " has the wrong number of pixels");
    }
    TByteWriter data;
    for (const TRgba& c : b.Palette) {
        if (b.Version == 2) WriteRgba(data, c); else WriteRgb(data, c);
    }
    size_t row = PaddedRow(size_t(b.Width) * BytesPerPixel(b.Format));
    for (size_t y = 0; y < b.Height; ++y) {
        size_t start = data.Size();
        for (size_t x = 0; x < b.Width; ++x) {
            size_t i = y * b.Width + x;
            if (palette) {
                data.U8(b.Indices[i]);
            } else if (b.Format == BitmapFormat::Rgb15) {
                const TRgba& c = b.Pixels[i];
                uint16_t v = uint16_t((c.R >> 3) << 10 | (c.G >> 3) << 5 | (c.B >> 3));
                data.U8(uint8_t(v >> 8));
                data.U8(uint8_t(v));
            } else {
                const TRgba& c = b.Pixels[i];
                data.U8(b.Version == 2 ? c.A : 0);
                WriteRgb(data, c);
            }
        }
        while (data.Size() - start < row) data.U8(0);
    }

    TByteWriter w;
    w.U16(b.Id);
    w.U8(b.Format);
    w.U16(b.Width);
    w.U16(b.Height);
    if (palette) w.U8(uint8_t(b.Palette.size() - 1));
    w.Bytes(Deflate(data.Data(), 9));
    TTag tag;
    tag.Code = uint16_t(b.Version == 2 ? TagCode::DefineBitsLossless2 : TagCode::DefineBitsLossless);
    tag.Body = w.Take();
    return tag;
}

}  // namespace quorlin::swf
