#pragma once
// A timeline in play: the root or a sprite instance. It owns its display list by depth
// and its playhead, and applies its frames' display changes as the playhead passes them.

#include "player/runtime/DisplayObject.h"
#include "player/runtime/Timeline.h"

#include <map>
#include <memory>
#include <string>

namespace quorlin::runtime {

class TSpriteInstance : public TDisplayObject {
public:
    TSpriteInstance(TPlayer& player, const TCharacter& character, const TTimelineDef& timeline,
                    TSpriteInstance* parent, int depth);

    int CurrentFrame() const { return FCurrentFrame; }
    int TotalFrames() const { return FTimeline->FrameCount(); }
    bool Playing() const { return FPlaying; }
    const TTimelineDef& Timeline() const { return *FTimeline; }

    // The timeline methods scripts call. Frames outside the timeline are brought to its
    // first or last frame; a goto to the current frame changes nothing but play state.
    void Play();
    void Stop();
    void GotoAndPlay(int frame);
    void GotoAndStop(int frame);
    // By label; false (and nothing happens) when the timeline has no such label.
    bool GotoLabel(const std::string& label, bool play);
    void NextFrame();
    void PrevFrame();

    const std::map<int, std::shared_ptr<TDisplayObject>>& Children() const { return FChildren; }
    TDisplayObject* ChildAt(int depth) const;
    // The child of that instance name, the lowest depth first; nullptr when none.
    TDisplayObject* ChildByName(const std::string& name) const;

    TBounds LocalBounds() const override;

    // The player's part: enter frame 1 once placed, then one step per tick.
    void EnterFirstFrame();
    void Tick();
    // The tick in which the object was made; it does not step in that tick.
    uint64_t BornInTick() const { return FBornInTick; }

protected:
    void OnDetach() override;

private:
    void GotoFrame(int frame);
    void ApplyCommands(int frame);
    void Rebuild(int frame);
    void QueueActions(int frame);
    void Place(const TPlaceCommand& command);
    void RemoveAt(int depth);
    std::shared_ptr<TDisplayObject> Create(const TPlaceCommand& command, uint16_t characterId);
    static void ApplyPlacement(TDisplayObject& object, const TPlaceCommand& command);

    const TTimelineDef* FTimeline;
    int FCurrentFrame = 0;  // 0 until frame 1 is entered
    bool FPlaying = true;
    uint64_t FBornInTick;
    std::map<int, std::shared_ptr<TDisplayObject>> FChildren;
};

}  // namespace quorlin::runtime
