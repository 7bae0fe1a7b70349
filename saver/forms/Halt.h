#pragma once
// Ending the process with an exit code from anywhere on the main path, while every object
// on the way up is still released: the entry catches THalt and returns its code.

namespace quorlin {

// Deliberately not an Exception: handlers for errors never swallow it.
struct THalt {
    int ExitCode;
};

[[noreturn]] inline void Halt(int exitCode) { throw THalt{exitCode}; }

}  // namespace quorlin
