#pragma once
// Plays a movie: the root timeline and everything on it, one frame per Tick, with the
// time from the host's clock and the scripts through the script runner.
//
// A tick steps every playing timeline once, applying each frame's display changes as it
// is reached, and queues the frames' action blocks; they run once the whole tree has
// stepped, so that a script sees the display list of the frame it belongs to. The order
// is a Flash player's: within a clip, the children it already had step first (by
// depth), then the clip itself, and the children its new frame places enter their
// first frame after it. So a clip's script runs after those of its existing children
// and before those of the children it has just placed; a clip placed during the tick
// steps from the next tick on. Gotos made by a script queue the target frame's actions
// behind the running ones; those of a host's goto run in the next tick.

#include "player/runtime/Clock.h"
#include "player/runtime/FlashVars.h"
#include "player/runtime/FrameTimer.h"
#include "player/runtime/Movie.h"
#include "player/runtime/ScriptRunner.h"
#include "player/runtime/SpriteInstance.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>

namespace quorlin::runtime {

struct TPlayerLimits {
    int MaxNesting = 64;               // clips inside clips; a sprite that holds itself stops here
    size_t MaxObjects = 100000;        // live display objects
    size_t MaxActionBlocksPerTick = 10000;  // scripts that goto each other forever stop here
};

class TPlayer {
public:
    using TLogSink = std::function<void(const std::string&)>;

    // The clock and the script runner must outlive the player.
    TPlayer(std::shared_ptr<const TMovie> movie, TClock& clock, TScriptRunner& scripts,
            TPlayerLimits limits = {});
    ~TPlayer();
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    // The host's variables, set on the root timeline; given before the first tick they
    // are there when frame 1's scripts run.
    void SetVariables(const TVariables& variables);
    void SetFlashVars(const std::string& text) { SetVariables(ParseFlashVars(text)); }

    // One frame: the first tick shows frame 1 of the root.
    void Tick();
    // The ticks that the movie's frame rate makes due by the clock's time, run; returns
    // how many. A host calls this from its timer.
    int Advance();
    // Milliseconds until Advance has a tick to run.
    int64_t MillisecondsToNextFrame() const;
    uint64_t TickCount() const { return FTicks; }

    const TMovie& Movie() const { return *FMovie; }
    TClock& Clock() const { return FClock; }
    TSpriteInstance& Root() { return *FRoot; }
    const TSpriteInstance& Root() const { return *FRoot; }
    // Grows with every change to the display tree; equal counts mean an equal picture.
    uint64_t ChangeCount() const { return FChanges; }

    // Where the player reports what it skips (a missing character, a failing script).
    void SetLog(TLogSink sink) { FLog = std::move(sink); }
    void Log(const std::string& message) const;

    // For the display objects.
    std::shared_ptr<TDisplayObject> CreateObject(uint16_t characterId, TSpriteInstance& parent, int depth);
    void QueueActions(const std::shared_ptr<TSpriteInstance>& clip, const TActionBlock& block);
    void QueueInitActions(const std::shared_ptr<TSpriteInstance>& clip, const TActionBlock& block);
    void ObjectRemoved(TDisplayObject& object);
    std::string NextInstanceName() { return "instance" + std::to_string(++FInstanceNames); }
    uint64_t NextKey() { return ++FKeys; }
    void NoteChange() { ++FChanges; }

private:
    struct TQueued {
        std::weak_ptr<TSpriteInstance> Clip;
        TActionBlock Block;
    };
    void StepTree(TSpriteInstance& clip);
    void RunQueue();

    std::shared_ptr<const TMovie> FMovie;
    TClock& FClock;
    TFrameTimer FTimer;
    TScriptRunner& FScripts;
    TPlayerLimits FLimits;
    TCharacter FRootCharacter;
    std::shared_ptr<TSpriteInstance> FRoot;
    std::deque<TQueued> FQueue;
    std::set<const void*> FInitDone;
    TLogSink FLog;
    uint64_t FTicks = 0;
    uint64_t FChanges = 0;
    uint64_t FKeys = 0;
    uint64_t FInstanceNames = 0;
    size_t FObjects = 0;
    size_t FRunThisTick = 0;
    bool FTickLimitLogged = false;
};

}  // namespace quorlin::runtime
