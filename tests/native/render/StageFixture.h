#pragma once
// The clock movie and small movies from the SWF writer, played by TMoviePlayback on a
// fixed clock and drawn into pixmaps, for the tests that read the picture's pixels.

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "player/render/MoviePlayback.h"
#include "player/runtime/Clock.h"
#include "player/swf/BackgroundColor.h"
#include "player/swf/Movie.h"
#include "player/swf/PlaceObject.h"
#include "player/swf/Shape.h"
#include "player/swf/ShowFrame.h"
#include "tests/support/ClockPixels.h"

namespace quorlin::render::testing {

inline std::vector<uint8_t> ClockBytes() {
    const std::string path = std::string(QUORLIN_MOVIE_DIR) + "/clock.swf";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 2026-12-11 00:00:00 local time, in a zone one hour east of UTC.
constexpr double kMidnightUtc = 1796947200000.0 - 3600000.0;
constexpr double kZoneOffset = 3600000.0;

inline double LocalMoment(int hour, int minute, int second, int ms = 0) {
    return kMidnightUtc + ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms;
}

// The hands' pivot on the stage, in twips, and where an output shows it.
constexpr double kPivotTwipsX = 272.35 * 20, kPivotTwipsY = 200.45 * 20;

inline testsupport::TClockPlace ClockPlace(const TMoviePlayback& playback, int32_t width, int32_t height,
                                           TScaleMode mode) {
    const TMatrix m = TStageTransform::Compute(StageOf(playback.Movie()), width, height, mode);
    const TPointF pivot = m.Apply(kPivotTwipsX, kPivotTwipsY);
    return testsupport::TClockPlace{pivot.X, pivot.Y, m.ScaleX * 20};
}

inline testsupport::TPicture Picture(const TPixmap& p) {
    return testsupport::TPicture::FromBgra(p.Data(), p.Width(), p.Height());
}

// A movie whose one shape fills its whole stage with a colour, over another background.
inline std::vector<uint8_t> StageFillingMovie(int32_t widthPx, int32_t heightPx, swf::TRgba fill,
                                              swf::TRgba background) {
    swf::TDefineShape s;
    s.Id = 1;
    s.Version = 3;
    const int32_t w = widthPx * 20, h = heightPx * 20;
    s.Bounds = {0, w, 0, h};
    swf::TFillStyle solid;
    solid.Color = fill;
    s.Styles.Fills = {solid};
    swf::TStyleChange start;
    start.MoveTo = std::pair{0, 0};
    start.FillStyle1 = 1;
    s.Records = {start, swf::TStraightEdge{w, 0}, swf::TStraightEdge{0, h}, swf::TStraightEdge{-w, 0},
                 swf::TStraightEdge{0, -h}};
    swf::TPlaceObject2 place;
    place.Depth = 1;
    place.CharacterId = 1;
    place.Matrix = swf::TMatrix{};
    swf::TMovie m;
    m.Frame = {0, w, 0, h};
    m.FrameRate = 0x0C00;
    m.Tags = {swf::WriteSetBackgroundColor({background}), swf::WriteDefineShape(s), swf::WritePlaceObject2(place),
              swf::WriteShowFrame()};
    return swf::WriteMovie(m);
}

}  // namespace quorlin::render::testing
