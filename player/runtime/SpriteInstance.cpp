#include "player/runtime/SpriteInstance.h"

#include "player/runtime/Player.h"

#include <algorithm>

namespace quorlin::runtime {

TSpriteInstance::TSpriteInstance(TPlayer& player, const TCharacter& character, const TTimelineDef& timeline,
                                 TSpriteInstance* parent, int depth)
    : TDisplayObject(player, character, parent, depth), FTimeline(&timeline), FBornInTick(player.TickCount()) {}

void TSpriteInstance::Play() { FPlaying = true; }
void TSpriteInstance::Stop() { FPlaying = false; }

void TSpriteInstance::GotoAndPlay(int frame) {
    FPlaying = true;
    GotoFrame(frame);
}

void TSpriteInstance::GotoAndStop(int frame) {
    FPlaying = false;
    GotoFrame(frame);
}

bool TSpriteInstance::GotoLabel(const std::string& label, bool play) {
    const int frame = FTimeline->FrameOfLabel(label);
    if (frame == 0) return false;
    play ? GotoAndPlay(frame) : GotoAndStop(frame);
    return true;
}

// Both stop the playhead, as they do in a Flash player.
void TSpriteInstance::NextFrame() { GotoAndStop(FCurrentFrame + 1); }
void TSpriteInstance::PrevFrame() { GotoAndStop(FCurrentFrame - 1); }

TDisplayObject* TSpriteInstance::ChildAt(int depth) const {
    auto it = FChildren.find(depth);
    return it == FChildren.end() ? nullptr : it->second.get();
}

TDisplayObject* TSpriteInstance::ChildByName(const std::string& name) const {
    for (const auto& [depth, child] : FChildren)
        if (child->Name() == name) return child.get();
    return nullptr;
}

TBounds TSpriteInstance::LocalBounds() const {
    TBounds b;
    for (const auto& [depth, child] : FChildren) b.Include(child->BoundsInParent());
    return b;
}

void TSpriteInstance::EnterFirstFrame() {
    if (FCurrentFrame != 0) return;
    FCurrentFrame = 1;
    QueueActions(1);
    ApplyCommands(1);
}

void TSpriteInstance::Tick() {
    if (Removed() || FCurrentFrame == 0 || !FPlaying) return;
    // A timeline of one frame stands; a longer one loops back to its first frame.
    if (TotalFrames() <= 1) return;
    GotoFrame(FCurrentFrame == TotalFrames() ? 1 : FCurrentFrame + 1);
}

void TSpriteInstance::GotoFrame(int frame) {
    if (Removed() || FCurrentFrame == 0) return;
    frame = std::clamp(frame, 1, TotalFrames());
    if (frame == FCurrentFrame) return;
    // The clip's own actions are queued before those of the clips its frame places, so
    // that they run first.
    const int from = FCurrentFrame;
    FCurrentFrame = frame;
    QueueActions(frame);
    if (frame > from) {
        // Forward: the display changes of every frame passed, the actions of the last.
        for (int f = from + 1; f <= frame && !Removed(); ++f) ApplyCommands(f);
    } else {
        Rebuild(frame);
    }
}

void TSpriteInstance::ApplyCommands(int frame) {
    for (const TDisplayCommand& command : FTimeline->Frame(frame).Commands) {
        if (Removed()) return;  // a nested placement failed badly enough to take us off
        if (command.Remove)
            RemoveAt(command.Place.Depth);
        else
            Place(command.Place);
    }
}

void TSpriteInstance::QueueActions(int frame) {
    const TFrameDef& def = FTimeline->Frame(frame);
    auto self = std::static_pointer_cast<TSpriteInstance>(shared_from_this());
    for (const TActionBlock& block : def.InitActions) Player().QueueInitActions(self, block);
    for (const TActionBlock& block : def.Actions) Player().QueueActions(self, block);
}

void TSpriteInstance::ApplyPlacement(TDisplayObject& object, const TPlaceCommand& command) {
    if (!object.ScriptTransformed()) {
        if (command.Matrix) object.SetMatrix(TMatrix::FromSwf(*command.Matrix));
        if (command.ColorTransform) object.SetColorTransform(*command.ColorTransform);
    }
    if (command.Ratio) object.SetRatio(*command.Ratio);
    if (command.Name) object.SetName(*command.Name);
    if (command.ClipDepth) object.SetClipDepth(*command.ClipDepth);
}

std::shared_ptr<TDisplayObject> TSpriteInstance::Create(const TPlaceCommand& command, uint16_t characterId) {
    auto object = Player().CreateObject(characterId, *this, command.Depth);
    if (!object) return nullptr;
    ApplyPlacement(*object, command);
    if (object->Name().empty()) object->SetName(Player().NextInstanceName());
    return object;
}

void TSpriteInstance::Place(const TPlaceCommand& command) {
    const int depth = command.Depth;
    TDisplayObject* existing = ChildAt(depth);
    if (command.Move && !existing) return;  // nothing there to change: ignored
    if (command.Move && (!command.CharacterId || *command.CharacterId == existing->CharacterId())) {
        ApplyPlacement(*existing, command);
        return;
    }
    if (!command.CharacterId) return;
    std::shared_ptr<TDisplayObject> object = Create(command, *command.CharacterId);
    if (!object) return;
    if (command.Move) {
        // A new character at an occupied depth takes over the old one's placement.
        if (!command.Matrix) object->SetMatrix(existing->Matrix());
        if (!command.ColorTransform) object->SetColorTransform(existing->ColorTransform());
        if (!command.Name) object->SetName(existing->Name());
    }
    RemoveAt(depth);
    FChildren[depth] = object;
    Changed();
    if (auto* sprite = dynamic_cast<TSpriteInstance*>(object.get())) sprite->EnterFirstFrame();
}

void TSpriteInstance::RemoveAt(int depth) {
    auto it = FChildren.find(depth);
    if (it == FChildren.end()) return;
    std::shared_ptr<TDisplayObject> child = std::move(it->second);
    FChildren.erase(it);
    child->Detach();
}

// Going back: the display list the timeline gives at the target frame, played from frame
// 1. A child that the target frame has at the same depth with the same character stays,
// with its state (a script's rotation, its own playhead); the others go, and the missing
// ones are placed anew.
void TSpriteInstance::Rebuild(int frame) {
    std::map<int, TPlaceCommand> target;
    for (int f = 1; f <= frame; ++f) {
        for (const TDisplayCommand& command : FTimeline->Frame(f).Commands) {
            const TPlaceCommand& place = command.Place;
            if (command.Remove) {
                target.erase(place.Depth);
                continue;
            }
            auto it = target.find(place.Depth);
            if (it == target.end()) {
                if (!place.Move && place.CharacterId) target[place.Depth] = place;
                continue;
            }
            TPlaceCommand& state = it->second;
            if (!place.Move) {
                if (place.CharacterId) state = place;
                continue;
            }
            if (place.CharacterId) state.CharacterId = place.CharacterId;
            if (place.Matrix) state.Matrix = place.Matrix;
            if (place.ColorTransform) state.ColorTransform = place.ColorTransform;
            if (place.Ratio) state.Ratio = place.Ratio;
            if (place.Name) state.Name = place.Name;
            if (place.ClipDepth) state.ClipDepth = place.ClipDepth;
        }
    }
    std::vector<int> gone;
    for (const auto& [depth, child] : FChildren) {
        auto it = target.find(depth);
        if (it == target.end() || it->second.CharacterId != child->CharacterId()) gone.push_back(depth);
    }
    for (int depth : gone) RemoveAt(depth);
    for (auto& [depth, state] : target) {
        if (Removed()) return;
        if (TDisplayObject* kept = ChildAt(depth)) {
            ApplyPlacement(*kept, state);
            continue;
        }
        TPlaceCommand place = state;
        place.Move = false;
        Place(place);
    }
}

void TSpriteInstance::OnDetach() {
    // Children go with their parent; their scripts must no longer run.
    auto children = std::move(FChildren);
    FChildren.clear();
    for (auto& [depth, child] : children) child->Detach();
}

}  // namespace quorlin::runtime
