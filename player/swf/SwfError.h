#pragma once
// The one error type of the format library: malformed input, a record that cannot be
// written, or an assembler program that does not resolve. The message says what and where.

#include <stdexcept>
#include <string>

namespace quorlin::swf {

class TSwfError : public std::runtime_error {
public:
    explicit TSwfError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace quorlin::swf
