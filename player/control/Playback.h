#pragma once
// What the control plays: the movie on the system's clock, drawn into a back buffer at
// the window's size. Keeps the Windows side apart from the portable player.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/avm1/Clock.h"
#include "player/render/MoviePlayback.h"

namespace quorlin::control {

struct TPixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Premultiplied BGRA, top-down rows; the same vector stays in place while its size does.
struct TFrameBuffer {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

class TPlayback {
public:
    // Reads the movie and sets its variables; bytes that are not a movie raise an error.
    TPlayback(std::span<const uint8_t> bytes, const std::string& flashVars);

    int StageWidth() const { return FMovie->StageWidth(); }
    int StageHeight() const { return FMovie->StageHeight(); }
    double FramesPerSecond() const { return FMovie->FramesPerSecond(); }
    uint32_t TotalFrames() const { return static_cast<uint32_t>(FMovie->TotalFrames()); }
    uint32_t CurrentFrame() const { return static_cast<uint32_t>(FMovie->CurrentFrame()); }
    uint32_t MovieBackground() const { return FMovie->MovieBackground(); }

    // Runs the frames that are due by the clock (the first call shows frame 1).
    void Advance() { FMovie->Advance(); }

    // Draws the current frame into the buffer at width x height; returns what changed
    // since the last call: everything after a change of size, mode or background, nothing
    // when the frame stood still. A size the renderer cannot take draws nothing.
    std::vector<TPixelRect> Render(TFrameBuffer& buffer, int width, int height, const std::wstring& scale,
                                   std::optional<uint32_t> background);

private:
    avm1::TSystemClock FClock;
    std::unique_ptr<render::TMoviePlayback> FMovie;
};

}  // namespace quorlin::control
