#pragma once
// The screen form's input rule, apart from any window: which queued messages end the
// full-screen saver, and how far the mouse may wander before it does.

#include <cstdint>
#include <optional>

namespace quorlin {

struct TScreenPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

// The mouse may move this far on each axis from where it stood when the saver showed.
constexpr int32_t kMouseSlack = 10;

// What the input filter does with a message taken from the queue: true ends the saver
// (the message is not dispatched), false dispatches it, nothing leaves Handled as it was.
// `cursor` is the message's cursor position, `start` the reference position.
std::optional<bool> CloseVerdict(uint32_t message, TScreenPoint cursor, TScreenPoint start);

}  // namespace quorlin
