#pragma once
// Decoding of AVM1 action blocks (the body of DoAction, of sprite frames and of
// function definitions). Reads never leave the block: a length that runs past it, a
// string without NUL or an unknown push type is a TSwfError naming the action.

#include "player/swf/Action.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin::swf {

// The action that starts at offset in block.
TAction ReadAction(std::span<const uint8_t> block, uint32_t offset);

// Every action of the block in byte order, bodies of functions, With and Try included,
// up to and including the first End at the outermost level (or the end of the block).
// The bodies' sizes are checked to lie within the block.
std::vector<TAction> ReadActions(std::span<const uint8_t> block);

// The same, for listings of damaged code: the actions read before the first fault, and
// the fault's message in error (left empty when there is none).
std::vector<TAction> ReadActions(std::span<const uint8_t> block, std::string& error);

}  // namespace quorlin::swf
