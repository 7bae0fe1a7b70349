#pragma once
// AVM1 bytes as readable text: one action a line, "offset  Name operands", bodies of
// functions, With and Try indented under their action, branch targets as offsets,
// constant-pool references shown with the string they stand for.

#include "player/swf/Action.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin::swf {

// The whole block. Malformed bytes end the listing with a line "error: ..." rather than
// an exception, so that a dump of a damaged file still shows what could be read.
std::string Disassemble(std::span<const uint8_t> block);

// One push value: "text" quoted and escaped, 1 (integer), 1.0 (double), 1.0f (float),
// true, null, undefined, r1 (register), c3:"text" (constant, resolved through pool).
std::string FormatPushValue(const TPushValue& value, const std::vector<std::string>* pool = nullptr);

// One action without offset or body, e.g. If -> 0x0030.
std::string FormatAction(const TAction& action, const std::vector<std::string>* pool = nullptr);

}  // namespace quorlin::swf
