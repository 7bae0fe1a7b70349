#pragma once
// A movie with everything that plays it: the script machine and the player, made in the
// order they depend on each other, with one log for both. What a host (the control, a
// tool) holds.

#include "player/runtime/Player.h"
#include "player/runtime/Scripts.h"

#include <functional>
#include <memory>
#include <string>

namespace quorlin::runtime {

class TPlayback {
public:
    TPlayback(std::shared_ptr<const TMovie> movie, TClock& clock);

    TScripts& Scripts() { return FScripts; }
    TPlayer& Player() { return FPlayer; }

    // Skipped actions, stopped scripts, missing characters; trace output goes elsewhere.
    void SetLog(TPlayer::TLogSink sink);
    void SetTraceOutput(TPlayer::TLogSink sink) { FScripts.Machine().SetTraceOutput(std::move(sink)); }

private:
    TScripts FScripts;
    TPlayer FPlayer;
};

}  // namespace quorlin::runtime
