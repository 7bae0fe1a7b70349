#include "movie/Badge.h"

#include "movie/Layout.h"
#include "movie/StrokeFont.h"

#include <cmath>

namespace quorlin::movie {

swf::TDefineBitsLossless BadgeBitmap() {
    // Shown at about a fifteenth of its size, so the strokes are bold and the letters
    // widely spaced to stay apart once scaled down.
    constexpr double CapHeight = 80, Stroke = 12, Gap = 58;
    const swf::TRgba ink{236, 239, 246, 255};

    swf::TDefineBitsLossless b;
    b.Version = 2;
    b.Id = Id::BadgeBitmap;
    b.Format = swf::BitmapFormat::Palette8;
    b.Width = BadgeWidth;
    b.Height = BadgeHeight;
    // Entry i is the ink at opacity i/255; colours premultiplied, as the format stores them.
    for (int i = 0; i < 256; ++i) {
        auto scale = [i](uint8_t v) { return uint8_t((v * i + 127) / 255); };
        b.Palette.push_back({scale(ink.R), scale(ink.G), scale(ink.B), uint8_t(i)});
    }
    for (double c : RenderText("QUORLIN", BadgeWidth, BadgeHeight, CapHeight, Stroke, Gap)) {
        b.Indices.push_back(uint8_t(std::lround(c * 255)));
    }
    return b;
}

}  // namespace quorlin::movie
