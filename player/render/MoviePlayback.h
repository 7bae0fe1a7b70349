#pragma once
// A movie as a host window shows it: played by the host's clock and drawn at the
// window's size in its scale mode, over the host's background colour, redrawing only
// what changed since the last picture of the same buffer. Portable: the control wraps it
// in Windows code, tools and tests use it as it is.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "player/render/Pixmap.h"
#include "player/render/Renderer.h"
#include "player/render/StageRenderer.h"
#include "player/render/StageTransform.h"
#include "player/runtime/Playback.h"

namespace quorlin::render {

class TMoviePlayback {
public:
    // Reads the movie and sets the FlashVars text on its root. Bytes that are not a
    // movie raise RenderError. The clock must outlive the playback.
    TMoviePlayback(std::span<const uint8_t> bytes, const std::string& flashVars, runtime::TClock& clock);
    TMoviePlayback(std::shared_ptr<const runtime::TMovie> movie, const std::string& flashVars,
                   runtime::TClock& clock);

    int32_t StageWidth() const;   // pixels
    int32_t StageHeight() const;  // pixels
    double FramesPerSecond() const;
    int TotalFrames() const;
    int CurrentFrame() const;  // of the main timeline, 0 before the first tick
    uint32_t MovieBackground() const;  // 0x00RRGGBB

    // The ticks due by the clock, run (the first call runs frame 1); returns how many.
    int Advance() { return FPlayback.Player().Advance(); }
    void Tick() { FPlayback.Player().Tick(); }
    int64_t MillisecondsToNextFrame() const { return Player().MillisecondsToNextFrame(); }

    // Draws the current frame into the pixmap, the stage placed by the scale mode's name
    // (any letter case; an unknown name is showall) over the background (0x00RRGGBB;
    // the movie's own when none is given). Returns the rectangles redrawn: the whole
    // pixmap when it is not the one drawn last time or the size, mode or background
    // changed, nothing when the frame did not change. The pixels outside them are left
    // as the last render made them, so the caller must not change them in between.
    std::vector<TRect> Render(TPixmap& target, std::string_view scaleMode,
                              std::optional<uint32_t> background = std::nullopt);
    // The same into a caller's buffer of width x height premultiplied BGRA words, rows
    // top to bottom without padding. Raises RenderError for a null buffer or a size
    // outside 1 x 1 to 7680 x 4320.
    std::vector<TRect> Render(uint32_t* pixels, int32_t width, int32_t height, std::string_view scaleMode,
                              std::optional<uint32_t> background = std::nullopt);

    runtime::TPlayer& Player() { return FPlayback.Player(); }
    const runtime::TPlayer& Player() const { return const_cast<runtime::TPlayback&>(FPlayback).Player(); }
    const runtime::TMovie& Movie() const { return *FMovie; }
    void SetLog(runtime::TPlayer::TLogSink sink) { FPlayback.SetLog(std::move(sink)); }
    void SetTraceOutput(runtime::TPlayer::TLogSink sink) { FPlayback.SetTraceOutput(std::move(sink)); }

    // The draw items of the current frame for an output: what Render draws.
    std::vector<TDrawItem> FrameItems(int32_t width, int32_t height, TScaleMode mode);

private:
    // What the last picture was made of, so that the next one redraws only the difference.
    struct TLastPicture {
        const void* Target = nullptr;
        int32_t Width = 0;
        int32_t Height = 0;
        TScaleMode Mode = TScaleMode::ShowAll;
        uint32_t Background = 0;
        uint64_t ChangeCount = 0;
        std::vector<TDrawItem> Items;
    };

    std::shared_ptr<const runtime::TMovie> FMovie;
    runtime::TPlayback FPlayback;
    TStageRenderer FStage;
    TRenderer FRenderer;
    TLastPicture FLast;
    std::unique_ptr<TPixmap> FBufferPixmap;  // behind the caller's-buffer form of Render
    const uint32_t* FBufferOwner = nullptr;   // the caller's buffer it stands for
};

}  // namespace quorlin::render
