#pragma once
// Encoding of single AVM1 actions; the counterpart of ActionReader. Offset and Size of
// the action are ignored: the writer computes the length field from the payload.

#include "player/swf/Action.h"
#include "player/swf/ByteWriter.h"

namespace quorlin::swf {

// Appends the action's bytes and returns how many were written.
size_t WriteAction(TByteWriter& out, const TAction& action);

// The size WriteAction would write.
size_t ActionSize(const TAction& action);

}  // namespace quorlin::swf
