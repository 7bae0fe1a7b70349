#pragma once
// Small helpers shared by the built-in installers.

#include "player/avm1/Function.h"
#include "player/avm1/Machine.h"

#include <cmath>

namespace quorlin::avm1 {

// The argument at index, undefined when the caller passed fewer.
inline TValue Arg(TArgs args, size_t index) { return index < args.size() ? args[index] : TValue(); }

// A number argument converted; fallback when it is missing or undefined.
inline double NumberArg(TMachine& m, TArgs args, size_t index, double fallback) {
    if (index >= args.size() || args[index].IsUndefined())
        return fallback;
    return m.ToNumber(args[index]);
}

// A value as an integer offset, the way string and array methods read them.
inline double IntegerArg(TMachine& m, TArgs args, size_t index, double fallback) {
    return ToIntegerNumber(NumberArg(m, args, index, fallback));
}

// Resolves a start or end that counts back from length when negative.
inline size_t RelativeIndex(double value, size_t length) {
    double n = static_cast<double>(length);
    if (value < 0)
        value = std::max(0.0, n + value);
    return static_cast<size_t>(std::min(value, n));
}

}  // namespace quorlin::avm1
