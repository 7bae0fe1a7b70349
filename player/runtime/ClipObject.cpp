#include "player/runtime/ClipObject.h"

#include "player/runtime/Scripts.h"
#include "player/runtime/SpriteInstance.h"

namespace quorlin::runtime {

using avm1::TValue;
using swf::PropertyIndex;

TRuntimeClip::TRuntimeClip(TScripts& scripts, avm1::TObject* proto, TDisplayObject& object)
    : avm1::TClipObject(proto), FScripts(scripts), FObject(&object) {}

TSpriteInstance* TRuntimeClip::Sprite() const { return dynamic_cast<TSpriteInstance*>(FObject); }

TValue TRuntimeClip::GetProperty(PropertyIndex index) {
    if (!FObject) return TValue();
    const TDisplayObject& s = *FObject;
    const TSpriteInstance* sprite = Sprite();
    switch (index) {
    case PropertyIndex::X: return s.X();
    case PropertyIndex::Y: return s.Y();
    case PropertyIndex::XScale: return s.XScale();
    case PropertyIndex::YScale: return s.YScale();
    case PropertyIndex::CurrentFrame: return sprite ? sprite->CurrentFrame() : 1;
    case PropertyIndex::TotalFrames:
    case PropertyIndex::FramesLoaded: return sprite ? sprite->TotalFrames() : 1;  // the whole movie arrives at once
    case PropertyIndex::Alpha: return s.Alpha();
    case PropertyIndex::Visible: return s.Visible();
    case PropertyIndex::Width: return s.Width();
    case PropertyIndex::Height: return s.Height();
    case PropertyIndex::Rotation: return s.Rotation();
    case PropertyIndex::Name: return s.Parent() ? s.Name() : std::string();
    case PropertyIndex::DropTarget:
    case PropertyIndex::Url: return std::string();
    case PropertyIndex::HighQuality: return 1;
    case PropertyIndex::FocusRect: return true;
    case PropertyIndex::SoundBufTime: return 5;
    case PropertyIndex::Quality: return std::string("HIGH");
    default: return 0;  // the mouse: this player has no pointer input
    }
}

void TRuntimeClip::SetProperty(PropertyIndex index, const TValue& value) {
    if (!FObject) return;
    TDisplayObject& s = *FObject;
    if (index == PropertyIndex::Visible) {
        s.SetVisible(value.IsBoolean() && value.AsBoolean());
        return;
    }
    if (index == PropertyIndex::Name) {
        if (value.IsString()) s.SetName(value.AsString());
        return;
    }
    if (!value.IsNumber()) return;
    const double v = value.AsNumber();
    switch (index) {
    case PropertyIndex::X: s.SetX(v); break;
    case PropertyIndex::Y: s.SetY(v); break;
    case PropertyIndex::XScale: s.SetXScale(v); break;
    case PropertyIndex::YScale: s.SetYScale(v); break;
    case PropertyIndex::Alpha: s.SetAlpha(v); break;
    case PropertyIndex::Width: s.SetWidth(v); break;
    case PropertyIndex::Height: s.SetHeight(v); break;
    case PropertyIndex::Rotation: s.SetRotation(v); break;
    default: break;  // quality and sound settings belong to no clip here
    }
}

avm1::TClipObject* TRuntimeClip::ParentClip() {
    if (!FObject || !FObject->Parent()) return nullptr;
    return FScripts.ClipFor(*FObject->Parent());
}

avm1::TClipObject* TRuntimeClip::ChildClip(const std::string& name) {
    TSpriteInstance* sprite = Sprite();
    if (!sprite) return nullptr;
    // As in a Flash player, only movie clips are reachable by name: a named shape is not.
    TDisplayObject* child = sprite->ChildByName(name);
    return child && dynamic_cast<TSpriteInstance*>(child) ? FScripts.ClipFor(*child) : nullptr;
}

void TRuntimeClip::Play() {
    if (TSpriteInstance* s = Sprite()) s->Play();
}

void TRuntimeClip::Stop() {
    if (TSpriteInstance* s = Sprite()) s->Stop();
}

void TRuntimeClip::NextFrame() {
    if (TSpriteInstance* s = Sprite()) s->NextFrame();
}

void TRuntimeClip::PrevFrame() {
    if (TSpriteInstance* s = Sprite()) s->PrevFrame();
}

void TRuntimeClip::GotoFrame(int frame, bool play) {
    TSpriteInstance* s = Sprite();
    if (!s) return;
    play ? s->GotoAndPlay(frame) : s->GotoAndStop(frame);
}

bool TRuntimeClip::GotoLabel(const std::string& label, bool play) {
    TSpriteInstance* s = Sprite();
    return s && s->GotoLabel(label, play);
}

}  // namespace quorlin::runtime
