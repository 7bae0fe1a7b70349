#pragma once
// The SWF 5+ operators whose result depends on the types of both sides.

#include "player/avm1/Value.h"

namespace quorlin::avm1 {

class TMachine;

// Add2: concatenation when either side is (or converts to) a string.
TValue Add2(TMachine& m, const TValue& a, const TValue& b);
// Equals2: the loose equality of ECMA-262 with SWF 7's conversions.
bool Equals2(TMachine& m, const TValue& a, const TValue& b);
// StrictEquals: same type and same value.
bool StrictEquals(const TValue& a, const TValue& b);
// Less2 (a < b): true, false, or undefined when a side is NaN.
TValue Less2(TMachine& m, const TValue& a, const TValue& b);
// Greater (a > b), the same way.
TValue Greater(TMachine& m, const TValue& a, const TValue& b);

}  // namespace quorlin::avm1
