#include "player/control/Playback.h"

#include <algorithm>

#include "player/swf/BackgroundColor.h"

namespace quorlin::control {

namespace {

constexpr int kTwipsPerPixel = 20;

uint32_t FindMovieBackground(const swf::TMovie& movie) {
    for (const swf::TTag& tag : movie.Tags) {
        if (tag.Kind() == swf::TagCode::SetBackgroundColor) {
            const swf::TRgba color = swf::ReadSetBackgroundColor(tag).Color;
            return (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
        }
    }
    return 0xFFFFFF;  // a movie without one plays on white
}

uint32_t OpaquePixel(uint32_t rgb) { return 0xFF000000u | rgb; }

}  // namespace

TPlayback::TPlayback(std::span<const uint8_t> bytes, const std::string& flashVars)
    : FMovie(swf::ReadMovie(bytes)), FFlashVars(flashVars), FMovieBackground(FindMovieBackground(FMovie)) {}

int TPlayback::StageWidth() const { return (FMovie.Frame.XMax - FMovie.Frame.XMin) / kTwipsPerPixel; }
int TPlayback::StageHeight() const { return (FMovie.Frame.YMax - FMovie.Frame.YMin) / kTwipsPerPixel; }

void TPlayback::Tick() {
    if (FMovie.FrameCount > 1) FCurrentFrame = FCurrentFrame % FMovie.FrameCount + 1;
}

std::vector<TPixelRect> TPlayback::Render(TFrameBuffer& buffer, int width, int height, const std::wstring& scale,
                                          std::optional<uint32_t> background) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const uint32_t backgroundRgb = background.value_or(FMovieBackground);
    const bool sameSetting = FRendered && buffer.Width == width && buffer.Height == height &&
                             FRenderedScale == scale && FRenderedBackground == backgroundRgb;
    if (sameSetting) return {};
    buffer.Width = width;
    buffer.Height = height;
    buffer.Pixels.assign(static_cast<size_t>(width) * height, OpaquePixel(backgroundRgb));
    FRendered = true;
    FRenderedScale = scale;
    FRenderedBackground = backgroundRgb;
    return {TPixelRect{0, 0, width, height}};
}

}  // namespace quorlin::control
