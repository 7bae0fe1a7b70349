#pragma once
// Small movies built with the SWF writer, and a player over them with a fixed clock and
// the real script machine, whose trace output the tests read.

#include "player/runtime/Playback.h"
#include "player/swf/ActionAssembler.h"
#include "player/swf/DoAction.h"
#include "player/swf/FrameLabel.h"
#include "player/swf/ShowFrame.h"
#include "player/swf/Movie.h"
#include "player/swf/PlaceObject.h"
#include "player/swf/RemoveObject.h"
#include "player/swf/Shape.h"
#include "player/swf/Sprite.h"

#include <memory>
#include <string>
#include <vector>

namespace quorlin::runtime::test {

using TTags = std::vector<swf::TTag>;

// A square shape of the given id, 20 by 20 pixels from the origin.
inline swf::TTag Square(uint16_t id) {
    swf::TDefineShape s;
    s.Id = id;
    s.Bounds = {0, 400, 0, 400};
    return swf::WriteDefineShape(s);
}

inline swf::TTag Place(uint16_t depth, uint16_t character, std::string name = {}, swf::TMatrix matrix = {}) {
    swf::TPlaceObject2 p;
    p.Depth = depth;
    p.CharacterId = character;
    p.Matrix = matrix;
    if (!name.empty()) p.Name = std::move(name);
    return swf::WritePlaceObject2(p);
}

inline swf::TTag Move(uint16_t depth, swf::TMatrix matrix) {
    swf::TPlaceObject2 p;
    p.Move = true;
    p.Depth = depth;
    p.Matrix = matrix;
    return swf::WritePlaceObject2(p);
}

inline swf::TTag Remove(uint16_t depth) { return swf::WriteRemoveObject2({depth}); }
inline swf::TTag Show() { return swf::WriteShowFrame(); }
inline swf::TTag Label(std::string name) { return swf::WriteFrameLabel({std::move(name), false}); }
inline swf::TTag Script(const swf::TActionAssembler& a) { return swf::WriteDoAction({a.Assemble()}); }

// trace(text)
inline swf::TTag Trace(const std::string& text) {
    swf::TActionAssembler a;
    a.Push({swf::TPushValue::Str(text)}).Op(swf::ActionCode::Trace).End();
    return Script(a);
}

inline swf::TTag Sprite(uint16_t id, uint16_t frames, TTags tags) {
    return swf::WriteDefineSprite({id, frames, std::move(tags)});
}

inline std::shared_ptr<const TMovie> MakeMovie(TTags tags, uint16_t frames = 1) {
    swf::TMovie m;
    m.Compressed = false;
    m.Frame = {0, 11000, 0, 8000};
    m.FrameRate = 0x3200;
    m.FrameCount = frames;
    m.Tags = std::move(tags);
    return TMovie::Load(swf::WriteMovie(m));
}

// 2026-12-11 12:00:00 UTC in a zone one hour east.
constexpr double FixedUtc = 1796990400000.0;
constexpr double FixedOffset = 3600000.0;

struct TRun {
    explicit TRun(std::shared_ptr<const TMovie> movie)
        : Playback(std::move(movie), Clock), Scripts(Playback.Scripts()), Player(Playback.Player()) {
        Playback.SetTraceOutput([this](const std::string& s) { Traces.push_back(s); });
        Playback.SetLog([this](const std::string& s) { Log.push_back(s); });
    }

    // The traces of the next tick.
    std::vector<std::string> Tick() {
        Traces.clear();
        Player.Tick();
        return Traces;
    }

    TDisplayObject* At(std::initializer_list<int> depths) {
        TDisplayObject* o = &Player.Root();
        for (int d : depths) {
            auto* s = dynamic_cast<TSpriteInstance*>(o);
            o = s ? s->ChildAt(d) : nullptr;
            if (!o) return nullptr;
        }
        return o;
    }
    TSpriteInstance* SpriteAt(std::initializer_list<int> depths) { return dynamic_cast<TSpriteInstance*>(At(depths)); }

    TFixedClock Clock{FixedUtc, FixedOffset};
    TPlayback Playback;
    TScripts& Scripts;
    TPlayer& Player;
    std::vector<std::string> Traces;
    std::vector<std::string> Log;
};

}  // namespace quorlin::runtime::test
