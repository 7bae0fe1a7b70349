#pragma once
// The two ways a script ends early: an error that stops the script (a limit
// passed, malformed bytes), and a value thrown by the script itself.

#include "player/avm1/Value.h"

#include <stdexcept>
#include <string>

namespace quorlin::avm1 {

// Stops the running script; the machine stays usable and the caller carries on.
class TScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ActionThrow: a value on its way to the nearest try block. Past the outermost
// call it is one more error that stopped the script, with the value as its text.
class TScriptThrow : public TScriptError {
public:
    explicit TScriptThrow(TValue value);
    const TValue& Value() const { return FValue; }

private:
    TValue FValue;
};

// Scripts can double a string in a loop; past this many bytes the script stops
// before memory runs out.
inline constexpr size_t MaxStringLength = size_t{1} << 24;

inline void CheckStringLength(size_t length) {
    if (length > MaxStringLength)
        throw TScriptError("script stopped: a string grew past " + std::to_string(MaxStringLength) + " bytes");
}

}  // namespace quorlin::avm1
