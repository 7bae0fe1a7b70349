#include "player/runtime/Player.h"

#include <vector>

namespace quorlin::runtime {

TPlayer::TPlayer(std::shared_ptr<const TMovie> movie, TClock& clock, TScriptRunner& scripts,
                 TPlayerLimits limits)
    : FMovie(std::move(movie)), FClock(clock), FTimer(FMovie->FramesPerSecond()), FScripts(scripts),
      FLimits(limits) {
    FRootCharacter.Id = 0;
    FRootCharacter.Kind = TCharacterKind::Sprite;
    FRootCharacter.Definition = TSpriteDef{};
    FRoot = std::make_shared<TSpriteInstance>(*this, FRootCharacter, FMovie->MainTimeline(), nullptr, 0);
    FRoot->SetName("_level0");
}

TPlayer::~TPlayer() {
    // Detaching tells the runner, which may still be alive and hold script objects.
    FQueue.clear();
    FRoot->Detach();
}

void TPlayer::Log(const std::string& message) const {
    if (FLog) FLog(message);
}

void TPlayer::SetVariables(const TVariables& variables) {
    for (const auto& [name, value] : variables) FScripts.SetVariable(*FRoot, name, value);
}

void TPlayer::Tick() {
    ++FTicks;
    FRunThisTick = 0;
    FTickLimitLogged = false;
    if (FRoot->CurrentFrame() == 0)
        FRoot->EnterFirstFrame();
    else
        StepTree(*FRoot);
    RunQueue();
    FScripts.FrameDone();
}

int TPlayer::Advance() {
    const int due = FTimer.FramesDue(int64_t(FClock.NowUtcMs()));
    for (int i = 0; i < due; ++i) Tick();
    return due;
}

int64_t TPlayer::MillisecondsToNextFrame() const {
    return FTimer.MillisecondsToNextFrame(int64_t(FClock.NowUtcMs()));
}

void TPlayer::StepTree(TSpriteInstance& clip) {
    // The children that were there before this tick step first, so their actions run
    // before the parent's; the parent's step then places new ones, whose first frames
    // run after its own actions. One removed on the way by a sibling is skipped.
    std::vector<std::shared_ptr<TSpriteInstance>> sprites;
    for (const auto& [depth, child] : clip.Children())
        if (auto sprite = std::dynamic_pointer_cast<TSpriteInstance>(child)) sprites.push_back(std::move(sprite));
    for (const auto& sprite : sprites)
        if (!sprite->Removed() && sprite->BornInTick() != FTicks) StepTree(*sprite);
    if (!clip.Removed() && clip.BornInTick() != FTicks) clip.Tick();
}

void TPlayer::QueueActions(const std::shared_ptr<TSpriteInstance>& clip, const TActionBlock& block) {
    FQueue.push_back({clip, block});
}

void TPlayer::QueueInitActions(const std::shared_ptr<TSpriteInstance>& clip, const TActionBlock& block) {
    if (FInitDone.insert(block.get()).second) FQueue.push_back({clip, block});
}

void TPlayer::RunQueue() {
    while (!FQueue.empty()) {
        TQueued item = std::move(FQueue.front());
        FQueue.pop_front();
        auto clip = item.Clip.lock();
        if (!clip || clip->Removed()) continue;
        if (FRunThisTick >= FLimits.MaxActionBlocksPerTick) {
            if (!FTickLimitLogged) Log("too many scripts in one frame; the rest of them are skipped");
            FTickLimitLogged = true;
            continue;
        }
        ++FRunThisTick;
        try {
            FScripts.Run(*clip, *item.Block);
        } catch (const std::exception& e) {
            Log("script in " + clip->DotPath() + " stopped: " + e.what());
        }
    }
}

std::shared_ptr<TDisplayObject> TPlayer::CreateObject(uint16_t characterId, TSpriteInstance& parent, int depth) {
    const TCharacter* character = FMovie->Character(characterId);
    if (!character) {
        Log("no character " + std::to_string(characterId) + " to place at depth " + std::to_string(depth));
        return nullptr;
    }
    if (FObjects >= FLimits.MaxObjects) {
        Log("display list full; character " + std::to_string(characterId) + " not placed");
        return nullptr;
    }
    std::shared_ptr<TDisplayObject> object;
    if (const TSpriteDef* sprite = character->Sprite()) {
        int nesting = 0;
        for (const TDisplayObject* p = &parent; p; p = p->Parent()) ++nesting;
        if (nesting >= FLimits.MaxNesting) {
            Log("sprite " + std::to_string(characterId) + " nested too deep; not placed");
            return nullptr;
        }
        object = std::make_shared<TSpriteInstance>(*this, *character, sprite->Timeline, &parent, depth);
    } else {
        object = std::make_shared<TDisplayObject>(*this, *character, &parent, depth);
    }
    ++FObjects;
    return object;
}

void TPlayer::ObjectRemoved(TDisplayObject& object) {
    if (&object != FRoot.get() && FObjects > 0) --FObjects;
    FScripts.Removed(object);
}

}  // namespace quorlin::runtime
