#pragma once
// DefineBitsLossless and DefineBitsLossless2: zlib-compressed bitmaps, decoded to
// pixels. Format 3 keeps its palette and indices (rows without their padding); formats 4
// and 5 become one colour per pixel. Version 2 colours carry alpha, premultiplied as the
// file stores them; version 1 colours are opaque.

#include "player/swf/Color.h"
#include "player/swf/Tag.h"

#include <cstdint>
#include <vector>

namespace quorlin::swf {

namespace BitmapFormat {
constexpr uint8_t Palette8 = 3;
constexpr uint8_t Rgb15 = 4;  // DefineBitsLossless only
constexpr uint8_t Rgb32 = 5;
}  // namespace BitmapFormat

struct TDefineBitsLossless {
    int Version = 2;  // 1: DefineBitsLossless, 2: DefineBitsLossless2
    uint16_t Id = 0;
    uint8_t Format = BitmapFormat::Palette8;
    uint16_t Width = 0, Height = 0;
    std::vector<TRgba> Palette;    // format 3: 1 to 256 entries
    std::vector<uint8_t> Indices;  // format 3: Width x Height, row by row
    std::vector<TRgba> Pixels;     // formats 4 and 5: Width x Height, row by row

    // Colour of a pixel as stored; an index past the palette gives transparent black.
    TRgba PixelAt(uint32_t x, uint32_t y) const;
    bool operator==(const TDefineBitsLossless&) const = default;
};

TDefineBitsLossless ReadDefineBitsLossless(const TTag& tag);
TTag WriteDefineBitsLossless(const TDefineBitsLossless& bitmap);

}  // namespace quorlin::swf
