#pragma once
// The seam between the timelines and the script machine. The player hands it the
// host's variables and the action blocks of the frames, each with the clip it runs in;
// the runner owns whatever script objects it makes for the clips.

#include <cstdint>
#include <span>
#include <string>

namespace quorlin::runtime {

class TDisplayObject;
class TSpriteInstance;

class TScriptRunner {
public:
    virtual ~TScriptRunner() = default;

    // A text variable of the clip's timeline, as the host's variables arrive.
    virtual void SetVariable(TSpriteInstance& clip, const std::string& name, const std::string& value) = 0;
    // One action block with the clip as its target. A failing script throws; the player
    // reports it and goes on with the next block.
    virtual void Run(TSpriteInstance& clip, std::span<const uint8_t> actions) = 0;
    // The object has left the display list (with its children, each reported).
    virtual void Removed(TDisplayObject& object) {}
    // A tick's scripts have all run: the time to tidy up.
    virtual void FrameDone() {}
};

}  // namespace quorlin::runtime
