#pragma once
// Diagnostic lines for an attached debugger or a debug-output viewer; nothing else.

#include <string>

namespace quorlin {

class TLogger {
public:
    TLogger() = delete;
    // Passes the text as it is, without prefix, time stamp or line end. A zero character
    // ends it, as it ends any C string.
    static void Log(const std::string& text);
};

}  // namespace quorlin
