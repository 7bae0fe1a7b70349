#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/ClipObject.h"
#include "player/avm1/NumberText.h"

#include <algorithm>
#include <cmath>

namespace quorlin::avm1 {

namespace {

TClipObject* ThisClip(const TValue& self) { return dynamic_cast<TClipObject*>(self.ObjectOrNull()); }

// gotoAndPlay and gotoAndStop take a frame number or a label.
void Goto(TMachine& m, TClipObject* clip, const TValue& frame, bool play) {
    if (frame.IsString()) {
        double number = StringToNumber(frame.AsString());
        if (std::isnan(number)) {
            clip->GotoLabel(frame.AsString(), play);
            return;
        }
        clip->GotoFrame(static_cast<int>(std::clamp(number, -1e9, 1e9)), play);
        return;
    }
    double number = m.ToNumber(frame);
    if (std::isfinite(number))
        clip->GotoFrame(static_cast<int>(std::clamp(number, -1e9, 1e9)), play);
}

}  // namespace

TObject* InstallMovieClip(TMachine& m) {
    TObject* proto = m.NewObject();
    // Clips come from the display list, never from new.
    m.DefineClass("MovieClip", proto, [](TMachine&, const TValue&, TArgs) { return TValue(); });
    auto timeline = [&m, proto](const char* name, void (TClipObject::*action)()) {
        m.DefineMethod(proto, name, [action](TMachine&, const TValue& self, TArgs) {
            if (TClipObject* clip = ThisClip(self))
                (clip->*action)();
            return TValue();
        });
    };
    timeline("play", &TClipObject::Play);
    timeline("stop", &TClipObject::Stop);
    timeline("nextFrame", &TClipObject::NextFrame);
    timeline("prevFrame", &TClipObject::PrevFrame);
    for (bool play : {true, false})
        m.DefineMethod(proto, play ? "gotoAndPlay" : "gotoAndStop",
                       [play](TMachine& m, const TValue& self, TArgs args) {
                           if (TClipObject* clip = ThisClip(self))
                               Goto(m, clip, Arg(args, 0), play);
                           return TValue();
                       });
    return proto;
}

}  // namespace quorlin::avm1
