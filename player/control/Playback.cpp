#include "player/control/Playback.h"

#include <string>

namespace quorlin::control {

namespace {

constexpr int kMaxWidth = 7680;
constexpr int kMaxHeight = 4320;

// Scale mode names are ASCII; anything else is not a name the player knows.
std::string AsciiName(const std::wstring& text) {
    std::string name;
    for (wchar_t c : text) name += c < 0x80 ? static_cast<char>(c) : '?';
    return name;
}

}  // namespace

TPlayback::TPlayback(std::span<const uint8_t> bytes, const std::string& flashVars)
    : FMovie(std::make_unique<render::TMoviePlayback>(bytes, flashVars, FClock)) {}

std::vector<TPixelRect> TPlayback::Render(TFrameBuffer& buffer, int width, int height, const std::wstring& scale,
                                          std::optional<uint32_t> background) {
    if (width <= 0 || height <= 0 || width > kMaxWidth || height > kMaxHeight) {
        buffer = TFrameBuffer{};
        return {};
    }
    if (buffer.Width != width || buffer.Height != height) {
        buffer.Width = width;
        buffer.Height = height;
        buffer.Pixels.assign(static_cast<size_t>(width) * height, 0);
    }
    std::vector<TPixelRect> changed;
    for (const render::TRect& r : FMovie->Render(buffer.Pixels.data(), width, height, AsciiName(scale), background)) {
        changed.push_back({r.X0, r.Y0, r.X1, r.Y1});
    }
    return changed;
}

}  // namespace quorlin::control
