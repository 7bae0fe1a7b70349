#pragma once
// The script runner of the player: the AVM1 machine, with one movie clip object per
// sprite instance that scripts have reached. Each action block runs with the machine's
// instruction budget and call depth; one that passes them, or fails otherwise, is
// stopped and reported, and the movie plays on.

#include "player/avm1/ClipObject.h"
#include "player/avm1/Machine.h"
#include "player/runtime/Clock.h"
#include "player/runtime/ScriptRunner.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace quorlin::runtime {

class TRuntimeClip;

class TScripts : public TScriptRunner, public avm1::TDisplayHost {
public:
    explicit TScripts(TClock& clock);
    ~TScripts() override;

    avm1::TMachine& Machine() { return FMachine; }

    void SetVariable(TSpriteInstance& clip, const std::string& name, const std::string& value) override;
    void Run(TSpriteInstance& clip, std::span<const uint8_t> actions) override;
    void Removed(TDisplayObject& object) override;
    // Frees the frame's garbage (last frame's dates, arrays of split texts) at once, so
    // that a looping movie keeps a small heap.
    void FrameDone() override;

    avm1::TClipObject* LevelClip(int level) override;

    // The clip object of a display object, made on first use.
    TRuntimeClip* ClipFor(TDisplayObject& object);
    // A variable of a clip's timeline as text, or nullopt when it is undefined (tests and
    // tools read the movie's state this way).
    std::optional<std::string> Variable(TSpriteInstance& clip, const std::string& name);

private:
    struct TEntry {
        TRuntimeClip* Clip;
        avm1::TPin Pin;
    };

    avm1::TMachine FMachine;
    std::unordered_map<const TDisplayObject*, TEntry> FClips;
    TSpriteInstance* FRoot = nullptr;
};

}  // namespace quorlin::runtime
