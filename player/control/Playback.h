#pragma once
// What the control plays: a loaded movie, advanced one frame per timer tick and drawn
// into a 32-bit frame buffer at the window's size. Knows nothing of COM or windows.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/swf/Movie.h"

namespace quorlin::control {

struct TPixelRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// Premultiplied BGRA, top-down rows.
struct TFrameBuffer {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
};

class TPlayback {
public:
    // Reads the movie; bytes that are not a complete movie raise an error.
    TPlayback(std::span<const uint8_t> bytes, const std::string& flashVars);

    int StageWidth() const;   // pixels
    int StageHeight() const;  // pixels
    double FramesPerSecond() const { return FMovie.FramesPerSecond(); }
    uint32_t TotalFrames() const { return FMovie.FrameCount; }
    uint32_t CurrentFrame() const { return FCurrentFrame; }
    uint32_t MovieBackground() const { return FMovieBackground; }  // 0x00RRGGBB

    // One frame on: the playhead moves and the scripts of the new frame run.
    void Tick();

    // Draws the current frame into the buffer, which is sized to width x height. Returns
    // what changed since the last call for the same buffer, size, scale mode and
    // background: everything after any of those changed, nothing when the frame did not.
    std::vector<TPixelRect> Render(TFrameBuffer& buffer, int width, int height, const std::wstring& scale,
                                   std::optional<uint32_t> background);

private:
    swf::TMovie FMovie;
    std::string FFlashVars;
    uint32_t FMovieBackground = 0xFFFFFF;
    uint32_t FCurrentFrame = 1;
    // What the last render drew, to tell an unchanged frame.
    std::wstring FRenderedScale;
    uint32_t FRenderedBackground = 0;
    bool FRendered = false;
};

}  // namespace quorlin::control
