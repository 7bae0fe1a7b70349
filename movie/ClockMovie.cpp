#include "movie/ClockMovie.h"

#include "movie/Artwork.h"
#include "movie/Badge.h"
#include "movie/ClockScript.h"
#include "movie/Layout.h"
#include "movie/PathBuilder.h"

#include "player/swf/Records.h"

namespace quorlin::movie {

using namespace swf;

namespace {

TMatrix Place(double x, double y, double scaleX = 1, double scaleY = 1) {
    TMatrix m;
    m.ScaleX = ToFixed16(scaleX);
    m.ScaleY = ToFixed16(scaleY);
    m.TranslateX = Twips(x);
    m.TranslateY = Twips(y);
    return m;
}

TTag Placement(uint16_t depth, uint16_t id, TMatrix m, std::optional<std::string> name,
               std::optional<TColorTransform> cx = {}) {
    TPlaceObject2 p;
    p.Depth = depth;
    p.CharacterId = id;
    p.Matrix = m;
    p.Name = std::move(name);
    p.ColorTransform = cx;
    return WritePlaceObject2(p);
}

TTag GlassClip() {
    TDefineSprite s;
    s.Id = Id::GlassClip;
    s.FrameCount = 1;
    s.Tags = {Placement(1, Id::GlassDisc, TMatrix{}, {}),
              Placement(2, Id::GlassHighlight, TMatrix{}, {}, TColorTransform::Alpha(102)), WriteShowFrame()};
    return WriteDefineSprite(s);
}

// The hand shape at the clip's origin, so that the clip's pivot is the hand's.
TTag HandClip() {
    TDefineSprite s;
    s.Id = Id::HandClip;
    s.FrameCount = 1;
    s.Tags = {Placement(1, Id::HandShape, TMatrix{}, {}), WriteShowFrame()};
    return WriteDefineSprite(s);
}

// Frame 1: the hands and the glass, then the clock script; frame 2: the loop script.
TTag ClockClip() {
    TDefineSprite s;
    s.Id = Id::ClockClip;
    s.FrameCount = 2;
    s.Tags = {Placement(1, Id::HandClip, Place(PivotX, PivotY, 1.25, 0.6), "HA1"),
              Placement(3, Id::HandClip, Place(-75.5, PivotY, 1.25, 0.8), "MA1"),
              Placement(5, Id::HandClip, Place(PivotX, PivotY), "SA1"),
              Placement(7, Id::GlassClip, Place(GlassX, GlassY, GlassScaleX, GlassScaleY), "glass",
                        TColorTransform::Alpha(46)),
              WriteDoAction({ClockScript()}),
              WriteShowFrame(),
              WriteDoAction({LoopScript()}),
              WriteShowFrame()};
    return WriteDefineSprite(s);
}

// A container of two frames around the clock clip, without script.
TTag OriginalClip() {
    TDefineSprite s;
    s.Id = Id::OriginalClip;
    s.FrameCount = 2;
    s.Tags = {Placement(1, Id::ClockClip, Place(347.75, 200.5), {}), WriteShowFrame(), WriteShowFrame()};
    return WriteDefineSprite(s);
}

TTag BadgeClip() {
    TDefineSprite s;
    s.Id = Id::BadgeClip;
    s.FrameCount = 1;
    s.Tags = {Placement(1, Id::BadgeShape, TMatrix{}, {}), WriteShowFrame()};
    return WriteDefineSprite(s);
}

}  // namespace

TMovie ClockMovie() {
    TMovie m;
    m.Compressed = true;
    m.Version = 7;
    m.Frame = {0, 11000, 0, 8000};
    m.FrameRate = 0x3200;
    m.FrameCount = 1;
    m.Tags = {
        WriteSetBackgroundColor({{0, 0, 0, 255}}),
        WriteDefineShape(HandShape()),
        HandClip(),
        WriteDefineShape(GlassDiscShape()),
        WriteDefineShape(GlassHighlightShape()),
        GlassClip(),
        ClockClip(),
        OriginalClip(),
        WriteDefineBitsLossless(BadgeBitmap()),
        WriteDefineShape(BadgeShape()),
        BadgeClip(),
        WriteExportAssets({{{Id::OriginalClip, "original"}, {Id::BadgeClip, "badge"}}}),
        Placement(1, Id::OriginalClip, TMatrix{}, "original"),
        Placement(2, Id::BadgeClip, Place(247, 385, 0.0683, 0.0683), "badge"),
        WriteShowFrame(),
    };
    return m;
}

}  // namespace quorlin::movie
