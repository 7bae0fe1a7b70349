#include "player/runtime/Scripts.h"

#include "player/avm1/Error.h"
#include "player/runtime/ClipObject.h"
#include "player/runtime/SpriteInstance.h"

namespace quorlin::runtime {

TScripts::TScripts(TClock& clock) : FMachine(clock) { FMachine.SetDisplayHost(this); }

TScripts::~TScripts() {
    for (auto& [object, entry] : FClips) entry.Clip->Orphan();
}

TRuntimeClip* TScripts::ClipFor(TDisplayObject& object) {
    auto it = FClips.find(&object);
    if (it != FClips.end()) return it->second.Clip;
    if (object.Removed()) {
        // Off the display list already: an empty clip that nothing keeps.
        auto* clip = FMachine.Heap().Make<TRuntimeClip>(*this, FMachine.MovieClipPrototype(), object);
        clip->Orphan();
        return clip;
    }
    {
        // The root of the tree is _level0 for every script that runs in it.
        TDisplayObject* top = &object;
        while (top->Parent()) top = top->Parent();
        if (auto* root = dynamic_cast<TSpriteInstance*>(top)) FRoot = root;
    }
    auto* clip = FMachine.Heap().Make<TRuntimeClip>(*this, FMachine.MovieClipPrototype(), object);
    FClips.emplace(&object, TEntry{clip, avm1::TPin(FMachine.Heap(), clip)});
    return clip;
}

void TScripts::SetVariable(TSpriteInstance& clip, const std::string& name, const std::string& value) {
    FMachine.SetMember(avm1::TValue(ClipFor(clip)), name, avm1::TValue(value));
}

std::optional<std::string> TScripts::Variable(TSpriteInstance& clip, const std::string& name) {
    avm1::TValue v = FMachine.GetMember(avm1::TValue(ClipFor(clip)), name);
    if (v.IsUndefined()) return std::nullopt;
    return FMachine.ToString(v);
}

void TScripts::Run(TSpriteInstance& clip, std::span<const uint8_t> actions) {
    try {
        FMachine.Run(actions, ClipFor(clip));
    } catch (const avm1::TScriptThrow& thrown) {
        throw avm1::TScriptError("uncaught " + FMachine.ToString(thrown.Value()));
    }
}

void TScripts::Removed(TDisplayObject& object) {
    auto it = FClips.find(&object);
    if (it == FClips.end()) return;
    it->second.Clip->Orphan();
    if (FRoot == &object) FRoot = nullptr;
    FClips.erase(it);  // unpins: the machine frees the object once no script holds it
}

void TScripts::FrameDone() { FMachine.Collect(); }

avm1::TClipObject* TScripts::LevelClip(int level) {
    if (level != 0 || !FRoot) return nullptr;
    return ClipFor(*FRoot);
}

}  // namespace quorlin::runtime
