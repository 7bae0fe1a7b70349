#pragma once
// The runtime's error type: a movie that cannot be played (a character missing where it
// is required, a malformed control tag) or a bad argument from the host.

#include <stdexcept>
#include <string>

namespace quorlin::runtime {

class TRuntimeError : public std::runtime_error {
public:
    explicit TRuntimeError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quorlin::runtime
