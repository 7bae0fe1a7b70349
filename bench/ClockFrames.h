#pragma once
// The clock movie's frames as the renderer draws them: build/movie/clock.swf played on
// a fixed clock, its display tree resolved into draw items for an output size.

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "player/render/MoviePlayback.h"
#include "player/runtime/Clock.h"

namespace quorlin::bench {

using namespace quorlin::render;

inline const TColor kClockBackground{0x33, 0x66, 0x99, 255};

class TClockFrames {
public:
    TClockFrames() : FClock(At(0), 0), FPlayback(ReadMovie(), "", FClock) {
        // The clips placed by frame 1 run their scripts from the tick after.
        for (int i = 0; i < 2; ++i) FPlayback.Tick();
    }

    // The frame at 14:05:30 plus the seconds given; the clock is not frozen, so the
    // hands follow the time. The items point into the playback's shapes and stay valid
    // while this object lives.
    std::vector<TDrawItem> Frame(int32_t width, int32_t height, int seconds = 0) {
        FClock.Set(At(seconds));
        FPlayback.Tick();
        return FPlayback.FrameItems(width, height, TScaleMode::ShowAll);
    }

private:
    // 2026-12-11 14:05:30 UTC, with the zone at UTC.
    static double At(int seconds) { return 1796947200000.0 + ((14 * 60 + 5) * 60 + 30 + seconds) * 1000.0; }

    static std::vector<uint8_t> ReadMovie() {
        const std::string path = std::string(QUORLIN_MOVIE_DIR) + "/clock.swf";
        std::ifstream in(path, std::ios::binary);
        if (!in) throw std::runtime_error("cannot open " + path + " (build the native tree first)");
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    runtime::TFixedClock FClock;
    TMoviePlayback FPlayback;
};

}  // namespace quorlin::bench
