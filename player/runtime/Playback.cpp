#include "player/runtime/Playback.h"

namespace quorlin::runtime {

TPlayback::TPlayback(std::shared_ptr<const TMovie> movie, TClock& clock)
    : FScripts(clock), FPlayer(std::move(movie), clock, FScripts) {}

void TPlayback::SetLog(TPlayer::TLogSink sink) {
    FScripts.Machine().SetDebugLog(sink);
    FPlayer.SetLog(std::move(sink));
}

}  // namespace quorlin::runtime
